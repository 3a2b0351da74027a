#pragma once
// One opening of the options dialog: every page edits the same working
// copy of the settings, so two pages of one section (the two tab pages, the
// three browser pages) never undo each other's edits; 適用 and OK hand the
// sections that were edited to the settings service, and only those whose
// stored values differ from the live ones.
#include <set>

#include "settings/SettingsService.h"

namespace fern {

class COptionsSession {
public:
    explicit COptionsSession(CSettingsService& settings) : m_settings(settings), m_working(settings.Live()) {}

    const ProgramSettings& Working() const { return m_working; }
    // A page's edit of one section of the working copy.
    ProgramSettings& Edit(SettingsSection section) {
        m_edited.insert(section);
        return m_working;
    }
    bool Edited() const { return !m_edited.empty(); }

    // Saves and announces every edited section; false when a save failed
    // (the edits are in effect all the same).
    bool Apply();

private:
    CSettingsService& m_settings;
    ProgramSettings m_working;
    std::set<SettingsSection> m_edited;
};

}  // namespace fern
