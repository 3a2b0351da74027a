#include "addressbar/gtk/AddressBarWidget.h"

#include <exception>

#include "addressbar/AddressDrag.h"
#include "frame/TabDrop.h"
#include "lists/BookmarkClip.h"
#include "platform/fs/FileIo.h"
#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"
#include "platform/text/UrlText.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

const char kAccessibleName[] = "アドレス";
const char kLabelText[] = "アドレス(&D)";
const char kIconWithText[] = "text-html";
const char kIconEmpty[] = "document-new";

// Drop targets in the order they are preferred; drag-out targets.
enum : guint { kInBookmarks = 20, kInUriList, kInText };
enum : guint { kOutUriList = 30, kOutText, kOutBookmark };

template <typename F>
void Safely(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        g_warning("address bar: %s", e.what());
    } catch (...) {
        g_warning("address bar: unexpected exception");
    }
}

AddressKey KeyOf(guint keyval) {
    switch (keyval) {
        case GDK_KEY_Tab:
        case GDK_KEY_KP_Tab:
        case GDK_KEY_ISO_Left_Tab: return AddressKey::Tab;
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
        case GDK_KEY_ISO_Enter: return AddressKey::Enter;
        case GDK_KEY_Escape: return AddressKey::Escape;
        case GDK_KEY_Up:
        case GDK_KEY_KP_Up: return AddressKey::Up;
        case GDK_KEY_Down:
        case GDK_KEY_KP_Down: return AddressKey::Down;
        case GDK_KEY_F4: return AddressKey::F4;
        case GDK_KEY_a:
        case GDK_KEY_A: return AddressKey::A;
        case GDK_KEY_F6: return AddressKey::F6;
        default: return AddressKey::Other;
    }
}

// The keys held now, for actions that come without a key event.
GdkModifierType HeldModifiers() {
    GdkModifierType state = GdkModifierType(0);
    if (gtk_get_current_event_state(&state)) return state;
    GdkDisplay* display = gdk_display_get_default();
    return display ? GdkModifierType(gdk_keymap_get_modifier_state(gdk_keymap_get_for_display(display)))
                   : GdkModifierType(0);
}

bool IsAltKey(guint keyval) {
    return keyval == GDK_KEY_Alt_L || keyval == GDK_KEY_Alt_R || keyval == GDK_KEY_Meta_L ||
           keyval == GDK_KEY_Meta_R;
}

// Case-insensitive prefix match, also after the usual scheme and "www.".
bool CompletionMatches(const std::string& item, const std::string& key) {
    if (key.empty()) return false;
    std::string lowerItem = SjisToLower(item), lowerKey = SjisToLower(key);
    for (const char* prefix : {"", "http://", "https://", "http://www.", "https://www.", "ftp://"}) {
        std::string candidate = std::string(prefix) + lowerKey;
        if (lowerItem.compare(0, candidate.size(), candidate) == 0) return true;
    }
    return false;
}

}  // namespace

