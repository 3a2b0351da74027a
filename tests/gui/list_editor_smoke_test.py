#!/usr/bin/python3
"""The list editor of the real browser under Xvfb: "リスト エディタ(L)..." of the ツール menu
opens "Fern Browser [ List Editor ]"; "追加(A)" adds a row that is typed into; "上書き保存(S)"
with no file yet asks for one with the save chooser, and the file then holds the row; closing
with unsaved rows asks first; the window's place is kept in wnds.ini (ListEditDlg,
LEDWndPlac). Run inside dbus-run-session and xvfb-run."""

import os
import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)

FERN, OUT_DIR = sys.argv[1], sys.argv[2]
CAPTION = "Fern Browser [ List Editor ]"
URLS = ["http://127.0.0.1:9/list-editor-row", "http://127.0.0.1:9/second-row"]


def editor():
    return (showing_windows(["FRAME"], CAPTION) or [None])[0]


def editor_menu(window, *path):
    """Opens the editor's own menus along `path` (the main window has an 編集(E) too)."""
    for name in path:
        item = wait_for(lambda: named(["MENU_ITEM", "MENU"], name, window), 10)
        if item is None:
            return False
        Atspi.Action.do_action(item, 0)
        time.sleep(0.3)
    return True


def rows(window):
    table = find(window, lambda a: a.get_name() == "URL" and a.get_role() in (Atspi.Role.TABLE, Atspi.Role.TREE_TABLE))
    if table is None:
        return None
    return [Atspi.Table.get_accessible_at(table, r, 0).get_name() for r in range(Atspi.Table.get_n_rows(table))]


def type_row(text):
    """Types `text` into "URLの追加" and accepts it."""
    dialog = wait_for(lambda: (showing_windows(["DIALOG"], "URLの追加") or [None])[0], 10)
    entry = dialog and find(dialog, lambda a: a.get_role() == Atspi.Role.TEXT)
    if not entry:
        return False
    Atspi.EditableText.set_text_contents(entry, text)
    return press(dialog, "OK") and bool(wait_for(lambda: not showing_windows(["DIALOG"], "URLの追加"), 10))


def save_as(path):
    """Gives the save chooser the whole path and accepts it."""
    def choosers():
        return showing_windows(["FILE_CHOOSER", "DIALOG"], "名前を付けて保存")
    chooser = wait_for(lambda: (choosers() or [None])[0], 10)
    if chooser is None:
        return False
    name = wait_for(lambda: find(chooser, lambda a: a.get_role() == Atspi.Role.TEXT and
                                 a.get_state_set().contains(Atspi.StateType.EDITABLE)), 10)
    proposed = Atspi.Text.get_text(name, 0, -1) if name else ""
    check(proposed.endswith(".fbl") and "(" in proposed, "the chooser proposes a time-stamp name: %r" % proposed)
    Atspi.EditableText.set_text_contents(name, path)
    time.sleep(0.3)
    return press(chooser, "保存(S)") and bool(wait_for(lambda: not choosers(), 10))


def main():
    server, base = serve({"/a.html": "<title>A</title><p>a"})
    work, env, data = scratch("fern-listedit-")
    fern = start(FERN, data, env, base + "/a.html")
    saved = os.path.join(work, "saved.fbl")
    try:
        check(wait_for(lambda: tab_texts() == ["A"]), "the page is open: %r" % tab_texts())
        check(choose_menu("ツール(T)", "リスト エディタ(L)..."), "the tools menu has リスト エディタ(L)...")
        window = wait_for(editor, 10)
        check(window is not None, "the list editor opens as its own window")
        if window is None:
            return 1
        check(rows(window) == [], "a new list has no rows: %r" % rows(window))

        check(editor_menu(window, "編集(E)", "追加(A)"), "編集(E) holds 追加(A)")
        check(type_row(URLS[0]), "追加 asks for the address")
        check(wait_for(lambda: rows(window) == URLS[:1], 5), "the row holds the address: %r" % rows(window))
        time.sleep(0.3)
        screenshot(env, OUT_DIR, "gui-list-editor.png")

        check(editor_menu(window, "ファイル(F)", "上書き保存(S)"), "ファイル(F) holds 上書き保存(S)")
        check(save_as(saved), "with no file yet, 上書き保存 asks for one")
        text = wait_for(lambda: read_file(saved), 10).decode("cp932", errors="replace")
        check("\tURL=%s\r\n" % URLS[0] in text and text.startswith("#INFO"),
              "the file has the row: %r" % text[:200])

        # An unsaved row: closing asks, and キャンセル keeps the editor open.
        check(editor_menu(window, "編集(E)", "追加(A)") and type_row(URLS[1]), "a second row is added")
        check(wait_for(lambda: rows(window) == URLS, 5), "both rows show: %r" % rows(window))
        press(window, "キャンセル")
        question = wait_for(lambda: message_window(lambda w: any("変更されています" in t for t in labels(w))), 10)
        check(question is not None, "closing with unsaved rows asks first")
        if question is not None:
            press(question, "キャンセル")
        time.sleep(0.5)
        check(editor() is not None, "キャンセル keeps the editor open")

        # Saved now to its file (no question), then OK closes it.
        check(editor_menu(window, "ファイル(F)", "上書き保存(S)"), "上書き保存 again")
        check(wait_for(lambda: URLS[1] in read_file(saved).decode("cp932", errors="replace"), 10),
              "the file has both rows")
        press(window, "OK")
        check(wait_for(lambda: editor() is None, 10), "OK closes the editor")
        place = wait_for(lambda: ini_values(data + "/wnds.ini").get(("ListEditDlg", "LEDWndPlac")), 10)
        check(place is not None and len(place.split(",")) == 10, "wnds.ini keeps the place: %r" % place)
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
