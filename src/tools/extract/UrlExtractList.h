#pragma once
// The URL extraction's list and what the dialog does with it: the frame
// chooser's entries, the rows of the chosen document (checked), the filter,
// and saving, copying and opening the checked rows.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/engine/PageLinks.h"
#include "platform/shell/Clipboard.h"
#include "platform/shell/MessageBox.h"
#include "tools/extract/JobFiles.h"

namespace fern {

// The dialog's caption: "URL抽出", and " - " with the page title cut at 100
// bytes when the page has one.
std::string ExtractCaption(std::string_view pageTitle);
// One entry per document, its title or "Untitled Document"; the single
// entry "No Frame" when there is none.
std::vector<std::string> FrameChoices(const std::vector<FrameReport>& documents);
// The link targets of the document, and its image sources when
// `readImages`, in document order; only texts holding ":" (empty and
// relative leftovers drop out), duplicates kept, control characters
// percent-encoded.
std::vector<std::string> DocumentUrls(const FrameReport& document, bool readImages);

class CUrlExtractList {
public:
    // Every row checked.
    void Fill(std::vector<std::string> urls);
    // False when the text is empty (the checks stay as they are).
    bool ApplyFilter(std::string_view filterText);

    std::size_t Size() const { return m_urls.size(); }
    const std::string& Url(std::size_t row) const { return m_urls[row]; }
    bool Checked(std::size_t row) const { return m_checked[row]; }
    void SetChecked(std::size_t row, bool checked) {
        if (row < m_checked.size()) m_checked[row] = checked;
    }
    std::vector<std::string> CheckedUrls() const;

private:
    std::vector<std::string> m_urls;
    std::vector<bool> m_checked;
};

struct UrlExtractServices {
    IClipboard& clipboard;
    IMessageBox& messageBox;
    // Opens a URL in a new tab that takes the focus.
    std::function<void(const std::string& url)> open;
    // The save chooser: a file-system path, or nullopt when cancelled.
    std::function<std::optional<std::string>(JobKind kind, const std::string& defaultName)> choosePath;
    std::function<std::string()> stamp;  // the time stamp of now
};

enum class ExtractOutcome {
    Nothing,  // no row was checked, or the user cancelled
    Done,
    Failed,  // told to the user; the dialog stays as it is
};

class CUrlExtractActions {
public:
    explicit CUrlExtractActions(UrlExtractServices services) : m_s(std::move(services)) {}

    ExtractOutcome Save(JobKind kind, const std::vector<std::string>& urls, std::string_view referer,
                        std::string_view folder);
    ExtractOutcome Copy(const std::vector<std::string>& urls);
    ExtractOutcome Open(const std::vector<std::string>& urls);

private:
    UrlExtractServices m_s;
};

inline constexpr char kExtractSaveFailed[] = "ファイルを保存できませんでした。";

}  // namespace fern