AddressBarWidget::AddressBarWidget(CAddressBar& bar, std::string tempFolder)
    : Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 4), m_bar(bar), m_tempFolder(std::move(tempFolder)) {
    m_columns.add(m_textColumn);
    Gtk::Entry& entry = Entry();

    m_label.set_text_with_mnemonic(MnemonicLabel(kLabelText));
    m_label.set_mnemonic_widget(entry);
    m_label.set_margin_start(4);
    m_combo.set_hexpand(true);
    m_combo.get_accessible()->set_name(ToUtf8(kAccessibleName));
    entry.get_accessible()->set_name(ToUtf8(kAccessibleName));
    entry.set_icon_from_icon_name(kIconEmpty, Gtk::ENTRY_ICON_PRIMARY);
    m_goImage.set_from_icon_name("go-jump", Gtk::ICON_SIZE_BUTTON);
    m_go.set_image(m_goImage);
    m_go.set_always_show_image(true);
    m_go.set_relief(Gtk::RELIEF_NONE);
    m_go.set_focus_on_click(false);

    pack_start(m_label, Gtk::PACK_SHRINK);
    pack_start(m_combo, Gtk::PACK_EXPAND_WIDGET);
    pack_start(m_go, Gtk::PACK_SHRINK);

    entry.signal_key_press_event().connect(sigc::mem_fun(*this, &AddressBarWidget::OnEntryKeyPress), false);
    entry.signal_key_release_event().connect(sigc::mem_fun(*this, &AddressBarWidget::OnEntryKeyRelease),
                                             false);
    entry.signal_changed().connect(sigc::mem_fun(*this, &AddressBarWidget::OnEntryChanged));
    g_signal_connect(entry.gobj(), "preedit-changed",
                     G_CALLBACK(+[](GtkEntry*, gchar* preedit, gpointer self) {
                         static_cast<AddressBarWidget*>(self)->m_composing = preedit && *preedit;
                     }),
                     this);
    m_combo.signal_changed().connect(sigc::mem_fun(*this, &AddressBarWidget::OnComboChanged));
    m_combo.property_popup_shown().signal_changed().connect(
        sigc::mem_fun(*this, &AddressBarWidget::OnPopupShown));
    m_go.signal_clicked().connect([this] {
        Safely([&] {
            GdkModifierType held = HeldModifiers();
            OnEnter((held & GDK_CONTROL_MASK) != 0, (held & GDK_SHIFT_MASK) != 0,
                    (held & GDK_MOD1_MASK) != 0);
        });
    });

    // Auto-complete is attached once, when the bar is made.
    if (m_bar.AutoCompleteAtStart()) {
        m_completionStore = Gtk::ListStore::create(m_columns);
        m_completion = Gtk::EntryCompletion::create();
        m_completion->set_model(m_completionStore);
        m_completion->set_text_column(m_textColumn);
        m_completion->set_popup_completion(true);
        m_completion->set_inline_completion(false);
        m_completion->set_match_func(
            [this](const Glib::ustring& key, const Gtk::TreeModel::const_iterator& it) {
                Glib::ustring item = (*it)[m_textColumn];
                return CompletionMatches(FromUtf8(item.raw()), FromUtf8(key.raw()));
            });
        entry.set_completion(m_completion);
    }

    // Drops: bookmarks, files, then text, on the edit as on the rest of the bar.
    GtkTargetList* targets = gtk_target_list_new(nullptr, 0);
    gtk_target_list_add(targets, gdk_atom_intern_static_string(kBookmarkClipFormat), 0, kInBookmarks);
    gtk_target_list_add(targets, gdk_atom_intern_static_string("text/uri-list"), 0, kInUriList);
    gtk_target_list_add_text_targets(targets, kInText);
    for (GtkWidget* widget : {GTK_WIDGET(entry.gobj()), GTK_WIDGET(gobj())}) {
        if (widget != GTK_WIDGET(entry.gobj()))
            gtk_drag_dest_set(widget, GTK_DEST_DEFAULT_ALL, nullptr, 0,
                              GdkDragAction(GDK_ACTION_COPY | GDK_ACTION_MOVE | GDK_ACTION_LINK));
        gtk_drag_dest_set_target_list(widget, targets);
        g_signal_connect(widget, "drag-data-received", G_CALLBACK(&AddressBarWidget::DropReceivedThunk),
                         this);
    }
    gtk_target_list_unref(targets);

    // Dragging the address out by the edit's image.
    GtkTargetList* out = gtk_target_list_new(nullptr, 0);
    gtk_target_list_add(out, gdk_atom_intern_static_string(kBookmarkClipFormat), 0, kOutBookmark);
    gtk_target_list_add(out, gdk_atom_intern_static_string("text/uri-list"), 0, kOutUriList);
    gtk_target_list_add_text_targets(out, kOutText);
    gtk_entry_set_icon_drag_source(entry.gobj(), GTK_ENTRY_ICON_PRIMARY, out,
                                   GdkDragAction(GDK_ACTION_COPY | GDK_ACTION_MOVE | GDK_ACTION_LINK));
    gtk_target_list_unref(out);
    entry.signal_drag_begin().connect(sigc::mem_fun(*this, &AddressBarWidget::OnDragBegin));
    entry.signal_drag_data_get().connect(sigc::mem_fun(*this, &AddressBarWidget::OnDragDataGet), false);
    entry.signal_drag_end().connect([this](const Glib::RefPtr<Gdk::DragContext>&) {
        m_dragUrl.clear();
        m_dragFileUri.clear();
    });

    m_bar.SetView(this);
    TypedListChanged();
    OnEntryChanged();
    HookPopup();
    // The settings decide what shows, whatever a parent's show_all does.
    m_label.set_no_show_all(true);
    m_go.set_no_show_all(true);
    m_combo.show_all();
    m_goImage.show();
    StyleChanged();
    show();
}

AddressBarWidget::~AddressBarWidget() {
    m_bar.SetView(nullptr);
    if (m_popup)
        g_signal_handlers_disconnect_matched(m_popup, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, this);
    CleanTempShortcuts(m_tempFolder);
}

