// Encoding detection and conversion over Japanese texts: our own fixtures
// (tests/data/encodings: four short texts in up to eight encodings, under 1.3 KB
// each), and in addition, when it is there, the real-file corpus (eleven
// texts in up to eight encodings each, 1 to 25 KB). The corpus is found in
// $FERN_TESTDATA/encodings (or $FERN_TESTDATA_DIR/encodings, the older name),
// else beside the repository (../shared/testdata/encodings, as the unit tests
// find it). The counters "files" and "bytes" tell which texts were measured.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "lists/EncodingConvert.h"
#include "lists/EncodingDetect.h"
#include "platform/fs/FileIo.h"

namespace {

using namespace fern;

const std::filesystem::path kRepository =
    std::filesystem::path(__FILE__).parent_path().parent_path();  // .../bench/EncodingBench.cpp

std::string FixtureFolder() { return (kRepository / "tests/data/encodings").string(); }

std::string CorpusFolder() {
    for (const char* name : {"FERN_TESTDATA", "FERN_TESTDATA_DIR"})
        if (const char* dir = std::getenv(name); dir && *dir) return std::string(dir) + "/encodings";
    return (kRepository.parent_path() / "shared/testdata/encodings").string();
}

struct Corpus {
    std::vector<std::string> texts;
    std::size_t bytes = 0;
    Corpus() {
        Add(FixtureFolder(), "");
        Add(CorpusFolder(), "sample");  // not VERDICTS.tsv
    }
    // The files of `folder` whose names start with `prefix`, in name order.
    void Add(const std::string& folder, const std::string& prefix) {
        std::error_code error;
        std::vector<std::string> paths;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error))
            if (entry.is_regular_file() && entry.path().filename().string().rfind(prefix, 0) == 0)
                paths.push_back(entry.path().string());
        std::sort(paths.begin(), paths.end());
        for (const std::string& path : paths) {
            if (std::optional<std::string> text = ReadWholeFile(path)) {
                bytes += text->size();
                texts.push_back(std::move(*text));
            }
        }
    }
};

const Corpus& Texts() {
    static Corpus corpus;
    return corpus;
}

// Bytes, files and MB/s (bytes_per_second) of one pass over the corpus.
void Report(benchmark::State& state) {
    state.counters["files"] = static_cast<double>(Texts().texts.size());
    state.counters["bytes"] = static_cast<double>(Texts().bytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Texts().bytes));
}

// What a search does with each page: classify all of it, then convert it
// (detecting again from its first 1024 bytes).
void BM_DetectAndConvertCorpus(benchmark::State& state) {
    if (Texts().texts.empty()) state.SkipWithError(("no texts in " + FixtureFolder()).c_str());
    for (auto _ : state) {
        for (const std::string& text : Texts().texts) {
            benchmark::DoNotOptimize(DetectEncoding(text));
            EncodingConversionContext context;
            std::string converted = ConvertToShiftJis(text, context);
            benchmark::DoNotOptimize(converted.data());
        }
    }
    Report(state);
}
BENCHMARK(BM_DetectAndConvertCorpus)->Unit(benchmark::kMicrosecond);

void BM_DetectEncodingCorpus(benchmark::State& state) {
    if (Texts().texts.empty()) state.SkipWithError(("no texts in " + FixtureFolder()).c_str());
    for (auto _ : state)
        for (const std::string& text : Texts().texts) benchmark::DoNotOptimize(DetectEncoding(text));
    Report(state);
}
BENCHMARK(BM_DetectEncodingCorpus)->Unit(benchmark::kMicrosecond);

void BM_ConvertToShiftJisCorpus(benchmark::State& state) {
    if (Texts().texts.empty()) state.SkipWithError(("no texts in " + FixtureFolder()).c_str());
    for (auto _ : state) {
        for (const std::string& text : Texts().texts) {
            EncodingConversionContext context;
            std::string converted = ConvertToShiftJis(text, context);
            benchmark::DoNotOptimize(converted.data());
        }
    }
    Report(state);
}
BENCHMARK(BM_ConvertToShiftJisCorpus)->Unit(benchmark::kMicrosecond);

}  // namespace
