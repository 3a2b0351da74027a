#include "tools/dde/FernDDEClient.h"

namespace fern {

CFernDDEClient::CFernDDEClient(IDdeBrowser& browser)
    : m_topicOpenUrl(browser),
      m_topicGetWndInfo(browser),
      m_topicActivate(browser),
      m_topicListWnd(browser),
      m_topicExit(browser),
      m_topicShowFile(browser) {}

// The topics are members: the channel must be closed before they go.
CFernDDEClient::~CFernDDEClient() { Shutdown(); }

void CFernDDEClient::AddBrowserTopics() {
    m_topicOpenUrl.Create("WWW_OpenURL");
    m_topicGetWndInfo.Create("WWW_GetWindowInfo");
    m_topicActivate.Create("WWW_Activate");
    m_topicListWnd.Create("WWW_ListWindows");
    m_topicExit.Create("WWW_Exit");
    m_topicShowFile.Create("WWW_ShowFile");
    AddTopic(&m_topicOpenUrl);
    AddTopic(&m_topicGetWndInfo);
    AddTopic(&m_topicActivate);
    AddTopic(&m_topicListWnd);
    AddTopic(&m_topicExit);
    AddTopic(&m_topicShowFile);
}

}  // namespace fern
