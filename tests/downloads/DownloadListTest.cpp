#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "downloads/DownloadFiles.h"
#include "downloads/DownloadList.h"
#include "fakes/FakeDownloadEngine.h"
#include "fakes/ManualTimers.h"
#include "lists/TempFolder.h"

using namespace fern;
using fern::test::FakeDownloadEngine;
using fern::test::FakeDownloadShell;
using fern::testing::ReadBytes;
using fern::testing::TempFolder;
using fern::testing::WriteBytes;

namespace {

class RecordingAsker : public IDownloadAsker {
public:
    std::vector<DownloadQuestion> asked;
    std::vector<int> withdrawn;
    std::map<int, std::size_t> waiting;
    void Ask(const DownloadQuestion& q) override { asked.push_back(q); }
    void Withdraw(int id) override { withdrawn.push_back(id); }
    void WaitingChanged(int id, std::size_t behind) override { waiting[id] = behind; }
};

class RecordingObserver : public IDownloadListObserver {
public:
    int running = 0;
    std::vector<int> added, removed;
    void DownloadAdded(const DownloadItem& item) override { added.push_back(item.id); }
    void DownloadRemoved(int id) override { removed.push_back(id); }
    void RunningCountChanged(int n) override { running = n; }
};

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename());
    return names;
}

class DownloadListTest : public ::testing::Test {
protected:
    TempFolder home, chosen, openFolder;
    FakeDownloadEngine engine;
    FakeDownloadShell shell;
    test::ManualTimers timers;
    std::int64_t now = 0;
    RecordingAsker asker;
    RecordingObserver observer;
    std::unique_ptr<CDownloadList> list = Make();

    std::unique_ptr<CDownloadList> Make() {
        auto made = std::make_unique<CDownloadList>(DownloadListServices{
            engine, shell, timers, [this] { return now; }, [this] { return openFolder.Path(); }});
        made->SetAsker(&asker);
        made->AddObserver(&observer);
        return made;
    }

    static DownloadResponse Response(const std::string& name, std::uintptr_t page = 1,
                                     std::int64_t size = 10) {
        DownloadResponse response;
        response.url = "http://files.example:8080/get?id=1";
        response.suggestedName = name;
        response.mimeType = "application/octet-stream";
        response.size = size;
        response.page = page;
        return response;
    }
    // A response, answered with Save to `name` in the chosen folder; its question id.
    int Saved(TransferId transfer, const std::string& name, bool replace = false) {
        list->OnResponse(transfer, Response(name));
        int id = asker.asked.back().id;
        list->Answer(id, DownloadAnswer::Save, chosen.File(name), replace);
        return id;
    }
    DownloadState State(int id) { return list->Find(id)->state; }
};

}  // namespace

TEST_F(DownloadListTest, NothingIsWrittenBeforeTheAnswerAndNothingAfterCancel) {
    list->OnResponse(1, Response("../../.bashrc"));
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0].proposedName, "_.._.bashrc");
    EXPECT_EQ(asker.asked[0].site, "files.example");
    EXPECT_TRUE(engine.savedTo.empty());
    list->Answer(asker.asked[0].id, DownloadAnswer::Cancel);
    EXPECT_TRUE(engine.WasCancelled(1));
    EXPECT_TRUE(list->Items().empty());
    EXPECT_TRUE(FilesIn(chosen.Path()).empty());
    EXPECT_TRUE(FilesIn(openFolder.Path()).empty());
}

TEST_F(DownloadListTest, SaveWritesThroughAPartFileThatTakesTheNameWhenComplete) {
    int id = Saved(1, "data.bin");
    EXPECT_EQ(engine.savedTo[1], chosen.File("data.bin.part"));
    EXPECT_EQ(State(id), DownloadState::Running);
    EXPECT_EQ(observer.running, 1);
    engine.WriteData(1, "01234");
    EXPECT_EQ(FilesIn(chosen.Path()), std::set<std::string>{"data.bin.part"});
    engine.WriteData(1, "56789");
    list->OnFinished(1, 10);
    EXPECT_EQ(State(id), DownloadState::Done);
    EXPECT_EQ(FilesIn(chosen.Path()), std::set<std::string>{"data.bin"});
    EXPECT_EQ(ReadBytes(chosen.File("data.bin")), "0123456789");
    EXPECT_EQ(observer.running, 0);
    EXPECT_EQ(timers.Count(), 0u);
}

