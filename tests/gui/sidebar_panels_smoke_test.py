#!/usr/bin/python3
"""The side bar's panels of ours in the real browser: three pages visited from
127.0.0.1 appear in "履歴" under today and their site; a word of the second page's
text finds it in "履歴検索" with キャッシュ内検索; "Web検索" sends Japanese words
with reserved characters, encoded, to a stand-in engine on 127.0.0.1 (search.ini), and
so does the main window's "Web検索ワード". Run
inside dbus-run-session and xvfb-run."""

import os
import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {
    "/one.html": "<title>一つ目</title><p>最初のページ",
    "/two.html": "<title>二つ目</title><p>二番目のページには合言葉があります",
    "/three.html": "<title>三つ目</title><p>三つ目のページ",
    # The stand-in engine's answer to the words the test searches.
    "/search?q=%E6%97%A5%E6%9C%AC%E8%AA%9E%20a%26b&lang=ja": "<title>検索結果</title><p>結果",
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


def expanded(tree, name):
    row = cell(tree, name)
    return row is not None and row.get_state_set().contains(Atspi.StateType.EXPANDED)


def expand(tree, name):
    row = wait_for(lambda: cell(tree, name))
    check(row is not None, "\"%s\" is in the tree: %r" % (name, cells(tree)))

    # The panel rebuilds its rows a moment after the history changes, which
    # can take the row acted on away: act again on the row as it is now.
    def opened():
        if expanded(tree, name):
            return True
        row = cell(tree, name)
        if row is not None:
            do_named_action(row, "expand or contract")
        time.sleep(0.3)
        return expanded(tree, name)

    if row is not None:
        check(wait_for(opened), "\"%s\" opens" % name)


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


def strip_tab(name):
    tabs = named(["PAGE_TAB_LIST"], "ファーン バー")
    return find(tabs, lambda a: a.get_role() == Atspi.Role.PAGE_TAB and a.get_name() == name) if tabs else None


def showing_named(role, name):
    return find(fern_app(), lambda a: a.get_role() == role and a.get_name() == name and
                a.get_state_set().contains(Atspi.StateType.SHOWING))


def in_tool_bar(acc):
    while acc is not None:
        if acc.get_role() == Atspi.Role.TOOL_BAR:
            return True
        acc = acc.get_parent()
    return False


def panel_button(name):
    buttons = find_all(fern_app(), lambda a: a.get_role() == Atspi.Role.PUSH_BUTTON and a.get_name() == name and
                       a.get_state_set().contains(Atspi.StateType.SHOWING))
    return next((b for b in buttons if not in_tool_bar(b)), None)


def history_search_panel():
    tab = wait_for(lambda: strip_tab("履歴検索"))
    if tab is not None:
        Atspi.Action.do_action(tab, 0)
    listing = wait_for(lambda: named(["TREE_TABLE", "TABLE"], "履歴検索"))
    check(listing is not None, "the \"履歴検索\" panel shows its list")
    if listing is None:
        return
    every = wait_for(lambda: all(t in cells(listing) for t in ("一つ目", "二つ目", "三つ目")) and cells(listing))
    check(every, "it lists today's pages: %r" % cells(listing))
    entry = wait_for(lambda: showing_named(Atspi.Role.TEXT, "検索する文字列"))
    search = wait_for(lambda: showing_named(Atspi.Role.PUSH_BUTTON, "検索"))
    check(entry is not None and search is not None, "with its words box and \"検索\"")
    if entry is None or search is None:
        return
    # Only the second page's text holds the word (キャッシュ内検索 is on in fern.ini).
    Atspi.EditableText.set_text_contents(entry, "合言葉")
    Atspi.Action.do_action(search, 0)
    found = wait_for(lambda: (lambda c: c if "二つ目" in c and "一つ目" not in c else None)(cells(listing)))
    check(found and "三つ目" not in found, "a word of the second page's text finds it alone: %r" % cells(listing))
    # The panel's own button: the tool bar has a "中止" of its own.
    stop_button = panel_button("中止")
    check(stop_button is not None and
          wait_for(lambda: not stop_button.get_state_set().contains(Atspi.StateType.SENSITIVE)),
          "\"中止\" is off once the search has ended")


def web_search_panel(seen):
    tab = wait_for(lambda: strip_tab("Web検索"))
    check(tab is not None, "the strip has \"Web検索\"")
    if tab is None:
        return
    Atspi.Action.do_action(tab, 0)
    engines = wait_for(lambda: named(["TREE_TABLE", "TABLE"], "サーチエンジン"))
    rows = [c.get_name() for c in find_all(engines, lambda a: a.get_role() == Atspi.Role.TABLE_CELL)] if engines else []
    check("ローカル" in rows and "予備" in rows, "the engines of search.ini are listed: %r" % rows)
    entry = wait_for(lambda: find(fern_app(), lambda a: a.get_role() == Atspi.Role.TEXT and
                                  a.get_name() == "検索する文字列" and
                                  a.get_state_set().contains(Atspi.StateType.SHOWING)))
    check(entry is not None, "the panel has its words box")
    if entry is None:
        return
    Atspi.EditableText.set_text_contents(entry, "日本語 a&b")
    panel_search = wait_for(lambda: find(fern_app(), lambda a: a.get_role() == Atspi.Role.PUSH_BUTTON and
                                         a.get_name() == "検索" and
                                         a.get_state_set().contains(Atspi.StateType.SHOWING)))
    if panel_search is not None:
        Atspi.Action.do_action(panel_search, 0)
    wanted = "/search?q=%E6%97%A5%E6%9C%AC%E8%AA%9E%20a%26b&lang=ja"
    check(wait_for(lambda: any(path == wanted for path, agent in seen)),
          "the checked engine gets the words encoded: %r" % [p for p, a in seen if p.startswith("/search")])
    check(not any(path.startswith("/spare") for path, agent in seen), "the unchecked engine gets nothing")
    check(wait_for(lambda: "検索結果" in (tab_texts() or [])), "in a new tab: %r" % tab_texts())


def words_dialog(seen):
    """The main window's "Web検索ワード": the words typed there go to the checked engine."""
    check(choose_menu("表示(V)", "Web検索ワード(Q)..."), "the View menu has \"Web検索ワード(Q)...\"")
    dialog = wait_for(lambda: named(["DIALOG"], "Web検索ワード"))
    check(dialog is not None, "it opens the dialog \"Web検索ワード\"")
    if dialog is None:
        return
    entry = find(dialog, lambda a: a.get_role() == Atspi.Role.TEXT and a.get_name() == "検索する文字列")
    only = named(["CHECK_BOX"], "サーチエンジンを指定(S)", dialog)
    check(entry is not None and only is not None and not checked(only),
          "with its words and \"サーチエンジンを指定(S)\" off")
    if entry is None:
        return
    Atspi.EditableText.set_text_contents(entry, "テスト")
    press(dialog, "OK")
    wanted = "/search?q=%E3%83%86%E3%82%B9%E3%83%88&lang=ja"
    check(wait_for(lambda: any(path == wanted for path, agent in seen)),
          "OK searches the words with the checked engine: %r" % [p for p, a in seen if p.startswith("/search")])


def main():
    seen = []
    server, base = serve(PAGES, seen=seen)
    work, env, data = scratch("fern-panels-")
    # The side bar shows "履歴" from the start.
    write_file(data + "/wnds.ini", "[CtrlBar-ID32933]\r\nVisible=1\r\n")
    write_file(data + "/fern.ini", "[FernBar]\r\nFBIndex=1\r\n[HistorySearch]\r\nHSHStyle=1030\r\n")
    write_file(data + "/search.ini", "[SearchItem0]\r\nEnable=1\r\nTitle=ローカル\r\nUrlF=%s/search?q=\r\n"
               "UrlB=&lang=ja\r\n[SearchItem1]\r\nEnable=0\r\nTitle=予備\r\nUrlF=%s/spare?q=\r\nUrlB=\r\n"
               % (base, base))
    fern = start(FERN, data, env, base + "/one.html")
    try:
        check(wait_for(lambda: tab_texts() == ["一つ目"]), "the first page loads: %r" % tab_texts())
        for page, count in (("/two.html", 2), ("/three.html", 3)):
            check(hand_off(FERN, data, env, base + page) == 0, "a later start hands over %s" % page)
            check(wait_for(lambda c=count: len(tab_texts() or []) == c), "%s opens: %r" % (page, tab_texts()))
        history_panel(base)
        history_search_panel()
        web_search_panel(seen)
        words_dialog(seen)
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    engines = read_file(data + "/search.ini")
    check(engines.startswith(b"[SearchItem0]\r\nEnable=1\r\nTitle=" + "ローカル".encode("cp932") + b"\r\n")
          and b"[SearchItem1]\r\nEnable=0\r\n" in engines, "search.ini is written back as it was: %r" % engines[:80])
    check("日本語 a&b".encode("cp932") in read_file(data + "/typed.fbl"), "the words are kept in typed.fbl")
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
