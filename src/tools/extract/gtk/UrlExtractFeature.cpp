#include "tools/extract/gtk/UrlExtractFeature.h"

#include "commands/CommandIds.h"

namespace fern {

UrlExtractFeature::UrlExtractFeature(Services services) : m_s(std::move(services)) {}

UrlExtractFeature::~UrlExtractFeature() = default;

void UrlExtractFeature::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_URL_EXTRACT, [this] { Extract(); });
}

void UrlExtractFeature::Extract() {
    CFernView* view = m_s.frame.ActiveView();
    WebKitWebView* webView = view ? m_s.webView(view) : nullptr;
    std::string title = view ? view->Title() : std::string();
    if (!webView) {
        Show({}, title);
        return;
    }
    // The dialog opens once the frames have answered, so it opens filled.
    m_collection =
        std::make_unique<WebKitLinkCollection>(webView, [this, title](std::vector<FrameReport> documents) {
            // Not from inside its own answer; and only if no later one took its place.
            WebKitLinkCollection* finished = m_collection.get();
            Glib::signal_idle().connect_once([this, finished] {
                if (m_collection.get() == finished) m_collection.reset();
            });
            Show(std::move(documents), title);
        });
}

void UrlExtractFeature::Show(std::vector<FrameReport> documents, const std::string& title) {
    if (m_dialog) m_dialog->Close();
    UrlExtractDialogServices services{
        m_s.window, m_s.settings, m_s.clipboard, m_s.messageBox, [this](const std::string& url) {
            m_s.frame.OpenUrl(url, 3, static_cast<std::uint32_t>(m_s.settings.Live().browser.downloadControl),
                              0);
        }};
    m_dialog = std::make_unique<UrlExtractDialog>(services, std::move(documents), title);
    m_dialog->present();
}

}  // namespace fern
