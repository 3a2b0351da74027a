#!/usr/bin/python3
"""The side bar's panels of ours in the real browser: three pages visited from
127.0.0.1 appear in "履歴" under today and their site. Run inside dbus-run-session and
xvfb-run."""

import os
import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {
    "/one.html": "<title>一つ目</title><p>最初のページ",
    "/two.html": "<title>二つ目</title><p>二番目のページには合言葉があります",
    "/three.html": "<title>三つ目</title><p>三つ目のページ",
}


def cells(tree):
    """The texts of the tree's rows as they show."""
    return [c.get_name() for c in find_all(tree, lambda a: a.get_role() == Atspi.Role.TABLE_CELL)]


def cell(tree, name):
    return find(tree, lambda a: a.get_role() == Atspi.Role.TABLE_CELL and a.get_name() == name)


def do_named_action(acc, action):
    for i in range(Atspi.Action.get_n_actions(acc)):
        if Atspi.Action.get_action_name(acc, i) == action:
            return Atspi.Action.do_action(acc, i)
    return False


def expand(tree, name):
    row = wait_for(lambda: cell(tree, name))
    check(row is not None, "\"%s\" is in the tree: %r" % (name, cells(tree)))
    if row is not None and not row.get_state_set().contains(Atspi.StateType.EXPANDED):
        do_named_action(row, "expand or contract")
    time.sleep(0.3)


def history_panel(base):
    tree = wait_for(lambda: named(["TREE_TABLE", "TREE", "TABLE"], "履歴"))
    check(tree is not None, "the \"履歴\" panel shows its tree")
    if tree is None:
        return
    expand(tree, "今日")
    expand(tree, "127.0.0.1")
    titles = wait_for(lambda: all(t in cells(tree) for t in ("一つ目", "二つ目", "三つ目")) and cells(tree))
    check(titles and all(t in titles for t in ("一つ目", "二つ目", "三つ目")),
          "the three pages show under today and their site: %r" % cells(tree))
    screenshot(os.environ, OUT_DIR, "gui-sidebar-history.png")


def main():
    server, base = serve(PAGES)
    work, env, data = scratch("fern-panels-")
    # The side bar shows "履歴" from the start.
    write_file(data + "/wnds.ini", "[CtrlBar-ID32933]\r\nVisible=1\r\n")
    write_file(data + "/fern.ini", "[FernBar]\r\nFBIndex=1\r\n")
    fern = start(FERN, data, env, base + "/one.html")
    try:
        check(wait_for(lambda: tab_texts() == ["一つ目"]), "the first page loads: %r" % tab_texts())
        for page, count in (("/two.html", 2), ("/three.html", 3)):
            check(hand_off(FERN, data, env, base + page) == 0, "a later start hands over %s" % page)
            check(wait_for(lambda c=count: len(tab_texts() or []) == c), "%s opens: %r" % (page, tab_texts()))
        history_panel(base)
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
