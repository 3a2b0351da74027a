#include "history/HistorySearchWorker.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "fakes/LockedQueue.h"
#include "history/PageTextCodec.h"
#include "lists/TempFolder.h"
#include "platform/store/HistoryStore.h"

using namespace fern;

namespace {

// Holds the worker at its start until the test lets it go.
class Gate {
public:
    void Open() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_open = true;
        m_cv.notify_all();
    }
    void Wait() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_cv.wait(lock, [this] { return m_open; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_open = false;
};

struct WorkerFixture : ::testing::Test {
    fern::testing::TempFolder folder;
    test::LockedQueue queue;
    HistoryStore store{HistoryStore::Config{folder.File("history.db"), {}, MakePageTextCodec()}, queue, {}};
    std::vector<HistoryRecord> found;
    std::vector<bool> finished;

    void SetUp() override {
        for (int i = 0; i < 100; ++i) {
            std::string url = "http://site" + std::to_string(i % 3) + ".example/" + std::to_string(i);
            store.RecordVisit(url, 1000 + i);
            store.SetTitle(url, "ページ " + std::to_string(i));
            store.StorePage(url, i % 10 == 0 ? "<p>探している言葉</p>" : "<p>ほかの言葉</p>", 1000 + i);
        }
        store.Flush();
    }

    HistorySearchRequest Request(const std::string& text) {
        HistorySearchRequest request;
        request.text = text;
        request.datePicture = "yyyy";
        return request;
    }
    bool Start(CHistorySearchWorker& worker, HistorySearchRequest request, Gate* gate = nullptr) {
        return worker.Start(
            std::move(request),
            [this, gate] {
                if (gate) gate->Wait();
                return store.OpenReader();
            },
            [this](std::vector<HistoryRecord> rows) { found.insert(found.end(), rows.begin(), rows.end()); },
            [this](bool stopped) { finished.push_back(stopped); });
    }
};

TEST_F(WorkerFixture, PostsTheMatchingPagesThenFinishes) {
    CHistorySearchWorker worker(queue);
    ASSERT_TRUE(Start(worker, Request("探している")));
    worker.Join();
    EXPECT_TRUE(found.empty());  // nothing arrives before the main loop runs
    queue.RunAll();
    ASSERT_EQ(found.size(), 10u);
    EXPECT_EQ(found[0].url, "http://site0.example/90");
    EXPECT_EQ(found[0].places, kPlaceCache);
    EXPECT_EQ(found[0].code, 0);
    EXPECT_EQ(finished, std::vector<bool>{false});
    EXPECT_FALSE(worker.Running());

    HistorySearchRequest bySite = Request("ページ 9");
    bySite.scope.urlPrefix = "http://site0.";
    ASSERT_TRUE(Start(worker, bySite));
    worker.Join();
    queue.RunAll();
    EXPECT_EQ(found.size(), 10u + 5u);  // pages 9, 90, 93, 96 and 99 are on site0
}

TEST_F(WorkerFixture, ThePlainFillListsEveryPageOfTheScope) {
    CHistorySearchWorker worker(queue);
    HistorySearchRequest request = Request("");
    request.everyPage = true;
    request.scope.from = 1090;
    ASSERT_TRUE(Start(worker, request));
    worker.Join();
    queue.RunAll();
    ASSERT_EQ(found.size(), 10u);
    EXPECT_EQ(found[0].title, "ページ 99");
    EXPECT_EQ(found[0].places, 0u);
    EXPECT_FALSE(found[0].dateText.empty());
}

TEST_F(WorkerFixture, StopEndsItBeforeTheNextPage) {
    CHistorySearchWorker worker(queue);
    Gate gate;
    ASSERT_TRUE(Start(worker, Request("言葉"), &gate));
    EXPECT_TRUE(worker.Running());
    EXPECT_FALSE(Start(worker, Request("言葉")));  // one search at a time
    worker.Stop();
    gate.Open();
    worker.Join();
    queue.RunAll();
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(finished, std::vector<bool>{true});
}

TEST_F(WorkerFixture, NothingArrivesOnceTheOwnerIsGone) {
    Gate gate;
    {
        CHistorySearchWorker worker(queue);
        ASSERT_TRUE(Start(worker, Request("言葉"), &gate));
        gate.Open();
    }
    queue.RunAll();
    EXPECT_TRUE(found.empty());
    EXPECT_TRUE(finished.empty());
}

TEST_F(WorkerFixture, AnEmptyTextOrNoHistorySearchesNothing) {
    CHistorySearchWorker worker(queue);
    EXPECT_FALSE(Start(worker, Request("")));
    ASSERT_TRUE(worker.Start(
        Request("言葉"), [] { return nullptr; }, [](std::vector<HistoryRecord>) {},
        [this](bool stopped) { finished.push_back(stopped); }));
    worker.Join();
    queue.RunAll();
    EXPECT_EQ(finished, std::vector<bool>{false});
}

}  // namespace