// State from the logic -----------------------------------------------------------------

void AddressBarWidget::TypedListChanged() {
    m_updating = true;
    Glib::ustring text = Entry().get_text();
    m_combo.remove_all();
    for (const std::string& url : m_bar.TypedUrls()) m_combo.append(ToUtf8(url));
    // Removing the items must not take the address out of the edit.
    if (Entry().get_text() != text) Entry().set_text(text);
    m_updating = false;
    FillCompletions();
    HookPopup();
}

void AddressBarWidget::CloseList() { m_combo.popdown(); }

void AddressBarWidget::StyleChanged() {
    const AddressBarSettings& s = m_bar.Settings();
    m_label.set_visible(s.showLabel);
    m_go.set_visible(s.goButton);
    m_go.set_label(s.goButtonText ? Glib::ustring(ToUtf8(s.goButtonLabel)) : Glib::ustring());
    m_go.set_image(m_goImage);
}

void AddressBarWidget::SetText(const std::string& sjis) {
    m_updating = true;
    Entry().set_text(ToUtf8(sjis));
    m_updating = false;
}

std::string AddressBarWidget::Text() const {
    // An address: what Shift-JIS cannot hold is escaped, not lost.
    return UrlFromUtf8(const_cast<AddressBarWidget*>(this)->Entry().get_text().raw());
}

void AddressBarWidget::FocusEdit() {
    Entry().grab_focus();
    SelectAllInEdit();
}

void AddressBarWidget::DropDown() {
    SelectAllInEdit();
    m_combo.popup();
}

void AddressBarWidget::SelectAllInEdit() { Entry().select_region(0, -1); }

// Keys ---------------------------------------------------------------------------------

bool AddressBarWidget::OnEntryKeyPress(GdkEventKey* event) {
    bool handled = false;
    Safely([&] {
        AddressKeyInput in;
        in.key = KeyOf(event->keyval);
        in.ctrl = (event->state & GDK_CONTROL_MASK) != 0;
        in.shift = (event->state & GDK_SHIFT_MASK) != 0;
        in.alt = (event->state & GDK_MOD1_MASK) != 0;
        in.listOpen = m_bar.DroppedDown();
        in.barVisible = is_visible();
        in.hasPage = m_hooks.hasPage && m_hooks.hasPage();
        handled = true;
        switch (AddressKeyDown(in)) {
            case AddressKeyAction::PassOn: handled = false; break;
            case AddressKeyAction::SendToPage:
                if (m_hooks.keyToPage)
                    m_hooks.keyToPage(event->keyval == GDK_KEY_F6 ? GDK_KEY_F6 : GDK_KEY_Tab);
                break;
            case AddressKeyAction::Open: {
                AddressEnter enter = m_bar.EnterText(Text(), in.ctrl, in.shift, in.alt);
                Entry().set_text(ToUtf8(enter.text));
                SelectAllInEdit();
                Entry().set_position(-1);
                if (enter.text.empty()) {
                    handled = false;
                    break;
                }
                m_bar.Open(enter);
                break;
            }
            case AddressKeyAction::RefocusEdit:
                if (auto* window = dynamic_cast<Gtk::Window*>(get_toplevel())) window->unset_focus();
                Entry().grab_focus();
                break;
            case AddressKeyAction::CloseList: m_combo.popdown(); break;
            case AddressKeyAction::CloseListToEdit:
                m_combo.popdown();
                FocusEdit();
                break;
            case AddressKeyAction::SelectAllOpenList: DropDown(); break;
            case AddressKeyAction::ToggleList:
                if (m_bar.DroppedDown()) m_combo.popdown();
                else m_combo.popup();
                break;
            case AddressKeyAction::SelectAll: SelectAllInEdit(); break;
        }
    });
    return handled;
}

bool AddressBarWidget::PreTranslateKey(GdkEventKey* event) {
    if (!event || event->type != GDK_KEY_PRESS || !Entry().is_focus()) return false;
    auto* window = dynamic_cast<Gtk::Window*>(get_toplevel());
    if (window && window->get_focus() != &Entry()) return false;
    return OnEntryKeyPress(event);
}

bool AddressBarWidget::OnEntryKeyRelease(GdkEventKey* event) {
    // A key let go while Alt is held (a system key) closes the list.
    if (((event->state & GDK_MOD1_MASK) || IsAltKey(event->keyval)) && m_bar.DroppedDown()) m_combo.popdown();
    return false;
}

