#!/usr/bin/python3
"""Starts the real browser under Xvfb and drives it as a person would: pages from a
local server, tabs opened from the command line, by hand-off and by a target=_blank
link, closed from the keyboard; tab texts and the window title are read over AT-SPI,
as a screen reader reads them. Run inside dbus-run-session and xvfb-run."""

import os
import sys
import time

import runtime_dir
from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {
    "/a.html": "<title>ページA</title><p>A",
    "/b.html": "<title>ページB</title><p>B",
    "/c.html": "<title>ページC</title><p>C",
    "/links.html": '<title>リンク</title><style>a{display:block;width:100vw;height:100vh}</style>'
                   '<body style="margin:0"><a href="/c.html" target="_blank" style="display:block;width:100vw;height:100vh">C を新しいタブで</a>',
}


def main():
    server, base = serve(PAGES)

    work, env, data = scratch("fern-smoke-")
    fern = start(FERN, data, env, base + "/a.html")
    try:
        check(wait_for(lambda: tab_texts() == ["ページA"]) is True or tab_texts() == ["ページA"],
              "the command-line page opens as the only tab: %r" % tab_texts())
        check(wait_for(lambda: "ページA" in window_title()), "the window title shows the page title: %r" % window_title())

        check(hand_off(FERN, data, env, base + "/b.html", "  " + base + "/links.html") == 0, "a later start hands over and ends")
        check(wait_for(lambda: tab_texts() == ["ページA", "ページB", "リンク"]),
              "hand-off opens new tabs in order: %r" % tab_texts())

        # Bad input: an over-long hand-off and broken shortcut and list files.
        broken = work + "/broken"
        os.makedirs(broken)
        with open(broken + "/x.url", "wb") as f:
            f.write(b"\x00\xff[InternetShortcut\n=\x83")
        with open(broken + "/y.lnk", "wb") as f:
            f.write(b"L\x00\x00\x00\x01\x14\x02\x00")
        with open(broken + "/z.fbl", "wb") as f:
            f.write(os.urandom(4096))
        hand_off(FERN, data, env, "x" * 70000)
        hand_off(FERN, data, env, broken + "/x.url", broken + "/y.lnk", broken + "/z.fbl", broken + "/missing.url")
        time.sleep(2)
        check(fern.poll() is None, "bad hand-offs and broken files do not bring the browser down")
        texts = tab_texts() or []
        check(len(texts) == 7 and texts[:3] == ["ページA", "ページB", "リンク"],
              "the over-long hand-off is refused; the four files open as tabs: %r" % texts)

        # Close the four file tabs from the keyboard, then select the link page.
        # A wheel click on a tab closes it; the tab's box comes from AT-SPI.
        # No window manager runs: the window sits at the origin and the
        # keyboard follows the pointer.
        for _ in range(4):
            tab = tab_list().get_child_at_index(3)
            box = tab.get_extents(Atspi.CoordType.SCREEN)
            xdo(env, "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "2")
            time.sleep(0.4)
        check(wait_for(lambda: len(tab_texts() or []) == 3), "wheel clicks close tabs: %r" % tab_texts())

        link_tab = tab_list().get_child_at_index(2)
        Atspi.Action.do_action(link_tab, 0)  # "click", as a screen reader would
        check(wait_for(lambda: "リンク" in window_title()), "the tab's click action selects it: %r" % window_title())

        # Click the page-sized target=_blank link.
        xdo(env, "mousemove", "500", "400", "click", "1")
        check(wait_for(lambda: "ページC" in (tab_texts() or [])),
              "a target=_blank link opens a new tab: %r" % tab_texts())

        # The new tab is selected by its click action; Ctrl+W closes it.
        Atspi.Action.do_action(tab_list().get_child_at_index(3), 0)
        wait_for(lambda: "ページC" in window_title())
        xdo(env, "mousemove", "500", "400", "key", "--clearmodifiers", "ctrl+w")
        check(wait_for(lambda: tab_texts() == ["ページA", "ページB", "リンク"]),
              "Ctrl+W closes the selected tab: %r" % tab_texts())

        screenshot(env, OUT_DIR, "gui-smoke.png")
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    check(b"COCount=0" in read_file(data + "/fern.ini"), "the exit save writes the closed-window count to fern.ini")
    two_starts_at_once()
    return finish(work)


def two_starts_at_once():
    """The later of two starts finds the lock taken before the first one listens; it
    waits for the first and hands its page over."""
    server, base = serve(PAGES)
    work, env, data = scratch("fern-twice-")
    starts = [start(FERN, data, env, base + "/a.html"), start(FERN, data, env, base + "/b.html")]
    try:
        wait_for(lambda: any(p.poll() is not None for p in starts), 30)
        ended = [p for p in starts if p.poll() is not None]
        check(len(ended) == 1 and ended[0].returncode == 0,
              "one of two simultaneous starts hands over and ends: %r" % [p.poll() for p in starts])
        check(wait_for(lambda: sorted(tab_texts() or []) == ["ページA", "ページB"]),
              "both pages open in the browser: %r" % tab_texts())
    finally:
        for p in starts:
            if p.poll() is None:
                stop(p)
        server.shutdown()
        runtime_dir.release(work)


if __name__ == "__main__":
    sys.exit(main())
