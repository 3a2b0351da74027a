#!/usr/bin/python3
"""What another program or the user can see of the start-up order, in the real browser
under Xvfb: a later start handing over its address while the first is still starting
(it waits and retries) gets its tab after the first page's; the first page's icon is
still fetched; the window appears with the first page, or without it when its server
does not answer; a shortcut file, a list file and an ignored mailto: address as the first
argument open what they did. Run inside dbus-run-session and xvfb-run."""

import glob
import os
import socket
import subprocess
import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

ICON = (b"\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\x00\x00\x00\x01\x00\x00\x00\x01\x08\x02\x00\x00\x00\x90wS"
        b"\xde\x00\x00\x00\x0cIDATx\x9cc\xf8\xcf\xc0\x00\x00\x03\x01\x01\x00\xc9\xfe\x92\xef\x00\x00\x00"
        b"\x00IEND\xaeB`\x82")

PAGES = {
    "/a.html": "<title>Page A</title><link rel=icon href=/a-icon.png><p>A",
    "/b.html": "<title>Page B</title><p>B",
    "/c.html": "<title>Page C</title><p>C",
}


def run_start(name, args, expect, setup=None):
    """Starts a fresh browser with `args` and checks that its tabs become `expect`."""
    work, env, data = scratch("fern-startup-%s-" % name)
    if setup:
        setup(work, data)
    fern = start(FERN, data, env, *[a.replace("{work}", work) for a in args])
    try:
        check(wait_for(lambda: tab_texts() == expect), "%s: the tabs are %r: %r" % (name, expect, tab_texts()))
        time.sleep(1)
        check(tab_texts() == expect and fern.poll() is None, "%s: and stay so: %r" % (name, tab_texts()))
    finally:
        code = stop(fern)
    check(code == 0, "%s: SIGTERM ends the browser cleanly (exit %r)" % (name, code))
    finish(work)


def frame_showing():
    return bool(showing_windows(["FRAME"]))


def traced_phases(path):
    return [line.split(" ", 1)[-1] for line in read_file(path).decode().splitlines()]


def phase_index(phases, text):
    return next((i for i, p in enumerate(phases) if text in p), len(phases))


def check_window_comes_with_page(base):
    """The window appears with its first page, and without it when the page's server
    takes the request and never answers."""
    work, env, data = scratch("fern-startup-window-")
    trace = open(work + "/trace.txt", "wb")
    fern = start(FERN, data, env | {"FERN_TRACE": "1"}, base + "/c.html", stderr=trace)
    try:
        check(wait_for(lambda: tab_texts() == ["Page C"] and frame_showing()), "the first page in a shown window")
    finally:
        stop(fern)
        trace.close()
    phases = traced_phases(work + "/trace.txt")
    check(phase_index(phases, "first page: committed") < phase_index(phases, "window shown") < len(phases),
          "the window is shown once the first page has committed: %r" % phases)
    finish(work)

    silent = socket.socket()
    silent.bind(("127.0.0.1", 0))
    silent.listen(4)
    work, env, data = scratch("fern-startup-silent-")
    fern = start(FERN, data, env, "http://127.0.0.1:%d/never.html" % silent.getsockname()[1])
    try:
        check(wait_for(frame_showing, 10), "the window appears while the first page's server keeps silent")
        check(fern.poll() is None, "and the browser runs on")
    finally:
        code = stop(fern)
        silent.close()
    check(code == 0, "SIGTERM ends a browser whose first page never came (exit %r)" % code)
    finish(work)


def main():
    seen = []
    server, base = serve(PAGES, {"/a-icon.png": (ICON, "image/png")}, seen)
    try:
        # A later start while the first one is still starting: it waits for the
        # first to take hand-offs, and its page comes second.
        work, env, data = scratch("fern-startup-handoff-")
        trace = open(work + "/trace.txt", "wb")
        fern = start(FERN, data, env | {"FERN_TRACE": "1"}, base + "/a.html", stderr=trace)
        # Once the first holds the one-browser lock, before its window is up.
        deadline = time.time() + 10
        while not glob.glob(work + "/run/**/FernBrowserApp.lock", recursive=True) and time.time() < deadline:
            time.sleep(0.01)
        check(fern.poll() is None and tab_texts() in (None, []), "the later start comes while the first starts")
        later = subprocess.run([FERN, "--data-dir", data, base + "/b.html"], env=env, timeout=60,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            check(later.returncode == 0, "a start during start-up hands over and ends (exit %r)" % later.returncode)
            check(wait_for(lambda: tab_texts() == ["Page A", "Page B"]),
                  "the first page's tab comes first, the handed-over one next: %r" % tab_texts())
            check(wait_for(lambda: any(path == "/a-icon.png" for path, _ in seen), 10),
                  "the first page's icon is still fetched: %r" % [p for p, _ in seen])
        finally:
            code = stop(fern)
            trace.close()
        check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
        # Opened while a tab's page starts, the favicon database can leave that
        # page never asked for: it opens before the first view.
        phases = traced_phases(work + "/trace.txt")
        check(phase_index(phases, "favicon database") < phase_index(phases, "web process prestarted"),
              "the favicon database opens before the first view: %r" % phases[:12])
        finish(work)

        check_window_comes_with_page(base)

        def shortcut(work, data):
            write_file(work + "/c.url", "[InternetShortcut]\r\nURL=%s/c.html\r\n" % base)

        def page_list(work, data):
            write_file(work + "/two.fbl", url_list(base + "/b.html", base + "/c.html"))

        def ignore_mail(work, data):
            write_file(data + "/fern.ini", "[Mail]\r\nMLStyle=1\r\n")

        run_start("shortcut", ["{work}/c.url"], ["Page C"], shortcut)
        run_start("list", ["{work}/two.fbl"], ["Page B", "Page C"], page_list)
        run_start("ignored mailto", ["mailto:someone@example.com", base + "/b.html"], ["Page B"], ignore_mail)
    finally:
        server.shutdown()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
