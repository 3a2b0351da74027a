#!/usr/bin/env python3
"""Writes the test fixtures under tests/data/ (see README.md there).

The files are committed; this script only says how each was made, so that a
fixture can be changed or added the same way. Run it from anywhere:

    python3 tests/data/make_fixtures.py

Every text is our own. Each file is small and shows one or a few of the
quirks the readers must handle in files written by other programs.
"""
import base64
import hashlib
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def write(relative, data):
    path = os.path.join(HERE, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def crlf(text):
    return text.replace("\n", "\r\n")


# ---------------------------------------------------------------------------
# Netscape bookmark files

NETSCAPE_HEADER = (
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
    "<!-- This is an automatically generated file.\n"
    "It will be read and overwritten.\n"
    "Do Not Edit! -->\n"
)

# Internet Explorer 7/8: UTF-8 told only by the byte-order mark, CR LF, names
# ending in ".url", " >" after the last attribute, IE-only attributes.
IE_UTF8BOM_CRLF = NETSCAPE_HEADER + """\
<TITLE>Bookmarks</TITLE>
<H1>Bookmarks</H1>
<DL><p>
    <DT><H3 FOLDED ADD_DATE="1312067831">Microsoft の Web サイト</H3>
    <DL><p>
        <DT><A HREF="http://go.microsoft.com/fwlink/?LinkId=68919" ADD_DATE="1312081396" LAST_VISIT="1032335835" LAST_MODIFIED="1312081396" >Internet Explorer 7 ツアー.URL</A>
        <DT><A HREF="http://go.microsoft.com/fwlink/?LinkId=72186" ADD_DATE="1312067831" LAST_VISIT="1032335835" LAST_MODIFIED="1312067834" ICON_URI="http://www.microsoft.com/favicon.ico" >Internet Explorer 7 ホーム.url</A>
    </DL><p>
    <DT><H3 FOLDED ADD_DATE="1312081390">ゴルフ &amp; 旅行</H3>
    <DL><p>
        <DT><A HREF="http://golf.example.jp/yoyaku?a=1&b=2" ADD_DATE="1312081390" LAST_VISIT="0" LAST_MODIFIED="1312081390" FEEDURL="http://golf.example.jp/rss" WEBSLICE="true" ISLIVEPREVIEW="true" PREVIEWSIZE="320 x 240" >ゴルフ場の予約.url</A>
    </DL><p>
    <DT><A HREF="http://www.example.jp/" ADD_DATE="1312081399" LAST_VISIT="0" LAST_MODIFIED="1312081399" >トップ</A>
</DL><p>
"""

# Firefox 1.5: CR LF, UTF-8 from the charset line on, a rule, descriptions
# (<DD>) after a folder and after a bookmark, ICON data, SHORTCUTURL, FEEDURL.
FIREFOX_JA_CRLF = NETSCAPE_HEADER.replace("Do Not Edit!", "DO NOT EDIT!") + """\
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">
<TITLE>Bookmarks</TITLE>
<H1 LAST_MODIFIED="1150000000">Bookmarks</H1>

<DL><p>
    <DT><H3 PERSONAL_TOOLBAR_FOLDER="true" ID="rdf:#$FvPhC3">ツールバー</H3>
<DD>ツールバーに表示するブックマーク
    <DL><p>
        <DT><A HREF="http://www.mozilla.com/firefox/central/" ICON="data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAABAAAAAQCAYAAAAf8/9hAAAA" ID="rdf:#$GvPhC3">はじめに</A>
        <DT><A HREF="http://fxfeeds.mozilla.com/" FEEDURL="http://fxfeeds.mozilla.com/rss20.xml" ID="rdf:#$HvPhC3">最新ニュース</A>
    </DL><p>
    <HR>
    <DT><H3 ADD_DATE="1150000001" ID="rdf:#$ZvPhC3">日本語</H3>
    <DL><p>
        <DT><A HREF="http://ja.wikipedia.org/wiki/" ADD_DATE="1150000002" LAST_CHARSET="UTF-8" SHORTCUTURL="wp" ID="rdf:#$1">メインページ - Wikipedia</A>
<DD>フリー百科事典
        <DT><A HREF="http://www.google.co.jp/search?q=%s&hl=ja" SHORTCUTURL="g" ID="rdf:#$2">検索 &amp; 辞書</A>
    </DL><p>
</DL><p>
"""

# Modern Firefox: a rule and the next bookmark on one line, "place:" urls,
# TAGS, a description on a folder, typographic quotes.
RULE_AND_ENTRY = """\
<!DOCTYPE NETSCAPE-Bookmark-file-1>
<!-- This is an automatically generated file.
     It will be read and overwritten.
     DO NOT EDIT! -->
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">
<TITLE>Bookmarks</TITLE>
<H1>Bookmarks Menu</H1>

<DL><p>
    <DT><A HREF="place:type=6&sort=14&maxResults=10" ADD_DATE="1463686912" LAST_MODIFIED="1463686912">Recent Tags</A>
    <HR>    <DT><A HREF="http://blog.example.org/2013/02/08/timeline/" ADD_DATE="1463686918" LAST_MODIFIED="1463686918" ICON_URI="http://blog.example.org/favicon.ico" TAGS="elves,timeline">Timeline of the Elves in Tolkien\u2019s works | Blog</A>
    <DT><H3 ADD_DATE="1463686920" LAST_MODIFIED="1463686925">Tolkien &amp; co</H3>
    <DD>A folder \u201cdescription\u201d with\u00a0a no-break space
    <DL><p>
        <DT><A HREF="http://a.example.org/" ADD_DATE="1" LAST_MODIFIED="2">A</A>
    </DL><p>
</DL>
"""

# Mac Internet Explorer 4.0: <HTML> before the DOCTYPE, a "<!Created by>"
# pseudo-comment, x-mac-roman bytes, valueless attributes (FOLDED, SUBSCRIBE),
# other attributes between HREF and ADD_DATE, TAB indents, blank lines.
MAC_FAVORITES = """\
<HTML>
<!DOCTYPE NETSCAPE-Bookmark-file-1>
<!Created by Microsoft Internet Explorer 4.0 >
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=x-mac-roman">
<TITLE>Favorites</TITLE>

<H1  SUBSTATUS_POS="626,230" WINDOW_OPEN="TRUE">Favorites</H1>

<DL><p>

\t<DT><H3  OBJECT_TYPE="LINK" FOLDED SORT_ORDER="0">Radio</H3>

\t<DL><p>

\t<DT><A HREF="http://radio.example.org/show?id=ME" ADD_DATE="985223131" OBJECT_TYPE="LINK" SUBSCRIBE MESSAGE="The site has changed." CHECKSUM="616484324" LAST_MODIFIED="996786687">Morning Edition</A>

\t<DT><A HREF="http://www.thislife.example/" SUBSCRIBE LAST_MODIFIED="965661969" ADD_DATE="988852077" OBJECT_TYPE="LINK" LAST_VISIT="996597281">This Life</A>

\t</DL><p>

\t<DT><H3  OBJECT_TYPE="LINK" SORT_ORDER="3" FOLDED>Services</H3>

\t<DL><p>

\t<DT><A HREF="https://bank.example.com/signin/start.jsp" OBJECT_TYPE="LINK" ADD_DATE="982841568" VISITATION_COUNT="46">Bank Online</A>

\t<DT><A HREF="http://maerchen.example/" OBJECT_TYPE="LINK">M\u00e4rchen</A>

\t<DT><A HREF="http://cafe.example/" OBJECT_TYPE="LINK">Caf\u00e9</A>

\t</DL><p>

</DL><p>
</HTML>
"""


def long_line_file():
    # Firefox with favicons: one line of 46,531 bytes (an ICON data URI) in a
    # folder three levels down.
    head = ('                <DT><A HREF="https://icons.example.org/" ADD_DATE="5" '
            'ICON_URI="https://icons.example.org/favicon.ico" ICON="data:image/png;base64,')
    tail = '">Big icon</A>'
    seed, noise = b"fern", b""
    while len(noise) < 40000:
        seed = hashlib.sha256(seed).digest()
        noise += seed
    icon = base64.b64encode(noise).decode()[: 46531 - len(head) - len(tail)]
    line = head + icon + tail
    assert len(line) == 46531
    return ("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
            '<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">\n'
            "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n"
            '    <DT><H3 ADD_DATE="1" LAST_MODIFIED="2" PERSONAL_TOOLBAR_FOLDER="true">Bookmarks Toolbar</H3>\n'
            "    <DL><p>\n"
            '        <DT><H3 ADD_DATE="3">Level 2</H3>\n'
            "        <DL><p>\n"
            '            <DT><H3 ADD_DATE="4">Level 3</H3>\n'
            "            <DL><p>\n" + line + "\n"
            '                <DT><A HREF="https://after.example.org/">After the long line</A>\n'
            "            </DL><p>\n        </DL><p>\n    </DL><p>\n</DL>\n")


# Netscape 4: CR LF, a page head before the DOCTYPE, two bookmark documents
# one after the other (the second with a blank line after every line), a
# rule outside any list, "&amp;" in names, an empty link text.
NETSCAPE4_CONCAT = """\
<BODY BGCOLOR="#FFFFFF">
<H1>My bookmarks</H1>
""" + NETSCAPE_HEADER + """\
<TITLE>Bookmarks for Taro</TITLE>
<H1>Bookmarks for Taro</H1>

<DL><p>
    <DT><H3 ADD_DATE="898000000">News &amp; Weather</H3>
    <DL><p>
        <DT><A HREF="http://news.example.com/" ADD_DATE="898000001" LAST_VISIT="898000002" LAST_MODIFIED="898000003">Market &amp; Sell</A>
        <HR>
        <DT><A HREF="http://empty.example.com/" ADD_DATE="898000004" LAST_VISIT="0" LAST_MODIFIED="0"></A>
    </DL><p>
</DL><p>
<HR>
<!DOCTYPE NETSCAPE-Bookmark-file-1>

<TITLE>Bookmarks for Hanako</TITLE>

<DL><p>

    <DT><A HREF="http://second.example.com/" ADD_DATE="898000005">Second file</A>

</DL><p>

"""

# Not a Netscape file: a Pocket-style export, for the readers to skip.
POCKET_LIKE = """\
<!DOCTYPE html>
<html>
<head><title>Pocket Export</title></head>
<body>
<h1>Unread</h1>
<ul>
<li><a href="http://read.example.com/1" time_added="1400000000" tags="">First article</a></li>
<li><a href="http://read.example.com/2" time_added="1400000001" tags="news">Second article</a></li>
</ul>
</body>
</html>
"""


def netscape():
    write("bookmarks/netscape/ie_utf8bom_crlf.htm",
          b"\xef\xbb\xbf" + crlf(IE_UTF8BOM_CRLF).encode("utf-8"))
    write("bookmarks/netscape/firefox_ja_crlf.html", crlf(FIREFOX_JA_CRLF).encode("utf-8"))
    write("bookmarks/netscape/rule_and_entry_on_one_line.html", RULE_AND_ENTRY.encode("utf-8"))
    write("bookmarks/netscape/mac_favorites_xmacroman.html", MAC_FAVORITES.encode("mac_roman"))
    write("bookmarks/netscape/long_line_icon.html", long_line_file().encode("ascii"))
    write("bookmarks/netscape/netscape4_concat_crlf.htm", crlf(NETSCAPE4_CONCAT).encode("ascii"))
    write("bookmarks/other/pocket_like.html", POCKET_LIKE.encode("ascii"))


# ---------------------------------------------------------------------------
# Opera hot lists

HOTLIST_JA = """\
Opera Hotlist version 2.0
Options: encoding = utf8, version=3

#FOLDER
\tID=11
\tNAME=1-ツールバー
\tCREATED=1150000000

#URL
\tID=12
\tNAME=はじめに
\tURL=http://www.opera.com/
\tCREATED=1150000001
\tDESCRIPTION=最初のページ

-

#FOLDER
\tID=13
\tNAME=2-検索

#URL
\tID=14
\tNAME=Google 検索
\tURL=http://www.google.co.jp/search?q=%s
\tSHORT NAME=g

#FOLDER
\tID=15
\tNAME=入れ子

#URL
\tID=16
\tNAME=空のURL
\tURL=
\tDESCRIPTION=

-

-

#URL
\tID=17
\tNAME=最後
\tURL=http://example.jp/
"""

# Fields indented with 8 spaces instead of a TAB (Bookmarks::Parser RT#75463).
HOTLIST_SPACES = """\
Opera Hotlist version 2.0
Options: encoding = utf8, version=21

#URL
        ID=4758
        NAME=Python
        URL=http://docs.example.org/python/toc.html
        CREATED=1210982400
        DESCRIPTION=A documentation sidebar
        ON PERSONALBAR=YES
        UNIQUEID=F55F6510D40C11DFA27B96B9D793E9C1

#FOLDER
        ID=4759
        NAME=Tools
        UNIQUEID=F55F6511D40C11DFA27B96B9D793E9C1

#URL
        ID=4760
        NAME=Validator
        URL=http://validator.example.org/
-
"""


def hotlists():
    write("bookmarks/opera/ja_utf8_crlf.adr", crlf(HOTLIST_JA).encode("utf-8"))
    write("bookmarks/opera/ja_utf8_lf.adr", HOTLIST_JA.encode("utf-8"))
    write("bookmarks/opera/spaces_indent.adr", HOTLIST_SPACES.encode("ascii"))


# ---------------------------------------------------------------------------
# Internet shortcuts and a Favorites folder

SHORTCUT_PROPERTIES = "[{000214A0-0000-0000-C000-000000000046}]\nProp3=19,2\n"


def shortcuts():
    fav = "shortcuts/Favorites/"
    files = {
        # A property section before [InternetShortcut], an empty IDList.
        "Bing.url": SHORTCUT_PROPERTIES + "[InternetShortcut]\nIDList=\n"
                    "URL=http://www.bing.example/?form=FAV\nIconIndex=0\n"
                    "IconFile=%ProgramFiles%\\Internet Explorer\\Images\\bing.ico\n",
        # No URL= at all.
        "Links/Suggested Sites.url": "[InternetShortcut]\n"
                                     "IconFile=https://ieonline.example/favicon.ico\nIconIndex=1\n",
        # An 8.3 name in upper case, a Web Slice section after the shortcut.
        "Links/WEB-SLIC.URL": SHORTCUT_PROPERTIES + "[InternetShortcut]\n"
                              "URL=http://go.example/?LinkId=121315\nIDList=\n"
                              "[MonitoredItem]\nFeedUrl=http://go.example/?LinkId=121315\n"
                              "IsLivePreview=true\n",
        "Links/Web Slice Gallery.url": "[InternetShortcut]\nURL=http://slices.example/\n",
        # Windows XP: [DEFAULT] BASEURL before the shortcut, a Japanese path.
        "本社/ポータル.url": "[DEFAULT]\nBASEURL=http://portal.example.jp/index.html\n"
                           "[InternetShortcut]\nURL=http://portal.example.jp/index.html\n"
                           "Modified=60A2A6A1E5C8C401D4\n",
        # A folder name code page 932 cannot hold.
        "L\u00e4nkar/Mer/Scox.url": "[InternetShortcut]\nURL=http://www.scox.example/\n"
                                   "IconFile=C:\\PROGRA~1\\Scox\\scox.ico\nIconIndex=0\n",
        # A full-width bar in the name, a frame section first, "&" in the name.
        "Bank\uff5cEnglish Site.url": "[DOC_suggest_frame]\nBASEURL=http://www.bank.example/\n"
                                     "ORIGURL=http://www.bank.example/frame\n"
                                     "[InternetShortcut]\nURL=http://www.bank.example/en/\n",
        "Q&A.url": "[InternetShortcut]\n"
                   "URL=http://www.microsoft.com/isapi/redir.dll?prd=ie&pver=6&ar=CLinks&lcid=&ver=\n",
    }
    for name, text in files.items():
        write(fav + name, crlf(text).encode("ascii"))
    # Folder settings: the top one in UTF-16LE with a byte-order mark, the
    # other in the ANSI code page; neither is a shortcut.
    write(fav + "Desktop.ini", b"\xff\xfe" + crlf(
        "[.ShellClassInfo]\nLocalizedResourceName=@%SystemRoot%\\system32\\shell32.dll,-21796\n"
    ).encode("utf-16-le"))
    write(fav + "Links/desktop.ini",
          crlf("[.ShellClassInfo]\nLocalizedResourceName=@%windir%\\System32\\ieframe.dll,-12385\n")
          .encode("ascii"))
    write(fav + "notes.txt", b"not a shortcut\r\n")
    # Two lines, as small as a shortcut gets.
    write("shortcuts/minimal.url", b"[InternetShortcut]\r\nURL=http://www.example.net/\r\n")


# ---------------------------------------------------------------------------
# INI files, for the GetPrivateProfileString-compatible reader

def ini():
    # A UTF-8 byte-order mark glued to the first line, here a section head;
    # CR LF; an empty section; keys with dots; no line end after the last value.
    write("ini/bom_glued_crlf.ini", b"\xef\xbb\xbf" + crlf(
        "[386Enh]\nwoafont=dosapp.fon\nEGA80WOA.FON=EGA80WOA.FON\n\n[drivers]\nwave=mmdrv.dll\n"
        "[mci]\n[Last]\nend=no line end").encode("ascii"))
    # Keys that contain "=" (the first "=" splits), duplicate keys under that
    # rule (the first wins), "*" as a key, a ";" comment before any section.
    write("ini/keys_with_equals.ini", (
        "; URL filter\n"
        "[prefs]\nenable=1\n\n[exclude]\n"
        "http://ads.example/*=\n"
        "\"http://img.example/img.php?url=http:/*\"=UUID:1111\n"
        "\"http://img.example/img.php?url=http%3A%2F%2Fother.example%2Fa.jpg&w=195\"=UUID:2222\n"
        "*=star\n").encode("ascii"))
    # A key before any section, blanks around "=", section names with ":",
    # LF, no line end at the end.
    write("ini/key_before_section.ini", (
        "Timeout = 30\n\n[Custom Kernel]\nCommand = /kernel.bin\nDefault = Yes\n\n"
        "[A:]\nCommand = fd0\n\n[C:]\nCommand = hd0").encode("ascii"))
    # "#" lines (keys to Windows, not comments), a bare key without "=", a
    # quoted value, doubled backslashes, one key in several sections.
    write("ini/hash_comments.ini", (
        "[mysqld]\n# set basedir to your installation path\nbasedir=C:\\\\app\\\\MySQL\n"
        "skip-grant-tables\n#innodb_buffer_pool_size=64M\nport=3306\n\n[client]\npassword=\"Password\"\nport=3307\n").encode("ascii"))
    # UTF-8 byte-order mark, then a text line before any section; empty
    # values; a left-over merge conflict (a bare "=======" line).
    write("ini/text_before_section.ini", b"\xef\xbb\xbf" + (
        "Opera Preferences version 2.1\n; Do not edit this file while Opera is running\n\n"
        "[User Prefs]\nLanguage Files Directory=\nHome URL=http://www.example.org/\n"
        "<<<<<<< HEAD\nRun=1\n=======\nRun=2\n>>>>>>> 0123abc\n").encode("ascii"))
    # A value of 401 characters; "Item, \"Name\" = \"...\"" with blanks around "="
    # and quotes inside the quoted value; a Japanese key in Shift-JIS.
    extensions = ";".join("EX%03d" % i for i in range(67))[:401]
    assert len(extensions) == 401
    write("ini/long_values.ini", (
        "[Winamp]\nconfig_extlist=" + extensions + "\nvolume=\n\n"
        "[Link Popup Menu]\n"
        "Item, \"Player\" = \"Execute program, \"/home/u/bin/play.sh\",\"%l >/dev/null 2>&1\",,\"Video\"\"\n"
        "--------------------1\n"
        "\u9078\u629e=\u65e5\u672c\u8a9e\n").encode("cp932"))
    # Windows writes Unicode INI files in UTF-16LE with a byte-order mark.
    write("ini/desktop_utf16le.ini", b"\xff\xfe" + crlf(
        "[.ShellClassInfo]\n"
        "LocalizedResourceName=@%SystemRoot%\\system32\\shell32.dll,-21796\n"
        "IconResource=%SystemRoot%\\system32\\imageres.dll,-115\n"
        "IconFile=%SystemRoot%\\system32\\shell32.dll\n"
        "IconIndex=-173\n"
        "\u8868\u793a\u540d=\u304a\u6c17\u306b\u5165\u308a\n"
        "[ViewState]\nMode=\nVid=\nFolderType=Documents\n").encode("utf-16-le"))


# ---------------------------------------------------------------------------
# Japanese text in every encoding the detector knows

# Kana-rich prose; Japanese runs are often followed by ASCII letters or
# digits, so the UTF-7 form closes them with "-". Nothing here differs between
# the CP932 and JIS mappings.
PROSE = """\
Fern Browserのタブは、ページを開くたびに右へ並びます。
閉じたタブは「最近閉じたタブ」から10個まで戻せます。
ブックマークはShift-JISのリストファイルに保存され、ほかのブラウザの形式でも読み書きできます。
アドレスバーに入力したURLは履歴として残り、次に入力するときの候補になります。
ポップアップやダイアログを閉じるフィルタは、URLとタイトルの2つのリストで動きます。
"""

# 1,100 bytes of ASCII, then Japanese: only the first 1,024 bytes decide.
ASCII_HEAD = ("This line is plain ASCII text, as the head of a manual page would be.\n" * 16) + \
    "ここから日本語です。ブックマークとタブの説明が続きます。\n"

# Half-width katakana (and a few full-width letters), as in an IE file name.
HALF_KANA = ("\uff75\uff70\uff99\uff7c\uff9e\uff6c\uff8a\uff9f\uff9d\uff83\uff68\uff70\uff81"
             "\uff9d\uff78\uff9e\uff8c\uff9f\uff9b\uff7a\uff9e\uff99\uff8c協会ＨＰ.url\n")


def encodings():
    forms = {
        "sjis": lambda t: t.encode("cp932"),
        "eucjp": lambda t: t.encode("euc_jp"),
        "iso2022jp": lambda t: t.encode("iso2022_jp"),
        "utf8": lambda t: t.encode("utf-8"),
        "utf8bom": lambda t: b"\xef\xbb\xbf" + t.encode("utf-8"),
        "utf16le": lambda t: b"\xff\xfe" + t.encode("utf-16-le"),
        "utf16be": lambda t: b"\xfe\xff" + t.encode("utf-16-be"),
        "utf7": lambda t: t.encode("utf-7"),
    }
    for form, encode in forms.items():
        write("encodings/prose.%s.txt" % form, encode(PROSE))
    for form in ("sjis", "eucjp", "iso2022jp", "utf8"):
        write("encodings/asciihead.%s.txt" % form, forms[form](ASCII_HEAD))
    for form in ("sjis", "eucjp", "utf8"):
        write("encodings/halfkana.%s.txt" % form, forms[form](HALF_KANA))
    write("encodings/ascii.txt", crlf("Plain ASCII, C++ and 1+1=2.\nA second line.\n").encode("ascii"))

# ---------------------------------------------------------------------------
# Our own list files (.fbl), as the program writes them: CR LF, Shift-JIS

LIST_HEADER = "#INFO\n\tENCODE=SHIFT_JIS\n\tVERSION=1\n\n"

BOOKMARK_FBL = LIST_HEADER + """\
#FOLDER
\tNAME=Fern Browser BookMark
\tCREATED=1000

#URL
\tNAME=ソフト表示
\tURL=http://example.jp/ソ
\tDESC=一行目\x02\x02二行目
\tSTYLE=144
\tEXSTYLE=0
\tCREATED=1234

#SEP

#FOLDER
\tNAME=フォルダ
\tCREATED=5

#URL
\tNAME=inner
\tURL=http://i/
\tSTYLE=112
\tEXSTYLE=2
\tCREATED=0

-

-

#FOLDER
\tNAME=ゴミ箱
\tCREATED=7

-

"""

STATE_FBL = LIST_HEADER + """\
#FOLDER
\tNAME=laststate

#URL
\tURL=http://a.example.jp/表
\tSTYLE=112

#URL
\tNAME=名前だけ

#URL
\tURL=http://b.example.jp/
\tSTYLE=240

-

"""

TYPED_FBL = LIST_HEADER + """\
#FOLDER
\tNAME=typedurl

#URL
\tURL=http://typed.example.jp/

-

#FOLDER
\tNAME=hshword

#URL
\tURL=検索語

-

#FOLDER
\tNAME=wbsword

-

"""

CLOSE_FBL = LIST_HEADER + """\
#FOLDER
\tNAME=closeurl

#URL
\tURL=http://ads.*

-

#FOLDER
\tNAME=closetitle

#URL
\tURL=*広告*

-

"""


def lists():
    write("lists/bookmark.fbl", crlf(BOOKMARK_FBL).encode("cp932"))
    write("lists/state.fbl", crlf(STATE_FBL).encode("cp932"))
    write("lists/typed.fbl", crlf(TYPED_FBL).encode("cp932"))
    write("lists/close.fbl", crlf(CLOSE_FBL).encode("cp932"))
    # No header, LF, a folder never closed.
    write("lists/bare_lf.fbl", "#FOLDER\n\tNAME=x\n#URL\n\tURL=http://x/\n".encode("cp932"))


# ---------------------------------------------------------------------------
# Session files: one field a line, values with control bytes and "%" escaped,
# closed by "END=<records> <SHA-256 of the bytes before that line>"

def session_bytes(records, closed=0, selected=0):
    body = "FERNSESSION 1\nCLOSED=%d\nSELECTED=%d\n" % (closed, selected)
    for kind, fields in records:
        body += "#%s\n" % kind + "".join("%s=%s\n" % field for field in fields)
    data = body.encode("cp932")
    return data + ("END=%d %s\n" % (len(records), hashlib.sha256(data).hexdigest())).encode("ascii")


SESSION_TABS = [
    ("TAB", [("URL", "http://a.example.jp/ソ?q=100%25"), ("TITLE", "表示%09タブ"), ("DLC", "144"),
             ("LOCK", "1"), ("BACK", "http://a.example.jp/0\t前の頁"), ("FORWARD", "http://a.example.jp/2\t")]),
    ("TAB", [("URL", "http://b.example.jp/"), ("TITLE", ""), ("DLC", "112"), ("LOADING", "1")]),
    ("PENDING", [("URL", "http://c.example.jp/"), ("TITLE", "保留"), ("DLC", "112")]),
]


def sessions():
    whole = session_bytes(SESSION_TABS, selected=1)
    write("session/open.fss", whole)
    write("session/closed.fss", session_bytes(SESSION_TABS[:1], closed=1))
    write("session/cut.fss", whole[:len(whole) // 2])
    write("session/crlf.fss", whole.replace(b"\n", b"\r\n"))


def main():
    netscape()
    hotlists()
    shortcuts()
    ini()
    encodings()
    lists()
    sessions()
    return 0


if __name__ == "__main__":
    sys.exit(main())
