#include "tools/extract/gtk/UrlExtractDialog.h"

#include <algorithm>

#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"
#include "platform/text/TimeStamp.h"
#include "ui/gtk/ListFileChooser.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

constexpr int kFilterTextLimit = 64;
constexpr int kWidestMeasured = 2000;  // bytes of a row measured for the column width

Gtk::Label* Mnemonic(const std::string& sjis, Gtk::Widget& target) {
    auto* label = Gtk::manage(new Gtk::Label(MnemonicLabel(sjis), true));
    label->set_xalign(0);
    label->set_mnemonic_widget(target);
    return label;
}

Gtk::Button* Button(const char* sjis) { return Gtk::manage(new Gtk::Button(MnemonicLabel(sjis), true)); }

}  // namespace

UrlExtractDialog::UrlExtractDialog(UrlExtractDialogServices services, std::vector<FrameReport> documents,
                                   const std::string& pageTitle)
    : m_s(services),
      m_documents(std::move(documents)),
      m_options(services.settings.Live().urlExtract),
      m_actions({services.clipboard, services.messageBox, services.open,
                 [this](JobKind kind, const std::string& name) {
                     JobFileType type = JobFileTypeOf(kind);
                     return ChooseFile(*this, true, {{type.filterName, std::string("*.") + type.extension}},
                                       m_s.settings, name);
                 },
                 [] { return TimeStampTextNow(); }}) {
    set_title(ToUtf8(ExtractCaption(pageTitle)));
    set_transient_for(m_s.parent);
    set_default_size(640, 480);
    add_accel_group(m_accel);
    BuildMenu();
    m_box.pack_start(m_menu, false, false);

    auto* inner = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_VERTICAL, 6));
    inner->set_border_width(8);
    auto* frameRow = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 6));
    frameRow->pack_start(*Mnemonic("フレーム(&T):", m_frames), false, false);
    frameRow->pack_start(m_frames, true, true);
    inner->pack_start(*frameRow, false, false);

    m_store = Gtk::ListStore::create(m_columns);
    m_view.set_model(m_store);
    auto* toggle = Gtk::manage(new Gtk::CellRendererToggle());
    toggle->signal_toggled().connect([this](const Glib::ustring& path) {
        Gtk::TreeModel::iterator row = m_store->get_iter(path);
        if (!row) return;
        std::size_t index = static_cast<std::size_t>(std::stoul(path.raw()));
        bool checked = !(*row)[m_columns.checked];
        (*row)[m_columns.checked] = checked;
        m_list.SetChecked(index, checked);
    });
    m_urlColumn.set_title("URL");
    m_urlColumn.pack_start(*toggle, false);
    m_urlColumn.add_attribute(toggle->property_active(), m_columns.checked);
    auto* text = Gtk::manage(new Gtk::CellRendererText());
    m_urlColumn.pack_start(*text, true);
    m_urlColumn.add_attribute(text->property_text(), m_columns.url);
    // A fixed width, so a long list is not measured row by row.
    m_urlColumn.set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
    m_view.append_column(m_urlColumn);
    m_view.set_fixed_height_mode(true);
    m_view.get_selection()->set_mode(Gtk::SELECTION_MULTIPLE);
    auto* scroller = Gtk::manage(new Gtk::ScrolledWindow());
    scroller->set_shadow_type(Gtk::SHADOW_IN);
    scroller->add(m_view);
    inner->pack_start(*scroller, true, true);
    inner->pack_start(*FilterRow(), false, false);
    inner->pack_start(*JobRow(), false, false);
    m_box.pack_start(*inner, true, true);
    get_content_area()->pack_start(m_box, true, true);

    m_folder.set_text(ToUtf8(m_options.folder));
    for (const std::string& choice : FrameChoices(m_documents)) m_frames.append(ToUtf8(choice));
    m_frames.signal_changed().connect([this] { ChooseDocument(m_frames.get_active_row_number()); });
    signal_delete_event().connect([this](GdkEventAny*) {
        Close();
        return true;
    });
    show_all_children();
    m_frames.set_active(0);  // collects the first document
}

UrlExtractDialog::~UrlExtractDialog() { Close(); }

