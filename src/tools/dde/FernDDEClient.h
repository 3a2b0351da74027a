#pragma once
// The browser's request server: the System topic and the six topics through
// which other programs open pages, read the tabs, activate and close the
// browser. Its status reports are not kept.
#include "tools/dde/DDEServer.h"
#include "tools/dde/FernDDETopics.h"

namespace fern {

class CFernDDEClient : public CDDEServer {
public:
    static constexpr const char* kDefaultService = "FBROWSER";

    explicit CFernDDEClient(IDdeBrowser& browser);
    ~CFernDDEClient() override;

    void Status(const char* /*format*/, ...) override {}
    void AddBrowserTopics();

    CDDETopicOpenUrl m_topicOpenUrl;
    CDDEGetWndInfo m_topicGetWndInfo;
    CDDEActivate m_topicActivate;
    CDDEListWnd m_topicListWnd;
    CDDEExit m_topicExit;
    CDDEShowFile m_topicShowFile;
};

}  // namespace fern
