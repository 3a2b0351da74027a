#include "history/HistoryCommands.h"

#include "history/HistoryRecorder.h"
#include "history/HistoryTree.h"

namespace fern {

namespace {

constexpr char kCaption[] = "履歴を消去";

}  // namespace

std::optional<std::string> CHistoryCommands::ActiveSite() const {
    std::string url = m_s.activeUrl ? m_s.activeUrl() : std::string();
    if (!IsRecordableUrl(url)) return std::nullopt;
    return SiteOfUrl(url);
}

std::optional<bool> CHistoryCommands::IsEnabled(int id) const {
    switch (id) {
        case ID_HISTORY_CLEAR_ALL:
        case ID_HISTORY_CLEAR_TODAY: return m_s.store.Usable();
        case ID_HISTORY_CLEAR_SITE: return m_s.store.Usable() && ActiveSite().has_value();
        default: return std::nullopt;
    }
}

bool CHistoryCommands::Confirmed(const std::string& question) {
    return m_s.messageBox.Show(question, kCaption, MessageBoxKind::YesNo) == MessageBoxAnswer::Yes;
}

void CHistoryCommands::Done(bool ok) {
    if (!ok) m_s.messageBox.Show("履歴を消去できませんでした。", kCaption, MessageBoxKind::Ok);
}

bool CHistoryCommands::Command(int id) {
    if (!IsEnabled(id).has_value()) return false;
    if (!*IsEnabled(id)) return true;
    auto done = [this](bool ok) { Done(ok); };
    if (id == ID_HISTORY_CLEAR_ALL) {
        if (Confirmed("すべての履歴を消去します。よろしいですか?")) m_s.store.DeleteAll(done);
        return true;
    }
    HistoryScope scope;
    if (id == ID_HISTORY_CLEAR_TODAY) {
        if (!Confirmed("今日の履歴を消去します。よろしいですか?")) return true;
        scope.from = LocalDay(m_s.clock(), 0).from;
    } else {
        scope.site = ActiveSite();
        if (!Confirmed(HistorySiteLabel(*scope.site) + " の履歴を消去します。よろしいですか?")) return true;
    }
    m_s.store.Delete(scope, done);
    return true;
}

}  // namespace fern
