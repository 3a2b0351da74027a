#!/usr/bin/python3
"""Sleeping tabs in the real browser under Xvfb: a background tab left alone past its
minute gives its page up (its web process ends, the tab keeps its title and reads as
asleep), and selecting it brings the page back as it was: scrolled where it was left,
with its back list and no second entry for itself.
Run inside dbus-run-session and xvfb-run."""

import re
import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)

FERN, OUT_DIR = sys.argv[1], sys.argv[2]

# The long page reports in its title where it is scrolled, how long its history is and
# when it was loaded (so a page loaded again is told from the one before); the browser
# comes to it from a page before it.
LONG = ("<title>A</title><body style='height:20000px'><p>top<script>"
        "var stamp = Date.now() % 100000; function report() { document.title = 'A' +"
        " (scrollY > 0 ? '@' + Math.round(scrollY) : '') + '/' + history.length + ' #' + stamp; }"
        " report(); addEventListener('scroll', report);"
        " addEventListener('load', () => setTimeout(report, 300));</script>")
BEFORE = "<title>A0</title><script>onload = () => setTimeout(() => { location.href = 'a.html'; }, 500);</script>"
PAGES = {"/a0.html": BEFORE, "/a.html": LONG, "/b.html": "<title>B</title><p>b"}


def description(index):
    tabs = tab_list()
    child = tabs.get_child_at_index(index) if tabs else None
    return child.get_description() if child else None


def select(index):
    Atspi.Action.do_action(tab_list().get_child_at_index(index), 0)


def main():
    server_a, site_a = serve(PAGES, address="127.0.0.2")
    server_b, site_b = serve(PAGES)
    work, env, data = scratch("fern-sleep-")
    # A minute unselected is the shortest time the rules allow.
    write_file(data + "/fern.ini", "[TabBar]\r\nTabSleepMinutes=1\r\n")
    fern = start(FERN, data, env, site_a + "/a0.html", site_b + "/b.html")
    try:
        check(wait_for(lambda: re.fullmatch(r"A/2 #\d+", (tab_texts() or [""])[0] or "")
                       and tab_texts()[1:] == ["B"]), "two tabs of two sites open: %r" % tab_texts())
        check(wait_for(lambda: len(web_processes(fern.pid)) == 2), "each with its web process")
        # Scroll the first page down from the keyboard; its title follows.
        xdo(env, "mousemove", "500", "400", "click", "1")
        xdo(env, "key", "--clearmodifiers", "End")
        scrolled = wait_for(lambda: re.fullmatch(r"A@[1-9]\d*/2 #\d+", (tab_texts() or [""])[0] or ""))
        check(scrolled, "the first page, second in its history, is scrolled down: %r" % tab_texts())
        time.sleep(1)  # the scroll glides to its end
        scrolled = tab_texts()[0]
        select(1)
        check(wait_for(lambda: description(0) == "休止中", 120),
              "left for a minute, the first tab sleeps: %r" % description(0))
        check(tab_texts()[0] == scrolled, "and keeps its title: %r" % tab_texts())
        check(description(1) in ("", None), "the selected tab is awake")
        check(wait_for(lambda: len(web_processes(fern.pid)) == 1), "its site's web process has ended: %r"
              % web_processes(fern.pid))
        screenshot(env, OUT_DIR, "gui-sleep-asleep.png")

        select(0)
        check(wait_for(lambda: description(0) in ("", None)), "selected, it wakes")
        check(wait_for(lambda: len(web_processes(fern.pid)) == 2), "in a web process again")
        # The page comes back as it was: scrolled where it was left, with the history it
        # had (the page before it and no second copy of itself).
        at, stamp = scrolled.split(" #")
        woken = wait_for(lambda: re.fullmatch(r"(A[^ ]*) #(\d+)", (tab_texts() or [""])[0] or "")
                         if not (tab_texts() or [""])[0].endswith("#" + stamp) else None)
        check(woken, "loaded again: %r" % tab_texts())
        check(wait_for(lambda: (tab_texts() or [""])[0].split(" #")[0] == at, 5),
              "at the same place with the same history (%s): %r" % (at, tab_texts()))
        screenshot(env, OUT_DIR, "gui-sleep-woken.png")
    finally:
        code = stop(fern)
        server_a.shutdown()
        server_b.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
