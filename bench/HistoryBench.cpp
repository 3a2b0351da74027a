// The history store with 10,000 visited pages of Japanese text (about 70 MB
// of Shift-JIS markup): recording a page on the writer, how long the main
// loop is held while pages are recorded, full-text queries of one, two and
// five characters (the first 20 hits with snippets), the size of the index
// against the text, and the history search's scan of every kept page against
// `grep -F -c` on the same bytes.
//
// The store is made once and kept in $TMPDIR/fern-bench-history-1/ (about
// 230 MB); delete the folder to make it again.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "history/HistorySearch.h"
#include "history/HistoryTree.h"
#include "history/PageTextCodec.h"
#include "platform/fs/FileIo.h"
#include "platform/shell/MessageQueue.h"
#include "platform/store/HistoryStore.h"
#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"

namespace {

using namespace fern;

// <chrono> does not compile with the Shift-JIS execution character set.
struct Clock {
    struct time_point {
        double ms;
    };
    static time_point now() {
        timespec t{};
        clock_gettime(CLOCK_MONOTONIC, &t);
        return {t.tv_sec * 1000.0 + t.tv_nsec / 1e6};
    }
};
double operator-(Clock::time_point a, Clock::time_point b) { return a.ms - b.ms; }

constexpr int kPages = 10000;
constexpr HistoryTime kNow = 1796000000;

double Ms(double d) { return d; }

std::size_t IndexedCharCountOf(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += IsSjisLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1)
        ++count;
    return count;
}

// CPU time of this thread, and of the children waited for, in ms: on a
// machine that others share, wall times say more about them than about us.
double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}
double ChildrenCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto ms = [](const timeval& v) { return v.tv_sec * 1000.0 + v.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

std::string Code(unsigned code) {
    return code < 0x100 ? std::string(1, static_cast<char>(code))
                        : std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// Words of Japanese text: particles and common endings, compounds of the
// first level of kanji, katakana words, some numbers and Latin words; their
// use follows Zipf's law, as in real text.
class Corpus {
public:
    explicit Corpus(unsigned seed) : m_rng(seed) {
        std::vector<std::string> kanji;
        for (unsigned lead = 0x88; lead <= 0x98; ++lead)
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F || (lead == 0x88 && trail < 0x9F) || (lead == 0x98 && trail > 0x72))
                    continue;
                kanji.push_back(Code((lead << 8) | trail));
            }
        for (const char* w : {"の",   "に",   "は",     "を",       "た",     "が",    "で",   "て",   "と",
                              "し",   "も",   "から",   "こと",     "として", "など",  "ない", "この", "ため",
                              "その", "よう", "また",   "もの",     "という", "まで",  "なる", "へ",   "か",
                              "です", "ます", "でした", "について", "による", "られる"})
            m_particles.push_back(w);
        std::uniform_int_distribution<int> pick(0, static_cast<int>(kanji.size()) - 1);
        // Frequent kanji first: a word takes from the front of the list more often.
        auto skewedKanji = [&] {
            double u = std::uniform_real_distribution<double>(0, 1)(m_rng);
            return kanji[static_cast<std::size_t>(u * u * u * (kanji.size() - 1))];
        };
        for (int i = 0; i < 15000; ++i) {
            int n = 2 + static_cast<int>(m_rng() % 3 == 0);
            std::string word;
            for (int k = 0; k < n; ++k) word += (i % 4 == 0) ? kanji[pick(m_rng)] : skewedKanji();
            if (m_rng() % 3 == 0) word += Code(0x829F + m_rng() % 83);  // okurigana
            m_words.push_back(word);
        }
        for (int i = 0; i < 3000; ++i) {
            std::string word;
            for (int k = 0, n = 3 + static_cast<int>(m_rng() % 4); k < n; ++k) {
                unsigned code = 0x8340 + m_rng() % 86;
                if (code == 0x837F) ++code;
                word += Code(code);
            }
            word += "ー";
            m_words.push_back(word);
        }
        for (int i = 0; i < 500; ++i)
            m_words.push_back("word" + std::to_string(i) + " " + std::to_string(i * 37 % 1000));
        std::shuffle(m_words.begin(), m_words.end(), m_rng);
        m_zipf.resize(m_words.size());
        double total = 0;
        for (std::size_t i = 0; i < m_words.size(); ++i) m_zipf[i] = (total += 1.0 / (i + 1.0));
    }

    std::string Word() {
        double u = std::uniform_real_distribution<double>(0, m_zipf.back())(m_rng);
        return m_words[std::lower_bound(m_zipf.begin(), m_zipf.end(), u) - m_zipf.begin()];
    }

    std::string Sentence() {
        std::string s;
        for (int i = 0, n = 4 + static_cast<int>(m_rng() % 8); i < n; ++i) {
            s += Word();
            s += m_particles[m_rng() % m_particles.size()];
            if (m_rng() % 9 == 0) s += "、";
        }
        return s + "。";
    }

    // About 7,000 bytes of Shift-JIS markup.
    std::string Page(const std::string& title) {
        std::string page = "<!DOCTYPE html>\n<html lang=\"ja\"><head><meta charset=\"Shift_JIS\"><title>" +
                           title +
                           "</title>\n<link rel=\"stylesheet\" href=\"/style.css\"></head>\n<body>\n<div "
                           "class=\"main\">\n<h1>" +
                           title + "</h1>\n";
        std::size_t target = 5500 + m_rng() % 3000;
        while (page.size() < target) {
            page += "<p>";
            for (int i = 0, n = 2 + static_cast<int>(m_rng() % 4); i < n; ++i) page += Sentence();
            page += "</p>\n";
        }
        return page + "</div>\n</body></html>\n";
    }

    std::mt19937& Random() { return m_rng; }

private:
    std::mt19937 m_rng;
    std::vector<std::string> m_particles, m_words;
    std::vector<double> m_zipf;
};

