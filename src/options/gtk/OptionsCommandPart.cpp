#include "options/gtk/OptionsCommandPart.h"

#include "commands/CommandIds.h"
#include "options/gtk/OptionsDialog.h"

namespace fern {

OptionsCommandPart::OptionsCommandPart(Gtk::Window& parent, CSettingsService& settings,
                                       const COptionsPages& pages)
    : m_parent(parent), m_settings(settings), m_pages(pages) {}

OptionsCommandPart::~OptionsCommandPart() = default;

void OptionsCommandPart::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_OPTIONS, [this] {
        if (m_dialog) {
            m_dialog->Present();  // one at a time
            return;
        }
        m_dialog = std::make_unique<OptionsDialog>(m_parent, m_settings, m_pages);
        m_dialog->Show([this] { m_dialog.reset(); });
    });
}

}  // namespace fern
