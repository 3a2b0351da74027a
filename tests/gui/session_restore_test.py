#!/usr/bin/python3
"""A session that survives a kill: five pages from 127.0.0.1 (one still loading), the
browser killed with SIGKILL, started again: its restore page lists the five with the
loading one unchecked, and "復元" brings the others back in order without that one. With
the newest session generation cut short, the next one is listed. Run inside
dbus-run-session and xvfb-run."""

import os
import signal
import sys
import threading
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)

FERN, OUT_DIR = sys.argv[1], sys.argv[2]

release_slow = threading.Event()
PAGES = {"/p%d.html" % i: "<title>頁%d</title><p>page %d" % (i, i) for i in range(1, 6)}


def serve_with_slow_page():
    server, base = serve(PAGES)
    handler = server.RequestHandlerClass
    plain_get = handler.do_GET

    def do_get(self):
        if self.path == "/p3.html":
            release_slow.wait(120)  # this page never finishes while the browser runs
            return
        plain_get(self)

    handler.do_GET = do_get
    return server, base


def session_tabs(data, generation=1):
    """(url, loading) of each #TAB record of a session generation."""
    tabs, url, loading = [], None, False
    for line in read_file("%s/session%d.fss" % (data, generation)).split(b"\n"):
        if line in (b"#TAB", b"#PENDING") or line.startswith(b"END="):
            if url is not None:
                tabs.append((url, loading))
            url, loading = (b"", False) if line == b"#TAB" else (None, False)
        elif url is not None and line.startswith(b"URL="):
            url = line[4:].decode("cp932")
        elif url is not None and line == b"LOADING=1":
            loading = True
    return tabs


def boxes():
    """The restore page's check boxes: [(name, checked)]."""
    found = find_all(fern_app(), lambda a: a.get_role() == Atspi.Role.CHECK_BOX)
    return [(box.get_name().strip(), checked(box)) for box in found]


def press(name):
    button = named(["PUSH_BUTTON"], name)
    if button is None:
        return False
    button.do_action(0)
    return True


def killed_session(work, env, data, base):
    """Starts the browser on the five pages, waits until its session has them (the third
    loading), kills it."""
    urls = [base + "/p%d.html" % i for i in range(1, 6)]
    fern = start(FERN, data, env, *urls)
    want = [(u, u.endswith("/p3.html")) for u in urls]
    saved = wait_for(lambda: session_tabs(data) == want, 40)
    check(saved, "the session file holds the five tabs, the third one loading")
    if not saved:
        print("note: session holds %r" % session_tabs(data), flush=True)
    os.kill(fern.pid, signal.SIGKILL)
    fern.wait()


def main():
    server, base = serve_with_slow_page()
    work, env, data = scratch("fern-restore-")
    killed_session(work, env, data, base)

    fern = start(FERN, data, env)
    titles = ["頁%d" % i for i in (1, 2, 3, 4, 5)]
    listed = wait_for(lambda: boxes() if len(boxes()) >= 5 else None, 40)
    names = [name for name, _ in listed or []]
    check(names[:2] + names[3:] == titles[:2] + titles[3:] and len(names) == 5
          and names[2].startswith(base + "/p3.html"), "the restore page lists the five tabs (%r)" % (listed,))
    check(listed is not None and [c for _, c in listed] == [True, True, False, True, True],
          "only the tab that was loading is unchecked")
    screenshot(env, OUT_DIR, "session-restore.png")
    check(press("復元"), "the page has a \"復元\" button")
    want = titles[:2] + titles[3:]
    restored = wait_for(lambda: tab_texts() == want, 40)
    check(restored, "\"復元\" brings back the four in order (%r)" % (tab_texts(),))
    stop(fern)

    # The newest generation cut short: the next one is read, and the page says so.
    killed_session(work, env, data, base)
    newest = data + "/session1.fss"
    os.truncate(newest, os.path.getsize(newest) // 2)
    fern = start(FERN, data, env)
    listed = wait_for(lambda: boxes() if len(boxes()) >= 5 else None, 40)
    check(listed is not None and len(listed) == 5, "with the newest generation cut, the next one is listed")
    stop(fern)

    release_slow.set()
    server.shutdown()
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
