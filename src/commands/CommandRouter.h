#pragma once
// The one place a command id is run: features register, for each of their
// ids, what running it does and, where it matters, whether it is enabled
// and checked. Menus, keys, tool bars and other programs all come here.
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace fern {

struct CommandHandler {
    std::function<void()> run;
    std::function<bool()> enabled;  // empty: always enabled
    std::function<bool()> checked;  // empty: never checked
};

// A block of ids served together (recently closed entries, the back list):
// the handlers get the id.
struct CommandRangeHandler {
    std::function<void(int id)> run;
    std::function<bool(int id)> enabled;
    std::function<bool(int id)> checked;
};

// An entry of a menu whose items are made each time it opens.
struct DynamicMenuItem {
    int id = 0;        // 0 with no text: a separator
    std::string text;  // Shift-JIS, "&" marks the mnemonic
    bool check = false;
};
using DynamicMenuFill = std::function<std::vector<DynamicMenuItem>()>;

class CCommandRouter {
public:
    // A later registration of the same id replaces the earlier one.
    void Add(int id, CommandHandler handler);
    void Add(int id, std::function<void()> run) { Add(id, CommandHandler{std::move(run), {}, {}}); }
    void AddRange(int first, int last, CommandRangeHandler handler);
    void Remove(int id);

    bool Has(int id) const;
    // False when nobody serves the id or it is disabled; exceptions from a
    // handler are logged, never passed on.
    bool Run(int id) const;
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;

    // Menus filled on opening, by name ("recent-closed", "back-list").
    void AddDynamicMenu(const std::string& name, DynamicMenuFill fill);
    std::vector<DynamicMenuItem> FillDynamicMenu(const std::string& name) const;

    // Catalogue commands nobody serves: a wiring fault to report.
    std::vector<int> Unserved() const;

private:
    struct Range {
        int first;
        int last;
        CommandRangeHandler handler;
    };
    std::unordered_map<int, CommandHandler> m_handlers;
    std::vector<Range> m_ranges;
    std::map<std::string, DynamicMenuFill> m_dynamicMenus;

    const Range* RangeOf(int id) const;
};

}  // namespace fern
