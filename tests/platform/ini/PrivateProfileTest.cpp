#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "TestData.h"
#include "lists/TempFolder.h"
#include "platform/ini/PrivateProfile.h"

using namespace fern;
using fern::testing::ReadBytes;
using fern::testing::WriteBytes;

namespace {

std::string IniFixture(const char* name) { return fern::testing::Fixture(std::string("ini/") + name); }
std::string IniCorpus(const char* name) { return fern::testing::Corpus(std::string("ini/") + name); }

class PrivateProfileTest : public ::testing::Test {
protected:
    fern::testing::TempFolder folder;
    std::string dir_ = folder.Path(), path_ = folder.File("a.ini");

    std::string Get(const char* section, const char* key, std::size_t size = 0) {
        return GetPrivateProfileString(section, key, "<none>", path_, size);
    }
};

}  // namespace

TEST_F(PrivateProfileTest, ReadsFilesWrittenByHand) {
    WriteBytes(path_,
               "top=before any section\r\n"
               "  [ Main ]  \r\n"
               "\tName \t=  \tvalue with  inner  blanks \t\r\n"
               "  ;indented=comment too\n"
               "bare line without equals\n"
               "dup=first\n"
               "DUP=second\n"
               "empty=\n"
               "q1=\"  quoted  \"\n"
               "q2='single'\n"
               "q3=\"mismatched'\n"
               "q4=\"\n"
               "eq=a=b=c\n"
               "\n"
               "[ゾ]\n"  // 0x83 0x5D: its trail byte is "]"
               "設定=日本語\n"
               "[ゾ\n"
               "lost=no header above\n"
               "[main]\n"
               "shadowed=the first section holds\n"
               "[Last]\n"
               "end=no line end");
    const std::pair<const char*, const char*> cases[] = {
        {";indented", "<none>"}, {"bare line without equals", "<none>"},
        {"dup", "first"},        {"empty", ""},
        {"q1", "  quoted  "},    {"q2", "single"},
        {"q3", "\"mismatched'"}, {"q4", "\""},
        {"eq", "a=b=c"},         {"shadowed", "<none>"},
        {"top", "<none>"}};
    for (auto [key, expected] : cases) EXPECT_EQ(Get("main", key), expected) << key;
    EXPECT_EQ(Get(" MAIN ", " NAME "), "value with  inner  blanks");
    EXPECT_EQ(Get("ゾ", "設定"), "日本語");
    // "[ゾ" has no closing bracket, so the line after it still belongs to "ゾ".
    EXPECT_EQ(Get("ゾ", "lost"), "no header above");
    EXPECT_EQ(Get("last", "END"), "no line end");
    // "ア" is 0x83 0x41 and must not match 0x83 0x61 by folding its trail byte.
    WriteBytes(path_, "[ア]\nk=v\n");
    EXPECT_EQ(Get("ア", "K"), "v");
    EXPECT_EQ(Get("\x83\x61", "k"), "<none>");
    EXPECT_EQ(GetPrivateProfileString("s", "k", "dflt", dir_ + "/none.ini"), "dflt");
    EXPECT_EQ(GetPrivateProfileString("s", "k", "dflt", dir_), "dflt");  // a folder
}

TEST_F(PrivateProfileTest, BufferSizeCutsBytesExactly) {
    WriteBytes(path_, "[s]\nk=abcdef\nj=日本\n");
    EXPECT_EQ(Get("s", "k", 0) + "|" + Get("s", "k", 1) + "|" + Get("s", "k", 4) + "|" + Get("s", "k", 7) +
                  "|" + Get("s", "k", 100),
              "abcdef||abc|abcdef|abcdef");
    EXPECT_EQ(Get("s", "j", 2), std::string("日").substr(0, 1));  // half a character
    EXPECT_EQ(Get("s", "missing", 4), "<no");
}

TEST_F(PrivateProfileTest, IntegersReadLikeAtol) {
    const std::pair<const char*, int> cases[] = {{"12abc", 12},  {"abc", 0},         {"", 99},
                                                 {"   ", 99},    {"  -7  ", -7},     {"+5", 5},
                                                 {"\"42\"", 42}, {"4294967295", -1}, {"-2147483648", INT_MIN},
                                                 {"- 5", 0},     {"0x10", 0}};
    int i = 0;
    for (auto [text, expected] : cases) {
        std::string path = dir_ + "/n" + std::to_string(i++) + ".ini";
        WriteBytes(path, std::string("[n]\nk=") + text + "\n");
        EXPECT_EQ(GetPrivateProfileInt("n", "k", 99, path), expected) << text;
    }
    EXPECT_EQ(GetPrivateProfileInt("n", "missing", 99, path_), 99);
    EXPECT_EQ(GetPrivateProfileInt("n", "k", -3, dir_ + "/none.ini"), -3);
}

