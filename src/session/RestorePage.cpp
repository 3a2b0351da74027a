#include "session/RestorePage.h"

#include <glib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/text/Encoding.h"
#include "platform/text/TextCut.h"

namespace fern {

namespace {

constexpr std::size_t kTitleBytes = 120;
constexpr std::size_t kUrlBytes = 200;

// Shift-JIS text for the page: cut, converted, escaped.
std::string Html(std::string_view sjis, std::size_t limit) {
    std::string utf8 = ToUtf8(ShortenText(sjis, limit));
    gchar* escaped = g_markup_escape_text(utf8.c_str(), static_cast<gssize>(utf8.size()));
    std::string out = escaped ? escaped : "";
    g_free(escaped);
    return out;
}

std::string Text(const char* sjis) { return Html(sjis, std::strlen(sjis)); }

}  // namespace

std::string RestorePageHtml(const std::vector<SessionTab>& tabs, std::string_view token,
                            const RestorePageNotes& notes) {
    std::string page =
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + Text("前回のセッション") +
        "</title><style>body{font-family:sans-serif;margin:2em}li{margin:.3em 0;list-style:none}"
        ".url{color:#666;font-size:small;margin-left:2em;word-break:break-all}"
        ".note{color:#a00}</style></head><body><h1>" +
        Text("前回のセッション") + "</h1>";
    if (notes.crashed)
        page += "<p>" + Text("前回は正常に終了しませんでした。開き直すタブを選んでください。") + "</p>";
    if (notes.olderGeneration)
        page += "<p class=\"note\">" +
                Text("最新のセッション ファイルが壊れていたため、一つ前の世代から読み込みました。") + "</p>";
    if (notes.partial)
        page += "<p class=\"note\">" +
                Text("セッション ファイルが壊れていたため、読み取れたタブだけを表示しています。") + "</p>";
    page += "<form method=\"get\" action=\"";
    page += kRestorePageUri;
    page += "\"><input type=\"hidden\" name=\"k\" value=\"" + Html(token, token.size()) + "\"><ul>";
    std::size_t shown = std::min(tabs.size(), kRestorePageLimit);
    char name[32];
    for (std::size_t i = 0; i < shown; ++i) {
        const SessionTab& tab = tabs[i];
        std::snprintf(name, sizeof name, "t%zu", i);
        page += "<li><label><input type=\"checkbox\" name=\"";
        page += name;
        page += "\" value=\"1\"";
        if (!tab.loading) page += " checked";
        page += "> " + Html(tab.title.empty() ? tab.url : tab.title, kTitleBytes);
        if (tab.loading) page += " <span class=\"note\">" + Text("(読み込み中でした)") + "</span>";
        page += "</label><div class=\"url\">" + Html(tab.url, kUrlBytes) + "</div></li>";
    }
    page += "</ul>";
    if (tabs.size() > shown) {
        std::snprintf(name, sizeof name, "%zu", tabs.size() - shown);
        page += "<p class=\"note\">" + Text("ほかに ") + name +
                Text(" 個のタブがあります (表示していません)。") + "</p>";
    }
    page += "<p><button type=\"submit\" name=\"do\" value=\"restore\">" + Text("復元") +
            "</button> <button type=\"submit\" name=\"do\" value=\"close\">" + Text("閉じる") +
            "</button></p></form></body></html>";
    return page;
}

RestoreAnswer ParseRestoreAnswer(std::string_view uri, std::string_view token, std::size_t tabCount) {
    RestoreAnswer answer;
    std::string_view page = kRestorePageUri;
    if (uri.substr(0, page.size()) != page || uri.size() <= page.size() || uri[page.size()] != '?')
        return answer;
    std::string query(uri.substr(page.size() + 1));
    std::size_t hash = query.find('#');
    if (hash != std::string::npos) query.resize(hash);
    GHashTable* params = g_uri_parse_params(query.c_str(), -1, "&", G_URI_PARAMS_NONE, nullptr);
    if (!params) return answer;
    auto value = [params](const char* key) {
        const char* v = static_cast<const char*>(g_hash_table_lookup(params, key));
        return std::string_view(v ? v : "");
    };
    std::string_view action = value("do");
    if (token.empty() || value("k") != token || (action != "restore" && action != "close")) {
        g_hash_table_unref(params);
        return answer;
    }
    answer.action = action == "restore" ? RestoreAnswer::Action::Restore : RestoreAnswer::Action::Close;
    GHashTableIter it;
    gpointer key = nullptr, unused = nullptr;
    g_hash_table_iter_init(&it, params);
    std::size_t limit = std::min(tabCount, kRestorePageLimit);
    while (g_hash_table_iter_next(&it, &key, &unused)) {
        const char* name = static_cast<const char*>(key);
        if (name[0] != 't' || name[1] < '0' || name[1] > '9') continue;
        char* end = nullptr;
        errno = 0;
        unsigned long long index = std::strtoull(name + 1, &end, 10);
        if (*end == '\0' && errno == 0 && index < limit)
            answer.chosen.push_back(static_cast<std::size_t>(index));
    }
    g_hash_table_unref(params);
    std::sort(answer.chosen.begin(), answer.chosen.end());
    answer.chosen.erase(std::unique(answer.chosen.begin(), answer.chosen.end()), answer.chosen.end());
    if (answer.action == RestoreAnswer::Action::Close) answer.chosen.clear();
    return answer;
}

}  // namespace fern
