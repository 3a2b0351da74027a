#!/usr/bin/python3
"""Bookmarks in the real browser under Xvfb: the "ブックマーク(B)" menu shows the tree read
from bookmark.fbl (names as written, folders filled when their parent opens), a bookmark
opens its page, "追加" adds the page and it is in bookmark.fbl at exit, and with the
auto-save switch (33077) on the file is written while the browser runs. Run inside
dbus-run-session and xvfb-run."""

import os
import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {"/a.html": "<title>Page A</title><p>a", "/b.html": "<title>Page B</title><p>b"}

HEADER = "#INFO\n\tENCODE=SHIFT_JIS\n\tVERSION=1\n\n"


def bookmark_file(base):
    url = lambda name, link: ("#URL\n\tNAME=%s\n\tURL=%s\n\tDESC=\n\tSTYLE=112\n\tEXSTYLE=1\n\tCREATED=0\n\n"
                              % (name, link))
    text = (HEADER + "#FOLDER\n\tNAME=Fern Browser BookMark\n\tCREATED=0\n\n"
            + url("A&B_C ソフト", base + "/b.html") + "#SEP\n\n"
            + "#FOLDER\n\tNAME=フォルダ\n\tDESC=\n\tCREATED=0\n\n" + url("内側", base + "/a.html") + "-\n\n"
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
        inner = find(folder, lambda a: a.get_role() == Atspi.Role.MENU_ITEM and a.get_name() == "内側")
        check(inner is not None, "its bookmarks are there before it opens")
        screenshot(env, OUT_DIR, "gui-bookmark-menu.png")
        item = named(["MENU_ITEM"], "A&B_C ソフト")
        if item is not None:
            Atspi.Action.do_action(item, 0)
        check(wait_for(lambda: tab_texts() == ["Page B"]), "the bookmark opens in the tab: %r" % tab_texts())

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
        if sheet is not None:
            Atspi.Action.do_action(named(["PUSH_BUTTON"], "OK", sheet), 0)
        wait_for(lambda: b"NAME=Page B" in read_file(data + "/bookmark.fbl"), 75)
        saved = read_file(data + "/bookmark.fbl")
        check(saved.count(b"NAME=Page B") == 1, "the auto-save tick wrote the new bookmark while running")
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    saved = read_file(data + "/bookmark.fbl").decode("cp932")
    check("NAME=A&B_C ソフト" in saved and "NAME=内側" in saved, "nothing of the file was lost")
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