TEST_F(PrivateProfileTest, ReadsTheQuirksOfWindowsFiles) {
    auto Read = [](const char* file, const char* section, const char* key) {
        return GetPrivateProfileString(section, key, "<none>", IniFixture(file));
    };
    // The byte-order mark is skipped, so the section head glued to it counts.
    EXPECT_EQ(Read("bom_glued_crlf.ini", "386enh", "woafont"), "dosapp.fon");
    EXPECT_EQ(Read("bom_glued_crlf.ini", "386Enh", "ega80woa.fon"), "EGA80WOA.FON");
    EXPECT_EQ(Read("bom_glued_crlf.ini", "drivers", "wave"), "mmdrv.dll");
    EXPECT_EQ(Read("bom_glued_crlf.ini", "mci", "wave"), "<none>");
    EXPECT_EQ(Read("bom_glued_crlf.ini", "last", "end"), "no line end");
    // The first "=" splits, so keys may hold "=" and a later twin is shadowed.
    EXPECT_EQ(Read("keys_with_equals.ini", "exclude", "\"http://img.example/img.php?url"),
              "http:/*\"=UUID:1111");
    EXPECT_EQ(Read("keys_with_equals.ini", "exclude", "http://ads.example/*"), "");
    EXPECT_EQ(Read("keys_with_equals.ini", "exclude", "*"), "star");
    EXPECT_EQ(Read("keys_with_equals.ini", "prefs", "enable"), "1");
    // A key before any section belongs to none; blanks around "=" go.
    EXPECT_EQ(Read("key_before_section.ini", "", "Timeout"), "<none>");
    EXPECT_EQ(Read("key_before_section.ini", "a:", "command"), "fd0");
    EXPECT_EQ(Read("key_before_section.ini", "Custom Kernel", "Default"), "Yes");
    EXPECT_EQ(Read("key_before_section.ini", "C:", "Command"), "hd0");
    // "#" starts no comment; a bare word is no key; quotes around a value go.
    EXPECT_EQ(Read("hash_comments.ini", "mysqld", "#innodb_buffer_pool_size"), "64M");
    EXPECT_EQ(Read("hash_comments.ini", "mysqld", "skip-grant-tables"), "<none>");
    EXPECT_EQ(Read("hash_comments.ini", "mysqld", "basedir"), "C:\\\\app\\\\MySQL");
    EXPECT_EQ(Read("hash_comments.ini", "client", "password"), "Password");
    EXPECT_EQ(Read("hash_comments.ini", "mysqld", "port") + Read("hash_comments.ini", "client", "port"),
              "33063307");
    // A text line before the first section; a merge conflict keeps the first.
    EXPECT_EQ(Read("text_before_section.ini", "User Prefs", "Language Files Directory"), "");
    EXPECT_EQ(Read("text_before_section.ini", "user prefs", "Home URL"), "http://www.example.org/");
    EXPECT_EQ(Read("text_before_section.ini", "User Prefs", "Run"), "1");
    // Long values, quotes inside a quoted value, a Shift-JIS key.
    EXPECT_EQ(Read("long_values.ini", "WINAMP", "config_extlist").size(), 401u);
    EXPECT_EQ(Read("long_values.ini", "Winamp", "volume"), "");
    EXPECT_EQ(Read("long_values.ini", "Link Popup Menu", "Item, \"Player\""),
              "Execute program, \"/home/u/bin/play.sh\",\"%l >/dev/null 2>&1\",,\"Video\"");
    EXPECT_EQ(Read("long_values.ini", "Link Popup Menu", "選択"), "日本語");
    // The UTF-16 file is converted to Shift-JIS for reading.
    EXPECT_EQ(Read("desktop_utf16le.ini", ".ShellClassInfo", "IconFile"),
              "%SystemRoot%\\system32\\shell32.dll");
    EXPECT_EQ(Read("desktop_utf16le.ini", ".ShellClassInfo", "表示名"), "お気に入り");
    EXPECT_EQ(GetPrivateProfileInt(".ShellClassInfo", "IconIndex", 0, IniFixture("desktop_utf16le.ini")),
              -173);
}

