#include "chrome/gtk/ToolBarCustomizeDialog.h"

#include "commands/CommandCatalogue.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/AccessibleName.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

struct Columns : Gtk::TreeModelColumnRecord {
    Gtk::TreeModelColumn<Glib::ustring> icon;
    Gtk::TreeModelColumn<Glib::ustring> label;
    Gtk::TreeModelColumn<int> entry;  // a row of the table, or kToolBarSeparator
    Columns() {
        add(icon);
        add(label);
        add(entry);
    }
};

const char kSeparatorText[] = "区切り";

}  // namespace

class ToolBarCustomizeDialog::Impl : public Gtk::Dialog {
public:
    Impl(Gtk::Window& parent, const ToolBarChoice& current)
        : Gtk::Dialog(ToUtf8("ツール バーのカスタマイズ"), parent, true),
          m_available(Gtk::ListStore::create(m_columns)),
          m_chosen(Gtk::ListStore::create(m_columns)) {
        set_default_size(560, 420);
        auto* lists = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 8));
        lists->set_border_width(8);
        lists->pack_start(*List(m_availableView, m_available, "利用できるボタン(&V):"),
                          Gtk::PACK_EXPAND_WIDGET);
        auto* middle = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_VERTICAL, 6));
        middle->set_valign(Gtk::ALIGN_CENTER);
        middle->pack_start(*Button("追加(&A) ->", [this] { Add(); }), Gtk::PACK_SHRINK);
        middle->pack_start(*Button("<- 削除(&R)", [this] { Remove(); }), Gtk::PACK_SHRINK);
        lists->pack_start(*middle, Gtk::PACK_SHRINK);
        lists->pack_start(*List(m_chosenView, m_chosen, "現在のボタン(&T):"), Gtk::PACK_EXPAND_WIDGET);
        auto* side = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_VERTICAL, 6));
        side->set_valign(Gtk::ALIGN_CENTER);
        side->pack_start(*Button("上へ(&U)", [this] { Move(-1); }), Gtk::PACK_SHRINK);
        side->pack_start(*Button("下へ(&D)", [this] { Move(1); }), Gtk::PACK_SHRINK);
        side->pack_start(*Button("リセット(&E)", [this] { Fill(DefaultToolBarLayout()); }), Gtk::PACK_SHRINK);
        lists->pack_start(*side, Gtk::PACK_SHRINK);
        get_content_area()->pack_start(*lists, Gtk::PACK_EXPAND_WIDGET);

        auto* options = Gtk::manage(new Gtk::Grid());
        options->set_row_spacing(6);
        options->set_column_spacing(8);
        options->set_border_width(8);
        Option(*options, 0, "テキスト オプション(&X):", m_text,
               {"テキストなし", "右にテキスト", "アイコンの下にテキスト"});
        Option(*options, 1, "アイコン オプション(&N):", m_size, {"大きいアイコン", "小さいアイコン"});
        get_content_area()->pack_start(*options, Gtk::PACK_SHRINK);
        m_text.set_active(static_cast<int>(current.look.text));
        m_size.set_active(current.look.largeImages ? 0 : 1);
        m_look = current.look;

        add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
        add_button("OK", Gtk::RESPONSE_OK);
        set_default_response(Gtk::RESPONSE_OK);
        Fill(current.layout);
        show_all();
    }

    ToolBarChoice Choice() {
        ToolBarChoice choice;
        for (const Gtk::TreeRow& row : m_chosen->children()) choice.layout.push_back(row[m_columns.entry]);
        choice.look = m_look;
        int text = m_text.get_active_row_number();
        choice.look.text = text == 1   ? ToolBarText::Right
                           : text == 2 ? ToolBarText::Below
                                       : ToolBarText::None;
        choice.look.largeImages = m_size.get_active_row_number() != 1;
        return choice;
    }

