#pragma once
// The crash-safe session in the running browser: it reads the last session
// at start-up, shows the restore page when that session did not end with a
// clean exit, keeps the open tabs on disk while the browser runs, and marks
// the session closed at a clean exit. It serves the restore page's scheme and
// the menu command that lists the last session again.
#include <webkit2/webkit2.h>

#include <memory>
#include <string>
#include <vector>

#include "commands/CommandRouter.h"
#include "platform/shell/TimerService.h"
#include "session/RestorePage.h"
#include "session/SessionSaver.h"

namespace fern {

class CMainFrame;
class WebKitContext;

class SessionRecovery {
public:
    struct Services {
        CMainFrame& frame;
        WebKitContext& context;
        ITimerService& timers;
        std::string folder;  // the data folder, file-system bytes
    };

    explicit SessionRecovery(Services services);
    ~SessionRecovery();
    SessionRecovery(const SessionRecovery&) = delete;
    SessionRecovery& operator=(const SessionRecovery&) = delete;

    // After the other opens of the start-up: the restore page when the last
    // session was not closed; then the session is kept from here on.
    void OpenAtStartup();
    // The clean exit, after the main loop: the session marked closed.
    void MarkClosed();

    // "前回のセッションを開く(&B)".
    void RegisterCommands(CCommandRouter& router);

private:
    struct Slot;

    Services m_s;
    std::vector<SessionTab> m_listed;  // the last session's tabs, then its pending ones
    int m_listedSelected = -1;
    RestorePageNotes m_notes;
    bool m_pending = false;  // the restore page of a crash awaits its answer
    std::string m_token;
    Slot* m_slot = nullptr;  // owned by the scheme's registration
    SessionFileWriter m_writer;
    SessionSaver m_saver;

    SessionState Snapshot() const;
    void OpenRestorePage();
    void Serve(WebKitURISchemeRequest* request);
    void Answer(const RestoreAnswer& answer, WebKitWebView* page);
};

}  // namespace fern