TEST_F(PrivateProfileTest, ReadsRealFilesFromOtherPrograms) {
    FERN_NEEDS_CORPUS();
    auto Read = [](const char* file, const char* section, const char* key) {
        return GetPrivateProfileString(section, key, "<none>", IniCorpus(file));
    };
    // The byte-order mark is skipped, so the first line is a comment.
    EXPECT_EQ(Read("win10_system.ini", "386enh", "woafont"), "dosapp.fon");
    EXPECT_EQ(Read("mirc_servers.ini", "servers", "n1"),
              "Random serverSERVER:irc.ablenet.org:6667GROUP:AbleNET");
    EXPECT_EQ(Read("osldr_boot.ini", "a:", "command"), "fd0");
    EXPECT_EQ(Read("osldr_boot.ini", "", "Timeout"), "<none>");
    EXPECT_EQ(Read("mysql_my.ini", "client", "password"), "Password");
    EXPECT_EQ(Read("mysql_my.ini", "mysqld", "basedir"), "C:\\\\app\\\\MySQL");
    EXPECT_EQ(Read("mysql_my.ini", "mysqld", "skip-grant-tables"), "<none>");
    EXPECT_EQ(Read("opera_urlfilter.ini", "exclude", "\"http://static.rss141.com/img.php?url"),
              "http:/*\"=UUID:7D49DDB090DA11E38DDBF8EDFB2F5DEB");
    EXPECT_EQ(Read("opera_standard_menu_1.ini", "Link Popup Menu", "Item, \"Mplayer\""),
              "Execute program, \"/home/alycolas/bin/flvcd.sh\",\"%l >/dev/pt0 2>&1\",,"
              "\"Attachment Video\"");
    EXPECT_EQ(Read("opera_operaprefs.ini", "User Prefs", "Language Files Directory"), "");
    EXPECT_EQ(Read("winamp.ini", "WINAMP", "config_extlist").size(), 401u);
    // The UTF-16 file is converted to Shift-JIS for reading.
    EXPECT_EQ(Read("favorites_desktop_utf16le.ini", ".ShellClassInfo", "IconFile"),
              "%SystemRoot%\\system32\\shell32.dll");
    EXPECT_EQ(
        GetPrivateProfileInt(".ShellClassInfo", "IconIndex", 0, IniCorpus("favorites_desktop_utf16le.ini")),
        -173);
}

TEST_F(PrivateProfileTest, WritesChangeOnlyTheirLines) {
    const std::string original =
        "; settings\n"
        "[Main]\n"
        "  Keep = as  is \n"
        "Name=old\n"
        "name=duplicate\n"
        "\n"
        "; about Other\n"
        "[Other]\r\n"
        "x=1";
    WriteBytes(path_, original);
    ASSERT_TRUE(WritePrivateProfileString("main", "NAME", "new", path_));
    ASSERT_TRUE(WritePrivateProfileString("MAIN", "added", "日本語", path_));
    ASSERT_TRUE(WritePrivateProfileString("Other", "y", "2", path_));
    ASSERT_TRUE(WritePrivateProfileString("新しい", "k", "v", path_));
    EXPECT_EQ(ReadBytes(path_),
              "; settings\n"
              "[Main]\n"
              "  Keep = as  is \n"
              "Name=new\r\n"
              "name=duplicate\n"
              "added=日本語\r\n"
              "\n"
              "; about Other\n"
              "[Other]\r\n"
              "x=1\r\n"
              "y=2\r\n"
              "[新しい]\r\n"
              "k=v\r\n");
    EXPECT_EQ(Get("Main", "name"), "new");
    EXPECT_EQ(Get("新しい", "k"), "v");

    // Deleting a key removes its duplicates too, so no old value shows through.
    ASSERT_TRUE(WritePrivateProfileString("main", "name", std::nullopt, path_));
    EXPECT_EQ(Get("Main", "name"), "<none>");
    ASSERT_TRUE(WritePrivateProfileString("Other", std::nullopt, std::nullopt, path_));
    EXPECT_EQ(ReadBytes(path_),
              "; settings\n"
              "[Main]\n"
              "  Keep = as  is \n"
              "added=日本語\r\n"
              "\n"
              "; about Other\n"
              "[新しい]\r\n"
              "k=v\r\n");

    // Every section of a duplicated name goes, or the second would show.
    WriteBytes(path_, "[a]\nk=1\n[b]\nk=2\n[A]\nk=3\n");
    ASSERT_TRUE(WritePrivateProfileString("a", std::nullopt, std::nullopt, path_));
    EXPECT_EQ(ReadBytes(path_), "[b]\nk=2\n");
    // A key missing from the first of two sections goes into the first.
    WriteBytes(path_, "[a]\nk=1\n[a]\nz=2\n");
    ASSERT_TRUE(WritePrivateProfileString("a", "z", "3", path_));
    EXPECT_EQ(ReadBytes(path_), "[a]\nk=1\nz=3\r\n[a]\nz=2\n");

    // A UTF-8 byte-order mark stays; a section without keys takes its first.
    WriteBytes(path_, "\xEF\xBB\xBF[empty]");
    ASSERT_TRUE(WritePrivateProfileString("empty", "k", "v", path_));
    EXPECT_EQ(ReadBytes(path_), "\xEF\xBB\xBF[empty]\r\nk=v\r\n");
}

