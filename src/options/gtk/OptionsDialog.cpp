#include "options/gtk/OptionsDialog.h"

#include "options/OptionsPageTable.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/UiResources.h"

namespace fern {

namespace {

constexpr char kSaveFailed[] = "設定を保存できませんでした。";

// Each row: the label, and the title's position in `titles`.
void AddNodes(const Glib::RefPtr<Gtk::TreeStore>& store, const std::vector<OptionsTreeNode>& nodes,
              const Gtk::TreeRow* parent, std::vector<std::string>& titles) {
    for (const OptionsTreeNode& node : nodes) {
        Gtk::TreeRow row = parent ? *store->append(parent->children()) : *store->append();
        row.set_value(0, Glib::ustring(ToUtf8(node.label)));
        row.set_value(1, static_cast<int>(titles.size()));
        titles.push_back(node.title);
        AddNodes(store, node.children, &row, titles);
    }
}

}  // namespace

OptionsDialog::OptionsDialog(Gtk::Window& parent, CSettingsService& settings, const COptionsPages& pages)
    : m_settings(settings), m_session(settings), m_builder(LoadUi("OptionsDialog.ui")) {
    m_builder->get_widget("dialog", m_dialog);
    m_builder->get_widget("pages", m_tree);
    m_builder->get_widget("stack", m_stack);
    m_store = Glib::RefPtr<Gtk::TreeStore>::cast_dynamic(m_builder->get_object("pageStore"));
    m_dialog->set_transient_for(parent);

    std::vector<std::string> titles;
    for (const COptionsPages::Entry& entry : pages.Entries()) {
        std::unique_ptr<IOptionsPage> page = entry.make ? entry.make() : nullptr;
        if (!page) continue;
        page->Load(m_session.Working());
        m_stack->add(page->Widget(), std::to_string(m_pages.size()));
        page->Widget().show_all();
        titles.push_back(entry.title);
        m_pages[entry.title] = std::move(page);
    }
    AddNodes(m_store, BuildOptionsTree(titles), nullptr, m_rows);
    m_tree->expand_all();
    m_tree->get_selection()->signal_changed().connect([this] {
        if (Gtk::TreeIter it = m_tree->get_selection()->get_selected()) {
            int row = 0;
            it->get_value(1, row);
            Show(m_rows.at(static_cast<std::size_t>(row)));
        }
    });
    m_dialog->signal_response().connect([this](int response) {
        if (response == Gtk::RESPONSE_APPLY) {
            Apply();
            return;
        }
        if (response == Gtk::RESPONSE_OK) Apply();
        Close();
    });

    // The page shown last, when it is one of the pages here.
    int index = settings.Live().optionDlg.pageIndex;
    auto table = OptionsPageTitles();
    std::string first =
        index >= 0 && index < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(index)] : "";
    if (!m_pages.count(first) && !titles.empty()) first = BuildOptionsTree(titles).front().title;
    m_store->foreach_iter([this, &first](const Gtk::TreeIter& it) {
        int row = 0;
        it->get_value(1, row);
        if (m_rows.at(static_cast<std::size_t>(row)) != first) return false;
        m_tree->get_selection()->select(it);
        return true;
    });
}

OptionsDialog::~OptionsDialog() { delete m_dialog; }

void OptionsDialog::Show(std::function<void()> closed) {
    m_closed = std::move(closed);
    m_dialog->show();
    m_dialog->present();
}

void OptionsDialog::Show(const std::string& title) {
    if (!m_pages.count(title)) return;
    m_shown = title;
    m_stack->set_visible_child(m_pages[title]->Widget());
}

void OptionsDialog::Apply() {
    m_session.Refresh();
    for (auto& [title, page] : m_pages) page->Store(m_session);
    if (!m_session.Apply()) {
        Gtk::MessageDialog box(*m_dialog, ToUtf8(kSaveFailed), false, Gtk::MESSAGE_WARNING, Gtk::BUTTONS_OK,
                               true);
        box.set_title("Fern Browser");
        box.run();
    }
    for (auto& [title, page] : m_pages) page->Load(m_session.Working());
}

void OptionsDialog::Close() {
    int index = OptionsPageIndex(m_shown);
    if (index >= 0 && index != m_settings.Live().optionDlg.pageIndex)
        m_settings.Change(SettingsSection::OptionDlg,
                          [index](ProgramSettings& s) { s.optionDlg.pageIndex = index; });
    m_dialog->hide();
    if (m_closed) Glib::signal_idle().connect_once(m_closed);
}

}  // namespace fern
