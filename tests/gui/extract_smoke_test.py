#!/usr/bin/python3
"""URL extraction on the real browser under Xvfb: a page with three frames (one
nested, one from another origin) and images served from 127.0.0.1. "URLの抽出(E)"
opens "URL抽出 - <title>" with the documents depth first in the frame chooser, the
links of the chosen one checked (images only with "IMGタグも読み込む(I)"), a filter
that checks only what it matches, and the checked rows saved as .iri and .wrg job
files byte for byte. A job file that cannot be written is told, and the
dialog stays with its rows. The options and the folder are kept in fern.ini.
Run inside dbus-run-session and xvfb-run."""

import os
import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)

FERN, OUT_DIR = sys.argv[1], sys.argv[2]


def pages(other):
    return {
        "/top.html": "<title>Top</title><a href=/files/a.zip>a</a> <a href='mailto:me@example.com'>m</a> "
                     "<a href=''>empty</a> <img src=/top.gif> <a href=/files/b.ZIP>b</a>"
                     "<iframe src=/f1.html></iframe><iframe src=%s/f2.html></iframe>" % other,
        "/f1.html": "<title>F1</title><a href=/files/f1.lzh>f1</a><iframe src=/f11.html></iframe>"
                    "<script>document.write('<a href=/files/js.lzh>js</a>')</script>",
        # A link of 100 KB and one holding control characters, made by the page.
        "/f11.html": "<title>F11</title><a href=/files/f11.mp3>f11</a><img src=/f11.gif><script>"
                     "var a = document.createElement('a'); a.href = '/long/' + 'x'.repeat(100 * 1024);"
                     "document.body.appendChild(a); var b = document.createElement('a');"
                     "b.setAttribute('href', 'http://[bad\\n\\u0001\\r\\nUrl=evil'); document.body.appendChild(b);"
                     "</script>",
        "/f2.html": "<a href=/files/f2.zip>f2</a>",
    }


def extraction_dialog():
    return (showing_windows(["DIALOG"], "URL抽出 - Top") or [None])[0]


def rows(dialog):
    table = find(dialog, lambda a: a.get_role() in (Atspi.Role.TREE_TABLE, Atspi.Role.TABLE))
    return Atspi.Table.get_n_rows(table) if table else -1


def frame_choices(dialog):
    combo = find(dialog, lambda a: a.get_role() == Atspi.Role.COMBO_BOX)
    menu = find(combo, lambda a: a.get_role() == Atspi.Role.MENU) if combo else None
    return [menu.get_child_at_index(i).get_name() for i in range(menu.get_child_count())] if menu else None, combo


def dialog_menu(dialog, *path):
    for name in path:
        item = wait_for(lambda: named(["MENU_ITEM", "MENU", "CHECK_MENU_ITEM"], name, dialog), 10)
        if item is None:
            return False
        Atspi.Action.do_action(item, 0)
        time.sleep(0.3)
    return True


def save_as(env, dialog, item, path):
    """Saves through the dialog's menu into `path`, typing the name into the chooser."""
    if not dialog_menu(dialog, "保存(S)", item):
        print("note: no menu item %s" % item, flush=True)
    chooser = wait_for(lambda: (showing_windows(["FILE_CHOOSER", "DIALOG"], "名前を付けて保存") or [None])[0], 10)
    if chooser is None:
        print("note: no chooser; windows: %r" % [(w.get_role_name(), w.get_name()) for w in
                                                  [fern_app().get_child_at_index(i) for i in range(fern_app().get_child_count())]], flush=True)
        return False
    time.sleep(0.5)
    name = find(chooser, lambda a: a.get_role() == Atspi.Role.TEXT and
                Atspi.Text.get_text(a, 0, -1).startswith("urllist"))
    if name is None:
        return False
    Atspi.EditableText.set_text_contents(name, path)
    time.sleep(0.3)
    return press(chooser, "保存(S)") and bool(
        wait_for(lambda: not showing_windows(["FILE_CHOOSER", "DIALOG"], "名前を付けて保存"), 10))