TEST_F(PrivateProfileTest, WritesCreateFilesAndFailWithoutHarm) {
    std::string fresh = dir_ + "/new.ini";
    ASSERT_TRUE(WritePrivateProfileString("s", "k", std::nullopt, fresh));
    ASSERT_TRUE(WritePrivateProfileString("s", std::nullopt, std::nullopt, fresh));
    EXPECT_FALSE(std::filesystem::exists(fresh));  // nothing to delete: no file made
    ASSERT_TRUE(WritePrivateProfileString("s", "k", "v", fresh));
    EXPECT_EQ(ReadBytes(fresh), "[s]\r\nk=v\r\n");

    EXPECT_FALSE(WritePrivateProfileString("s", "k", "v", dir_ + "/no/such/folder/x.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/no"));
    EXPECT_FALSE(WritePrivateProfileString("s", "k", "v", dir_));
    // A file that is there but cannot be read is not overwritten (a FIFO: a
    // write would replace it, unlike a folder).
    std::string blocked = dir_ + "/fifo.ini";
    fern::testing::FifoInPlace fifo(blocked);
    ASSERT_TRUE(fifo.Made());
    EXPECT_EQ(GetPrivateProfileString("s", "k", "dflt", blocked), "dflt");
    EXPECT_FALSE(WritePrivateProfileString("s", "k", "v", blocked));
    EXPECT_FALSE(WritePrivateProfileString("s", std::nullopt, std::nullopt, blocked));
    EXPECT_TRUE(fifo.StillThere());

    // Nothing may inject lines or write a key that would not read back.
    WriteBytes(path_, "[s]\nk=1\n");
    EXPECT_FALSE(WritePrivateProfileString("s", "k", "1\r\n[evil]\r\nx=y", path_));
    EXPECT_FALSE(WritePrivateProfileString("s", "a=b", "1", path_));
    EXPECT_FALSE(WritePrivateProfileString("s", ";k", "1", path_));
    EXPECT_FALSE(WritePrivateProfileString("s\n", "k", "1", path_));
    EXPECT_FALSE(WritePrivateProfileString("\x83", "k", "1", path_));  // lead byte + "]"
    EXPECT_EQ(ReadBytes(path_), "[s]\nk=1\n");
}

TEST_F(PrivateProfileTest, Utf16FilesStayUtf16) {
    std::filesystem::copy_file(IniFixture("desktop_utf16le.ini"), path_);
    std::string before = ReadBytes(path_);
    ASSERT_TRUE(WritePrivateProfileString(".ShellClassInfo", "IconIndex", "-5", path_));
    std::string after = ReadBytes(path_);
    ASSERT_EQ(after.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(GetPrivateProfileInt(".ShellClassInfo", "IconIndex", 0, path_), -5);
    // Everything outside the changed line is the same UTF-16 bytes.
    std::size_t head =
        before.find(std::string("-\0"
                                "1\0"
                                "7\0"
                                "3\0",
                                8));
    ASSERT_NE(head, std::string::npos);
    EXPECT_EQ(after.substr(0, head), before.substr(0, head));
    EXPECT_EQ(after.substr(head + 4), before.substr(head + 8));

    // A character with no Shift-JIS form would become "?": no write.
    std::string hangul = std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\x00\xAC", 18);
    WriteBytes(path_, hangul);
    EXPECT_EQ(GetPrivateProfileString("s", "k", "", path_), "?");
    EXPECT_FALSE(WritePrivateProfileString("s", "j", "1", path_));
    EXPECT_EQ(ReadBytes(path_), hangul);
}

TEST_F(PrivateProfileTest, ReadsSeeChangesMadeByOthers) {
    WriteBytes(path_, "[s]\nk=1\n");
    EXPECT_EQ(Get("s", "k"), "1");
    WriteBytes(path_, "[s]\nk=22\n");  // rewritten in place
    EXPECT_EQ(Get("s", "k"), "22");
    std::string other = dir_ + "/b.ini";
    WriteBytes(other, "[s]\nk=33\n");
    std::filesystem::rename(other, path_);  // replaced by a new file
    EXPECT_EQ(Get("s", "k"), "33");
    std::filesystem::remove(path_);
    EXPECT_EQ(Get("s", "k"), "<none>");
}
