#!/usr/bin/python3
"""The tool bar docked to a side of the real browser's window under Xvfb: from the bars'
menu it goes to the left of the pages, upright, its 戻る still goes back, and a restart
keeps it there; each other side in turn; back to a band, the dock layout leaves
wnds.ini and a restart finds the band again. Run inside dbus-run-session and xvfb-run."""

import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {
    "/a.html": "<title>Page A</title><p>A<script>if(!sessionStorage.v){sessionStorage.v=1;setTimeout(function(){location.href='/b.html'},300)}</script>",
    "/c.html": "<title>Page C</title><p>C",
    "/b.html": "<title>Page B</title><p>B",
}

POSITION_MENU = "ツール バーの位置(P)"


def tool_bar():
    app = fern_app()
    return find(app, lambda a: a.get_name() == "ツール バー" and a.get_role() == Atspi.Role.TOOL_BAR) if app else None


def button(name):
    bar = tool_bar()
    return find(bar, lambda a: a.get_name() == name and a.get_role() == Atspi.Role.PUSH_BUTTON) if bar else None


def box(name, roles):
    acc = find(fern_app(), lambda a: a.get_name() == name and a.get_role() in roles)
    return acc.get_extents(Atspi.CoordType.SCREEN) if acc is not None else None


def showing(acc):
    return acc is not None and acc.get_state_set().contains(Atspi.StateType.SHOWING)


def rect(r):
    return "(%d,%d %dx%d)" % (r.x, r.y, r.width, r.height)


def where():
    """The boxes of the tool bar, the pages, the address entry and the status bar, for a report."""
    found = boxes()
    return " ".join(rect(r) for r in found) if found else "(not all shown)"


def boxes():
    """The extents of the tool bar, the pages, the address entry and the status bar, or None."""
    bar = tool_bar()
    if not showing(bar):
        return None
    pages = box("ページ", (Atspi.Role.PANEL, Atspi.Role.FILLER))
    address = box("アドレス", (Atspi.Role.TEXT, Atspi.Role.ENTRY))
    status = box("ステータス バー", (Atspi.Role.STATUS_BAR, Atspi.Role.PANEL, Atspi.Role.FILLER))
    if pages is None or address is None or status is None:
        return None
    return bar.get_extents(Atspi.CoordType.SCREEN), pages, address, status


def placed(side):
    """True when the tool bar stands on `side` of the pages."""
    found = boxes()
    if found is None:
        return False
    b, p, a, s = found
    if side == "left":
        return b.x + b.width <= p.x and b.height > b.width and b.y + b.height > p.y
    if side == "right":
        return b.x >= p.x + p.width and b.height > b.width and b.y + b.height > p.y
    if side == "top":
        # Below the bands (the address bar), above the pages.
        return a.y + a.height <= b.y and b.y + b.height <= p.y and b.width > b.height
    if side == "bottom":
        return p.y + p.height <= b.y and b.y + b.height <= s.y and b.width > b.height
    # A band: in the band area above the address bar's row or on it.
    return b.y + b.height <= p.y and b.y < a.y + a.height and b.width > b.height


def position_item(name):
    """Opens 表示 > ツール バー > ツール バーの位置 and gives its item `name`."""
    if not choose_menu("表示(V)", "ツール バー(T)", POSITION_MENU):
        return None
    return wait_for(lambda: named(["CHECK_MENU_ITEM", "RADIO_MENU_ITEM"], name), 5)


def choose_position(name):
    item = position_item(name)
    if item is None:
        return False
    Atspi.Action.do_action(item, 0)
    return True


def close_menus(env):
    xdo(env, "key", "Escape")
    xdo(env, "key", "Escape")
    xdo(env, "key", "Escape")
    time.sleep(0.3)


