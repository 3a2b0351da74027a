#include "addressbar/gtk/AddressBarFeature.h"

#include "addressbar/AddressBarCommands.h"
#include "addressbar/AddressKeys.h"
#include "addressbar/gtk/PageKeys.h"
#include "addressbar/gtk/UrlAddDialog.h"
#include "commands/CommandIds.h"
#include "commands/CommandRouter.h"
#include "platform/engine/LazyEngine.h"
#include "platform/fs/FileIo.h"
#include "platform/gtk/WebKitEngine.h"

namespace fern {

namespace {

GtkWidget* PageWidget(const CFernView* view) {
    auto* engine = view ? dynamic_cast<WebKitEngine*>(RealEngine(view->Engine())) : nullptr;
    return engine ? engine->Widget() : nullptr;
}

}  // namespace

AddressBarFeature::AddressBarFeature(CMainFrame& frame, Gtk::Window& dialogParent, CSettingsService& settings,
                                     COptionsPages& optionsPages, IMessageBox& messageBox,
                                     std::string typedPath, std::string tempFolder)
    : m_frame(frame),
      m_parent(dialogParent),
      m_settings(settings),
      m_typedPath(std::move(typedPath)),
      m_bar(settings.Live().addressBar),
      m_pageServices({[this] {
                          m_bar.ClearTypedList();
                          return SaveTypedHistory();
                      },
                      messageBox, settings.Live().addressBar.autoComplete,
                      settings.Live().fileDlg.autoComplete}) {
    (void)ReadTypedHistory(m_typedPath, m_typed, settings.Live().addressBar.urlLimit);
    m_bar.SetTypedUrls(m_typed.urls);
    m_bar.SetOpener(FrameOpener(m_frame));
    m_widget = std::make_unique<AddressBarWidget>(m_bar, std::move(tempFolder));
    AddressBarWidget::Hooks hooks;
    hooks.hasPage = [this] { return PageWidget(m_frame.ActiveView()) != nullptr; };
    hooks.keyToPage = [this](guint key) { SendKeyToPage(PageWidget(m_frame.ActiveView()), key); };
    hooks.pageTitle = [this] {
        CFernView* view = m_frame.ActiveView();
        return view ? view->Title() : std::string();
    };
    m_widget->SetHooks(hooks);
    m_bar.ApplyStyle();
    m_style = settings.Subscribe(SettingsSection::AddressBar, [this] { m_bar.ApplyStyle(); });
    m_opened =
        frame.opened.Connect([this](const std::string& text, int flags) { m_bar.OnOpened(text, flags); });
    m_refused = frame.openRefused.Connect([this] { m_bar.OnOpenRefused(); });
    m_typedStep = frame.Exit().typedLists.Connect([this] { SaveTypedHistory(); });
    AddAddressOptionsPage(optionsPages, m_pageServices);
}

void AddressBarFeature::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_FILE_OPEN_URL, [this] { OpenDialog(); });
    router.Add(ID_ADDRESS_FOCUS, [this] { m_widget->FocusEdit(); });
    router.Add(ID_ADDRESS_DROP_DOWN, [this] { m_widget->DropDown(); });
    router.Add(ID_ADDRESS_GO_BUTTON, {[this] { ToggleGoButton(m_settings); },
                                      {},
                                      [this] { return m_settings.Live().addressBar.goButton; }});
}

bool AddressBarFeature::SaveTypedHistory() {
    m_typed.urls = m_bar.TypedUrls();
    ListFileStatus status = WriteTypedHistory(m_typedPath, m_typed, m_settings.Live().addressBar.urlLimit);
    if (!status.ok) LogWriteFailure(m_typedPath, status.error);
    return status.ok;
}

void AddressBarFeature::OpenDialog() {
    UrlAddDialog dialog(m_parent, m_bar.TypedUrls(), m_settings);
    UrlAddDialog::Result result = dialog.Run();
    if (!result.ok) return;
    int flags = 0;
    m_settings.Change(SettingsSection::FileDlg,
                      [&](ProgramSettings& s) { flags = AcceptOpenDialog(s.fileDlg, result.newTab); });
    if (!result.text.empty()) m_frame.OpenUrl(result.text, flags, kAddressDlc, kAddressSecurityMode);
}

}  // namespace fern