private:
    Columns m_columns;
    Glib::RefPtr<Gtk::ListStore> m_available, m_chosen;
    Gtk::TreeView m_availableView, m_chosenView;
    Gtk::ComboBoxText m_text, m_size;
    ToolBarLook m_look;

    Gtk::Widget* List(Gtk::TreeView& view, const Glib::RefPtr<Gtk::ListStore>& store, const char* title) {
        auto* box = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_VERTICAL, 4));
        auto* label = Gtk::manage(new Gtk::Label(MnemonicText(title), true));
        label->set_xalign(0);
        label->set_mnemonic_widget(view);
        view.set_model(store);
        view.set_headers_visible(false);
        // The image and the name in columns of their own: a screen reader
        // reads the name cell.
        auto* column = Gtk::manage(new Gtk::TreeViewColumn());
        auto* icon = Gtk::manage(new Gtk::CellRendererPixbuf());
        column->pack_start(*icon, false);
        column->add_attribute(icon->property_icon_name(), m_columns.icon);
        view.append_column(*column);
        view.append_column("", m_columns.label);
        SetAccessibleName(view, PlainText(title));
        auto* scroll = Gtk::manage(new Gtk::ScrolledWindow());
        scroll->set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_AUTOMATIC);
        scroll->set_shadow_type(Gtk::SHADOW_IN);
        scroll->add(view);
        box->pack_start(*label, Gtk::PACK_SHRINK);
        box->pack_start(*scroll, Gtk::PACK_EXPAND_WIDGET);
        return box;
    }

    static Glib::ustring MnemonicText(const char* sjis) { return MnemonicLabel(sjis); }
    // The name a screen reader reads: the label without its mnemonic and colon.
    static std::string PlainText(const char* sjis) {
        std::string text = PlainMenuText(sjis);
        if (!text.empty() && text.back() == ':') text.pop_back();
        return text;
    }

    Gtk::Button* Button(const char* text, std::function<void()> action) {
        auto* button = Gtk::manage(new Gtk::Button(MnemonicText(text), true));
        button->signal_clicked().connect(std::move(action));
        return button;
    }

    void Option(Gtk::Grid& grid, int top, const char* title, Gtk::ComboBoxText& combo,
                std::initializer_list<const char*> choices) {
        auto* label = Gtk::manage(new Gtk::Label(MnemonicText(title), true));
        label->set_xalign(0);
        label->set_mnemonic_widget(combo);
        for (const char* choice : choices) combo.append(ToUtf8(choice));
        SetAccessibleName(combo, PlainText(title));
        grid.attach(*label, 0, top);
        grid.attach(combo, 1, top);
    }

    void Append(const Glib::RefPtr<Gtk::ListStore>& store, int entry, const Gtk::TreeIter* before = nullptr) {
        const ToolBarButton* row = ToolBarRow(entry);
        bool button = row && !row->IsSeparator();
        Gtk::TreeRow line = before && *before ? *store->insert(*before) : *store->append();
        line[m_columns.icon] = button ? ToolBarIconName(row->image) : "";
        line[m_columns.label] = ToUtf8(button ? row->label : kSeparatorText);
        line[m_columns.entry] = button ? entry : kToolBarSeparator;
    }

    // The chosen list from `layout`; the other buttons, and the separator
    // that may always be added, in the available list in table order.
    void Fill(const ToolBarLayout& layout) {
        m_available->clear();
        m_chosen->clear();
        for (int entry : layout) Append(m_chosen, entry);
        Append(m_available, kToolBarSeparator);
        for (int row = 0; row < kToolBarRowCount; ++row) {
            if (ToolBarRow(row)->IsSeparator()) continue;
            bool chosen = false;
            for (int entry : layout) chosen = chosen || entry == row;
            if (!chosen) Append(m_available, row);
        }
    }

    void Add() {
        Gtk::TreeIter from = m_availableView.get_selection()->get_selected();
        if (!from) return;
        int entry = (*from)[m_columns.entry];
        Gtk::TreeIter at = m_chosenView.get_selection()->get_selected();
        if (at) ++at;  // after the chosen line, as the lists read
        Append(m_chosen, entry, &at);
        if (entry != kToolBarSeparator) m_available->erase(from);
    }

    void Remove() {
        Gtk::TreeIter from = m_chosenView.get_selection()->get_selected();
        if (!from) return;
        int entry = (*from)[m_columns.entry];
        m_chosen->erase(from);
        if (entry == kToolBarSeparator) return;
        // Back into its place in table order.
        for (const Gtk::TreeRow& row : m_available->children()) {
            int other = row[m_columns.entry];
            if (other > entry) {
                Gtk::TreeIter it = row;
                Append(m_available, entry, &it);
                return;
            }
        }
        Append(m_available, entry);
    }

    void Move(int step) {
        Gtk::TreeIter it = m_chosenView.get_selection()->get_selected();
        if (!it) return;
        Gtk::TreeIter other = it;
        if (step < 0) {
            if (it == m_chosen->children().begin()) return;
            --other;
        } else {
            ++other;
            if (!other) return;
        }
        m_chosen->iter_swap(it, other);
    }
};

ToolBarCustomizeDialog::ToolBarCustomizeDialog(Gtk::Window& parent, const ToolBarChoice& current)
    : m_impl(std::make_unique<Impl>(parent, current)) {}

ToolBarCustomizeDialog::~ToolBarCustomizeDialog() = default;

Gtk::Dialog& ToolBarCustomizeDialog::Widget() { return *m_impl; }

void ToolBarCustomizeDialog::Show(std::function<void(std::optional<ToolBarChoice>)> done) {
    m_impl->signal_response().connect([this, done = std::move(done)](int response) {
        m_impl->hide();
        done(response == Gtk::RESPONSE_OK ? std::optional<ToolBarChoice>(m_impl->Choice()) : std::nullopt);
    });
    m_impl->present();
}

}  // namespace fern