bool AddressBarWidget::OnPopupKeyPress(GdkEventKey* event) {
    bool handled = false;
    Safely([&] {
        AddressKeyInput in;
        in.key = KeyOf(event->keyval);
        in.alt = (event->state & GDK_MOD1_MASK) != 0;
        in.listOpen = true;
        in.barVisible = is_visible();
        GtkWidget* selected = m_popup ? gtk_menu_shell_get_selected_item(GTK_MENU_SHELL(m_popup)) : nullptr;
        GList* children = m_popup ? gtk_container_get_children(GTK_CONTAINER(m_popup)) : nullptr;
        in.firstItemSelected = selected && children && selected == children->data;
        g_list_free(children);
        switch (AddressKeyDown(in)) {
            case AddressKeyAction::CloseListToEdit:
                m_combo.popdown();
                FocusEdit();
                handled = true;
                break;
            case AddressKeyAction::ToggleList:
            case AddressKeyAction::CloseList:
                m_combo.popdown();
                handled = true;
                break;
            default: break;
        }
    });
    return handled;
}

void AddressBarWidget::OnEnter(bool ctrl, bool shift, bool alt) {
    AddressEnter enter = m_bar.EnterText(Text(), ctrl, shift, alt);
    Entry().set_text(ToUtf8(enter.text));
    m_bar.Open(enter);
}

// The list -----------------------------------------------------------------------------

void AddressBarWidget::HookPopup() {
    if (m_popup) return;
    AtkObject* accessible = gtk_combo_box_get_popup_accessible(GTK_COMBO_BOX(m_combo.gobj()));
    GtkWidget* popup = accessible && GTK_IS_ACCESSIBLE(accessible)
                           ? gtk_accessible_get_widget(GTK_ACCESSIBLE(accessible))
                           : nullptr;
    if (!popup || !GTK_IS_MENU_SHELL(popup)) return;
    m_popup = popup;
    // The combo box answers every key of its list first, so the keys are
    // looked at on the generic event that comes before.
    g_signal_connect(popup, "event", G_CALLBACK(+[](GtkWidget*, GdkEvent* event, gpointer self) -> gboolean {
                         auto* bar = static_cast<AddressBarWidget*>(self);
                         if (event->type == GDK_KEY_PRESS) return bar->OnPopupKeyPress(&event->key);
                         if (event->type == GDK_KEY_RELEASE && (event->key.state & GDK_MOD1_MASK) &&
                             !IsAltKey(event->key.keyval))
                             bar->m_combo.popdown();
                         return FALSE;
                     }),
                     this);
}

void AddressBarWidget::OnPopupShown() {
    Safely([&] {
        if (m_combo.property_popup_shown()) {
            HookPopup();
            m_bar.ListOpened();
        } else {
            m_bar.ListClosed();
        }
    });
}

void AddressBarWidget::OnComboChanged() {
    if (m_updating || m_combo.get_active_row_number() < 0) return;
    // Looked at once the list has closed on the choice.
    if (m_pickPending) return;
    m_pickPending = true;
    GdkModifierType held = HeldModifiers();
    Glib::signal_idle().connect_once([this, held] {
        m_pickPending = false;
        Safely([&] {
            m_bar.SelectionChanged(Text(), (held & GDK_SHIFT_MASK) != 0, (held & GDK_MOD1_MASK) != 0);
        });
    });
}

void AddressBarWidget::OnEntryChanged() {
    std::string text = Text();
    Entry().set_icon_from_icon_name(text.empty() ? kIconEmpty : kIconWithText, Gtk::ENTRY_ICON_PRIMARY);
    std::string tip = ToUtf8(GoButtonTip(text));
    m_go.set_tooltip_text(tip);
    // An image-only button is named by its tip.
    if (m_go.get_label().empty()) m_go.get_accessible()->set_name(tip);
    if (m_hooks.historyCompletions && !m_updating) FillCompletions();
}

void AddressBarWidget::FillCompletions() {
    if (!m_completionStore) return;
    m_completionStore->clear();
    auto add = [this](const std::string& sjis) {
        Gtk::TreeModel::Row row = *m_completionStore->append();
        row[m_textColumn] = ToUtf8(sjis);
    };
    for (const std::string& url : m_bar.TypedUrls()) add(url);
    if (!m_hooks.historyCompletions) return;
    std::string text = Text();
    if (text.empty()) return;
    for (const std::string& url : m_hooks.historyCompletions(text)) {
        bool typed = false;
        for (const std::string& t : m_bar.TypedUrls()) typed = typed || TypedUrlEquals(t, url);
        if (!typed) add(url);
    }
}

