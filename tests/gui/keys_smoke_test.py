#!/usr/bin/python3
"""User keys in the real browser under Xvfb: every command of the catalogue has its
handler, the menus show the keys, a key added in "キー設定" runs its command (one that no
menu shows) after OK and is in keys.ini at exit, and after a restart the shipped default
keys still work beside it. Run inside dbus-run-session and xvfb-run."""

import os
import subprocess
import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {"/%s.html" % n: "<title>%s</title><p>%s" % (n.upper(), n) for n in ("a", "b", "c")}


def selected_tab():
    tabs = tab_list()
    if tabs is None:
        return None
    for i in range(tabs.get_child_count()):
        child = tabs.get_child_at_index(i)
        if child is not None and child.get_state_set().contains(Atspi.StateType.SELECTED):
            return child.get_name()
    return None


def press_in_window(env, keys):
    """Keys to the main window: no window manager runs, so the keyboard follows the pointer."""
    xdo(env, "mousemove", "500", "400", "key", "--clearmodifiers", keys)


def open_menu_item(menu, item):
    top = wait_for(lambda: named(["MENU"], menu))
    Atspi.Action.do_action(top, 0)
    entry = wait_for(lambda: named(["MENU_ITEM", "CHECK_MENU_ITEM"], item))
    if entry is not None:
        Atspi.Action.do_action(entry, 0)
    return entry


def add_key(env, category, command, keys):
    """In the key dialog: choose the category and the command, press `keys` in the capture
    field, 追加, then OK. Returns the status line's text after 追加."""
    dialog = wait_for(lambda: named(["DIALOG"], "キー設定"))
    check(dialog is not None, "33073 opens the key dialog")
    if dialog is None:
        return ""
    combo = find(dialog, lambda a: a.get_role() == Atspi.Role.COMBO_BOX)
    Atspi.Selection.select_child(combo, category)
    time.sleep(0.3)
    commands = find(dialog, lambda a: a.get_role() == Atspi.Role.TABLE and a.get_name() == "コマンド")
    rows = Atspi.Table.get_n_rows(commands)
    names = [Atspi.Table.get_accessible_at(commands, r, 0).get_name() for r in range(rows)]
    check(command in names, "the category lists %s: %r" % (command, names))
    if command in names:
        Atspi.Table.add_row_selection(commands, names.index(command))
    capture = find(dialog, lambda a: a.get_name() == "新しいキー" and a.get_role() in (Atspi.Role.TEXT, Atspi.Role.ENTRY))
    box = capture.get_extents(Atspi.CoordType.SCREEN)
    xdo(env, "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1")
    time.sleep(0.2)
    xdo(env, "key", "--clearmodifiers", keys)
    time.sleep(0.3)
    Atspi.Action.do_action(named(["PUSH_BUTTON"], "追加", dialog), 0)
    time.sleep(0.3)
    status = find(dialog, lambda a: a.get_role() == Atspi.Role.LABEL and a.get_name().endswith("で使用中"))
    said = status.get_name() if status else ""
    Atspi.Action.do_action(named(["PUSH_BUTTON"], "OK", dialog), 0)
    wait_for(lambda: named(["DIALOG"], "キー設定") is None, 5)
    return said


def main():
    server, base = serve(PAGES)
    work, env, data = scratch("fern-keys-")
    err_path = os.path.join(work, "stderr.txt")

    with open(err_path, "wb") as err:
        fern = subprocess.Popen([FERN, "--data-dir", data] + [base + "/%s.html" % n for n in "abc"],
                                env=env, stderr=err)
    try:
        check(wait_for(lambda: tab_texts() == ["A", "B", "C"]), "three pages open: %r" % tab_texts())
        time.sleep(0.5)
        unserved = [l for l in read_file(err_path).decode(errors="replace").splitlines() if "no handler" in l]
        check(unserved == [], "every command of the catalogue has a handler: %r" % unserved)

        top = wait_for(lambda: named(["MENU"], "ファイル(F)"))
        Atspi.Action.do_action(top, 0)
        new = wait_for(lambda: named(["MENU"], "新規作成(N)"))
        Atspi.Action.do_action(new, 0)
        item = wait_for(lambda: named(["MENU_ITEM"], "新規タブ(N)"))
        check(item is not None and item.get_description() == "Ctrl+T",
              "the menu shows the key of 新規タブ: %r" % (item.get_description() if item else None))
        xdo(env, "key", "Escape", "Escape", "Escape")
        time.sleep(0.3)

        # A key for "最後のタブ", which no menu shows (category 表示系 is the third).
        open_menu_item("ツール(T)", "キー設定(K)...")
        taken = add_key(env, 2, "最後のタブ", "ctrl+t")
        check(taken == "新規タブで使用中", "a key another command has is refused and named: %r" % taken)
        open_menu_item("ツール(T)", "キー設定(K)...")
        add_key(env, 2, "最後のタブ", "ctrl+shift+y")
        screenshot(env, OUT_DIR, "gui-keys-dialog.png")
        tabs = tab_list()
        Atspi.Action.do_action(tabs.get_child_at_index(0), 0)
        check(wait_for(lambda: selected_tab() == "A"), "the first tab is selected")
        press_in_window(env, "ctrl+shift+y")
        check(wait_for(lambda: selected_tab() == "C", 5), "the new key runs its command: %r" % selected_tab())
    finally:
        code = stop(fern)
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    keys = read_file(data + "/keys.ini")
    # Slot 130 holds 33114; Ctrl+Shift+Y is 0x59 with modifiers 0x0D, kind 2.
    check(b"[MainFrame]" in keys and b"ID0=130" in keys and b"Keys0=%d" % (0x59 | (0x0D << 16) | (2 << 24)) in keys,
          "keys.ini holds the user's key and only it: %r" % keys)

    fern = start(FERN, data, env, base + "/a.html")
    try:
        texts = wait_for(lambda: (lambda t: t if t and "A" in t else None)(tab_texts()), 40)
        check(texts is not None, "the browser starts again: %r" % texts)
        count = len(texts or [])
        press_in_window(env, "ctrl+t")
        check(wait_for(lambda: len(tab_texts() or []) == count + 1, 5),
              "after a user key and a restart the default Ctrl+T still opens a tab: %r" % tab_texts())
        tabs = tab_list()
        Atspi.Action.do_action(tabs.get_child_at_index(0), 0)
        time.sleep(0.3)
        press_in_window(env, "ctrl+shift+y")
        check(wait_for(lambda: selected_tab() == tab_texts()[-1], 5), "and the user's key works too")
    finally:
        stop(fern)
        server.shutdown()
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
