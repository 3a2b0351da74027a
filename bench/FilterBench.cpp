// The close-URL filter on its hot path: every navigation asks it. One URL
// against 10,000 patterns, and the matcher on patterns built to make it
// backtrack as much as it can.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "filters/CloseFilter.h"
#include "filters/WildcardPattern.h"
#include "page/WildcardMatch.h"

namespace {

using namespace fern;

// Patterns as users write them: hosts with a trailing star, stars around a
// path word, exact addresses. None matches the URL asked.
void FillPatterns(CCloseFilter& filter, int count) {
    char text[128];
    for (int i = 0; i < count; ++i) {
        switch (i % 3) {
            case 0: std::snprintf(text, sizeof text, "http://ads%d.example.com/*", i); break;
            case 1: std::snprintf(text, sizeof text, "*/banner%d/*.gif", i); break;
            default: std::snprintf(text, sizeof text, "http://www.example.co.jp/popup/%d.html", i); break;
        }
        filter.Lists().urls.push_back(text);
    }
}

void BM_CloseUrl10000Patterns(benchmark::State& state) {
    CloseUrlSettings settings;
    settings.closeUrlFilter = true;
    CCloseFilter filter(settings);
    FillPatterns(filter, 10000);
    const std::string url = "http://www.example.co.jp/software/info/page0001234.html?q=banner&ref=top";
    for (auto _ : state) benchmark::DoNotOptimize(filter.MatchesCloseUrl(url));
}
BENCHMARK(BM_CloseUrl10000Patterns)->Unit(benchmark::kMicrosecond);

// 64 stars, each followed by a byte the text is full of, and a last byte it
// never holds: every star keeps re-trying from each position.
void BM_Wildcard64StarsNoMatch(benchmark::State& state) {
    std::string pattern;
    for (int i = 0; i < 64; ++i) pattern += "*a";
    pattern += "b";
    const std::string text(2000, 'a');
    for (auto _ : state) benchmark::DoNotOptimize(WildcardMatch(pattern, text));
    WildcardPattern prepared(pattern);
    if (prepared.Matches(text)) state.SkipWithError("matched");
}
BENCHMARK(BM_Wildcard64StarsNoMatch)->Unit(benchmark::kMicrosecond);

// Runs between the stars that almost match: each fails only at its last byte.
void BM_Wildcard64StarsNearMisses(benchmark::State& state) {
    std::string pattern = "*";
    for (int i = 0; i < 63; ++i) pattern += "aaaaaaaaab*";
    const std::string text(2000, 'a');
    for (auto _ : state) benchmark::DoNotOptimize(WildcardMatch(pattern, text));
}
BENCHMARK(BM_Wildcard64StarsNearMisses)->Unit(benchmark::kMicrosecond);

// The last segment must sit at the very end of the text.
void BM_Wildcard64StarsTailAnchor(benchmark::State& state) {
    std::string pattern;
    for (int i = 0; i < 64; ++i) pattern += "*";
    pattern += std::string(30, 'a') + "b";
    std::string text(2000, 'a');
    for (auto _ : state) benchmark::DoNotOptimize(WildcardMatch(pattern, text));
}
BENCHMARK(BM_Wildcard64StarsTailAnchor)->Unit(benchmark::kMicrosecond);

// The worst found: after the stars a run of 999 bytes the text is full of
// and one it lacks, so each of the 2,000 start positions compares ~1,000
// bytes before it fails (the run sits between stars, so no end check
// turns it away).
std::string LongRunPattern() { return std::string(63, '*') + std::string(999, 'a') + "b*"; }

void BM_Wildcard64StarsLongRun(benchmark::State& state) {
    const std::string pattern = LongRunPattern(), text(2000, 'a');
    for (auto _ : state) benchmark::DoNotOptimize(WildcardMatch(pattern, text));
}
BENCHMARK(BM_Wildcard64StarsLongRun)->Unit(benchmark::kMicrosecond);

}  // namespace

// The prepared patterns the filter uses, on the same three texts.
void BM_PreparedPattern64Stars(benchmark::State& state) {
    std::string noMatch, nearMisses = "*", tail;
    for (int i = 0; i < 64; ++i) noMatch += "*a";
    noMatch += "b";
    for (int i = 0; i < 63; ++i) nearMisses += "aaaaaaaaab*";
    tail = std::string(64, '*') + std::string(30, 'a') + "b";
    const std::string longRun = LongRunPattern();
    const std::string* patterns[] = {&noMatch, &nearMisses, &tail, &longRun};
    WildcardPattern prepared(*patterns[state.range(0)]);
    const std::string text(2000, 'a');
    for (auto _ : state) benchmark::DoNotOptimize(prepared.Matches(text));
}
BENCHMARK(BM_PreparedPattern64Stars)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
