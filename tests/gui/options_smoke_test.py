#!/usr/bin/python3
"""The options dialog of the real browser under Xvfb: "オプション(P)..." of the ツール menu
opens it on its page tree, the tab bar's look page moves the bar below the pages and fixes
the tabs' width at once, OK writes exactly the TabBar keys, and the dialog remembers the
page shown in ODIndex. Run inside dbus-run-session and xvfb-run."""

import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {"/%s.html" % n: "<title>%s</title><p>%s" % (n.upper(), n) for n in ("a", "b")}


def ini_values(path):
    """{(section, key): value} of an INI file in Shift-JIS."""
    values, section = {}, ""
    for line in read_file(path).decode("cp932", errors="replace").splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1]
        elif "=" in line:
            key, value = line.split("=", 1)
            values[(section, key.strip())] = value.strip()
    return values


def tab_box(index):
    tabs = tab_list()
    child = tabs.get_child_at_index(index) if tabs else None
    return child.get_extents(Atspi.CoordType.SCREEN) if child else None


def open_options():
    tools = wait_for(lambda: named(["MENU"], "ツール(T)"))
    Atspi.Action.do_action(tools, 0)
    item = wait_for(lambda: named(["MENU_ITEM"], "オプション(P)..."))
    check(item is not None, "the tools menu has オプション(P)...")
    Atspi.Action.do_action(item, 0)
    return wait_for(lambda: named(["DIALOG"], "オプション"))


def main():
    server, base = serve(PAGES)
    work, env, data = scratch("fern-options-")
    fern = start(FERN, data, env, base + "/a.html", base + "/b.html")
    try:
        check(wait_for(lambda: tab_texts() == ["A", "B"]), "two pages open: %r" % tab_texts())
        above = tab_box(0)
        check(above is not None and above.y < 150, "the tab bar starts above the pages: %r" % (above.y if above else None))
        before = ini_values(data + "/fern.ini")

        dialog = open_options()
        check(dialog is not None, "the options dialog opens")
        tree = find(dialog, lambda a: a.get_name() == "ページ" and a.get_role() in (Atspi.Role.TREE_TABLE, Atspi.Role.TABLE))
        rows = Atspi.Table.get_n_rows(tree) if tree else 0
        labels = [Atspi.Table.get_accessible_at(tree, r, 0).get_name() for r in range(rows)]
        check(labels[:2] == ["タブ/タブ バー", "表示"], "the page tree: %r" % labels)
        Atspi.Table.add_row_selection(tree, labels.index("表示") if "表示" in labels else 1)
        below = wait_for(lambda: named(["CHECK_BOX"], "タブバーを下に表示(B)", dialog))
        fixed = named(["CHECK_BOX"], "タブの横幅を指定(W)", dialog)
        check(below is not None and fixed is not None and not checked(below), "the look page shows its switches")
        Atspi.Action.do_action(below, 0)
        if not checked(fixed):
            Atspi.Action.do_action(fixed, 0)
        width = wait_for(lambda: named(["SPIN_BUTTON"], "横幅(I)", dialog))
        Atspi.Value.set_current_value(width, 150)
        time.sleep(0.3)
        screenshot(env, OUT_DIR, "gui-options-tabs.png")
        Atspi.Action.do_action(named(["PUSH_BUTTON"], "OK", dialog), 0)
        check(wait_for(lambda: named(["DIALOG"], "オプション") is None, 5), "OK closes the dialog")

        box = wait_for(lambda: (lambda b: b if b and b.y > 400 else None)(tab_box(0)), 5)
        check(box is not None, "the tab bar moved below the pages without a restart: %r" % (box.y if box else None))
        check(box is not None and box.width == 150, "the tabs are 150 pixels wide: %r" % (box.width if box else None))
        screenshot(env, OUT_DIR, "gui-options-applied.png")

        after = ini_values(data + "/fern.ini")
        changed = sorted({k for k in set(before) | set(after) if before.get(k) != after.get(k)})
        check(all(section in ("TabBar", "OptionDlg") for section, _ in changed) and ("TabBar", "TabStyle") in changed,
              "OK wrote the TabBar keys and nothing else: %r" % changed)
        check(after.get(("TabBar", "TabStyle")) == str(0x240 | 0x80 | 0x10000),
              "TabStyle holds the two bits: %r" % after.get(("TabBar", "TabStyle")))
        check(after.get(("TabBar", "TabFixBtnSize")) == "150", "TabFixBtnSize: %r" % after.get(("TabBar", "TabFixBtnSize")))
        check(after.get(("OptionDlg", "ODIndex")) == "6", "ODIndex names the look page: %r" % after.get(("OptionDlg", "ODIndex")))

        dialog = open_options()
        check(dialog is not None and wait_for(lambda: named(["CHECK_BOX"], "タブバーを下に表示(B)", dialog)) is not None,
              "the dialog opens again on the page shown last")
        Atspi.Action.do_action(named(["PUSH_BUTTON"], "キャンセル", dialog), 0)
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
