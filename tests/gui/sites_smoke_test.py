#!/usr/bin/python3
"""Web processes per site in the real browser under Xvfb: tabs of one site (127.0.0.1)
share one web process and a tab of another site (127.0.0.2) has its own; when that
process is killed, its tab keeps its title and the first site's tabs go on. Run inside
dbus-run-session and xvfb-run."""

import os
import signal
import sys

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {"/%s.html" % n: "<title>%s</title><p>%s" % (n.upper(), n) for n in ("a", "b", "c", "d")}


def main():
    server1, site1 = serve(PAGES)
    server2, site2 = serve(PAGES, address="127.0.0.2")
    work, env, data = scratch("fern-sites-")
    fern = start(FERN, data, env, site1 + "/a.html", site1 + "/b.html", site2 + "/c.html")
    try:
        check(wait_for(lambda: tab_texts() == ["A", "B", "C"]), "three tabs of two sites open: %r" % tab_texts())
        check(wait_for(lambda: len(web_processes(fern.pid)) == 2),
              "two sites, two web processes: %r" % web_processes(fern.pid))
        check(hand_off(FERN, data, env, site1 + "/d.html") == 0 and wait_for(lambda: tab_texts() == ["A", "B", "C", "D"]),
              "a later tab of the first site opens: %r" % tab_texts())
        check(len(web_processes(fern.pid)) == 2, "and shares its site's process: %r" % web_processes(fern.pid))

        # The second site's process is the newer of the two.
        killed = web_processes(fern.pid)[-1]
        os.kill(killed, signal.SIGKILL)
        check(wait_for(lambda: killed not in web_processes(fern.pid) and len(web_processes(fern.pid)) == 2),
              "the killed site's tab gets a new process for our page: %r" % web_processes(fern.pid))
        check(fern.poll() is None and wait_for(lambda: tab_texts() == ["A", "B", "C", "D"]),
              "the browser goes on and every tab keeps its title: %r" % tab_texts())
        screenshot(env, OUT_DIR, "gui-sites-ended.png")
    finally:
        code = stop(fern)
        server1.shutdown()
        server2.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
