#pragma once
// A page of the options dialog. Features register their pages with the
// browser's page list; the dialog makes them when it opens.
#include <gtkmm.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "options/OptionsSession.h"

namespace fern {

class IOptionsPage {
public:
    virtual ~IOptionsPage() = default;
    virtual Gtk::Widget& Widget() = 0;
    // Shows the working copy (after it opens and after 適用).
    virtual void Load(const ProgramSettings& working) = 0;
    // Writes what the page shows into the working copy, through
    // `session.Edit(section)` for each section it writes; a page that can
    // writes only what the user changed on it (Put), since the working copy
    // is the live settings again at this point.
    virtual void Store(COptionsSession& session) = 0;
};

using OptionsPageFactory = std::function<std::unique_ptr<IOptionsPage>()>;

class COptionsPages {
public:
    // `title` is a title of the page table ("A::B").
    void Add(std::string title, OptionsPageFactory make) {
        m_pages.push_back({std::move(title), std::move(make)});
    }

    struct Entry {
        std::string title;
        OptionsPageFactory make;
    };
    const std::vector<Entry>& Entries() const { return m_pages; }

private:
    std::vector<Entry> m_pages;
};

}  // namespace fern
