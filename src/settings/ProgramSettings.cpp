#include "settings/ProgramSettings.h"

namespace fern {

namespace {

template <class F>
void ForEachSection(ProgramSettings& s, F&& f) {
    f(s.browser), f(s.tabBar), f(s.addressBar), f(s.bookmark), f(s.fernBar), f(s.linkBar);
    f(s.mail), f(s.taskTray), f(s.closeUrl), f(s.killMsgDlg), f(s.recentCloseUrl);
    f(s.autoSave), f(s.startup), f(s.statusBar), f(s.fileDlg), f(s.optionDlg), f(s.proxy);
    f(s.history), f(s.historySearch), f(s.webSearch), f(s.urlExtract);
    f(s.mainFrame), f(s.reBar), f(s.fernBars), f(s.listEditDlg), f(s.download);
}

}  // namespace

void ProgramSettings::LoadAll(const SettingsStore& store) {
    ForEachSection(*this, [&](auto& section) { section.Load(store); });
}

bool ProgramSettings::SaveAll(SettingsStore& store) {
    bool ok = true;
    ForEachSection(*this, [&](auto& section) { ok = section.Save(store) && ok; });
    return ok;
}

}  // namespace fern