std::string Folder() {
    const char* tmp = getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/fern-bench-history-1";
}
std::string CorpusPath() { return Folder() + "/history.db"; }
std::string BytesPath() { return Folder() + "/pages.bin"; }

std::string UrlOf(int i) {
    return "http://site" + std::to_string(i % 200) + ".example.jp/dir/page" + std::to_string(i) + ".html";
}

// Makes the store of 10,000 pages, and every page's bytes one after the
// other (for grep), unless they are there.
void EnsureCorpus() {
    static bool done = false;
    if (done) return;
    done = true;
    if (IsRegularFile(CorpusPath()) && IsRegularFile(BytesPath())) return;
    std::filesystem::remove_all(Folder());
    std::filesystem::create_directories(Folder());
    std::fprintf(stderr, "making the history of %d pages in %s ...\n", kPages, Folder().c_str());
    HistoryDb db;
    db.SetCodec(MakePageTextCodec());
    if (db.Open(CorpusPath(), HistoryDb::Mode::Write) != HistoryDb::OpenResult::Ok) std::abort();
    Corpus corpus(1);
    std::string all;
    db.Begin();
    for (int i = 0; i < kPages; ++i) {
        std::string title = corpus.Word() + corpus.Word() + "の" + corpus.Word();
        std::string page = corpus.Page(title);
        all += page;
        HistoryTime when = kNow - (kPages - i) * 500;  // about two months
        db.RecordVisit(UrlOf(i), when);
        db.SetTitle(UrlOf(i), title);
        db.StorePage(UrlOf(i), page, when);
        if (i % 250 == 249) {
            db.Commit();
            db.Begin();
        }
    }
    db.Commit();
    db.Connection().Exec("PRAGMA wal_checkpoint(TRUNCATE)");
    WriteFileAtomic(BytesPath(), all);
}

std::unique_ptr<HistoryDb> OpenCorpus() {
    EnsureCorpus();
    auto db = std::make_unique<HistoryDb>();
    db->SetCodec(MakePageTextCodec());
    if (db->Open(CorpusPath(), HistoryDb::Mode::Read) != HistoryDb::OpenResult::Ok) std::abort();
    return db;
}

// A copy of the store that a benchmark may change.
std::string CopyOfCorpus(const char* name) {
    EnsureCorpus();
    std::string path = Folder() + "/" + name + ".db";
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
    std::filesystem::copy_file(CorpusPath(), path);
    return path;
}