TEST_F(DownloadListTest, ABrokenConnectionFailsWithItsReasonAndLeavesNoFile) {
    int id = Saved(1, "big.iso");
    engine.WriteData(1, "half");
    list->OnFailed(1, DownloadFailure::Network, "Connection terminated unexpectedly");
    EXPECT_EQ(State(id), DownloadState::Failed);
    EXPECT_EQ(list->Find(id)->reason, "接続が切れました (Connection terminated unexpectedly)");
    EXPECT_EQ(list->Find(id)->received, 4);  // what came before the break
    EXPECT_TRUE(FilesIn(chosen.Path()).empty());
    EXPECT_TRUE(list->CanRetry(id));
}

TEST_F(DownloadListTest, CancelKeepsThePartFileUntilTheEngineLetsGoThenRetryAsksNothing) {
    int id = Saved(1, "a.zip");
    list->Cancel(id);
    EXPECT_EQ(State(id), DownloadState::Cancelled);
    EXPECT_TRUE(engine.WasCancelled(1));
    // The engine still holds the part file: no retry may take its name yet.
    EXPECT_FALSE(list->CanRetry(id));
    list->OnFailed(1, DownloadFailure::Cancelled, "");
    EXPECT_TRUE(FilesIn(chosen.Path()).empty());
    ASSERT_TRUE(list->CanRetry(id));

    list->Retry(id);
    ASSERT_EQ(engine.fetched.size(), 1u);
    EXPECT_EQ(engine.fetched[0], "http://files.example:8080/get?id=1");
    TransferId again = engine.next;
    list->OnResponse(again, Response("a.zip", 7));
    EXPECT_EQ(asker.asked.size(), 1u);  // answered before
    EXPECT_EQ(engine.savedTo[again], chosen.File("a.zip.part"));
    engine.WriteData(again, "zip");
    list->OnFinished(again, 3);
    EXPECT_EQ(State(id), DownloadState::Done);
    EXPECT_EQ(ReadBytes(chosen.File("a.zip")), "zip");
}

TEST_F(DownloadListTest, AFileAlreadyThereIsKeptUnlessTheUserChoseToReplaceIt) {
    WriteBytes(chosen.File("doc.txt"), "mine");
    int kept = Saved(1, "doc.txt");
    engine.WriteData(1, "new");
    list->OnFinished(1, 3);
    EXPECT_EQ(ReadBytes(chosen.File("doc.txt")), "mine");
    EXPECT_EQ(list->Find(kept)->path, chosen.File("doc (2).txt"));
    EXPECT_EQ(ReadBytes(chosen.File("doc (2).txt")), "new");

    Saved(2, "doc.txt", /*replace=*/true);
    engine.WriteData(2, "newer");
    list->OnFinished(2, 5);
    EXPECT_EQ(ReadBytes(chosen.File("doc.txt")), "newer");
}

TEST_F(DownloadListTest, APartFileOrEngineFileOfTheSameNameIsNeverTaken) {
    WriteBytes(chosen.File("x.bin.part"), "someone's");
    WriteBytes(chosen.File("x.bin-1.part.side"), "engine's");
    Saved(1, "x.bin");
    EXPECT_EQ(engine.savedTo[1], chosen.File("x.bin-2.part"));
    EXPECT_EQ(ReadBytes(chosen.File("x.bin.part")), "someone's");
}

TEST_F(DownloadListTest, AFolderThatCannotBeWrittenFailsAtOnce) {
    list->OnResponse(1, Response("f.bin"));
    int id = asker.asked.back().id;
    list->Answer(id, DownloadAnswer::Save, chosen.File("missing-folder/f.bin"));
    EXPECT_EQ(State(id), DownloadState::Failed);
    EXPECT_EQ(list->Find(id)->reason.rfind("ファイルを書き込めません", 0), 0u);
    EXPECT_TRUE(engine.WasCancelled(1));
    EXPECT_TRUE(engine.savedTo.empty());
}

