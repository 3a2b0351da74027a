#include "frame/TabRules.h"

#include "commands/CommandIds.h"

namespace fern {

int TabInsertIndex(int insertPosition, int count, int selected) {
    switch (insertPosition) {
        case 1: return 0;
        case 2: return selected < 0 ? 0 : selected;
        case 3: return selected < 0 ? 0 : selected + 1;
        default: return count;
    }
}

int TabNextActiveIndex(int nextActive, int closing, int count) {
    int i = closing, n = count;
    switch (nextActive) {
        case 1: return (i == 0 && n > 1) ? 1 : 0;
        case 2: return (i == n - 1) ? n - 2 : n - 1;
        case 3: return i >= 1 ? i - 1 : 1;
        case 4: return i + 1 < n ? i + 1 : n - 2;
        default: return -1;
    }
}

int TabOffsetIndex(int selected, int offset, int count, bool wrap) {
    int next = selected + offset;
    if (next >= count) return wrap ? 0 : count - 1;
    if (next < 0) return wrap ? count - 1 : 0;
    return next;
}

int NewTabCommandFor(int createNew) {
    switch (createNew) {
        case 1: return ID_NEW_TAB_HOME;
        case 2: return ID_NEW_TAB_CLIPBOARD;
        case 3: return ID_NEW_TAB_COPY;
        default: return ID_NEW_TAB_BLANK;
    }
}

TabMouseAction TabClickAction(int setting) {
    switch (setting) {
        case 1: return TabMouseAction::Close;
        case 2: return TabMouseAction::Refresh;
        case 3: return TabMouseAction::Back;
        case 4: return TabMouseAction::NavigateLock;
        default: return TabMouseAction::None;
    }
}

TabMouseAction TabRightClickAction(int setting) {
    if (setting == 0) return TabMouseAction::Menu;
    if (setting == 5) return TabMouseAction::None;
    return TabClickAction(setting);
}

}  // namespace fern
