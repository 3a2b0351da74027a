#!/usr/bin/python3
"""Bookmarks in the real browser under Xvfb: the "ブックマーク(B)" menu shows the tree read
from bookmark.fbl (names as written, folders filled when their parent opens), a bookmark
opens its page, "追加" adds the page, an edit in its property sheet shows in the menu and in
bookmark.fbl, and with the
auto-save switch (33077) on the file is written while the browser runs. Run inside
dbus-run-session and xvfb-run."""

import os
import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {"/a.html": "<title>Page A</title><p>a", "/b.html": "<title>Page B</title><p>b",
         "/c.html": "<title>Page C</title><p>c", "/d.html": "<title>Page D</title><p>d"}

HEADER = "#INFO\n\tENCODE=SHIFT_JIS\n\tVERSION=1\n\n"


def bookmark_file(base):
    url = lambda name, link, style=112, mode=1: (
        "#URL\n\tNAME=%s\n\tURL=%s\n\tDESC=\n\tSTYLE=%d\n\tEXSTYLE=%d\n\tCREATED=0\n\n" % (name, link, style, mode))
    text = (HEADER + "#FOLDER\n\tNAME=Fern Browser BookMark\n\tCREATED=0\n\n"
            + url("A&B_C ソフト", base + "/b.html") + "#SEP\n\n"
            + "#FOLDER\n\tNAME=フォルダ\n\tDESC=\n\tCREATED=0\n\n" + url("内側", base + "/a.html") + "-\n\n"
            + "#FOLDER\n\tNAME=リンク\n\tDESC=\n\tCREATED=0\n\n" + url("リンクC", base + "/c.html") + "-\n\n"
            # Images off (0x60), applied (security mode 0).
            + url("画像なし", base + "/d.html", 0x60, 0)
            + "-\n\n#FOLDER\n\tNAME=ゴミ箱\n\tCREATED=0\n\n-\n\n")
    return text.replace("\n", "\r\n")


def open_menu(name):
    top = wait_for(lambda: named(["MENU"], name))
    if top is not None:
        Atspi.Action.do_action(top, 0)
    return top


def close_menus(env):
    xdo(env, "key", "Escape", "Escape", "Escape")
    time.sleep(0.3)