void UrlExtractDialog::BuildMenu() {
    auto menu = [this](const char* title) {
        auto* item = Gtk::manage(new Gtk::MenuItem(MnemonicLabel(title), true));
        auto* sub = Gtk::manage(new Gtk::Menu());
        sub->set_accel_group(m_accel);
        item->set_submenu(*sub);
        m_menu.append(*item);
        return sub;
    };
    auto add = [this](Gtk::Menu* sub, const char* text, guint key, std::function<void()> run) {
        auto* item = Gtk::manage(new Gtk::MenuItem(MnemonicLabel(text), true));
        if (key) item->add_accelerator("activate", m_accel, key, Gdk::CONTROL_MASK, Gtk::ACCEL_VISIBLE);
        // From the main loop, so the item returns before a chooser or message box holds it.
        item->signal_activate().connect(
            [this, run = std::move(run)] { Glib::signal_idle().connect_once(sigc::track_obj(run, *this)); });
        sub->append(*item);
    };
    Gtk::Menu* save = menu("保存(&S)");
    add(save, "リスト形式で保存(&S)", GDK_KEY_s, [this] { Save(JobKind::List); });
    add(save, "Iria形式で保存(&I)", GDK_KEY_i, [this] { Save(JobKind::Iria); });
    add(save, "ReGet形式で保存(&R)", GDK_KEY_r, [this] { Save(JobKind::ReGet); });
    add(save, "クリップボードへ保存(&C)", GDK_KEY_c,
        [this] { AfterOutcome(m_actions.Copy(m_list.CheckedUrls()), m_options.closeAfterSave); });
    Gtk::Menu* navigate = menu("ナビゲート(&N)");
    add(navigate, "選択しているURLを開く(&S)", 0, [this] { OpenRows(true); });
    add(navigate, "チェックが付いているURLを開く(&C)", 0, [this] { OpenRows(false); });
    Gtk::Menu* options = menu("設定(&O)");
    auto option = [this, options](const char* text, bool UrlExtractSettings::*flag) {
        auto* item = Gtk::manage(new Gtk::CheckMenuItem(MnemonicLabel(text), true));
        item->set_active(m_options.*flag);
        item->signal_toggled().connect([this, item, flag] {
            m_options.*flag = item->get_active();
            // The images come and go with the option at once.
            if (flag == &UrlExtractSettings::readImgTags) ChooseDocument(m_frames.get_active_row_number());
        });
        options->append(*item);
        m_optionItems.emplace_back(item, flag);
    };
    option("IMGタグも読み込む(&I)", &UrlExtractSettings::readImgTags);
    option("開くを実行したら閉じる(&N)", &UrlExtractSettings::closeAfterOpen);
    option("保存を実行したら閉じる(&S)", &UrlExtractSettings::closeAfterSave);
    option("起動時にフィルタ処理をする(&F)", &UrlExtractSettings::filterOnOpen);
}

Gtk::Widget* UrlExtractDialog::FilterRow() {
    auto* row = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 6));
    Gtk::Entry* entry = m_filter.get_entry();
    entry->set_max_length(kFilterTextLimit);
    row->pack_start(*Mnemonic("フィルタ(&F):", *entry), false, false);
    row->pack_start(m_filter, true, true);
    m_filter.signal_changed().connect([this] {
        int active = m_filter.get_active_row_number();
        if (active >= 0) m_editFilter = active;
    });
    Gtk::Button* apply = Button("フィルタ(&E)");
    apply->signal_clicked().connect([this] { ApplyFilter(); });
    Gtk::Button* add = Button("追加(&A)");
    add->signal_clicked().connect([this] {
        KeepFilterText();
        m_options.filters.push_back("新しいフィルタ");
        FillFilters(static_cast<int>(m_options.filters.size()) - 1);
        m_filter.get_entry()->grab_focus();
        m_filter.get_entry()->select_region(0, -1);
    });
    Gtk::Button* reset = Button("初期化(&I)");
    reset->signal_clicked().connect([this] {
        m_options.filters = UrlExtractSettings::DefaultFilters();
        FillFilters(0);
    });
    for (Gtk::Button* button : {apply, add, reset}) row->pack_start(*button, false, false);
    FillFilters(m_options.SelectedFilter());
    return row;
}

Gtk::Widget* UrlExtractDialog::JobRow() {
    auto* frame = Gtk::manage(new Gtk::Frame(ToUtf8("ReGet Iria 用")));
    auto* grid = Gtk::manage(new Gtk::Grid());
    grid->set_border_width(6);
    grid->set_row_spacing(6);
    grid->set_column_spacing(6);
    m_referer.set_hexpand(true);
    m_folder.set_hexpand(true);
    grid->attach(*Mnemonic("&Referer :", m_referer), 0, 0, 1, 1);
    grid->attach(m_referer, 1, 0, 2, 1);
    grid->attach(*Mnemonic("&DL保存先 :", m_folder), 0, 1, 1, 1);
    grid->attach(m_folder, 1, 1, 1, 1);
    auto* browse = Gtk::manage(new Gtk::Button("..."));
    if (AtkObject* accessible = gtk_widget_get_accessible(GTK_WIDGET(browse->gobj())))
        atk_object_set_name(accessible, ToUtf8("DL保存先フォルダ").c_str());
    browse->signal_clicked().connect([this] { ChooseFolder(); });
    grid->attach(*browse, 2, 1, 1, 1);
    frame->add(*grid);
    return frame;
}

