#!/usr/bin/python3
"""The side bar in the real browser: the View menu's switches show and hide it, its
strip of four panel tabs switches the panel shown, and at the end its panel, its
visibility and its sizes are kept (fern.ini, wnds.ini) and shown again at the next
start. Run inside dbus-run-session and xvfb-run."""

import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]
TITLES = ["ブックマーク", "履歴", "履歴検索", "Web検索"]
PANEL_SWITCHES = ["ブックマーク バー", "履歴 バー", "履歴検索 バー", "Web検索 バー"]


def strip():
    """The side bar's strip of panel tabs."""
    return named(["PAGE_TAB_LIST"], "ファーン バー")


def showing(acc):
    return acc is not None and acc.get_state_set().contains(Atspi.StateType.SHOWING)


def selected_panel():
    tabs = strip()
    if tabs is None:
        return None
    for i in range(tabs.get_child_count()):
        tab = tabs.get_child_at_index(i)
        if tab.get_state_set().contains(Atspi.StateType.SELECTED):
            return tab.get_name()
    return None


def view_item(name):
    """The View menu's item `name`, after opening the menu (its checks are set then)."""
    view = wait_for(lambda: named(["MENU"], "表示(V)"), 10)
    Atspi.Action.do_action(view, 0)
    time.sleep(0.3)
    return wait_for(lambda: named(["CHECK_MENU_ITEM", "MENU_ITEM"], name), 10)


def close_menus(env):
    xdo(env, "key", "Escape")
    time.sleep(0.2)
    xdo(env, "key", "Escape")
    time.sleep(0.2)


def switch(env, name):
    item = view_item(name)
    check(item is not None, "the View menu has \"%s\"" % name)
    if item is not None:
        Atspi.Action.do_action(item, 0)
    time.sleep(0.5)


def main():
    work, env, data = scratch("fern-sidebar-")
    fern = start(FERN, data, env, "about:blank")
    try:
        check(wait_for(lambda: tab_texts() is not None), "the browser is up")
        check(not showing(strip()), "the side bar starts hidden")
        switch(env, "ファーン バー")
        check(wait_for(lambda: showing(strip())), "\"ファーン バー\" shows it")
        tabs = strip()
        names = [tabs.get_child_at_index(i).get_name() for i in range(tabs.get_child_count())] if tabs else []
        check(names == TITLES, "its four panel tabs in order: %r" % names)
        check(selected_panel() == "ブックマーク", "the first panel shows at first: %r" % selected_panel())

        web = tabs.get_child_at_index(3) if tabs else None
        if web is not None:
            Atspi.Action.do_action(web, 0)
        check(wait_for(lambda: selected_panel() == "Web検索"), "a click on its tab shows \"Web検索\"")
        item = view_item("Web検索 バー")
        check(item is not None and checked(item), "\"Web検索 バー\" is checked while its panel shows")
        other = named(["CHECK_MENU_ITEM"], "履歴 バー")
        check(other is not None and not checked(other), "\"履歴 バー\" is not")
        close_menus(env)

        switch(env, "履歴 バー")
        check(wait_for(lambda: selected_panel() == "履歴"), "\"履歴 バー\" switches to its panel")
        check(showing(strip()), "and the bar stays")
        screenshot(env, OUT_DIR, "gui-sidebar.png")
        switch(env, "履歴 バー")
        check(wait_for(lambda: not showing(strip())), "\"履歴 バー\" again, its panel showing, hides the bar")
        switch(env, "履歴検索 バー")
        check(wait_for(lambda: showing(strip()) and selected_panel() == "履歴検索"),
              "\"履歴検索 バー\" shows the bar with its panel")
    finally:
        code = stop(fern)
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    profile, windows = ini_values(data + "/fern.ini"), ini_values(data + "/wnds.ini")
    check(profile.get(("FernBar", "FBIndex")) == "2", "the panel shown is kept: %r" % profile.get(("FernBar", "FBIndex")))
    check(windows.get(("CtrlBar-ID32933", "Visible")) == "1", "and that the bar showed")
    sizes = windows.get(("CtrlBar-ID32933", "DefaultSize"), "")
    check(len(sizes.split(",")) == 6, "and its sizes: %r" % sizes)

    fern = start(FERN, data, env, "about:blank")
    try:
        check(wait_for(lambda: showing(strip()) and selected_panel() == "履歴検索"),
              "the next start shows the bar with that panel: %r" % selected_panel())
    finally:
        stop(fern)
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