// Drag and drop --------------------------------------------------------------------------

void AddressBarWidget::OnDragBegin(const Glib::RefPtr<Gdk::DragContext>&) {
    Safely([&] {
        m_dragUrl.clear();
        m_dragFileUri.clear();
        if (gtk_entry_get_current_icon_drag_source(Entry().gobj()) != GTK_ENTRY_ICON_PRIMARY) return;
        std::string url = TrimDropText(Text());
        if (url.empty()) return;
        m_dragUrl = ToUtf8(url);
        if (m_tempFolder.empty()) return;
        std::string title = m_hooks.pageTitle ? m_hooks.pageTitle() : std::string();
        g_mkdir_with_parents(m_tempFolder.c_str(), 0700);
        // The name is text; the folder is the file system's.
        std::string path = m_tempFolder + "/" + ToUtf8(AddressShortcutFileName(title, url));
        std::string error;
        if (!WriteFileAtomic(path, InternetShortcutContent(url), &error)) {
            LogWriteFailure(path, error);
            return;
        }
        if (gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr)) {
            m_dragFileUri = uri;
            g_free(uri);
        }
    });
}

void AddressBarWidget::OnDragDataGet(const Glib::RefPtr<Gdk::DragContext>&, Gtk::SelectionData& data,
                                     guint info, guint) {
    Safely([&] {
        if (m_dragUrl.empty()) return;
        if (info == kOutBookmark) {
            // The page as a bookmark, as the bookmark menu would add it.
            std::string url = FromUtf8(m_dragUrl);
            std::string title = m_hooks.pageTitle ? m_hooks.pageTitle() : std::string();
            auto node = MakeBookmarkNode(kItemUrl, title.empty() ? url : title, url, kDefaultItemStyle,
                                         kDefaultItemExStyle, 0);
            std::string bytes = BookmarkClipBytes({node.get()});
            data.set(data.get_target(), 8, reinterpret_cast<const guint8*>(bytes.data()),
                     static_cast<int>(bytes.size()));
        } else if (info == kOutUriList) {
            std::vector<Glib::ustring> uris{m_dragUrl};
            if (!m_dragFileUri.empty()) uris.push_back(m_dragFileUri);
            data.set_uris(uris);
        } else {
            data.set_text(m_dragUrl);
        }
    });
}

void AddressBarWidget::DropReceivedThunk(GtkWidget* widget, GdkDragContext* context, gint, gint,
                                         GtkSelectionData* data, guint info, guint time, gpointer self) {
    static_cast<AddressBarWidget*>(self)->OnDropReceived(widget, context, data, info, time);
}

void AddressBarWidget::OnDropReceived(GtkWidget* target, GdkDragContext* context, GtkSelectionData* data,
                                      guint info, guint time) {
    // The edit would insert the text; a drop on the bar opens it instead.
    g_signal_stop_emission_by_name(target, "drag-data-received");
    bool ok = false;
    Safely([&] {
        gint length = gtk_selection_data_get_length(data);
        if (length < 0) return;
        const guchar* bytes = gtk_selection_data_get_data(data);
        std::string raw(bytes ? reinterpret_cast<const char*>(bytes) : "", static_cast<std::size_t>(length));
        GdkModifierType mask = GdkModifierType(0);
        GdkDevice* device = gdk_drag_context_get_device(context);
        GdkWindow* window = gtk_widget_get_window(target);
        if (device && window && gdk_device_get_source(device) != GDK_SOURCE_KEYBOARD)
            gdk_window_get_device_position(window, device, nullptr, nullptr, &mask);
        else mask = HeldModifiers();
        AddressDrop drop;
        if (info == kInBookmarks) {
            for (const UrlItem& item : BookmarkClipUrls(raw)) drop.bookmarkUrls.push_back(item.url);
        } else {
            while (!raw.empty() && raw.back() == '\0') raw.pop_back();
            if (info == kInUriList) {
                TabDropData uris = TabDropDataFromUriList(raw);
                if (uris.kind == TabDropData::Kind::Files) drop.files = uris.files;
                else drop.text = uris.text;
            } else {
                guchar* text = gtk_selection_data_get_text(data);
                drop.text = UrlFromUtf8(text ? reinterpret_cast<const char*>(text) : "");
                g_free(text);
            }
        }
        ok = true;
        m_bar.Drop(drop, (mask & GDK_SHIFT_MASK) != 0, (mask & GDK_MOD1_MASK) != 0);
    });
    gtk_drag_finish(context, ok, FALSE, time);
}

}  // namespace fern