def key_on_pages(env, keys):
    """Sends `keys` with the pointer over the pages (no window manager: the keyboard
    follows the pointer)."""
    p = box("ページ", (Atspi.Role.PANEL, Atspi.Role.FILLER))
    x, y = (p.x + p.width // 2, p.y + p.height // 2) if p else (500, 400)
    xdo(env, "mousemove", str(x), str(y), "key", "--clearmodifiers", keys)


def customise_remove(name):
    """Takes `name` off the bar in 表示 > ツール バー > カスタマイズ and presses OK."""
    if not choose_menu("表示(V)", "ツール バー(T)", "カスタマイズ(C)..."):
        return False
    dialog = wait_for(lambda: named(["DIALOG"], "ツール バーのカスタマイズ"), 10)
    table = find(dialog, lambda a: a.get_name() == "現在のボタン" and
                 a.get_role() in (Atspi.Role.TREE_TABLE, Atspi.Role.TABLE)) if dialog else None
    if table is None:
        return False
    names = [Atspi.Table.get_accessible_at(table, r, 1).get_name() for r in range(Atspi.Table.get_n_rows(table))]
    if name not in names:
        return False
    Atspi.Table.add_row_selection(table, names.index(name))
    time.sleep(0.3)
    press(dialog, "<- 削除(R)")
    time.sleep(0.3)
    press(dialog, "OK")
    return bool(wait_for(lambda: named(["DIALOG"], "ツール バーのカスタマイズ") is None, 5))


def drag_bar(env, tx, ty):
    """Drags the tool bar by a separator (its background) to (tx, ty) on the screen."""
    bar = tool_bar()
    # A separator is the bar's child without a name.
    items = [bar.get_child_at_index(i) for i in range(bar.get_child_count())] if bar else []
    grips = [a for a in items if a is not None and a.get_name() == "" and showing(a)]
    if not grips:
        return False
    g = grips[0].get_extents(Atspi.CoordType.SCREEN)
    x, y = g.x + g.width // 2, g.y + g.height // 2
    xdo(env, "mousemove", str(x), str(y), "mousedown", "1")
    for step in range(1, 11):
        xdo(env, "mousemove", str(x + (tx - x) * step // 10), str(y + (ty - y) * step // 10))
        time.sleep(0.05)
    xdo(env, "mouseup", "1")
    return True


def main():
    server, base = serve(PAGES)
    work, env, data = scratch("fern-toolbar-dock-")

    fern = start(FERN, data, env, base + "/a.html")
    try:
        check(wait_for(lambda: tab_texts() == ["Page B"]), "the page goes on to B: %r" % tab_texts())
        check(wait_for(lambda: placed("band"), 10), "the tool bar starts as a band")
        band = position_item("バンドにする(B)")
        check(band is not None and checked(band), "ツール バーの位置 > バンドにする is checked at first")
        close_menus(env)

        check(choose_position("左(L)"), "ツール バーの位置 > 左 is in the View menu")
        check(wait_for(lambda: placed("left"), 10), "the tool bar stands upright left of the pages: %s" % where())
        screenshot(env, OUT_DIR, "gui-toolbar-dock-left.png")
        left = position_item("左(L)")
        check(left is not None and checked(left), "左 is checked while the bar is on the left")
        band = named(["CHECK_MENU_ITEM", "RADIO_MENU_ITEM"], "バンドにする(B)")
        check(band is not None and not checked(band), "バンドにする is not checked while docked")
        close_menus(env)

        back = wait_for(lambda: button("戻る"), 10)
        check(back is not None and wait_for(lambda: back.get_state_set().contains(Atspi.StateType.SENSITIVE), 5),
              "the docked bar's 戻る is available on page B")
        if back is not None:
            Atspi.Action.do_action(back, 0)
        check(wait_for(lambda: tab_texts() == ["Page A"], 10), "the docked bar's 戻る goes back to A: %r" % tab_texts())

        # The View menu's switch hides and shows the docked bar.
        choose_menu("表示(V)", "ツール バー(T)")
        switch = wait_for(lambda: named(["CHECK_MENU_ITEM"], "ツール バー(T)"), 5)
        if switch is not None:
            Atspi.Action.do_action(switch, 0)
        check(wait_for(lambda: not showing(tool_bar()), 5), "表示 > ツール バー hides the docked bar")
        choose_menu("表示(V)", "ツール バー(T)")
        switch = wait_for(lambda: named(["CHECK_MENU_ITEM"], "ツール バー(T)"), 5)
        if switch is not None:
            Atspi.Action.do_action(switch, 0)
        check(wait_for(lambda: placed("left"), 5), "and shows it again on the left")

        choose_menu("表示(V)")
        full = wait_for(lambda: named(["CHECK_MENU_ITEM"], "全画面表示(F)"), 5)
        if full is not None:
            Atspi.Action.do_action(full, 0)
        check(wait_for(lambda: not showing(tool_bar()), 5), "full screen hides the docked bar")
        key_on_pages(env, "Escape")
        check(wait_for(lambda: placed("left"), 10), "leaving full screen brings it back on the left: %s" % where())

        check(customise_remove("ホーム"), "the customise dialog takes ホーム off the docked bar")
        check(wait_for(lambda: button("ホーム") is None, 5), "ホーム is gone from the docked bar at once")
        check(placed("left") and button("戻る") is not None, "the bar stays on the left with its other buttons")
    finally:
        stop(fern)

    windows = ini_values(data + "/wnds.ini")
    check(windows.get(("FernBars", "TBStyle")) == "0", "TBStyle is 0 while docked: %r" % windows.get(("FernBars", "TBStyle")))
    check(windows.get(("FernBars-Summary", "Bars")) == "1" and windows.get(("FernBars-Bar0", "BarID")) == "2"
          and windows.get(("FernBars-Bar0", "Side")) == "1",
          "the dock layout keeps the tool bar on the left: %r" %
          {k: v for k, v in windows.items() if k[0].startswith("FernBars-")})

    fern = start(FERN, data, env, base + "/c.html")
    try:
        check(wait_for(lambda: tab_texts() == ["Page C"]), "the browser starts again: %r" % tab_texts())
        check(wait_for(lambda: placed("left"), 10), "the restart finds the bar on the left: %s" % where())
        pages = box("ページ", (Atspi.Role.PANEL, Atspi.Role.FILLER))
        check(pages is not None and drag_bar(env, pages.x + pages.width - 10, pages.y + pages.height // 2),
              "the docked bar can be taken by a separator")
        check(wait_for(lambda: placed("right"), 10), "dragged near the right edge, it docks there: %s" % where())
        for side, name in (("right", "右(R)"), ("bottom", "下(D)"), ("top", "上(T)")):
            check(choose_position(name), "ツール バーの位置 > %s" % name)
            check(wait_for(lambda: placed(side), 10), "the bar goes to the %s: %s" % (side, where()))
            screenshot(env, OUT_DIR, "gui-toolbar-dock-%s.png" % side)
        check(choose_position("バンドにする(B)"), "ツール バーの位置 > バンドにする")
        check(wait_for(lambda: placed("band"), 10), "the bar is a band again: %s" % where())
        check(wait_for(lambda: button("進む"), 5) is not None, "with its buttons")
    finally:
        stop(fern)

    windows = ini_values(data + "/wnds.ini")
    check(windows.get(("FernBars", "TBStyle")) == "1", "TBStyle is 1 as a band: %r" % windows.get(("FernBars", "TBStyle")))
    left = [k for k in windows if k[0].startswith("FernBars-")]
    check(not left, "the dock layout is gone from wnds.ini: %r" % left)

    fern = start(FERN, data, env, base + "/c.html")
    try:
        check(wait_for(lambda: tab_texts() == ["Page C"]), "the browser starts a third time: %r" % tab_texts())
        check(wait_for(lambda: placed("band"), 10), "the restart finds the band: %s" % where())
        screenshot(env, OUT_DIR, "gui-toolbar-dock-band.png")
    finally:
        stop(fern)
        server.shutdown()
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
