#!/usr/bin/python3
"""The tool bar and the bands of the real browser under Xvfb: the buttons are read by
their names, "戻る" goes back, a button removed in the customise dialog is gone at once
and after a restart, a bar hidden from the View menu stays hidden after a restart, and
the records in wnds.ini say so. Run inside dbus-run-session and xvfb-run."""

import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {
    "/a.html": "<title>Page A</title><p>A<script>if(!sessionStorage.v){sessionStorage.v=1;setTimeout(function(){location.href='/b.html'},300)}</script>",
    "/b.html": "<title>Page B</title><p>B",
    "/c.html": "<title>Page C</title><p>C",
}


def tool_bar():
    app = fern_app()
    return find(app, lambda a: a.get_name() == "ツール バー" and a.get_role() == Atspi.Role.TOOL_BAR) if app else None


def button(name):
    bar = tool_bar()
    return find(bar, lambda a: a.get_name() == name and a.get_role() in
                (Atspi.Role.PUSH_BUTTON, Atspi.Role.TOGGLE_BUTTON)) if bar else None


def showing(acc):
    return acc is not None and acc.get_state_set().contains(Atspi.StateType.SHOWING)


def address_shown():
    app = fern_app()
    entry = find(app, lambda a: a.get_name() == "アドレス" and a.get_role() in (Atspi.Role.TEXT, Atspi.Role.ENTRY))
    return showing(entry)


def customise_remove(env, name):
    """Opens 表示 > ツール バー > カスタマイズ, removes `name` from the bar, presses OK."""
    if not choose_menu("表示(V)", "ツール バー(T)", "カスタマイズ(C)..."):
        return False
    dialog = wait_for(lambda: named(["DIALOG"], "ツール バーのカスタマイズ"), 10)
    if dialog is None:
        return False
    screenshot(env, OUT_DIR, "gui-toolbar-customise.png")
    table = find(dialog, lambda a: a.get_name() == "現在のボタン" and a.get_role() in (Atspi.Role.TREE_TABLE, Atspi.Role.TABLE))
    rows = Atspi.Table.get_n_rows(table) if table else 0
    names = [Atspi.Table.get_accessible_at(table, r, 1).get_name() for r in range(rows)]
    check(names[:3] == ["戻る", "進む", "中止"], "the dialog lists the bar's buttons: %r" % names[:5])
    if name not in names:
        return False
    Atspi.Table.add_row_selection(table, names.index(name))
    time.sleep(0.3)
    press(dialog, "<- 削除(R)")
    time.sleep(0.3)
    rows = Atspi.Table.get_n_rows(table)
    check(rows == len(names) - 1, "削除 takes one button off the list: %d -> %d" % (len(names), rows))
    press(dialog, "OK")
    return bool(wait_for(lambda: named(["DIALOG"], "ツール バーのカスタマイズ") is None, 5))