// Pieces of `length` characters from the pages' text (inside a paragraph),
// cut on character boundaries.
std::vector<std::string> Queries(int length, int count) {
    std::string all = *ReadWholeFile(BytesPath());
    std::mt19937 rng(length * 7919);
    std::vector<std::string> queries;
    while (static_cast<int>(queries.size()) < count) {
        std::size_t at = all.find("<p>", rng() % (all.size() - 4096));
        if (at == std::string::npos) continue;
        at += 3;
        auto width = [&](std::size_t i) {
            return IsSjisLeadByte(static_cast<unsigned char>(all[i])) ? 2u : 1u;
        };
        for (int skip = static_cast<int>(rng() % 100); skip > 0 && all[at] != '<'; --skip) at += width(at);
        std::string query;
        for (int k = 0; k < length && all[at] != '<'; ++k) {
            query += all.substr(at, width(at));
            at += width(at);
        }
        if (static_cast<int>(IndexedCharCountOf(query)) == length) queries.push_back(query);
    }
    return queries;
}

void BM_HistoryRecordPage(benchmark::State& state) {
    std::string path = CopyOfCorpus("record");
    HistoryDb db;
    db.SetCodec(MakePageTextCodec());
    db.Open(path, HistoryDb::Mode::Write);
    Corpus corpus(2);
    std::vector<std::string> pages;
    for (int i = 0; i < 200; ++i) pages.push_back(corpus.Page("記録の試験 " + std::to_string(i)));
    int i = 0;
    for (auto _ : state) {
        // What the writer does with one page's three writes in one batch.
        std::string url = "http://record.example.jp/" + std::to_string(i);
        db.Begin();
        db.RecordVisit(url, kNow + i);
        db.SetTitle(url, "記録の試験");
        db.StorePage(url, pages[i % pages.size()], kNow + i);
        db.Commit();
        ++i;
    }
    state.counters["pages_in_store"] = static_cast<double>(db.PageCount());
}
BENCHMARK(BM_HistoryRecordPage)->Unit(benchmark::kMillisecond)->UseRealTime();

// Work posted for the main loop, dropped: nothing here waits for it.
class DropQueue : public IMessageQueue {
public:
    void Post(std::function<void()>) override {}
};

