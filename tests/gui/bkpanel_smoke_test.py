#!/usr/bin/python3
"""The bookmark panel in the side bar of the real browser under Xvfb: the tree is a tree
table named "ブックマーク" whose rows are named after the bookmarks; a bookmark cut and
pasted into another folder (keys Ctrl+X, Ctrl+V), undone (Ctrl+Z) and redone (Ctrl+Y), each
step checked in bookmark.fbl saved with the panel's "上書き保存(A)"; Delete moves it into
the trash and "ゴミ箱を空にする(E)" removes it for good; "変換(V)" > "ブラウザから取り込み(W)..."
brings a Chrome profile's bookmarks into the selected folder. Run inside dbus-run-session and
xvfb-run."""

import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

HEADER = "#INFO\n\tENCODE=SHIFT_JIS\n\tVERSION=1\n\n"


def bookmark_file():
    url = lambda name, link: "#URL\n\tNAME=%s\n\tURL=%s\n\tCREATED=0\n\n" % (name, link)
    text = (HEADER + "#FOLDER\n\tNAME=Fern Browser BookMark\n\tCREATED=0\n\n"
            + "#FOLDER\n\tNAME=フォルダA\n\tCREATED=0\n\n" + url("中のページ", "http://127.0.0.1:9/in") + "-\n\n"
            + "#FOLDER\n\tNAME=フォルダB\n\tCREATED=0\n\n-\n\n"
            + url("移すページ", "http://127.0.0.1:9/move")
            + "-\n\n#FOLDER\n\tNAME=ゴミ箱\n\tCREATED=0\n\n-\n\n")
    return text.replace("\n", "\r\n")


def outline(data):
    """The saved file as (depth, name) pairs, the root and the trash at depth 0."""
    rows, depth = [], -1
    for line in read_file(data + "/bookmark.fbl").decode("cp932").splitlines():
        if line in ("#FOLDER", "#URL"):
            kind = line
        elif line.startswith("\tNAME="):
            rows.append((depth + 1, line[6:]))
            if kind == "#FOLDER":
                depth += 1
        elif line == "-":
            depth -= 1
    return rows


def tree():
    return named(["TREE_TABLE"], "ブックマーク")


def select_row(table, name):
    """Selects only the row called `name` through the table's own interfaces."""
    cell = wait_for(lambda: named(["TABLE_CELL"], name, table), 10)
    if cell is None:
        return False
    while cell.get_parent() is not None and cell.get_parent() != table:
        cell = cell.get_parent()
    row = Atspi.Table.get_row_at_index(table, cell.get_index_in_parent())
    Atspi.Selection.clear_selection(table)
    Atspi.Table.add_row_selection(table, row)
    Atspi.Component.grab_focus(table)
    return bool(wait_for(lambda: Atspi.Table.is_row_selected(table, row), 5))


def showing(acc):
    try:
        return acc.get_state_set().contains(Atspi.StateType.SHOWING)
    except Exception:
        return False


def keys(env, *names):
    """Keys to the panel's tree, which is given the focus first."""
    table = tree()
    if table is not None:
        Atspi.Component.grab_focus(table)
    for name in names:
        xdo(env, "key", name)
        time.sleep(0.2)


def panel_command(env, name):
    """Opens the panel's menu with the Menu key and runs its item `name`; waits until the
    menu has gone, so the next keys reach the tree."""
    keys(env, "Menu")
    item = wait_for(lambda: (lambda i: i if i is not None and showing(i) else None)(named(["MENU_ITEM"], name)), 10)
    if item is None:
        xdo(env, "key", "Escape")
        return False
    Atspi.Action.do_action(item, 0)
    if not wait_for(lambda: not showing(item), 5):
        xdo(env, "key", "Escape")
    time.sleep(0.3)
    return True


def showing_named(role, name):
    """The showing accessible of `role` called `name`: the main menu has items of the same
    names, not showing."""
    wanted = getattr(Atspi.Role, role)
    found = find_all(fern_app(), lambda a: a.get_role() == wanted and a.get_name() == name)
    return next((a for a in found if showing(a)), None)


def panel_submenu_command(env, submenu, name):
    """Like panel_command for an item of one of the menu's submenus."""
    keys(env, "Menu")
    sub = wait_for(lambda: showing_named("MENU", submenu), 10)
    if sub is None:
        xdo(env, "key", "Escape")
        return False
    Atspi.Action.do_action(sub, 0)
    item = wait_for(lambda: showing_named("MENU_ITEM", name), 10)
    if item is None:
        xdo(env, "key", "Escape", "Escape")
        return False
    Atspi.Action.do_action(item, 0)
    return True