void UrlExtractDialog::FillFilters(int select) {
    m_filter.remove_all();
    for (const std::string& filter : m_options.filters) m_filter.append(ToUtf8(filter));
    m_editFilter = -1;
    if (select >= 0 && select < static_cast<int>(m_options.filters.size())) m_filter.set_active(select);
}

// The box's text is the filter it was chosen from, as edited.
void UrlExtractDialog::KeepFilterText() {
    if (m_editFilter < 0 || m_editFilter >= static_cast<int>(m_options.filters.size())) return;
    std::string text = FromUtf8(m_filter.get_entry_text().raw());
    m_options.filters[static_cast<std::size_t>(m_editFilter)] = text;
    m_options.filterIndex = m_editFilter;
}

void UrlExtractDialog::ChooseDocument(int index) {
    if (index < 0 || index >= static_cast<int>(m_documents.size())) {
        m_list.Fill({});
        m_referer.set_text("");
    } else {
        const FrameReport& document = m_documents[static_cast<std::size_t>(index)];
        m_list.Fill(DocumentUrls(document, m_options.readImgTags));
        m_referer.set_text(ToUtf8(document.url));
    }
    if (m_options.filterOnOpen) m_list.ApplyFilter(FromUtf8(m_filter.get_entry_text().raw()));
    ShowRows();
}

void UrlExtractDialog::ShowRows() {
    // Detached while filled, so the view does not follow every row; rows go
    // in through the C call that sets a whole row at once.
    m_view.unset_model();
    m_store->clear();
    GtkListStore* store = m_store->gobj();
    std::size_t widest = 0;
    std::string utf8;
    for (std::size_t i = 0; i < m_list.Size(); ++i) {
        const std::string& url = m_list.Url(i);
        bool ascii =
            std::all_of(url.begin(), url.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        utf8 = ascii ? url : ToUtf8(url);
        gtk_list_store_insert_with_values(store, nullptr, -1, 0, static_cast<gboolean>(m_list.Checked(i)), 1,
                                          utf8.c_str(), -1);
        if (url.size() > m_list.Url(widest).size()) widest = i;
    }
    m_view.set_model(m_store);
    int width = 200;
    if (m_list.Size() > 0) {
        std::string sample = m_list.Url(widest).substr(0, kWidestMeasured);
        auto layout = m_view.create_pango_layout(ToUtf8(sample));
        int w = 0, h = 0;
        layout->get_pixel_size(w, h);
        width = w + 30 + 24;  // and the check box
    }
    m_urlColumn.set_fixed_width(width);
}

void UrlExtractDialog::ApplyFilter() {
    KeepFilterText();
    if (!m_list.ApplyFilter(FromUtf8(m_filter.get_entry_text().raw()))) return;
    std::size_t i = 0;
    for (auto& row : m_store->children()) row[m_columns.checked] = m_list.Checked(i++);
}

void UrlExtractDialog::AfterOutcome(ExtractOutcome outcome, bool closeOption) {
    if (outcome == ExtractOutcome::Done && closeOption) Close();
}

void UrlExtractDialog::Save(JobKind kind) {
    ExtractOutcome outcome = m_actions.Save(kind, m_list.CheckedUrls(), FromUtf8(m_referer.get_text().raw()),
                                            FromUtf8(m_folder.get_text().raw()));
    AfterOutcome(outcome, m_options.closeAfterSave);
}

void UrlExtractDialog::OpenRows(bool selectedOnly) {
    std::vector<std::string> urls;
    if (selectedOnly) {
        for (const Gtk::TreeModel::Path& path : m_view.get_selection()->get_selected_rows()) {
            std::size_t index = static_cast<std::size_t>(path[0]);
            if (index < m_list.Size()) urls.push_back(m_list.Url(index));
        }
    } else {
        urls = m_list.CheckedUrls();
    }
    AfterOutcome(m_actions.Open(urls), m_options.closeAfterOpen);
}

void UrlExtractDialog::ChooseFolder() {
    Gtk::FileChooserDialog chooser(*this, ToUtf8("DL保存先フォルダ"), Gtk::FILE_CHOOSER_ACTION_SELECT_FOLDER);
    chooser.add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
    chooser.add_button("OK", Gtk::RESPONSE_OK);
    if (chooser.run() != Gtk::RESPONSE_OK) return;
    // Kept as text: the job files name it for another program.
    m_folder.set_text(ToUtf8(PathToText(chooser.get_filename())));
}

void UrlExtractDialog::Close() {
    if (m_closed) return;
    m_closed = true;
    KeepFilterText();
    m_options.folder = FromUtf8(m_folder.get_text().raw());
    int active = m_filter.get_active_row_number();
    if (active >= 0) m_options.filterIndex = active;
    UrlExtractSettings kept = m_options;
    m_s.settings.Change(SettingsSection::UrlExtract, [&kept](ProgramSettings& s) { s.urlExtract = kept; });
    hide();
}

}  // namespace fern
