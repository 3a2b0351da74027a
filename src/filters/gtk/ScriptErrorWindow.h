#pragma once
// The script-error window: non-modal, captioned "スクリプト エラー", listing
// the message, address and line of each error reported while it is open.
// The dialog sweep closes it as the browser's HTML dialog (it is marked by
// its widget name).
#include <gtkmm.h>

#include "filters/PageDialogFilter.h"

namespace fern {

inline constexpr char kScriptErrorWindowName[] = "fern-script-error";

class ScriptErrorWindow {
public:
    explicit ScriptErrorWindow(Gtk::Window& parent) : m_parent(parent) {}
    ~ScriptErrorWindow();
    ScriptErrorWindow(const ScriptErrorWindow&) = delete;
    ScriptErrorWindow& operator=(const ScriptErrorWindow&) = delete;

    void Show(const ScriptErrorInfo& error);

private:
    Gtk::Window& m_parent;
    Gtk::Window* m_window = nullptr;
    Gtk::TextView* m_text = nullptr;
    int m_entries = 0;

    void Build();
};

}  // namespace fern
