#pragma once
// Printing a page: the print dialog, the page setup kept for the whole
// program (used by printing and the preview alike), and the print preview,
// a silent print to a temporary PDF shown in a read-only window.
#include <webkit2/webkit2.h>

#include <functional>
#include <optional>
#include <string>

namespace fern {

class WebKitContext;

// The print dialog over the page's window; the page setup and printer
// choices made there are kept for the next print.
void PrintPage(WebKitWebView* view);

// The page setup dialog (modal); OK keeps the new setup.
void RunPageSetup(WebKitWebView* view);

// The page setup every print and preview uses (owned here).
GtkPageSetup* ProgramPageSetup();

// Prints `view` to a temporary PDF and opens it in a window of its own;
// `shown` gets that window (tests). A failure is told to the user.
void ShowPrintPreview(WebKitContext& context, WebKitWebView* view,
                      std::function<void(GtkWidget* window)> shown = {});

// The program's folder for temporary files, "<tmp>/fern-<uid>" (UTF-8),
// made private to the user; nullopt when it cannot be made or is not ours.
std::optional<std::string> PrivateTempFolder();

}  // namespace fern
