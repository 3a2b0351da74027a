#pragma once
// One opening of the options dialog: every page edits the same working
// copy of the settings, so two pages of one section (the two tab pages, the
// three browser pages) never undo each other's edits; 適用 and OK hand the
// sections that were edited to the settings service, and only those whose
// stored values differ from the live ones. The dialog does not hold the
// rest of the program: a page writes only what the user changed on it, so a
// switch that a menu turned meanwhile keeps its new value.
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
    // Before the pages store: the working copy becomes the live settings.
    void Refresh() { m_working = m_settings.Live(); }

    // Saves and announces every edited section; false when a save failed
    // (the edits are in effect all the same).
    bool Apply();

private:
    CSettingsService& m_settings;
    ProgramSettings m_working;
    std::set<SettingsSection> m_edited;
};

// A page's store of one value: `shown` when the user changed it from what
// the page loaded, otherwise `field` stays as it is.
template <class T, class U>
void Put(T& field, const U& shown, const T& loaded) {
    if (!(shown == loaded)) field = shown;
}

}  // namespace fern
