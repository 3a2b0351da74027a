#include "tools/extract/UrlExtractList.h"

#include <cstdio>

#include "platform/text/TextCut.h"
#include "tools/extract/ExtractFilter.h"

namespace fern {

std::string ExtractCaption(std::string_view pageTitle) {
    std::string caption = "URL抽出";
    if (!pageTitle.empty()) caption += " - " + ShortenText(pageTitle, 100);
    return caption;
}

std::vector<std::string> FrameChoices(const std::vector<FrameReport>& documents) {
    if (documents.empty()) return {"No Frame"};
    std::vector<std::string> choices;
    for (const FrameReport& document : documents)
        choices.push_back(document.title.empty() ? std::string("Untitled Document") : document.title);
    return choices;
}

std::vector<std::string> DocumentUrls(const FrameReport& document, bool readImages) {
    std::vector<std::string> urls;
    for (const PageLink& link : document.links) {
        if (link.image && !readImages) continue;
        // ":" is below the trail-byte range, so a plain search is safe.
        if (link.url.find(':') == std::string::npos) continue;
        std::string url;
        url.reserve(link.url.size());
        for (unsigned char c : link.url) {
            if (c < 0x20 || c == 0x7F) {
                char code[4];
                std::snprintf(code, sizeof code, "%%%02X", c);
                url += code;
            } else {
                url += static_cast<char>(c);
            }
        }
        urls.push_back(std::move(url));
    }
    return urls;
}

void CUrlExtractList::Fill(std::vector<std::string> urls) {
    m_urls = std::move(urls);
    m_checked.assign(m_urls.size(), true);
}

bool CUrlExtractList::ApplyFilter(std::string_view filterText) {
    std::optional<std::vector<bool>> checks = ApplyExtractFilter(filterText, m_urls);
    if (!checks) return false;
    m_checked = std::move(*checks);
    return true;
}

std::vector<std::string> CUrlExtractList::CheckedUrls() const {
    std::vector<std::string> urls;
    for (std::size_t i = 0; i < m_urls.size(); ++i)
        if (m_checked[i]) urls.push_back(m_urls[i]);
    return urls;
}

ExtractOutcome CUrlExtractActions::Save(JobKind kind, const std::vector<std::string>& urls,
                                        std::string_view referer, std::string_view folder) {
    if (urls.empty()) return ExtractOutcome::Nothing;
    std::string stamp = m_s.stamp();  // one per save: the name and every Date line
    std::optional<std::string> path = m_s.choosePath(kind, JobDefaultName(kind, stamp));
    if (!path) return ExtractOutcome::Nothing;
    std::string error;
    if (WriteJobFile(*path, JobFileBytes(kind, urls, referer, folder, stamp), &error))
        return ExtractOutcome::Done;
    m_s.messageBox.Show(std::string(kExtractSaveFailed) + "\n" + error, "Fern Browser", MessageBoxKind::Ok);
    return ExtractOutcome::Failed;
}

ExtractOutcome CUrlExtractActions::Copy(const std::vector<std::string>& urls) {
    if (urls.empty()) return ExtractOutcome::Nothing;
    m_s.clipboard.SetText(ExtractClipboardText(urls));
    return ExtractOutcome::Done;
}

ExtractOutcome CUrlExtractActions::Open(const std::vector<std::string>& urls) {
    if (urls.empty()) return ExtractOutcome::Nothing;
    for (const std::string& url : urls) m_s.open(url);
    return ExtractOutcome::Done;
}

}  // namespace fern
