#!/usr/bin/python3
"""The status bar of the real browser over AT-SPI: the download-control strip
opens with a pointer click, its indicators flip the new-tab flags through their
click action, and the exit save keeps the strip's style. Run inside
dbus-run-session and xvfb-run."""

import sys

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

NAMES = ["画像のダウンロード", "サウンドのダウンロード", "ビデオのダウンロード", "Javaの実行",
         "Scriptの実行", "ActiveXの実行", "ActiveXのダウンロード"]


def strip():
    return named(["TOOL_BAR"], "ダウンロード コントロール")


def main():
    server, base = serve({"/a.html": "<title>ページA</title><p>A"})
    work, env, data = scratch("fern-status-")
    fern = start(FERN, data, env, base + "/a.html")
    try:
        check(wait_for(lambda: tab_texts() == ["ページA"]), "the page opens: %r" % tab_texts())
        bar = wait_for(strip)
        check(bar is not None, "the status bar shows the download-control strip")
        if bar is not None:
            items = [bar.get_child_at_index(i) for i in range(bar.get_child_count())]
            check([i.get_name() for i in items] == NAMES, "one indicator per flag: %r" % [i.get_name() for i in items])
            check(not any(checked(i) for i in items), "the default flags restrict nothing")

            box = bar.get_extents(Atspi.CoordType.SCREEN)
            check(box.width == 4, "the strip starts collapsed: %r" % box.width)
            xdo(env, "mousemove", str(box.x + 2), str(box.y + box.height // 2), "click", "1")
            check(wait_for(lambda: bar.get_extents(Atspi.CoordType.SCREEN).width == 121),
                  "a click expands the strip")

            Atspi.Action.do_action(items[0], 0)  # images off for new tabs
            Atspi.Action.do_action(items[4], 0)  # scripts off
            check(wait_for(lambda: checked(items[0]) and checked(items[4])), "the flipped indicators light up")
            screenshot(env, OUT_DIR, "gui-status.png")

        # 127.0.0.1 is a private address: the intranet zone. Its indicator
        # opens the Internet options on their security page.
        zone = wait_for(lambda: find(fern_app(), lambda a: a.get_name() == "セキュリティ ゾーン: ローカル イントラネット"))
        check(zone is not None, "the zone indicator names the page's zone")
        if zone is not None:
            Atspi.Action.do_action(zone, 0)
            dialog = wait_for(lambda: find(fern_app(), lambda a: a.get_name() == "インターネット オプション"
                                           and a.get_role() in (Atspi.Role.DIALOG, Atspi.Role.FRAME)))
            check(dialog is not None, "a click on the zone opens the Internet options")
            if dialog is not None:
                page = find(dialog, lambda a: a.get_role() == Atspi.Role.PAGE_TAB
                            and a.get_state_set().contains(Atspi.StateType.SELECTED))
                check(page is not None and page.get_name() == "セキュリティ",
                      "on the security page: %r" % (page.get_name() if page else None))
                xdo(env, "key", "Escape")
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    ini = read_file(data + "/fern.ini")
    check(b"BODLCDefault=224" in ini, "the flipped flags are saved: 0x70 ^ 0x10 ^ 0x80")
    check(b"SBDLCStyle=2" in ini, "the exit save keeps the expanded strip")
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
