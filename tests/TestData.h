#pragma once
// Where the tests find their input files.
//
// Fixtures: small files of our own under tests/data (made by
// tests/data/make_fixtures.py), always there; the tests built on them always run.
//
// The real-file corpus: files written by other programs, kept outside the
// repository. Its folder is $FERN_TESTDATA when that is set, else
// ../shared/testdata beside the repository. A test that needs it starts with
// FERN_NEEDS_CORPUS(), which skips the test (saying why) when the folder is
// not there. Setting FERN_TESTDATA makes the corpus required: a missing
// folder then fails those tests instead, so CI cannot skip them unnoticed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace fern::testing {

// tests/data/RELATIVE.
inline std::string Fixture(std::string_view relative) {
    return std::string(FERN_FIXTURES_DIR) + "/" + std::string(relative);
}

inline std::string CorpusFolder() {
    const char* set = std::getenv("FERN_TESTDATA");
    return set && *set ? std::string(set) : std::string(FERN_TESTDATA_DIR);
}

// The corpus folder's RELATIVE (FERN_NEEDS_CORPUS() first).
inline std::string Corpus(std::string_view relative) { return CorpusFolder() + "/" + std::string(relative); }

// Empty when the corpus is there, else why it is not.
inline std::string CorpusMissing() {
    std::error_code error;
    if (std::filesystem::is_directory(CorpusFolder(), error)) return std::string();
    return "the real-file corpus is not in " + CorpusFolder() +
           " (set FERN_TESTDATA to its folder to run this test)";
}

inline bool CorpusRequired() {
    const char* set = std::getenv("FERN_TESTDATA");
    return set && *set;
}

}  // namespace fern::testing

// Skips the calling test when the corpus is missing (fails it when
// FERN_TESTDATA names a folder that is not there).
#define FERN_NEEDS_CORPUS()                                                      \
    do {                                                                         \
        std::string fernCorpusMissing_ = ::fern::testing::CorpusMissing();       \
        if (!fernCorpusMissing_.empty()) {                                       \
            if (::fern::testing::CorpusRequired()) FAIL() << fernCorpusMissing_; \
            GTEST_SKIP() << fernCorpusMissing_;                                  \
        }                                                                        \
    } while (0)
