#include <glib.h>
#include <gtest/gtest.h>

#include <deque>

#include "platform/shell/HandOffRetry.h"
#include "platform/shell/SingleInstance.h"
#include "tools/dde/DdeTestSupport.h"

using namespace fern;

namespace {

using R = HandOffResult;

struct Script {
    std::deque<R> answers;     // what each try gives; NotListening once used up
    int holderGoneAfter = -1;  // tries after which the lock is free (-1: never)
    int tries = 0;
    std::vector<int> sleeps;
};

R Retry(Script& s, int totalMs, int pauseMs, std::string* error) {
    HandOffPatience patience;
    patience.totalMs = totalMs;
    patience.pauseMs = pauseMs;
    patience.holderAlive = [&] { return s.holderGoneAfter < 0 || s.tries < s.holderGoneAfter; };
    patience.sleep = [&](int ms) { s.sleeps.push_back(ms); };
    return RetryHandOff(
        [&](std::string*) {
            ++s.tries;
            if (s.answers.empty()) return R::NotListening;
            R r = s.answers.front();
            s.answers.pop_front();
            return r;
        },
        patience, error);
}

}  // namespace

TEST(HandOffRetry, OnlyARefusedConnectionIsTriedAgainWhileTheHolderStartsUp) {
    struct Case {
        const char* what;
        std::deque<R> answers;
        int holderGoneAfter;
        R result;
        int tries;
        int slept;
        const char* says;
    } cases[] = {
        {"listens at once", {R::Taken}, -1, R::Taken, 1, 0, ""},
        {"listens at the third try", {R::NotListening, R::NotListening, R::Taken}, -1, R::Taken, 3, 200, ""},
        {"broke off mid-way: never sent twice", {R::BrokenOff}, -1, R::BrokenOff, 1, 0, ""},
        {"never listens: gives up after the patience", {}, -1, R::NotListening, 11, 1000, "1000 ms"},
        {"the holder ended: no more waiting", {}, 2, R::NotListening, 2, 100, "ended"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Script s{c.answers, c.holderGoneAfter, 0, {}};
        std::string error;
        EXPECT_EQ(Retry(s, 1000, 100, &error), c.result);
        EXPECT_EQ(s.tries, c.tries);
        int slept = 0;
        for (int ms : s.sleeps) slept += ms;
        EXPECT_EQ(slept, c.slept);
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
    // A last pause is cut to what is left of the patience.
    Script s;
    Retry(s, 250, 100, nullptr);
    EXPECT_EQ(s.sleeps, (std::vector<int>{100, 100, 50}));
}

// The first start, which listens only after its start-up.
struct LateListener {
    explicit LateListener(std::string socketPath) : path(std::move(socketPath)) {}
    std::string path;
    CHandOffServer server;
    std::vector<std::string> got;

    static gboolean Listen(gpointer data) {
        auto* self = static_cast<LateListener*>(data);
        self->server.Listen(
            self->path,
            [self](std::uint32_t, const std::string& text) {
                self->got.push_back(text);
                return true;
            },
            [] {});
        return G_SOURCE_REMOVE;
    }
};

TEST(HandOffRetry, ASocketThatListensLateStillGetsTheArguments) {
    fern::testing::TempFolder folder;
    LateListener first(folder.File("hand.sock"));
    g_timeout_add(300, &LateListener::Listen, &first);
    HandOffResult result = HandOffResult::BrokenOff;
    test::RunClient([&] {
        result = SendHandOffWhenReady(first.path, {{0, "http://late/"}}, HandOffPatience{});
    });
    EXPECT_EQ(result, HandOffResult::Taken);
    EXPECT_EQ(first.got, (std::vector<std::string>{"http://late/"}));
}

TEST(SingleInstance, TheLockIsSeenHeldOnlyWhileItsHolderHasIt) {
    fern::testing::TempFolder folder;
    std::string lock = folder.File("FernBrowserApp.lock");
    EXPECT_FALSE(InstanceLockHeld(lock));  // no file yet
    {
        CInstanceLock holder;
        ASSERT_TRUE(holder.Acquire(lock));
        EXPECT_TRUE(InstanceLockHeld(lock));
        EXPECT_TRUE(InstanceLockHeld(lock));  // looking does not take it
    }
    EXPECT_FALSE(InstanceLockHeld(lock));
    CInstanceLock next;
    EXPECT_TRUE(next.Acquire(lock));  // nor keep it
}
