#!/usr/bin/python3
"""Names that Shift-JIS cannot hold, and list files, in the real browser under Xvfb: a data
folder and a page file named with "é" given on the command line (relative, then handed to
the running window), an address typed with "é", and list files that name each other,
opened at start-up and handed over later. Run inside dbus-run-session and xvfb-run."""

import os
import subprocess
import sys
import time
from urllib.parse import quote

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {
    "/a.html": "<title>Page A</title><p>A",
    "/b.html": "<title>Page B</title><p>B",
    # The typed "Café" arrives escaped as UTF-8, naming the same page.
    "/wiki/Caf%C3%A9": "<title>Wiki Cafe</title><p>W",
}


def start_in(folder, data, env, *args):
    return subprocess.Popen([FERN, "--data-dir", data] + list(args), env=env, cwd=folder,
                            stderr=subprocess.DEVNULL)


def hand_off_in(folder, data, env, *args):
    return subprocess.run([FERN, "--data-dir", data] + list(args), env=env, cwd=folder, timeout=30,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def type_address(env, text):
    entry = wait_for(lambda: find(fern_app(), lambda a: a.get_name() == "アドレス" and
                                  a.get_role() in (Atspi.Role.TEXT, Atspi.Role.ENTRY)))
    box = entry.get_extents(Atspi.CoordType.SCREEN)
    xdo(env, "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1")
    Atspi.EditableText.set_text_contents(entry, text)
    time.sleep(0.2)
    xdo(env, "key", "--clearmodifiers", "Return")


def main():
    server, base = serve(PAGES)
    work, env, _ = scratch("fern-paths-")
    home = os.path.join(work, "jos\u00e9")            # no Shift-JIS form
    data = os.path.join(home, "data")
    pages = os.path.join(home, "pages")
    write_file(os.path.join(pages, "caf\u00e9.html"), b"<title>Cafe file</title><p>file")
    write_file(os.path.join(pages, "na\u00efve.html"), b"<title>Naive file</title><p>file")
    # The lists are Shift-JIS text: they name each other by plain path and by URI.
    lists = os.path.join(work, "\u30ea\u30b9\u30c8")  # リスト
    write_file(os.path.join(lists, "a.fbl"), url_list(base + "/a.html", lists + "/b.fbl"))
    write_file(os.path.join(lists, "b.fbl"), url_list(base + "/b.html", "file://" + quote(lists) + "/a.fbl",
                                                      lists + "/a.fbl"))
    env = dict(env, HOME=home)

    # Lists naming each other, as the first argument: each page once, no empty tab.
    fern = start_in(lists, data, env, "a.fbl")
    try:
        check(wait_for(lambda: tab_texts() == ["Page A", "Page B"]),
              "a.fbl and b.fbl naming each other open each page once: %r" % tab_texts())
        time.sleep(1)
        check(tab_texts() == ["Page A", "Page B"], "and nothing more, no empty tab: %r" % tab_texts())

        check(hand_off_in(pages, data, env, "caf\u00e9.html") == 0, "a later start hands over caf\u00e9.html")
        check(wait_for(lambda: tab_texts() == ["Page A", "Page B", "Cafe file"]),
              "the relative file name with \u00e9 opens that very file: %r" % tab_texts())

        check(hand_off_in(lists, data, env, "b.fbl") == 0, "the browser still answers after the lists")
        check(wait_for(lambda: tab_texts() == ["Page A", "Page B", "Cafe file", "Page B", "Page A"]),
              "b.fbl handed over later opens its two pages once: %r" % tab_texts())

        type_address(env, base + "/wiki/Caf\u00e9")
        check(wait_for(lambda: "Wiki Cafe" in (tab_texts() or [])),
              "a typed address with \u00e9 loads the page it names: %r" % tab_texts())
        screenshot(env, OUT_DIR, "gui-paths.png")
    finally:
        code = stop(fern)
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    check(os.path.isfile(os.path.join(data, "fern.ini")), "the data folder named with \u00e9 holds fern.ini")
    ini = read_file(os.path.join(data, "fern.ini"))
    check(b"BKBookmarkPath=file:///" in ini and b"jos%C3%A9" in ini,
          "the bookmark path is stored so that it names the same folder: %r" % ini[:200])

    # A file argument at start-up, relative to the folder it was given in.
    fern = start_in(pages, data, env, "na\u00efve.html")
    try:
        check(wait_for(lambda: "Naive file" in (tab_texts() or [])),
              "na\u00efve.html given at start-up opens: %r" % tab_texts())
    finally:
        stop(fern)
        server.shutdown()
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
