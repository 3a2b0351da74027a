#pragma once
// The tab rules that the settings choose between, as pure functions: where a
// new tab goes, which tab follows a closed one, where next/previous lands,
// what the new-tab command opens and what a click on a tab does.

namespace fern {

// Index for a new tab with `count` tabs before it and `selected` the selected
// index (-1 when none), by `TabInsertPosition`.
int TabInsertIndex(int insertPosition, int count, int selected);

// The tab to select before tab `closing` of `count` closes, by
// `TabNextActive`; -1 leaves the choice to the window order (the previously
// selected tab).
int TabNextActiveIndex(int nextActive, int closing, int count);

// Next/previous tab: `wrap` is `TabStyle` bit 0x200.
int TabOffsetIndex(int selected, int offset, int count, bool wrap);

// The command that "新規タブ" posts for `TabCreateNew`.
int NewTabCommandFor(int createNew);

enum class TabMouseAction { None, Close, Refresh, Back, NavigateLock, Menu };

// `TabBtnWClick` and `TabBtnLDblClick`: 0 nothing, 1 close, 2 refresh,
// 3 back, 4 navigate lock.
TabMouseAction TabClickAction(int setting);
// `TabBtnRClick`: 0 menu, 1 close, 2 refresh, 3 back, 4 navigate lock,
// 5 nothing.
TabMouseAction TabRightClickAction(int setting);

}  // namespace fern
