#include "downloads/gtk/DownloadQuestions.h"

#include <cstdio>

#include "downloads/DownloadText.h"
#include "downloads/gtk/SaveChooser.h"
#include "platform/gtk/GuardedCall.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

enum Response { kOpen = 1, kSave, kCancel, kCancelAll };

const char kTitle[] = "ファイルのダウンロード";

std::string WaitingText(std::size_t waiting) {
    char text[128];
    std::snprintf(text, sizeof text, "このページからほかに %zu 件のダウンロードが待っています", waiting);
    return text;
}

}  // namespace

class DownloadQuestionDialog : public Gtk::Dialog {
public:
    DownloadQuestionDialog(Gtk::Window& parent, const DownloadQuestion& question)
        : Gtk::Dialog(ToUtf8(kTitle), parent, false), m_question(question) {
        set_resizable(false);
        m_intro.set_text(ToUtf8("このファイルを開くか、または保存しますか?"));
        m_intro.set_xalign(0);
        m_grid.set_row_spacing(4);
        m_grid.set_column_spacing(12);
        const DownloadResponse& response = question.response;
        gchar* name = g_filename_display_name(question.proposedName.c_str());
        AddRow(0, "名前:", name ? name : "");
        g_free(name);
        AddRow(1, "種類:", response.mimeType.empty() ? ToUtf8("不明") : response.mimeType);
        AddRow(2, "サイズ:", ToUtf8(response.size >= 0 ? ByteSizeText(response.size) : std::string("不明")));
        AddRow(3, "発信元:", ToUtf8(question.site.empty() ? std::string("不明") : question.site));
        m_waiting.set_xalign(0);
        Gtk::Box* content = get_content_area();
        content->set_spacing(10);
        content->set_border_width(12);
        content->pack_start(m_intro, Gtk::PACK_SHRINK);
        content->pack_start(m_grid, Gtk::PACK_SHRINK);
        content->pack_start(m_waiting, Gtk::PACK_SHRINK);
        m_cancelAll = add_button(ToUtf8("すべてキャンセル"), kCancelAll);
        add_button(MnemonicLabel("開く(&O)"), kOpen);
        add_button(MnemonicLabel("保存(&S)"), kSave);
        add_button(ToUtf8("キャンセル"), kCancel);
        set_default_response(kSave);
        show_all();
        SetWaiting(question.waitingBehind);
    }

    const DownloadQuestion& Question() const { return m_question; }

    void SetWaiting(std::size_t waiting) {
        m_waiting.set_text(waiting ? ToUtf8(WaitingText(waiting)) : std::string());
        m_waiting.set_visible(waiting > 0);
        m_cancelAll->set_visible(waiting > 0);
    }

private:
    DownloadQuestion m_question;
    Gtk::Label m_intro;
    Gtk::Grid m_grid;
    Gtk::Label m_waiting;
    Gtk::Button* m_cancelAll = nullptr;
    std::vector<std::unique_ptr<Gtk::Label>> m_labels;

    void AddRow(int row, const char* caption, const Glib::ustring& value) {
        auto title = std::make_unique<Gtk::Label>(ToUtf8(caption));
        title->set_xalign(1);
        auto text = std::make_unique<Gtk::Label>(value);
        text->set_xalign(0);
        text->set_selectable(true);
        text->set_ellipsize(Pango::ELLIPSIZE_MIDDLE);
        text->set_max_width_chars(60);
        // Read as "名前: report.pdf" by a screen reader.
        text->get_accessible()->set_name(ToUtf8(caption) + " " + value);
        m_grid.attach(*title, 0, row);
        m_grid.attach(*text, 1, row);
        m_labels.push_back(std::move(title));
        m_labels.push_back(std::move(text));
    }
};

DownloadQuestions::DownloadQuestions(Gtk::Window& parent, CDownloadList& list, CSettingsService& settings)
    : m_parent(parent), m_list(list), m_settings(settings) {}

DownloadQuestions::~DownloadQuestions() = default;

void DownloadQuestions::Ask(const DownloadQuestion& question) {
    const int id = question.id;
    auto dialog = std::make_shared<DownloadQuestionDialog>(m_parent, question);
    // Answered from the loop: the file chooser must not run inside the
    // click, which may come from an assistive technology's request.
    dialog->signal_response().connect([this, id](int response) {
        Glib::signal_idle().connect_once(
            [this, id, response] { Guard("download question", [&] { Answered(id, response); }); });
    });
    dialog->present();
    m_dialogs[id] = dialog;
}

void DownloadQuestions::Answered(int questionId, int response) {
    auto it = m_dialogs.find(questionId);
    if (it == m_dialogs.end()) return;
    // Kept while the file chooser runs, even if the question is withdrawn meanwhile.
    std::shared_ptr<DownloadQuestionDialog> keep = it->second;
    DownloadQuestionDialog& dialog = *keep;
    switch (response) {
        case kSave: {
            std::optional<SaveChoice> choice =
                ChooseSavePath(dialog, dialog.Question().proposedName, {}, m_settings);
            // No file chosen: the question stays.
            if (!choice) return;
            Close(questionId);
            m_list.Answer(questionId, DownloadAnswer::Save, choice->path, choice->replace);
            return;
        }
        case kOpen:
            Close(questionId);
            m_list.Answer(questionId, DownloadAnswer::Open);
            return;
        case kCancelAll:
            Close(questionId);
            m_list.Answer(questionId, DownloadAnswer::CancelAllOfPage);
            return;
        default:
            // Cancel, Escape and the window's close button.
            Close(questionId);
            m_list.Answer(questionId, DownloadAnswer::Cancel);
            return;
    }
}

// The dialog goes after its own signal has returned.
void DownloadQuestions::Close(int questionId) {
    auto it = m_dialogs.find(questionId);
    if (it == m_dialogs.end()) return;
    std::shared_ptr<DownloadQuestionDialog> dialog = it->second;
    m_dialogs.erase(it);
    dialog->hide();
    Glib::signal_idle().connect_once([dialog] {});
}

void DownloadQuestions::Withdraw(int questionId) { Close(questionId); }

void DownloadQuestions::WaitingChanged(int questionId, std::size_t waitingBehind) {
    auto it = m_dialogs.find(questionId);
    if (it != m_dialogs.end()) it->second->SetWaiting(waitingBehind);
}

}  // namespace fern
