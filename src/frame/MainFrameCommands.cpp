// The frame's part of the command router: the tab commands, the new-tab
// family and the commands of the active page.
#include "commands/CommandIds.h"
#include "commands/CommandRouter.h"
#include "frame/MainFrame.h"

namespace fern {

void CMainFrame::OnTargetTab(const std::function<void(CFernView&, int)>& action) {
    int target = TargetTab();
    if (CFernView* view = ViewAt(target)) action(*view, target);
    m_tabs.SetRightClicked(-1);
}

void CMainFrame::CopyTargetTitle() {
    OnTargetTab([this](CFernView& view, int) {
        std::string title = view.Title();
        if (title.empty())
            m_services.messageBox.Show("タイトルの取得に失敗しました。", "Fern Browser", MessageBoxKind::Ok);
        else m_services.clipboard.SetText(title);
    });
}

void CMainFrame::SleepOnRequest(CFernView& view) {
    if (!view.Engine() || &view == m_active) return;
    // The page is asked first: sound, video or typed text would be lost, and
    // a form's result would be posted again.
    // The answer never comes once the tab is gone.
    view.Engine()->MayRest([this, &view](bool may) {
        if (!may)
            SetStatusText("このタブは休止できません (再生中か入力中、またはフォームの送信結果のページです)");
        else PutToSleep(&view);
    });
}

void CMainFrame::RegisterCommands(CCommandRouter& router) {
    auto anyTab = [this] { return m_tabs.Count() > 0; };
    // A command on the target tab, available while there is a tab.
    auto onTarget = [&](int id, std::function<void(CFernView&, int)> action) {
        router.Add(id, {[this, action] { OnTargetTab(action); }, anyTab, {}});
    };
    auto onFrame = [&](int id, std::function<void()> run) {
        router.Add(id, {[this, run] {
                            run();
                            m_tabs.SetRightClicked(-1);
                        },
                        anyTab,
                        {}});
    };

    for (int id = ID_NEW_TAB; id <= ID_NEW_TAB_HOME; ++id) router.Add(id, [this, id] { NewTabCommand(id); });

    onTarget(ID_TAB_CLOSE, [this](CFernView&, int index) { CloseTab(index); });
    onTarget(ID_TAB_REFRESH, [](CFernView& v, int) { v.Refresh(false); });
    onTarget(ID_TAB_STOP, [](CFernView& v, int) { v.Stop(); });
    // Back and forward are there while the page has somewhere to go, so
    // their buttons grey as a browser's do.
    auto canGo = [this](bool back) {
        return [this, back] {
            CFernView* view = ViewAt(TargetTab());
            return view && (back ? view->CanGoBack() : view->CanGoForward());
        };
    };
    router.Add(ID_TAB_BACK,
               {[this] { OnTargetTab([](CFernView& v, int) { v.GoBack(); }); }, canGo(true), {}});
    router.Add(ID_TAB_FORWARD,
               {[this] { OnTargetTab([](CFernView& v, int) { v.GoForward(); }); }, canGo(false), {}});
    onTarget(ID_TAB_HOME, [](CFernView& v, int) { v.GoHome(); });
    onTarget(ID_TAB_MOVE_LEFT, [this](CFernView&, int i) {
        if (i > 0) SwapTabs(i, i - 1);
    });
    onTarget(ID_TAB_MOVE_RIGHT, [this](CFernView&, int i) {
        if (i + 1 < m_tabs.Count()) SwapTabs(i, i + 1);
    });
    router.Add(ID_TAB_NAVIGATE_LOCK,
               {[this] { OnTargetTab([](CFernView& v, int) { v.ToggleNavigateLock(); }); }, anyTab,
                [this] {
                    CFernView* view = ViewAt(TargetTab());
                    return view && view->IsNavigateLocked();
                }});
    router.Add(ID_TAB_SLEEP, {[this] { OnTargetTab([this](CFernView& v, int) { SleepOnRequest(v); }); },
                              [this] {
                                  CFernView* view = ViewAt(TargetTab());
                                  return view && view != m_active && PageMade(view);
                              },
                              {}});
    router.Add(ID_TAB_COPY_TITLE, {[this] { CopyTargetTitle(); }, anyTab, {}});
    onTarget(ID_TAB_COPY_URL, [this](CFernView& v, int) { m_services.clipboard.SetText(v.Url()); });

    onFrame(ID_TAB_REFRESH_ALL, [this] {
        for (int i = 0; i < m_tabs.Count(); ++i) ViewAt(i)->Refresh(false);
    });
    onFrame(ID_TAB_STOP_ALL, [this] {
        for (int i = 0; i < m_tabs.Count(); ++i) ViewAt(i)->Stop();
    });
    onFrame(ID_TAB_NEXT, [this] { SelectByOffset(+1); });
    onFrame(ID_TAB_PREV, [this] { SelectByOffset(-1); });
    onFrame(ID_TAB_FIRST, [this] { SelectTab(0); });
    onFrame(ID_TAB_LAST, [this] { SelectTab(m_tabs.Count() - 1); });
    onFrame(ID_TAB_CLOSE_ALL, [this] { CloseAll(); });
    onFrame(ID_TAB_CLOSE_OTHERS, [this] { CloseOthers(TargetTab()); });
    onFrame(ID_TAB_CLOSE_READ, [this] { CloseReadTabs(); });
    router.Add(ID_TAB_RESTORE_CLOSED, {[this] {
                                           RestoreClosed();
                                           m_tabs.SetRightClicked(-1);
                                       },
                                       [this] { return !m_closedSet.empty(); },
                                       {}});

    // The active page's own commands.
    auto onPage = [&](int id, std::function<bool()> enabled = {}) {
        if (!enabled) enabled = [this] { return m_active != nullptr; };
        router.Add(id, {[this, id] {
                            if (m_active) m_active->OnPageCommand(id);
                        },
                        enabled,
                        {}});
    };
    for (int id : {ID_PAGE_FIND, ID_PAGE_SOURCE, ID_PAGE_PROPERTIES, ID_PAGE_PRINT_PREVIEW, ID_FILE_PRINT,
                   ID_PAGE_SETUP, ID_PAGE_SHORTCUT, ID_PAGE_REFRESH_LATEST, ID_PAGE_FOCUS,
                   ID_PAGE_OPEN_SELECTION, ID_PAGE_COMMENTS})
        onPage(id);
    onPage(ID_PAGE_UP, [this] { return m_active && m_active->Engine() && !m_active->Engine()->Busy(); });
    router.Add(ID_PAGE_FIND_CLIPBOARD, {[this] {
                                            if (m_active)
                                                if (auto text = m_services.clipboard.GetText())
                                                    m_active->FindInPage(*text);
                                        },
                                        [this] { return m_active != nullptr; },
                                        {}});
    router.AddRange(ID_TEXT_LARGEST, ID_TEXT_SMALLEST,
                    {[this](int id) {
                         if (m_active) m_active->OnPageCommand(id);
                     },
                     [this](int) { return m_active != nullptr; },
                     [this](int id) { return m_active && m_active->IsTextSizeChecked(id); }});
    for (int step : {+1, -1}) {
        router.Add(step > 0 ? ID_TEXT_LARGER : ID_TEXT_SMALLER, {[this, step] {
                                                                     if (m_active)
                                                                         m_active->StepTextSize(step);
                                                                 },
                                                                 [this] { return m_active != nullptr; },
                                                                 {}});
    }
    router.AddRange(ID_BACK_LIST_FIRST, ID_FORWARD_LIST_LAST,
                    {[this](int id) {
                         if (m_active) m_active->OnPageCommand(id);
                     },
                     [this](int) { return m_active != nullptr; },
                     {}});
}

}  // namespace fern