TEST_F(DownloadListTest, QuestionsOfOnePageWaitBehindTheFirstOtherPagesDoNot) {
    for (TransferId t = 1; t <= 100; ++t) list->OnResponse(t, Response("loop.bin", /*page=*/7));
    list->OnResponse(500, Response("other.bin", /*page=*/8));
    ASSERT_EQ(asker.asked.size(), 2u);  // one per page
    const int first = asker.asked[0].id;
    EXPECT_EQ(asker.waiting[first], 99u);
    EXPECT_EQ(asker.asked[1].response.suggestedName, "other.bin");

    list->Answer(first, DownloadAnswer::Cancel);
    ASSERT_EQ(asker.asked.size(), 3u);
    EXPECT_EQ(asker.asked[2].waitingBehind, 98u);

    // A waiting question whose transfer ends goes quietly; the shown one hears of it.
    list->OnFailed(50, DownloadFailure::Network, "");
    EXPECT_EQ(asker.waiting[asker.asked[2].id], 97u);

    list->Answer(asker.asked[2].id, DownloadAnswer::CancelAllOfPage);
    EXPECT_EQ(asker.asked.size(), 3u);
    EXPECT_EQ(list->QuestionCount(), 1u);  // the other page's
    EXPECT_EQ(engine.cancelled.size(), 99u);
    EXPECT_TRUE(list->Items().empty());

    // The page goes on starting downloads: refused unasked until it navigates.
    list->OnResponse(101, Response("loop.bin", 7));
    EXPECT_TRUE(engine.WasCancelled(101));
    EXPECT_EQ(asker.asked.size(), 3u);
    list->OnResponse(102, Response("other-again.bin", 8));
    list->PageNavigated(7);
    list->OnResponse(103, Response("wanted.bin", 7));
    EXPECT_EQ(asker.asked.back().response.suggestedName, "wanted.bin");
}

TEST_F(DownloadListTest, AShownQuestionWhoseTransferEndsIsWithdrawnAndTheNextShown) {
    list->OnResponse(1, Response("a"));
    list->OnResponse(2, Response("b"));
    list->OnFailed(1, DownloadFailure::Network, "");
    EXPECT_EQ(asker.withdrawn, std::vector<int>{asker.asked[0].id});
    ASSERT_EQ(asker.asked.size(), 2u);
    EXPECT_EQ(asker.asked[1].response.suggestedName, "b");
}

TEST_F(DownloadListTest, OpenPutsTheFileInThePrivateFolderAndOpensItWhenDone) {
    WriteBytes(openFolder.File("report.pdf"), "older");
    list->OnResponse(1, Response("report.pdf"));
    list->Answer(asker.asked[0].id, DownloadAnswer::Open);
    EXPECT_EQ(engine.savedTo[1], openFolder.File("report (2).pdf.part"));
    engine.WriteData(1, "%PDF");
    list->OnFinished(1, 4);
    EXPECT_EQ(shell.opened, std::vector<std::string>{openFolder.File("report (2).pdf")});
    EXPECT_EQ(ReadBytes(openFolder.File("report.pdf")), "older");
    EXPECT_TRUE(FilesIn(chosen.Path()).empty());
}

TEST_F(DownloadListTest, RemovingARunningEntryCancelsItAndItsFilesGoWhenItEnds) {
    int id = Saved(1, "r.bin");
    engine.WriteData(1, "r");
    list->Remove(id);
    EXPECT_EQ(list->Find(id), nullptr);
    EXPECT_EQ(observer.removed, std::vector<int>{id});
    EXPECT_TRUE(engine.WasCancelled(1));
    EXPECT_EQ(observer.running, 0);
    list->OnFailed(1, DownloadFailure::Cancelled, "");
    EXPECT_TRUE(FilesIn(chosen.Path()).empty());
}

TEST_F(DownloadListTest, ProgressAndSpeedAreReadOnTheTickAndAWrongSizeIsDropped) {
    int id = Saved(1, "s.bin");
    engine.received[1] = 1000;
    now = 500;
    timers.Advance(CDownloadList::kTickMs);
    EXPECT_EQ(list->Find(id)->received, 1000);
    EXPECT_DOUBLE_EQ(list->Find(id)->bytesPerSecond, 2000);
    // The server said 10 bytes and sends more: the size is unknown from now on.
    EXPECT_EQ(list->Find(id)->size, -1);
    engine.received[1] = 1000;
    now = 1000;
    timers.Advance(CDownloadList::kTickMs);
    EXPECT_LT(list->Find(id)->bytesPerSecond, 2000);  // a stall slows it, gently
    EXPECT_GT(list->Find(id)->bytesPerSecond, 0);
}

TEST_F(DownloadListTest, TheEndOfTheListCancelsWhatRunsAndRemovesItsPartFiles) {
    Saved(1, "left.bin");
    list->OnResponse(2, Response("unanswered.bin", 3));
    engine.WriteData(1, "partial");
    WriteBytes(chosen.File("left.bin.part.side"), "engine data");
    list.reset();
    EXPECT_TRUE(engine.WasCancelled(1));
    EXPECT_TRUE(engine.WasCancelled(2));
    EXPECT_TRUE(FilesIn(chosen.Path()).empty());
}

TEST_F(DownloadListTest, WithoutAnyoneToAskTheTransferIsCancelled) {
    list->SetAsker(nullptr);
    list->OnResponse(1, Response("x"));
    EXPECT_TRUE(engine.WasCancelled(1));
    EXPECT_EQ(list->QuestionCount(), 0u);
}
