#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "commands/CommandCatalogue.h"
#include "commands/KeyManager.h"
#include "commands/KeySettingsEditor.h"
#include "lists/TempFolder.h"
#include "platform/fs/FileIo.h"

using namespace fern;
using fern::testing::TempFolder;

namespace {

KeyBinding Key(std::uint16_t code, std::uint8_t modifiers = 0, bool fixed = false) {
    return KeyBinding{static_cast<std::uint8_t>(kKeyVirtual | modifiers), code, fixed};
}

constexpr std::int32_t kCtrlT = 0x01090054;  // Ctrl+T, fixed
constexpr std::int32_t kF5 = 0x01010074;

}  // namespace

TEST(KeyBinding, ValuesTextsAndNames) {
    KeyBinding ctrlAltF = Key('F', kKeyControl | kKeyAlt);
    EXPECT_EQ(KeyText(ctrlAltF), "Ctrl+Alt+F");
    EXPECT_EQ(KeyText(Key(0x22, kKeyControl | kKeyShift)), "Ctrl+Shift+Page Down");
    EXPECT_EQ(KeyText(Key(0x74)), "F5");
    EXPECT_EQ(KeyText(Key(0xFF)), "0xFF");
    EXPECT_EQ(ctrlAltF.Value(), 0x02190046);  // kind 2: the user's
    auto back = KeyFromValue(kCtrlT);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->fixed);
    EXPECT_EQ(KeyText(*back), "Ctrl+T");
    EXPECT_EQ(KeyFromValue(0), std::nullopt);
    EXPECT_EQ(KeyFromValue(0x01090000), std::nullopt);  // no key
    EXPECT_EQ(ParseKeyText("Alt+Left"), Key(0x25, kKeyAlt));
    EXPECT_EQ(ParseKeyText("Ctrl+Nope"), std::nullopt);
    for (std::uint32_t code = 1; code < 0xFF; ++code) {
        std::string name = VirtualKeyName(static_cast<std::uint16_t>(code));
        if (!name.empty()) {
            EXPECT_EQ(ParseKeyText(name)->key, code) << name;
        }
    }
}

TEST(KeyManager, ReadsTheFileAsTheFormatSays) {
    CKeyManager keys;
    // Odd spacing, a zero and garbage among the values, an empty slot, an
    // unknown id, and a gap after ID2 that ends the reading.
    keys.ParseInto("[MainFrame]\r\nID0 = 0\r\nKeys0= " + std::to_string(kCtrlT) +
                       " , 0,junk, 34144334\r\n"
                       "ID1=18\r\nKeys1=" +
                       std::to_string(kF5) +
                       "\r\n"
                       "ID2=132\r\nKeys2=" +
                       std::to_string(kF5) +
                       "\r\n"
                       "ID4=5\r\nKeys4=" +
                       std::to_string(kCtrlT) + "\r\n",
                   false);
    ASSERT_EQ(keys.KeysOf(ID_NEW_TAB).size(), 2u);
    EXPECT_TRUE(keys.KeysOf(ID_NEW_TAB)[0].fixed);
    EXPECT_EQ(KeyText(keys.KeysOf(ID_NEW_TAB)[1]), "Ctrl+N");
    EXPECT_FALSE(keys.KeysOf(ID_NEW_TAB)[1].fixed);
    EXPECT_EQ(keys.KeyTextOf(ID_TAB_REFRESH), "F5");
    EXPECT_TRUE(keys.KeysOf(ID_FILE_OPEN_URL).empty());  // after the gap
    EXPECT_EQ(keys.CommandOfKey(Key(0x74)), ID_TAB_REFRESH);

    // A slot past the table ends the reading too; garbage never throws.
    CKeyManager other;
    other.ParseInto("[MainFrame]\nID0=144\nKeys0=" + std::to_string(kF5) + "\n", false);
    EXPECT_EQ(other, CKeyManager());
    other.ParseInto(std::string("\xFF\xFE\0[Main", 9), false);
    other.ParseInto("[MainFrame]\nID0=-1\n", false);

    // Ten thousand bindings of one command, read whole.
    std::string many = "[MainFrame]\nID0=0\nKeys0=";
    for (int i = 0; i < 10000; ++i) many += (i ? "," : "") + std::to_string(0x02010000 | (0x100 + i));
    CKeyManager big;
    big.ParseInto(many, false);
    EXPECT_GT(big.KeysOf(ID_NEW_TAB).size(), 100u);  // as far as the 4096-byte value reaches
}

