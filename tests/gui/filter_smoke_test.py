#!/usr/bin/python3
"""The pop-up and dialog filters in the real browser: a script pop-up to a listed
address never shows up as a tab, a page whose title is listed closes, COCount counts
both at exit, script errors note themselves in the status bar or list themselves in the
script-error window, the tools menu registers a tab's address, an alert() matched by a KillMsgDlg item is not shown while one that is
not matched appears as our own message box (read over AT-SPI), and with the sweep on
such a box is dismissed by itself. Run inside dbus-run-session and xvfb-run."""

import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {
    "/opener.html": "<title>開く側</title><script>window.open('/ad.html')</script>",
    "/ad.html": "<title>広告</title><p>ad",
    "/casino.html": "<title>大カジノ</title><p>casino",
    "/quiet.html": "<title>前</title><script>alert('killme now'); document.title = '静か'</script>",
    "/err.html": "<title>エラー頁</title><script>setTimeout(function(){ boomFromFern(); }, 300)</script>",
    "/loud.html": "<title>うるさい</title><script>setTimeout(function(){alert('見せる文'); document.title = 'うるさい済'}, 300)</script>",
}


def page_box():
    """Our message box for a page: a dialog captioned "Fern Browser"."""
    return message_window(lambda w: w.get_name() == "Fern Browser")


def script_error_window():
    app = fern_app()
    return find(app, lambda a: a.get_name() == "スクリプト エラー" and a.get_role() != Atspi.Role.TEXT) if app else None


def window_text(acc):
    text = find(acc, lambda a: a.get_role() == Atspi.Role.TEXT)
    return Atspi.Text.get_text(text, 0, -1) if text else ""


def status_texts():
    app = fern_app()
    bar = find(app, lambda a: a.get_name() == "ステータス バー") if app else None
    return labels_of(bar) if bar else []


def write_data(data, base, sweep, style=0x355):
    ini = ("[CloseUrl]\r\nCOUStyle=1\r\nCOTStyle=1\r\nCOCount=5\r\n"
           "[KillMsgDlg]\r\nKMDItemStyle0=0\r\nKMDItemName0=off\r\nKMDItemCaption0=\r\nKMDItemText0=\r\n"
           "KMDItemStyle1=1\r\nKMDItemName1=test\r\nKMDItemCaption1=Microsoft Internet Explorer\r\n"
           "KMDItemText1=\"killme\r\n")
    ini += "[Browser]\r\nBOStyle=%d\r\n" % (style | (0x400 if sweep else 0))
    write_file(data + "/fern.ini", ini)
    close = ("#INFO\r\n\tENCODE=SHIFT_JIS\r\n\tVERSION=1\r\n\r\n"
             "#FOLDER\r\n\tNAME=closeurl\r\n\r\n#URL\r\n\tURL=%s/ad*\r\n\r\n-\r\n\r\n"
             "#FOLDER\r\n\tNAME=closetitle\r\n\r\n#URL\r\n\tURL=*カジノ*\r\n\r\n-\r\n\r\n" % base)
    write_file(data + "/close.fbl", close)


def main():
    server, base = serve(PAGES)
    work, env, data = scratch("fern-filter-")
    write_data(data, base, sweep=False)
    urls = [base + p for p in ("/opener.html", "/casino.html", "/quiet.html", "/err.html", "/loud.html")]
    fern = start(FERN, data, env, *urls)
    try:
        check(wait_for(lambda: tab_texts() and "静か" in tab_texts() and "開く側" in tab_texts()),
              "the pages load; the alert matched by the item did not stop its page: %r" % tab_texts())
        box = wait_for(page_box, 15)
        check(box is not None, "an alert that no item matches appears as our message box")
        check(box is not None and "見せる文" in labels_of(box), "it shows the page's text: %r" % labels_of(box))
        screenshot(env, OUT_DIR, "gui-filters.png")
        if box is not None:
            ok = find(box, lambda a: a.get_role() == Atspi.Role.PUSH_BUTTON and a.get_name() == "OK")
            if ok is not None:
                Atspi.Action.do_action(ok, 0)
            check(wait_for(lambda: page_box() is None, 5), "OK closes it")
            check(wait_for(lambda: "うるさい済" in (tab_texts() or []), 5), "and the page goes on: %r" % tab_texts())
        time.sleep(1.5)
        texts = tab_texts() or []
        check("広告" not in texts, "the pop-up to a listed address shows no tab: %r" % texts)
        check(not any("カジノ" in t for t in texts), "the tab whose title is listed is closed: %r" % texts)
        check(len(texts) == 4, "four tabs are left: %r" % texts)
        check(script_error_window() is None and "スクリプトエラー検出" in status_texts(),
              "with the script-error switch off an error only notes itself in the status bar: %r" % status_texts())
    finally:
        code = stop(fern)
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    ini = read_file(data + "/fern.ini").decode("cp932")
    check("COCount=7" in ini, "COCount rose by the two closed tabs and was written at exit")

    # The switch on: the script-error window lists the error.
    write_data(data, base, sweep=False, style=0x357)
    fern = start(FERN, data, env, base + "/err.html")
    try:
        window = wait_for(script_error_window, 15)
        check(window is not None, "with the script-error switch on the script-error window appears")
        text = window_text(window) if window else ""
        check("boomFromFern" in text and "/err.html" in text, "it names the error and its page: %r" % text)
        # 制止URLに登録 from the tools menu appends the tab's address to close.fbl.
        tools = find(fern_app(), lambda a: a.get_role() == Atspi.Role.MENU and a.get_name() == "ツール(T)")
        if tools is not None:
            Atspi.Action.do_action(tools, 0)
        item = wait_for(lambda: find(fern_app(), lambda a: a.get_name() == "制止URLに登録(C)"), 5)
        if item is not None:
            Atspi.Action.do_action(item, 0)
        xdo(env, "key", "Escape")

        def registered():
            close = open(data + "/close.fbl", "rb").read()
            return close.find(b"/ad*") < close.find(b"\tURL=" + (base + "/err.html").encode()) < close.find(b"closetitle")
        check(wait_for(registered, 5), "制止URLに登録(C) appends the tab's address to the close-URL list")
    finally:
        code = stop(fern)
    check(code == 0, "the script-error run ends cleanly (exit %r)" % code)

    # With the sweep on, a page box with the legacy caption's rules and the
    # script-error window go by themselves.
    write_data(data, base, sweep=True, style=0x357)
    fern = start(FERN, data, env, base + "/loud.html", base + "/err.html")
    try:
        check(wait_for(lambda: tab_texts() == ["うるさい済", "エラー頁"]),
              "the sweep dismissed the page's message box, and the page went on: %r" % tab_texts())
        time.sleep(1)
        check(page_box() is None, "no message box is left")
        check(script_error_window() is None, "the sweep closed the script-error window")
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "the second run ends cleanly (exit %r)" % code)
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
