#pragma once
// What the widget and engine tests share: GTK started once with a private
// HOME (WebKit writes below it), main-loop helpers, UTF-8 literals.
#include <functional>
#include <string>

namespace fern::test {

// UTF-8 whatever the execution character set.
inline std::string U8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

// Starts GTK (and gtkmm) once; every GUI test shares one temporary HOME.
void InitGtkOnce();

// Lets pending events and redraws run for about 100 ms.
void Pump();

// Runs the main loop until `done` holds or the time is up; returns done().
bool RunUntil(const std::function<bool()>& done, int timeoutMs = 8000);

void RemoveTree(const std::string& path);

}  // namespace fern::test
