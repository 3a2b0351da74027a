#include <gtest/gtest.h>

#include "frame/TrayRules.h"

using namespace fern;

TEST(TrayHotKeySetting, ValuesAndTheirText) {
    struct Case {
        int value;
        const char* text;  // nullptr: no hot key
    } cases[] = {
        {0, nullptr},
        {(0x46 << 16) | 0x3, "Ctrl+Alt+F"},
        {(0x46 << 16) | 0x7, "Ctrl+Shift+Alt+F"},
        {(0x41 << 16) | 0x4, "Shift+A"},
        {(0x70 << 16), "F1"},               // a function key may stand alone
        {(0x46 << 16), nullptr},            // a letter alone would be taken from every program
        {(0x46 << 16) | 0x18, nullptr},     // only unknown modifier bits
        {(0x46 << 16) | 0xFF02, "Ctrl+F"},  // unknown bits beside known ones are dropped
        {0x3, nullptr},                     // modifiers without a key
        {-1, nullptr},                      // key 0xFFFF
        {(0xFF << 16) | 0x2, nullptr},
        {(0xE8 << 16) | 0x2, "Ctrl+unknown"},  // a code without a name
    };
    for (const auto& c : cases) {
        std::optional<TrayHotKey> key = HotKeyOfSetting(c.value);
        if (!c.text) {
            EXPECT_FALSE(key) << c.value;
            continue;
        }
        ASSERT_TRUE(key) << c.value;
        EXPECT_EQ(HotKeyText(*key), c.text);
        EXPECT_EQ(HotKeyOfSetting(HotKeySettingValue(*key)), key);
    }
    EXPECT_EQ(TrayMenuText(HotKeyOfSetting((0x46 << 16) | 0x3)), "タスク トレイ(&T)\tCtrl+Alt+F");
    EXPECT_EQ(TrayMenuText(std::nullopt), "タスク トレイ(&T)");
    // The desktop's text for what it bound wins over the key asked for.
    EXPECT_EQ(TrayMenuText(HotKeyOfSetting((0x46 << 16) | 0x3), "Strg+Alt+G"),
              "タスク トレイ(&T)\tStrg+Alt+G");
    EXPECT_EQ(TrayMenuText(HotKeyOfSetting((0x46 << 16) | 0x3), ""), "タスク トレイ(&T)\tCtrl+Alt+F");
    EXPECT_EQ(TrayMenuText(std::nullopt, "F"), "タスク トレイ(&T)");
}

TEST(TrayIconAndTip, WhatTTStyleAsksFor) {
    TaskTraySettings tray;
    tray.infoTip = "ファーン";
    tray.iconPath = "/icons/fern.png";
    EXPECT_EQ(TrayTipText(tray), "unknown");  // own icon and tip not asked for
    EXPECT_EQ(TrayIconFile(tray), "");
    tray.customIcon = true;
    EXPECT_EQ(TrayTipText(tray), "ファーン");
    EXPECT_EQ(TrayIconFile(tray), "/icons/fern.png");
    for (int index : {1, -1, 99999}) {
        tray.iconIndex = index;
        EXPECT_EQ(TrayIconFile(tray), "") << index;
    }
    tray.iconIndex = 0;
    struct Case {
        std::string tip;
        const char* shown;
    } tips[] = {{"", "unknown"}, {std::string(40, 'a'), nullptr}, {std::string(41, 'a'), "unknown"}};
    for (const auto& c : tips) {
        tray.infoTip = c.tip;
        EXPECT_EQ(TrayTipText(tray), c.shown ? c.shown : c.tip) << c.tip.size();
    }
}

TEST(TrayOnMinimize, NeverInFullScreen) {
    TaskTraySettings tray;
    EXPECT_FALSE(MinimizeGoesToTray(tray, false));
    tray.trayOnMinimize = true;
    EXPECT_TRUE(MinimizeGoesToTray(tray, false));
    EXPECT_FALSE(MinimizeGoesToTray(tray, true));
}
