#include "settings/FrameSettings.h"

#include "settings/PackedPair.h"
#include "settings/SettingsFields.h"

namespace fern {

namespace {

using Tab = TabBarSettings;
constexpr BitSwitch<Tab> kTabStyle[] = {
    {0x1, &Tab::useColours},        {0x4, &Tab::selectBlankPage},      {0x8, &Tab::selectNewTab},
    {0x10, &Tab::limitTabCount},    {0x20, &Tab::noNewTabsFromLocked}, {0x40, &Tab::multiLine},
    {0x80, &Tab::fixedWidth},       {0x100, &Tab::limitText},          {0x200, &Tab::wrapAround},
    {0x10000, &Tab::barBelowPages},
};
constexpr BitSwitch<Tab> kTabExStyle[] = {{0x1, &Tab::ownBar}};
constexpr BitSwitch<Tab> kTabBtnStyle[] = {
    {0x1, &Tab::selectedBold},       {0x2, &Tab::selectedItalic},       {0x4, &Tab::selectedUnderline},
    {0x10000, &Tab::unselectedBold}, {0x20000, &Tab::unselectedItalic}, {0x40000, &Tab::unselectedUnderline},
};
constexpr FieldBinding<Tab> kTabBar[] = {
    BitsField(Setting::TabStyle, &Tab::style, kTabStyle),
    BitsField(Setting::TabExStyle, &Tab::exStyle, kTabExStyle),
    IntField(Setting::TabCreateNew, &Tab::createNew),
    IntField(Setting::TabCreateLimit, &Tab::createLimit),
    IntField(Setting::TabInsertPosition, &Tab::insertPosition),
    IntField(Setting::TabNextActive, &Tab::nextActive),
    IntField(Setting::TabBtnTextLimit, &Tab::textLimit),
    IntField(Setting::TabFixBtnSize, &Tab::fixedSize),
    IntField(Setting::TabBtnWClick, &Tab::wheelClick),
    IntField(Setting::TabBtnRClick, &Tab::rightClick),
    IntField(Setting::TabBtnLDblClick, &Tab::leftDoubleClick),
    IntField(Setting::TabBtnSelClr, &Tab::selectedTextColour),
    IntField(Setting::TabBtnUnSelClr, &Tab::unselectedTextColour),
    IntField(Setting::TabBtnSelBkgClr, &Tab::selectedBackColour),
    IntField(Setting::TabBtnUnSelBkgClr, &Tab::unselectedBackColour),
    BitsField(Setting::TabBtnStyle, &Tab::fontStyle, kTabBtnStyle),
    IntField(Setting::TabSleepMinutes, &Tab::sleepMinutes),
    IntField(Setting::TabSleepMemoryMB, &Tab::sleepMemoryMB),
};

using Mail = MailSettings;
constexpr BitSwitch<Mail> kMLStyle[] = {{0x1, &Mail::ignoreMailto}, {0x2, &Mail::useMailerPath}};
constexpr FieldBinding<Mail> kMail[] = {
    BitsField(Setting::MLStyle, &Mail::style, kMLStyle),
    TextField(Setting::MLMailerPath, &Mail::mailerPath),
};

using Tray = TaskTraySettings;
constexpr BitSwitch<Tray> kTTStyle[] = {{0x2, &Tray::trayOnMinimize}, {0x4, &Tray::customIcon}};
constexpr FieldBinding<Tray> kTaskTray[] = {
    BitsField(Setting::TTStyle, &Tray::style, kTTStyle), TextField(Setting::TTIconPath, &Tray::iconPath),
    IntField(Setting::TTIconIndex, &Tray::iconIndex),    TextField(Setting::TTInfoTip, &Tray::infoTip),
    IntField(Setting::TTHotKey, &Tray::hotKey),
};

using Rcu = RecentCloseUrlSettings;
constexpr BitSwitch<Rcu> kRCUStyle[] = {{0x1, &Rcu::readAtStart}, {0x2, &Rcu::saveAtExit}};
constexpr FieldBinding<Rcu> kRecentCloseUrl[] = {BitsField(Setting::RCUStyle, &Rcu::style, kRCUStyle)};

using Frame = MainFrameSettings;
constexpr BitSwitch<Frame> kFullScreen[] = {
    {0x1, &Frame::fullScreen}, {0x2, &Frame::bar1Shown}, {0x4, &Frame::bar2Shown}};
constexpr FieldBinding<Frame> kMainFrame[] = {
    TextField(Setting::MFWndPlac, &Frame::placement),
    BitsField(Setting::MFFullScrState, &Frame::fullScreenState, kFullScreen),
};

// The only value held to a range when it is read; the options pages clamp
// the others when they store them.
constexpr int kMinTabWidth = 20;
constexpr int kMaxTabWidth = 256;

}  // namespace

void TabBarSettings::Load(const SettingsStore& store) {
    LoadFields(store, *this, kTabBar);
    fixedSize = ClampPairWidth(fixedSize, kMinTabWidth, kMaxTabWidth);
}
bool TabBarSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kTabBar); }

void MailSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kMail); }
bool MailSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kMail); }

void TaskTraySettings::Load(const SettingsStore& store) { LoadFields(store, *this, kTaskTray); }
bool TaskTraySettings::Save(SettingsStore& store) { return SaveFields(store, *this, kTaskTray); }

void RecentCloseUrlSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kRecentCloseUrl); }
bool RecentCloseUrlSettings::Save(SettingsStore& store) {
    style |= 0x4;
    return SaveFields(store, *this, kRecentCloseUrl);
}

void MainFrameSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kMainFrame); }
bool MainFrameSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kMainFrame); }

}  // namespace fern
