#pragma once
// The desktop services on GLib and GTK: main-loop timers, posted messages,
// the clipboard and message boxes.
#include <gtk/gtk.h>

#include <map>
#include <memory>

#include "platform/shell/Clipboard.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/MessageQueue.h"
#include "platform/shell/TimerService.h"

namespace fern {

class GlibTimers : public ITimerService {
public:
    ~GlibTimers() override;
    TimerId Start(unsigned periodMs, std::function<void()> tick) override;
    void Stop(TimerId id) override;

private:
    struct Timer {
        guint source = 0;
        std::function<void()> tick;
    };
    std::map<TimerId, std::unique_ptr<Timer>> m_timers;
};

class GlibMessageQueue : public IMessageQueue {
public:
    void Post(std::function<void()> work) override;
};

class GtkClipboardText : public IClipboard {
public:
    std::optional<std::string> GetText() override;
    void SetText(const std::string& text) override;
};

class GtkMessageBox : public IMessageBox {
public:
    explicit GtkMessageBox(GtkWindow* parent = nullptr) : m_parent(parent) {}
    void SetParent(GtkWindow* parent) { m_parent = parent; }
    MessageBoxAnswer Show(const std::string& text, const std::string& caption, MessageBoxKind kind) override;

private:
    GtkWindow* m_parent;
};

}  // namespace fern
