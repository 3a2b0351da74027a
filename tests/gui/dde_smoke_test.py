#!/usr/bin/python3
"""Starts the real browser under Xvfb and drives it over its request channel with
fernctl, as another program would: open pages, list the windows, read a window's
address and title, activate, and end the browser; then checks that the exit steps
ran. Pages come from a local server. Run inside xvfb-run (and dbus-run-session).
Arguments: FERN FERNCTL OUT_DIR."""

import os
import socket
import subprocess
import sys

from fernui import *  # noqa: F401,F403  (the shared test helpers)

FERN, FERNCTL, OUT_DIR = sys.argv[1], sys.argv[2], sys.argv[3]

PAGES = {
    "/a.html": "<title>ページA</title><p>A",
    "/b.html": "<title>ページB</title><p>B",
    "/c.html": "<title>ページC</title><p>C",
}


def main():
    server, base = serve(PAGES)

    work, env, data = scratch("fern-dde-smoke-")

    def ctl(*args):
        run = subprocess.run([FERNCTL] + list(args), env=env, timeout=30, capture_output=True)
        return run.returncode, run.stdout.decode("utf-8", "replace"), run.stderr.decode("utf-8", "replace")

    def info(window):
        code, out, _ = ctl("info", str(window))
        return out.split("\n")[:2] if code == 0 else None

    fern = start(FERN, data, env)
    code = None
    try:
        # Up when it answers at all: with no tab open the window list is "not processed".
        check(wait_for(lambda: ctl("windows")[0] == 1, 30), "the browser serves FBROWSER and lists no window yet")

        check(ctl("open", base + "/a.html")[0] == 0, "fernctl open answers")
        check(wait_for(lambda: info(1) == [base + "/a.html", "ページA"]),
              "fernctl info 1 answers the first page's address and title: %r" % info(1))
        # An open goes to the current tab, focus to the page.
        check(ctl("open", base + "/b.html")[0] == 0, "a second fernctl open answers")
        check(wait_for(lambda: info(1) == [base + "/b.html", "ページB"]),
              "the second page replaces the first in the current tab: %r" % info(1))

        # A later start hands its address over: a second tab.
        hand_off(FERN, data, env, base + "/c.html")
        check(wait_for(lambda: ctl("windows")[1] == "1\n2\n"), "fernctl windows lists two ids: %r" % (ctl("windows"),))
        check(wait_for(lambda: info(2) == [base + "/c.html", "ページC"]), "fernctl info 2 answers the second tab: %r" % info(2))
        check(info(1) == [base + "/b.html", "ページB"], "window ids follow the tab order")
        check(ctl("info", "3")[0] == 1, "a window id past the last tab is not processed")

        code, out, _ = ctl("dde", "wildconnect")
        check(code == 0 and out.count("\n") == 7 and out.startswith("FBROWSER\tSystem\n"),
              "a wild connect lists the service's seven topics: %r" % out)
        code, out, _ = ctl("dde", "system", "Topics")
        check(out == "System\tWWW_OpenURL\tWWW_GetWindowInfo\tWWW_Activate\tWWW_ListWindows\tWWW_Exit\tWWW_ShowFile\n",
              "the System topic names the topics: %r" % out)
        check(ctl("activate")[0] == 0, "fernctl activate answers")

        # Bad input on the channel costs only its own connection.
        path = work + "/run/fern/dde-fbrowser"
        for junk in (b"\xff\xff\xff\xff", b"\x03\x00\x00\x00\x09zz", os.urandom(512)):
            s = socket.socket(socket.AF_UNIX)
            s.connect(path)
            s.sendall(junk)
            s.close()
        check(wait_for(lambda: ctl("windows")[1] == "1\n2\n"), "the browser answers on after malformed frames")

        screenshot(env, OUT_DIR, "gui-dde-smoke.png")

        check(ctl("exit")[0] == 0, "fernctl exit is acknowledged")
        try:
            code = fern.wait(timeout=30)
        except subprocess.TimeoutExpired:
            code = None
        check(code == 0, "the browser ends after fernctl exit (exit %r)" % code)
        code, _, err = ctl("windows")
        check(code == 3 and err.count("\n") == 1, "with the browser gone fernctl says so: %r %r" % (code, err))
    finally:
        if fern.poll() is None:
            stop(fern)
        server.shutdown()
    check(b"COCount=0" in read_file(data + "/fern.ini"), "the exit steps ran: fern.ini holds the closed-window count")
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