void BM_HistoryMainLoopWhileRecording(benchmark::State& state) {
    std::string path = CopyOfCorpus("mainloop");
    Corpus corpus(3);
    std::vector<std::string> pages;
    for (int i = 0; i < 100; ++i) pages.push_back(corpus.Page("主ループ " + std::to_string(i)));
    for (auto _ : state) {
        DropQueue queue;
        HistoryStore store({path, {}, MakePageTextCodec()}, queue, {});
        store.WaitUntilOpen();
        std::unique_ptr<HistoryDb> reader = store.OpenReader();
        CHistoryTree tree([&] { return reader.get(); }, [] { return kNow + 1000; });
        double worst = 0, worstRead = 0;
        for (int i = 0; i < 500; ++i) {
            std::string url = "http://mainloop.example.jp/" + std::to_string(i);
            auto start = Clock::now();
            store.RecordVisit(url, kNow + i);
            store.SetTitle(url, "主ループの試験");
            store.StorePage(url, pages[i % pages.size()], kNow + i);
            worst = std::max(worst, Ms(Clock::now() - start));
            if (i % 25 == 0) {
                // The panel reading today's sites meanwhile.
                start = Clock::now();
                auto days = tree.Days();
                if (!days.empty()) tree.Pages(days[0], tree.Sites(days[0]).front().site);
                worstRead = std::max(worstRead, Ms(Clock::now() - start));
            }
            usleep(2000);
        }
        store.Flush();
        state.counters["max_enqueue_ms"] = worst;
        state.counters["max_panel_read_ms"] = worstRead;
    }
}
BENCHMARK(BM_HistoryMainLoopWhileRecording)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_HistoryFullTextQuery(benchmark::State& state) {
    auto db = OpenCorpus();
    const int length = static_cast<int>(state.range(0));
    std::vector<std::string> queries = Queries(length, 200);
    std::vector<double> times, cpuTimes;
    std::size_t hits = 0;
    for (auto _ : state) {
        for (const std::string& query : queries) {
            double cpu = ThreadCpuMs();
            auto start = Clock::now();
            std::vector<TextHit> found = db->FindText(query, 20, false);
            times.push_back(Ms(Clock::now() - start));
            cpuTimes.push_back(ThreadCpuMs() - cpu);
            hits += found.size();
            benchmark::DoNotOptimize(found);
        }
    }
    state.counters["p50_ms"] = Percentile(times, 0.50);
    state.counters["p95_ms"] = Percentile(times, 0.95);
    state.counters["max_ms"] = Percentile(times, 1.0);
    state.counters["cpu_p95_ms"] = Percentile(cpuTimes, 0.95);
    state.counters["hits_per_query"] = static_cast<double>(hits) / times.size();
}
BENCHMARK(BM_HistoryFullTextQuery)
    ->Arg(1)
    ->Arg(2)
    ->Arg(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void BM_HistoryIndexSize(benchmark::State& state) {
    auto db = OpenCorpus();
    for (auto _ : state) {
        state.counters["text_mb"] = static_cast<double>(db->CachedBytes()) / (1 << 20);
        state.counters["index_mb"] = static_cast<double>(db->Connection().QueryInt(
                                         "SELECT SUM(pgsize) FROM dbstat WHERE name LIKE 'page_text%'")) /
                                     (1 << 20);
        state.counters["file_mb"] = static_cast<double>(std::filesystem::file_size(CorpusPath())) / (1 << 20);
    }
    state.counters["index_per_text"] = state.counters["index_mb"] / state.counters["text_mb"];
}
BENCHMARK(BM_HistoryIndexSize)->Iterations(1);

// The search in page texts as the worker runs it over every page, against
// grep counting the lines that hold the same bytes in all the pages.
void BM_HistoryScanVersusGrep(benchmark::State& state) {
    auto db = OpenCorpus();
    std::string query = Queries(static_cast<int>(state.range(0)), 1)[0];
    std::string patternFile = Folder() + "/pattern.txt";
    WriteFileAtomic(patternFile, query);
    std::string grep = "grep -F -c -f " + patternFile + " " + BytesPath();
    std::vector<double> scans, greps, scanCpu, grepCpu;
    std::size_t matched = 0;
    std::string grepCount;
    for (auto _ : state) {
        SjisSearcher searcher(query, false);
        struct NoCache : IPageCache {
            std::optional<CachedPage> Lookup(const std::string&) override { return std::nullopt; }
        } cache;
        EncodingConversionContext context;
        matched = 0;
        double cpu = ThreadCpuMs();
        auto start = Clock::now();
        Utf8Searcher names(ToUtf8(query), false);
        db->ScanPages({}, [&](const HistoryPageView& view) {
            // As the search's worker does it.
            HistoryRecord record;
            record.url = StoredTextToSjis(view.url);
            std::optional<KeptPage> own;
            if (view.code >= 0) own = KeptPage{view.bytes, view.code};
            matched += MatchHistoryEntry(record, own, searcher, {}, cache, context,
                                         StoredNamePlaces(view.title, view.url, names));
            return true;
        });
        scans.push_back(Ms(Clock::now() - start));
        scanCpu.push_back(ThreadCpuMs() - cpu);
        cpu = ChildrenCpuMs();
        start = Clock::now();
        FILE* out = popen(grep.c_str(), "r");
        char line[64] = {};
        if (out) {
            if (!fgets(line, sizeof line, out)) line[0] = 0;
            pclose(out);
        }
        greps.push_back(Ms(Clock::now() - start));
        grepCpu.push_back(ChildrenCpuMs() - cpu);
        grepCount = line;
    }
    state.counters["scan_ms"] = Percentile(scans, 0.5);
    state.counters["grep_ms"] = Percentile(greps, 0.5);
    state.counters["scan_cpu_ms"] = Percentile(scanCpu, 0.5);
    state.counters["grep_cpu_ms"] = Percentile(grepCpu, 0.5);
    state.counters["cpu_scan_per_grep"] = state.counters["scan_cpu_ms"] / state.counters["grep_cpu_ms"];
    state.counters["pages_matched"] = static_cast<double>(matched);
    state.counters["grep_lines"] = std::atof(grepCount.c_str());
}
BENCHMARK(BM_HistoryScanVersusGrep)
    ->Arg(2)
    ->Arg(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

}  // namespace