def saved_after(env, data, what, wanted):
    """Saves with the panel's menu; the file's outline once `wanted` holds for it (the
    item runs after the menu has gone), or as it is after 10 s."""
    check(panel_command(env, "上書き保存(A)"), "the panel's menu has 上書き保存(A) (%s)" % what)
    wait_for(lambda: wanted(outline(data)), 10)
    return outline(data)


def main():
    work, env, data = scratch("fern-bkpanel-")
    write_file(data + "/bookmark.fbl", bookmark_file())
    # The side bar shows its bookmark panel at start.
    write_file(data + "/wnds.ini", "[CtrlBar-ID32933]\r\nVisible=1\r\n")
    write_file(data + "/fern.ini", "[FernBar]\r\nFBIndex=0\r\n")
    make_chrome_profile(env["HOME"])
    fern = start(FERN, data, env, "about:blank")
    try:
        table = wait_for(tree, 30)
        check(table is not None, "the side bar shows the tree table ブックマーク")
        if table is None:
            return finish(work)
        for name in ("Fern Browser BookMark", "フォルダA", "フォルダB", "移すページ", "ゴミ箱"):
            check(named(["TABLE_CELL"], name, table) is not None, "a row is named %s" % name)
        # The keyboard follows the pointer: it rests over the panel.
        x, y = Atspi.Component.get_position(table, Atspi.CoordType.SCREEN).x, \
            Atspi.Component.get_position(table, Atspi.CoordType.SCREEN).y
        xdo(env, "mousemove", str(x + 60), str(y + 200))
        start_rows = outline(data)
        moved = [r for r in start_rows if r != (1, "移すページ")]
        moved.insert(moved.index((1, "フォルダB")) + 1, (2, "移すページ"))

        check(select_row(table, "移すページ"), "the bookmark's row can be selected")
        keys(env, "ctrl+x")
        check(wait_for(lambda: named(["TABLE_CELL"], "移すページ", table) is None, 10), "Ctrl+X takes the row away")
        check(select_row(table, "フォルダB"), "the folder's row can be selected")
        keys(env, "ctrl+v")
        check(wait_for(lambda: named(["TABLE_CELL"], "移すページ", table) is not None, 10), "Ctrl+V brings it back")
        rows = saved_after(env, data, "pasted", lambda r: r == moved)
        check(rows == moved, "cut and pasted into フォルダB: %r (wanted %r)" % (rows, moved))

        keys(env, "ctrl+z", "ctrl+z")
        check(saved_after(env, data, "undone", lambda r: r == start_rows) == start_rows, "two undos put it back: %r" % outline(data))
        keys(env, "ctrl+y", "ctrl+y")
        check(saved_after(env, data, "redone", lambda r: r == moved) == moved, "two redos move it again: %r" % outline(data))

        check(select_row(table, "移すページ"), "the moved bookmark's row can be selected")
        keys(env, "Delete")
        in_trash = lambda r: r[-1] == (1, "移すページ") and r[-2] == (0, "ゴミ箱")
        rows = saved_after(env, data, "deleted", in_trash)
        check(in_trash(rows), "Delete moved it into the trash: %r" % rows)
        screenshot(env, OUT_DIR, "bkpanel.png")

        check(select_row(table, "ゴミ箱"), "the trash's row can be selected")
        check(panel_command(env, "ゴミ箱を空にする(E)"), "the menu has ゴミ箱を空にする(E)")
        emptied = lambda r: r[-1] == (0, "ゴミ箱") and "移すページ" not in [n for _, n in r]
        rows = saved_after(env, data, "emptied", emptied)
        check(emptied(rows),
              "the emptied trash is saved without it: %r" % rows)

        check(select_row(table, "フォルダA"), "the folder's row can be selected for the import")
        check(panel_submenu_command(env, "変換(V)", "ブラウザから取り込み(W)..."),
              "the panel's 変換(V) has ブラウザから取り込み(W)...")
        dialog = wait_for(lambda: (showing_windows(["DIALOG"], "ブラウザから取り込み") or [None])[0], 10)
        check(dialog is not None, "the profile chooser opens from the panel")
        if dialog is not None:
            press(dialog, "取り込む(I)")
            imported = lambda r: r[r.index((1, "フォルダA")) + 1:r.index((1, "フォルダA")) + 5] == [
                (2, "中のページ"), (2, "ブックマーク ツールバー"), (3, "C"), (1, "フォルダB")]
            rows = saved_after(env, data, "imported", imported)
            check(imported(rows), "the profile's bookmarks are in フォルダA: %r" % rows)
    finally:
        stop(fern)
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