def main():
    gif = bytes.fromhex("47494638396101000100800000000000ffffff21f90401000000002c00000000010001000002024401003b")
    content = {}
    server, base = serve(content, {"/top.gif": (gif, "image/gif"), "/f11.gif": (gif, "image/gif")})
    # The second frame comes from another origin: the same server under another name.
    content.update(pages(base.replace("127.0.0.1", "localhost")))
    work, env, data = scratch("fern-extract-")
    jobs = work + "/jobs"
    os.makedirs(jobs)
    write_file(data + "/fern.ini", "[UrlExtract]\r\nUEFolder=D:\\ダウンロード\r\n[FileDlg]\r\nFDSavePath=%s\r\n" % jobs)

    fern = start(FERN, data, env, base + "/top.html")
    try:
        check(wait_for(lambda: tab_texts() == ["Top"]), "the page opens: %r" % tab_texts())
        time.sleep(1.0)  # its frames
        check(choose_menu("ツール(T)", "URLの抽出(E)"), "the Tools menu has URLの抽出(E)")
        dialog = wait_for(extraction_dialog, 10)
        check(dialog is not None, "the dialog is captioned with the page title")
        if dialog is None:
            return finish(work)
        choices, combo = frame_choices(dialog)
        check(choices == ["Top", "F1", "F11", "Untitled Document"],
              "the frame chooser lists the documents depth first, the untitled one too: %r" % choices)
        check(wait_for(lambda: rows(dialog) == 3), "the top document gives its 3 links with a target (%d)" % rows(dialog))
        screenshot(env, OUT_DIR, "gui-extract.png")

        dialog_menu(dialog, "設定(O)", "IMGタグも読み込む(I)")
        check(wait_for(lambda: rows(dialog) == 4), "with IMG on, its image too (%d)" % rows(dialog))

        # The nested frame, by its entry in the chooser.
        Atspi.Action.do_action(find(frame_choices(dialog)[1], lambda a: a.get_name() == "F11"), 0)
        check(wait_for(lambda: rows(dialog) == 4),
              "the nested frame gives its links (one of 100 KB, one with control characters) and image (%d)"
              % rows(dialog))
        check(save_as(env, dialog, "Iria形式で保存(I)", jobs + "/f11.iri"), "the nested frame's rows saved")
        f11 = read_file(jobs + "/f11.iri").split(b"\r\n")
        check(len(f11) == 21 and not any(line.startswith(b"Url=evil") for line in f11) and
              len(f11[10]) > 100 * 1024, "every address stays one line, the long one whole: %r" % [l[:60] for l in f11])
        Atspi.Action.do_action(find(frame_choices(dialog)[1], lambda a: a.get_name() == "Top"), 0)
        wait_for(lambda: rows(dialog) == 4)

        # A filter: only the zip files stay checked, whatever their case.
        entry = find(dialog, lambda a: a.get_role() == Atspi.Role.TEXT and a.get_parent() is not None and
                     a.get_parent().get_role() == Atspi.Role.COMBO_BOX)
        Atspi.EditableText.set_text_contents(entry, "*.zip")
        press(dialog, "フィルタ(E)")
        time.sleep(0.3)
        check(save_as(env, dialog, "Iria形式で保存(I)", jobs + "/urllist.iri"), "the save chooser comes and goes")
        iri = read_file(jobs + "/urllist.iri")
        lines = iri.split(b"\r\n")
        check(len(lines) == 11 and lines[0] == ("Url=%s/files/a.zip" % base).encode() and
              lines[5] == ("Url=%s/files/b.ZIP" % base).encode() and
              lines[1] == "Folder=D:\\ダウンロード\\".encode("cp932") and lines[4] == b"" and lines[9] == b"",
              "the .iri file holds the two checked zips: %r" % iri)
        check(lines[2] == lines[7] and lines[2].startswith(b"Date=20"), "one time stamp per save")

        check(save_as(env, dialog, "ReGet形式で保存(R)", jobs + "/urllist.wrg"), "the ReGet save too")
        wrg = read_file(jobs + "/urllist.wrg").split(b"\r\n")
        check(len(wrg) == 25 and wrg[0] == b";" and wrg[2] == ("RefererStr=%s/top.html" % base).encode() and
              wrg[11] == ("Url=%s/files/a.zip" % base).encode(), "the .wrg file: %r" % wrg[:13])

        # A folder where no file can be made, even by root.
        check(save_as(env, dialog, "Iria形式で保存(I)", "/proc/urllist.iri"), "a chooser for a folder that takes no file")
        told = wait_for(lambda: message_window(lambda w: any("保存できませんでした" in t for t in labels(w))), 10)
        check(told is not None, "a job file that cannot be written is told")
        if told is not None:
            press(told, "OK") or press(told, "OK(O)")
        check(not os.path.exists("/proc/urllist.iri"), "and nothing is written")
        check(extraction_dialog() is not None and rows(dialog) == 4, "the dialog stays with its rows")

        # The page's scripts off: the frames still report, without what their scripts wrote.
        Atspi.Action.do_action(find(frame_choices(dialog)[1], lambda a: a.get_name() == "F1"), 0)
        check(wait_for(lambda: rows(dialog) == 2), "F1 with its scripts gives 2 links (%d)" % rows(dialog))
        choose_menu("ツール(T)", "セキュリティ(S)")
        scripts = wait_for(lambda: named(["CHECK_MENU_ITEM"], "Scriptの実行(S)"), 10)
        if scripts is not None:
            Atspi.Action.do_action(scripts, 0)
        time.sleep(0.5)
        choose_menu("表示(V)", "最新の情報に更新(R)")
        time.sleep(2.0)
        choose_menu("ツール(T)", "URLの抽出(E)")
        time.sleep(1.0)
        dialog = wait_for(extraction_dialog, 10)
        choices, _ = frame_choices(dialog) if dialog else (None, None)
        check(choices == ["Top", "F1", "F11", "Untitled Document"], "with scripts off every frame reports: %r" % choices)
        if choices:
            Atspi.Action.do_action(find(frame_choices(dialog)[1], lambda a: a.get_name() == "F1"), 0)
        check(wait_for(lambda: rows(dialog) == 1), "F1 without its scripts gives 1 link (%d)" % rows(dialog))
        screenshot(env, OUT_DIR, "gui-extract-scripts-off.png")

    finally:
        code = stop(fern)
        server.shutdown()
    ini = read_file(data + "/fern.ini")
    check(b"UEStyle=8" in ini and "UEFolder=D:\\ダウンロード".encode("cp932") in ini,
          "the IMG option and the folder are kept: %r" % ini)
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
