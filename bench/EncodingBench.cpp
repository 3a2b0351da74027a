// Encoding detection and conversion over the whole test corpus of Japanese
// texts (eleven texts in up to eight encodings each, 1 to 25 KB). The corpus
// is found beside the repository (../shared/testdata/encodings, as the unit
// tests find it) or in $FERN_TESTDATA_DIR/encodings.
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

std::string CorpusFolder() {
    if (const char* dir = std::getenv("FERN_TESTDATA_DIR")) return std::string(dir) + "/encodings";
    std::filesystem::path source(__FILE__);  // .../main/bench/EncodingBench.cpp
    return (source.parent_path().parent_path().parent_path() / "shared/testdata/encodings").string();
}

struct Corpus {
    std::vector<std::string> texts;
    std::size_t bytes = 0;
    Corpus() {
        std::error_code error;
        std::vector<std::string> paths;
        for (const auto& entry : std::filesystem::directory_iterator(CorpusFolder(), error))
            if (entry.is_regular_file() && entry.path().filename().string().rfind("sample", 0) == 0)
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
    if (Texts().texts.empty()) state.SkipWithError(("no corpus in " + CorpusFolder()).c_str());
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
    if (Texts().texts.empty()) state.SkipWithError(("no corpus in " + CorpusFolder()).c_str());
    for (auto _ : state)
        for (const std::string& text : Texts().texts) benchmark::DoNotOptimize(DetectEncoding(text));
    Report(state);
}
BENCHMARK(BM_DetectEncodingCorpus)->Unit(benchmark::kMicrosecond);

void BM_ConvertToShiftJisCorpus(benchmark::State& state) {
    if (Texts().texts.empty()) state.SkipWithError(("no corpus in " + CorpusFolder()).c_str());
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
