// The options pages 電子メール and タスク トレイ on a copy of the settings: they
// write what the user changed and keep the bits and values they do not show.
#include <gtest/gtest.h>
#include <gtkmm.h>

#include <string>
#include <vector>

#include "fakes/FakeProfile.h"
#include "frame/gtk/TrayOptionsPage.h"
#include "gui/GuiTestSupport.h"
#include "options/OptionsSession.h"
#include "platform/text/Encoding.h"
#include "tools/gtk/MailOptionsPage.h"

using namespace fern;
using namespace fern::test;

namespace {

void Collect(Gtk::Widget& widget, std::vector<Gtk::Widget*>& out) {
    out.push_back(&widget);
    if (auto* container = dynamic_cast<Gtk::Container*>(&widget))
        for (Gtk::Widget* child : container->get_children()) Collect(*child, out);
}

// The control of type T a screen reader calls `label` (Shift-JIS, "&" dropped).
template <class T>
T* Control(Gtk::Widget& page, std::string label) {
    std::erase(label, '&');
    std::vector<Gtk::Widget*> all;
    Collect(page, all);
    for (Gtk::Widget* w : all) {
        auto* control = dynamic_cast<T*>(w);
        AtkObject* accessible = control ? gtk_widget_get_accessible(w->gobj()) : nullptr;
        const char* name = accessible ? atk_object_get_name(accessible) : nullptr;
        if (name && ToUtf8(label) == name) return control;
    }
    ADD_FAILURE() << "no control " << ToUtf8(label);
    return nullptr;
}

bool ShowsText(Gtk::Widget& page, const std::string& part) {
    std::vector<Gtk::Widget*> all;
    Collect(page, all);
    for (Gtk::Widget* w : all)
        if (auto* label = dynamic_cast<Gtk::Label*>(w);
            label && label->get_text().find(ToUtf8(part)) != Glib::ustring::npos)
            return true;
    return false;
}

struct Options {
    FakeProfile profile, windows;
    SettingsStore store{profile, windows};
    std::unique_ptr<CSettingsService> settings;
    std::unique_ptr<COptionsSession> session;

    Options() { InitGtkOnce(); }
    void Open() {
        settings = std::make_unique<CSettingsService>(store);
        session = std::make_unique<COptionsSession>(*settings);
    }
    void Apply(IOptionsPage& page) {
        session->Refresh();
        page.Store(*session);
        EXPECT_TRUE(session->Apply());
        page.Load(session->Working());
    }
    std::string Ini(const char* section, const char* key) const {
        return profile.Get(section, key).value_or("-");
    }
};

}  // namespace

TEST(WindowOptionsPages, MailPageWritesTheMailerAndKeepsOtherBits) {
    Options o;
    o.profile.Set("Mail", "MLStyle", std::to_string(0x1 | 0x8));
    o.Open();
    MailOptionsPage page(*o.settings);
    page.Load(o.session->Working());
    Gtk::CheckButton* ignore = Control<Gtk::CheckButton>(page.Widget(), "mailto:は無視(&I)");
    Gtk::CheckButton* use = Control<Gtk::CheckButton>(page.Widget(), "メーラーを指定(&M)");
    Gtk::Entry* path = Control<Gtk::Entry>(page.Widget(), "メーラー(&P)");
    ASSERT_TRUE(ignore && use && path);
    EXPECT_TRUE(ignore->get_active());
    EXPECT_FALSE(path->get_sensitive());
    ignore->set_active(false);
    use->set_active(true);
    EXPECT_TRUE(path->get_sensitive());
    path->set_text(ToUtf8("\"/opt/メール/mail\" \"%m\""));
    o.Apply(page);
    EXPECT_EQ(o.Ini("Mail", "MLStyle"), std::to_string(0x2 | 0x8));
    EXPECT_EQ(o.Ini("Mail", "MLMailerPath"), "\"/opt/メール/mail\" \"%m\"");
    EXPECT_TRUE(o.settings->Live().mail.useMailerPath);
}

TEST(WindowOptionsPages, TrayPageKeepsAHotKeyItCannotShowUntilTheUserClearsIt) {
    Options o;
    // A letter without a modifier is no usable hot key: shown as none, kept as stored.
    o.profile.Set("TaskTray", "TTHotKey", std::to_string(0x46 << 16));
    o.profile.Set("TaskTray", "TTStyle", std::to_string(0x1 | 0x4));
    o.Open();
    TrayOptionsPage page(*o.settings, HotKeyNote::Quiet, "");
    page.Load(o.session->Working());
    Gtk::Entry* hotKey = Control<Gtk::Entry>(page.Widget(), "ホット キー(&H)");
    Gtk::Entry* tip = Control<Gtk::Entry>(page.Widget(), "ツールチップ(&T)");
    ASSERT_TRUE(hotKey && tip);
    EXPECT_EQ(hotKey->get_text(), ToUtf8("なし"));
    EXPECT_FALSE(ShowsText(page.Widget(), "ホット キーを登録できません"));
    Control<Gtk::CheckButton>(page.Widget(), "最小化時にタスク トレイ(&M)")->set_active(true);
    tip->set_text(ToUtf8("ファーン"));
    o.Apply(page);
    EXPECT_EQ(o.Ini("TaskTray", "TTStyle"), std::to_string(0x1 | 0x2 | 0x4));
    EXPECT_EQ(o.Ini("TaskTray", "TTInfoTip"), "ファーン");
    EXPECT_EQ(o.Ini("TaskTray", "TTHotKey"), std::to_string(0x46 << 16));

    Control<Gtk::Button>(page.Widget(), "なし(&O)")->clicked();
    o.Apply(page);
    EXPECT_EQ(o.Ini("TaskTray", "TTHotKey"), "0");
}

TEST(WindowOptionsPages, TrayPageSaysHowTheHotKeyFared) {
    Options o;
    o.Open();
    struct Case {
        HotKeyNote note;
        const char* trigger;
        const char* shown;
    } cases[] = {
        {HotKeyNote::NoDesktop, "", "このデスクトップではホット キーを登録できません"},
        {HotKeyNote::GrabFailed, "", "ホット キーを登録できませんでした。ほかのプログラム"},
        {HotKeyNote::Waiting, "", "デスクトップの返事を待っています"},
        {HotKeyNote::Assigned, "Ctrl+Alt+G", "デスクトップが割り当てたキー: Ctrl+Alt+G"},
        {HotKeyNote::Assigned, "", "デスクトップがホット キーを割り当てました"},
        {HotKeyNote::Refused, "", "デスクトップがホット キーを断りました"},
        {HotKeyNote::DesktopFailed, "", "デスクトップがホット キーを登録できませんでした"},
        {HotKeyNote::NoAnswer, "", "デスクトップから返事がありません"},
    };
    for (const auto& c : cases) {
        TrayOptionsPage page(*o.settings, c.note, c.trigger);
        EXPECT_TRUE(ShowsText(page.Widget(), c.shown)) << c.shown;
    }
    TrayOptionsPage quiet(*o.settings, HotKeyNote::Quiet, "Ctrl+F");
    EXPECT_FALSE(ShowsText(quiet.Widget(), "デスクトップ"));
    EXPECT_FALSE(ShowsText(quiet.Widget(), "ホット キーを登録"));
}
