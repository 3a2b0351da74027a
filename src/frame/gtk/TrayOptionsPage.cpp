#include "frame/gtk/TrayOptionsPage.h"

#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/ListFileChooser.h"
#include "ui/gtk/VirtualKeys.h"

namespace fern {

namespace {

constexpr int kMaxIconIndex = 9999;

}  // namespace

TrayOptionsPage::TrayOptionsPage(CSettingsService& settings, HotKeyNote note,
                                 const std::string& desktopTrigger)
    : m_settings(settings),
      m_onMinimize(m_column.Check("最小化時にタスク トレイ(&M)")),
      m_customIcon(m_column.Check("アイコンとツールチップを指定(&I)")),
      m_iconPath(IconPathField()),
      m_iconIndex(m_column.Number("アイコン番号(&N)", 0, kMaxIconIndex)),
      m_tip(m_column.Text("ツールチップ(&T)")),
      m_hotKeyField(m_column.Text("ホット キー(&H)")) {
    m_column.Button("なし(&O)", true).signal_clicked().connect([this] {
        m_hotKey.reset();
        m_hotKeyPicked = true;
        ShowHotKey();
    });
    m_tip.set_max_length(40);
    // The field shows the key; the keys pressed in it are caught, not typed.
    m_hotKeyField.set_editable(false);
    m_hotKeyField.signal_key_press_event().connect([this](GdkEventKey* event) { return CatchKey(event); },
                                                   false);
    ShowNote(note, desktopTrigger);
    m_customIcon.signal_toggled().connect([this] {
        bool on = m_customIcon.get_active();
        m_iconPath.set_sensitive(on);
        m_iconIndex.set_sensitive(on);
        m_tip.set_sensitive(on);
    });
}

void TrayOptionsPage::ShowNote(HotKeyNote note, const std::string& desktopTrigger) {
    switch (note) {
        case HotKeyNote::Quiet: return;
        case HotKeyNote::NoDesktop:
            m_column.Note(
                "このデスクトップではホット キーを登録できません (X11 か、ショートカットの"
                "ポータルがあるデスクトップで使えます)。");
            return;
        case HotKeyNote::GrabFailed:
            m_column.Note(
                "ホット "
                "キーを登録できませんでした。ほかのプログラムが同じキーを使っていないか確かめてください。");
            return;
        case HotKeyNote::Waiting:
            m_column.Note("ホット キーについてデスクトップの返事を待っています。");
            return;
        case HotKeyNote::Assigned:
            m_column.Note(desktopTrigger.empty() ? std::string("デスクトップがホット キーを割り当てました。")
                                                 : "デスクトップが割り当てたキー: " + desktopTrigger);
            return;
        case HotKeyNote::Refused: m_column.Note("デスクトップがホット キーを断りました。"); return;
        case HotKeyNote::DesktopFailed:
            m_column.Note("デスクトップがホット キーを登録できませんでした。");
            return;
        case HotKeyNote::NoAnswer:
            m_column.Note("ホット キーについてデスクトップから返事がありません。");
            return;
    }
}

// The icon file's field with its browse button beside it.
Gtk::Entry& TrayOptionsPage::IconPathField() {
    Gtk::Entry& field = m_column.Text("アイコン ファイル(&F)");
    m_column.Button("参照(&B)...", true).signal_clicked().connect([this] { ChooseIcon(); });
    return field;
}

void TrayOptionsPage::Load(const ProgramSettings& working) {
    const TaskTraySettings& t = m_loaded = working.taskTray;
    m_onMinimize.set_active(t.trayOnMinimize);
    m_customIcon.set_active(t.customIcon);
    m_iconPath.set_text(ToUtf8(t.iconPath));
    m_iconIndex.set_value(std::clamp(t.iconIndex, 0, kMaxIconIndex));
    m_tip.set_text(ToUtf8(t.infoTip));
    m_hotKey = HotKeyOfSetting(t.hotKey);
    m_hotKeyPicked = false;
    ShowHotKey();
    m_iconPath.set_sensitive(t.customIcon);
    m_iconIndex.set_sensitive(t.customIcon);
    m_tip.set_sensitive(t.customIcon);
}

void TrayOptionsPage::Store(COptionsSession& session) {
    TaskTraySettings& t = session.Edit(SettingsSection::TaskTray).taskTray;
    Put(t.trayOnMinimize, m_onMinimize.get_active(), m_loaded.trayOnMinimize);
    Put(t.customIcon, m_customIcon.get_active(), m_loaded.customIcon);
    Put(t.iconPath, FromUtf8(m_iconPath.get_text().raw()), m_loaded.iconPath);
    int shownIndex = m_iconIndex.get_value_as_int();
    if (shownIndex != std::clamp(m_loaded.iconIndex, 0, kMaxIconIndex)) t.iconIndex = shownIndex;
    Put(t.infoTip, FromUtf8(m_tip.get_text().raw()), m_loaded.infoTip);
    // A stored value that names no usable key shows as none; it is replaced
    // only when the user picks a key or clears the field.
    if (m_hotKeyPicked) t.hotKey = m_hotKey ? HotKeySettingValue(*m_hotKey) : 0;
}

void TrayOptionsPage::ShowHotKey() {
    m_hotKeyField.set_text(ToUtf8(m_hotKey ? HotKeyText(*m_hotKey) : "なし"));
}

bool TrayOptionsPage::CatchKey(GdkEventKey* event) {
    // Tab moves on and Escape closes the dialog, as everywhere else.
    if (event->keyval == GDK_KEY_Tab || event->keyval == GDK_KEY_ISO_Left_Tab ||
        event->keyval == GDK_KEY_Escape)
        return false;
    std::optional<KeyBinding> key = KeyOfEvent(event);
    if (!key) return true;
    unsigned modifiers = ((key->modifiers & kKeyControl) ? kHotKeyControl : 0u) |
                         ((key->modifiers & kKeyShift) ? kHotKeyShift : 0u) |
                         ((key->modifiers & kKeyAlt) ? kHotKeyAlt : 0u);
    if (std::optional<TrayHotKey> caught = HotKeyOfSetting(HotKeySettingValue({key->key, modifiers}))) {
        m_hotKey = caught;
        m_hotKeyPicked = true;
    }
    ShowHotKey();
    return true;
}

void TrayOptionsPage::ChooseIcon() {
    auto* parent = dynamic_cast<Gtk::Window*>(m_column.get_toplevel());
    if (!parent) return;
    if (std::optional<std::string> chosen = ChooseFile(
            *parent, false, {{"アイコン (*.png;*.svg;*.ico;*.xpm)", "*.png;*.svg;*.ico;*.xpm"}}, m_settings))
        m_iconPath.set_text(ToUtf8(PathToText(*chosen)));
}

}  // namespace fern