def main():
    server, base = serve(PAGES)
    work, env, data = scratch("fern-toolbar-")

    fern = start(FERN, data, env, base + "/a.html")
    try:
        check(wait_for(lambda: tab_texts() == ["Page B"]), "the page goes on to B: %r" % tab_texts())
        for name in ["戻る", "進む", "更新", "ホーム", "新規タブ", "印刷"]:
            check(wait_for(lambda: button(name), 10) is not None, "the tool bar has %s, read by its name" % name)
        back = wait_for(lambda: button("戻る"))
        check(wait_for(lambda: back.get_state_set().contains(Atspi.StateType.SENSITIVE), 5),
              "戻る is available on page B")
        screenshot(env, OUT_DIR, "gui-toolbar.png")
        Atspi.Action.do_action(back, 0)
        check(wait_for(lambda: tab_texts() == ["Page A"], 10), "戻る goes back to A: %r" % tab_texts())
        forward = button("進む")
        check(wait_for(lambda: forward.get_state_set().contains(Atspi.StateType.SENSITIVE), 5),
              "進む is available after going back")

        check(customise_remove(env, "ホーム"), "the customise dialog takes ホーム off")
        check(wait_for(lambda: button("ホーム") is None, 5), "ホーム is gone from the bar at once")
        check(button("戻る") is not None, "the other buttons stay")

        # The address band's grip dragged onto the right half of the tool bar: the
        # address bar joins the tool bar's row.
        grip = find(fern_app(), lambda a: a.get_name() == "アドレス バー の移動")
        bar = tool_bar()
        check(grip is not None and bar is not None, "the address band has a grip named for screen readers")
        if grip is not None and bar is not None:
            g = grip.get_extents(Atspi.CoordType.SCREEN)
            b = bar.get_extents(Atspi.CoordType.SCREEN)
            x, y = g.x + g.width // 2, g.y + g.height // 2
            tx, ty = b.x + b.width * 3 // 4, b.y + b.height // 2
            xdo(env, "mousemove", str(x), str(y), "mousedown", "1")
            for step in range(1, 11):
                xdo(env, "mousemove", str(x + (tx - x) * step // 10), str(y + (ty - y) * step // 10))
                time.sleep(0.05)
            xdo(env, "mouseup", "1")

            def same_row():
                entry = find(fern_app(), lambda a: a.get_name() == "アドレス" and
                             a.get_role() in (Atspi.Role.TEXT, Atspi.Role.ENTRY))
                bar_now = tool_bar()
                if entry is None or bar_now is None:
                    return False
                e, t = entry.get_extents(Atspi.CoordType.SCREEN), bar_now.get_extents(Atspi.CoordType.SCREEN)
                return t.y <= e.y + e.height // 2 <= t.y + t.height and e.x >= t.x + t.width
            check(wait_for(same_row, 5), "the dragged address bar stands right of the tool bar, on its row")
            screenshot(env, OUT_DIR, "gui-toolbar-bands.png")

        choose_menu("表示(V)", "ツール バー(T)")
        fixed = wait_for(lambda: named(["CHECK_MENU_ITEM"], "バーを固定(B)"), 5)
        check(fixed is not None and not checked(fixed), "表示 > ツール バー > バーを固定 is off")
        if fixed is not None:
            Atspi.Action.do_action(fixed, 0)
        check(wait_for(lambda: not showing(find(fern_app(), lambda a: a.get_name() == "ツール バー の移動")), 5),
              "fixed bands show no grips")

        check(address_shown(), "the address bar shows")
        choose_menu("表示(V)", "ツール バー(T)")
        switch = wait_for(lambda: named(["CHECK_MENU_ITEM"], "アドレス バー(A)"), 5)
        check(switch is not None and checked(switch), "表示 > ツール バー > アドレス バー is on")
        if switch is not None:
            Atspi.Action.do_action(switch, 0)
        check(wait_for(lambda: not address_shown(), 5), "the switch hides the address bar")
    finally:
        stop(fern)

    windows = ini_values(data + "/wnds.ini")
    saved = windows.get(("FernBars", "TBBtnCount"), "")
    check(saved != "" and "6" not in saved.split(",") and saved.split(",")[:2] == ["0", "1"],
          "TBBtnCount keeps the buttons without ホーム (row 6): %r" % saved)
    bands = windows.get(("ReBar", "RBBandStyle"), "")
    fields = bands.split(",")
    ids = [fields[i] for i in range(0, len(fields) - 2, 3)]
    styles = {fields[i]: int(fields[i + 2]) for i in range(0, len(fields) - 2, 3)}
    check(windows.get(("ReBar", "RBBandCount")) == "5" and styles.get("3", 0) & 0x8,
          "the address band is saved hidden: %r" % bands)
    check(ids and styles[ids[-1]] & 0x100, "the fixed bands are saved as the last band's no-gripper bit: %r" % bands)
    check("2" in ids and "3" in ids and ids.index("3") == ids.index("2") + 1 and not styles["3"] & 0x1,
          "the address band is saved on the tool bar's row, after it: %r" % bands)

    fern = start(FERN, data, env, base + "/c.html")
    try:
        check(wait_for(lambda: tab_texts() == ["Page C"]), "the browser starts again: %r" % tab_texts())
        check(wait_for(lambda: button("戻る"), 10) is not None, "the bar is back with 戻る")
        check(button("ホーム") is None, "ホーム stays removed after the restart")
        check(not button("戻る").get_state_set().contains(Atspi.StateType.SENSITIVE),
              "戻る is greyed on a page with nothing before it")
        check(not address_shown(), "the address bar stays hidden after the restart")
        screenshot(env, OUT_DIR, "gui-toolbar-restart.png")
    finally:
        stop(fern)
        server.shutdown()
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