TEST(KeyManager, UserKeysGoOverTheDefaultsAndOnlyTheyAreWritten) {
    TempFolder folder;
    std::string defaults = folder.File("defaults.ini"), user = folder.File("keys.ini");
    ASSERT_TRUE(
        WriteFileAtomic(defaults, "[MainFrame]\r\nID0=0\r\nKeys0=" + std::to_string(kCtrlT) + "\r\n"));
    ASSERT_TRUE(
        WriteFileAtomic(user, "; mine\r\n[Other]\r\nx=1\r\n[MainFrame]\r\nID0=132\r\nKeys0=34144338\r\n"));
    CKeyManager keys;
    keys.AddBuiltinKeys();
    ASSERT_TRUE(keys.LoadDefaults(defaults).ok);
    ASSERT_TRUE(keys.LoadUser(user).ok);
    EXPECT_EQ(keys.KeyTextOf(ID_NEW_TAB), "Ctrl+T");  // the defaults stay when the user has keys
    EXPECT_EQ(keys.KeyTextOf(ID_TAB_REFRESH), "Ctrl+R");
    EXPECT_EQ(keys.KeyTextOf(ID_TAB_BACK), "Alt+Left");  // built in: back has no slot

    EXPECT_TRUE(keys.AddUserKey(ID_TAB_REFRESH, Key(0x74)));
    EXPECT_TRUE(keys.AddUserKey(ID_TAB_REFRESH, Key('Q', kKeyShift)));
    EXPECT_FALSE(keys.AddUserKey(ID_TAB_CLOSE, Key('T', kKeyControl)));  // Ctrl+T is taken
    EXPECT_TRUE(keys.AddUserKey(ID_TAB_BACK, Key('B', kKeyControl)));    // kept, never written: no slot
    ASSERT_TRUE(keys.Save(user).ok);
    EXPECT_EQ(ReadWholeFile(user),
              "; mine\r\n[Other]\r\nx=1\r\n[MainFrame]\r\nID0=132\r\n"
              "Keys0=34144338,33620084,33882193\r\n");

    // A restart reads both again; the default key still works.
    CKeyManager again;
    again.LoadDefaults(defaults);
    again.LoadUser(user);
    EXPECT_EQ(again.CommandOfKey(Key('T', kKeyControl)), ID_NEW_TAB);
    EXPECT_EQ(again.KeyTextOf(ID_TAB_REFRESH), "Ctrl+R,F5,Shift+Q");

    // Fixed keys cannot go; delete-all leaves only them.
    EXPECT_FALSE(again.RemoveKey(ID_NEW_TAB, Key('T', kKeyControl)));
    EXPECT_TRUE(again.RemoveKey(ID_TAB_REFRESH, Key(0x74)));
    again.RemoveAllUserKeys();
    EXPECT_EQ(again.KeyTextOf(ID_NEW_TAB), "Ctrl+T");
    EXPECT_EQ(again.KeyTextOf(ID_TAB_REFRESH), "");

    // A key file that cannot be read is not a missing one.
    mkfifo(folder.File("fifo.ini").c_str(), 0600);
    EXPECT_FALSE(CKeyManager().LoadUser(folder.File("fifo.ini")).ok);
    EXPECT_TRUE(CKeyManager().LoadUser(folder.File("none.ini")).missing);
    EXPECT_FALSE(CKeyManager().LoadDefaults(folder.File("none.ini")).ok);
}

TEST(KeyManager, AFixedKeyInTheUsersFileSurvivesASave) {
    TempFolder folder;
    std::string user = folder.File("keys.ini");
    const std::string fixedF2 = std::to_string(0x01010071);
    ASSERT_TRUE(WriteFileAtomic(user, "[MainFrame]\r\nID0=132\r\nKeys0=" + fixedF2 + "\r\n"));
    CKeyManager keys;
    ASSERT_TRUE(keys.LoadUser(user).ok);
    EXPECT_FALSE(keys.RemoveKey(ID_TAB_REFRESH, Key(0x71)));  // still fixed for the dialog
    ASSERT_TRUE(keys.Save(user).ok);
    EXPECT_EQ(ReadWholeFile(user), "[MainFrame]\r\nID0=132\r\nKeys0=" + fixedF2 + "\r\n");
}

TEST(KeySettingsEditor, AddingATakenKeyNamesItsCommandAndFixedKeysStay) {
    CKeyManager keys;
    keys.ParseInto("[MainFrame]\nID0=0\nKeys0=" + std::to_string(kCtrlT) + "\n", true);
    CKeySettingsEditor editor(keys);
    EXPECT_EQ(editor.Add(ID_TAB_CLOSE, Key('T', kKeyControl)), "新規タブで使用中");
    EXPECT_EQ(editor.Add(ID_TAB_CLOSE, Key('W', kKeyControl)), "");
    EXPECT_EQ(editor.Delete(ID_NEW_TAB, Key('T', kKeyControl)), kKeyFixedMessage);
    editor.DeleteAll();
    EXPECT_EQ(editor.Keys().KeyTextOf(ID_TAB_CLOSE), "");
    EXPECT_EQ(editor.Keys().KeyTextOf(ID_NEW_TAB), "Ctrl+T");
    EXPECT_EQ(keys.KeyTextOf(ID_TAB_CLOSE), "");  // the copy, not the program's keys

    std::vector<KeyCommandRow> tabs =
        CKeySettingsEditor::CommandsOf(6, {ID_TAB_NEXT, ID_TAB_CLOSE_OTHERS, ID_NEW_TAB});
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_EQ(tabs[0].name, "次のタブ");
    EXPECT_EQ(tabs[1].id, ID_TAB_CLOSE_OTHERS);
}