def main():
    server, base = serve(PAGES)
    work, env, data = scratch("fern-bookmarks-")
    write_file(data + "/bookmark.fbl", bookmark_file(base))
    # The auto-save tick every minute.
    write_file(data + "/fern.ini", "[AutoSave]\r\nASStyle=1\r\nASInterval=1\r\n")
    fern = start(FERN, data, env, base + "/a.html")
    try:
        check(wait_for(lambda: tab_texts() == ["Page A"]), "the page opens: %r" % tab_texts())
        menu = open_menu("ブックマーク(B)")
        check(menu is not None, "the menu bar has ブックマーク(B)")
        check(wait_for(lambda: named(["MENU_ITEM"], "追加(A)")) is not None, "the menu starts with 追加(A)")
        check(named(["MENU_ITEM"], "すべて追加(C)") is not None, "and すべて追加(C)")
        check(named(["MENU_ITEM"], "A&B_C ソフト") is not None, "a name with & and _ shows as written")
        folder = named(["MENU"], "フォルダ")
        check(folder is not None, "a folder is a submenu")
        inner = wait_for(lambda: find(folder, lambda a: a.get_role() == Atspi.Role.MENU_ITEM and a.get_name() == "内側"),
                         5)
        check(inner is not None, "its bookmarks are there before it opens")
        screenshot(env, OUT_DIR, "gui-bookmark-menu.png")
        item = named(["MENU_ITEM"], "A&B_C ソフト")
        if item is not None:
            Atspi.Action.do_action(item, 0)
        check(wait_for(lambda: tab_texts() == ["Page B"]), "the bookmark opens in the tab: %r" % tab_texts())

        # A bookmark with images off opens its page with images off.
        open_menu("ブックマーク(B)")
        item = wait_for(lambda: named(["MENU_ITEM"], "画像なし"))
        if item is not None:
            Atspi.Action.do_action(item, 0)
        check(wait_for(lambda: tab_texts() == ["Page D"]), "the images-off bookmark opens: %r" % tab_texts())
        open_menu("ツール(T)")
        open_menu("マルチメディア(M)")
        images = wait_for(lambda: named(["CHECK_MENU_ITEM"], "画像のダウンロード(I)"))
        check(images is not None and not checked(images), "the tab it opened has images off")
        close_menus(env)

        # The link bar shows the "リンク" folder as push buttons.
        bar = wait_for(lambda: named(["TOOL_BAR"], "リンク"))
        button = find(bar, lambda a: a.get_role() == Atspi.Role.PUSH_BUTTON and a.get_name() == "リンクC")
        check(button is not None, "the link bar has a push button for its bookmark")
        if button is not None:
            Atspi.Action.do_action(button, 0)
        check(wait_for(lambda: tab_texts() == ["Page C"]), "its click opens the page in the tab: %r" % tab_texts())
        # Dragged onto the tab bar beside the tabs it opens a new tab.
        box = button.get_extents(Atspi.CoordType.SCREEN) if button is not None else None
        tabs = tab_list()
        bar_box = tabs.get_extents(Atspi.CoordType.SCREEN) if tabs is not None else None
        if box is not None and bar_box is not None:
            x, y = box.x + box.width // 2, box.y + box.height // 2
            tx, ty = bar_box.x + bar_box.width - 40, bar_box.y + bar_box.height // 2
            xdo(env, "mousemove", str(x), str(y), "mousedown", "1")
            for step in range(1, 11):
                xdo(env, "mousemove", str(x + (tx - x) * step // 10), str(y + (ty - y) * step // 10))
                time.sleep(0.05)
            xdo(env, "mouseup", "1")
        check(wait_for(lambda: tab_texts() == ["Page C", "Page C"], 10),
              "a bookmark dragged from the link bar onto the tab bar opens a tab: %r" % tab_texts())
        screenshot(env, OUT_DIR, "gui-bookmark-linkbar.png")
        tabs = tab_list()
        if tabs is not None and tabs.get_child_count() > 1:
            Atspi.Action.do_action(tabs.get_child_at_index(0), 0)
            time.sleep(0.3)

        # The auto-save switch under ファイル > 自動保存.
        open_menu("ファイル(F)")
        open_menu("自動保存(A)")
        switch = wait_for(lambda: named(["CHECK_MENU_ITEM"], "ブックマーク"))
        check(switch is not None and not checked(switch), "自動保存 > ブックマーク is there, off")
        if switch is not None:
            Atspi.Action.do_action(switch, 0)
        time.sleep(0.3)
        check(b"BKStyle=118" in read_file(data + "/fern.ini"), "the switch is saved at once")

        open_menu("ブックマーク(B)")
        add = wait_for(lambda: named(["MENU_ITEM"], "追加(A)"))
        if add is not None:
            Atspi.Action.do_action(add, 0)
        sheet = wait_for(lambda: named(["DIALOG"], "ブックマークのプロパティ"), 5)
        check(sheet is not None, "追加 opens the property sheet")
        if sheet is not None:
            title = find(sheet, lambda a: a.get_role() in (Atspi.Role.TEXT, Atspi.Role.ENTRY) and a.get_name() == "Title")
            check(title is not None and Atspi.Text.get_text(title, 0, -1) == "Page C",
                  "the sheet shows the page's title")
            if title is not None:
                Atspi.EditableText.set_text_contents(title, "編集\tした名前")
            screenshot(env, OUT_DIR, "gui-bookmark-sheet.png")
            Atspi.Action.do_action(named(["PUSH_BUTTON"], "OK", sheet), 0)
        open_menu("ブックマーク(B)")
        check(wait_for(lambda: named(["MENU_ITEM"], "編集した名前"), 5) is not None,
              "the edited name is in the menu, without the TAB")
        close_menus(env)
        wait_for(lambda: "NAME=編集した名前".encode("cp932") in read_file(data + "/bookmark.fbl"), 75)
        saved = read_file(data + "/bookmark.fbl")
        check("NAME=編集した名前".encode("cp932") in saved, "the auto-save tick wrote the edited bookmark while running")

        # The options page takes effect without a restart.
        open_menu("ツール(T)")
        Atspi.Action.do_action(wait_for(lambda: named(["MENU_ITEM"], "オプション(P)...")), 0)
        dialog = wait_for(lambda: named(["DIALOG"], "オプション"))
        tree = find(dialog, lambda a: a.get_name() == "ページ" and a.get_role() in (Atspi.Role.TREE_TABLE, Atspi.Role.TABLE))
        rows = Atspi.Table.get_n_rows(tree) if tree else 0
        labels = [Atspi.Table.get_accessible_at(tree, r, 0).get_name() for r in range(rows)]
        check("ブックマーク" in labels and "リンク バー" in labels, "the options have both pages: %r" % labels)
        if "ブックマーク" in labels:
            Atspi.Table.add_row_selection(tree, labels.index("ブックマーク"))
        add_here = wait_for(lambda: named(["CHECK_BOX"], "メニューに「ここに追加」を追加(A)", dialog))
        # BKStyle 114 has it on.
        check(add_here is not None and checked(add_here), "the bookmark page shows its switches")
        if add_here is not None:
            Atspi.Action.do_action(add_here, 0)
        screenshot(env, OUT_DIR, "gui-bookmark-options.png")
        Atspi.Action.do_action(named(["PUSH_BUTTON"], "OK", dialog), 0)
        wait_for(lambda: named(["DIALOG"], "オプション") is None, 5)
        open_menu("ブックマーク(B)")
        folder = wait_for(lambda: named(["MENU"], "フォルダ"))
        first = folder.get_child_at_index(0) if folder is not None else None
        check(first is not None and first.get_name() == "フォルダのURLを開く(O)",
              "ここに追加(A) left the folder submenus: %r" % (first.get_name() if first else None))
        close_menus(env)
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    saved = read_file(data + "/bookmark.fbl").decode("cp932")
    check("NAME=A&B_C ソフト" in saved and "NAME=内側" in saved and "NAME=リンクC" in saved,
          "nothing of the file was lost")
    check(saved.count("NAME=編集した名前") == 1, "the edited bookmark is in bookmark.fbl at exit")
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
