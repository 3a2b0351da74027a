#include <gio/gio.h>
#include <gio/gunixsocketaddress.h>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <cstring>

#include "platform/shell/HandOff.h"
#include "platform/shell/SingleInstance.h"
#include "tools/dde/DdeTestSupport.h"

using namespace fern;

namespace {

// The client blocks until each request is answered, so it runs on a thread
// while this one turns the main loop that serves it.
bool Send(const std::string& path, const std::vector<HandOffMessage>& messages) {
    bool sent = false;
    test::RunClient([&] { sent = SendHandOff(path, messages); }, 10);
    return sent;
}

std::string SocketPath() {
    char tmpl[] = "/tmp/fern-handoff-XXXXXX";
    return std::string(g_mkdtemp(tmpl)) + "/hand.sock";
}

}  // namespace

TEST(HandOff, FramesRoundTripAndOversizeOrUnknownAreRefused) {
    std::string frame = EncodeHandOff(HandOffKind::CopyData, 777, "http://a/");
    ASSERT_EQ(frame.size(), kHandOffHeaderSize + 9);
    HandOffHeader h{};
    ASSERT_TRUE(DecodeHandOffHeader(reinterpret_cast<const unsigned char*>(frame.data()), h));
    EXPECT_EQ(h.data, 777u);
    EXPECT_EQ(h.length, 9u);
    std::string big = EncodeHandOff(HandOffKind::CopyData, 0, std::string(kHandOffMaxText + 1, 'x'));
    EXPECT_FALSE(DecodeHandOffHeader(reinterpret_cast<const unsigned char*>(big.data()), h));
    std::string odd = frame;
    odd[0] = 9;
    EXPECT_FALSE(DecodeHandOffHeader(reinterpret_cast<const unsigned char*>(odd.data()), h));
}

TEST(HandOff, MessagesArriveInOrderThenAttention) {
    std::string path = SocketPath();
    std::vector<std::string> got;
    int attention = 0;
    CHandOffServer server;
    ASSERT_TRUE(server.Listen(
        path,
        [&](std::uint32_t data, const std::string& text) {
            got.push_back(std::to_string(data) + ":" + text);
            return got.size() != 2;  // the second is "ignored"; the client goes on
        },
        [&] { ++attention; }));
    EXPECT_TRUE(Send(path, {{0, "http://a/"}, {0, ""}, {777, "ゴミ箱"}}));
    EXPECT_EQ(got, (std::vector<std::string>{"0:http://a/", "0:", "777:ゴミ箱"}));
    EXPECT_EQ(attention, 1);
}

TEST(HandOff, OversizedRequestLosesItsConnectionAndNothingElse) {
    std::string path = SocketPath();
    int calls = 0;
    CHandOffServer server;
    ASSERT_TRUE(server.Listen(
        path, [&](std::uint32_t, const std::string&) { return ++calls > 0; }, [] {}));
    EXPECT_FALSE(Send(path, {{0, std::string(kHandOffMaxText + 10, 'x')}}));
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(Send(path, {{0, "http://b/"}}));
    EXPECT_EQ(calls, 1);
    server.Stop();
    std::string error;
    EXPECT_FALSE(SendHandOff(path, {{0, "x"}}, &error));  // nobody listens any more
    EXPECT_FALSE(error.empty());
}

TEST(SingleInstance, OnlyOneHolderOfTheLock) {
    char tmpl[] = "/tmp/fern-lock-XXXXXX";
    std::string lock = std::string(g_mkdtemp(tmpl)) + "/FernBrowserApp.lock";
    CInstanceLock first, second;
    EXPECT_TRUE(first.Acquire(lock));
    EXPECT_FALSE(second.Acquire(lock));
    EXPECT_TRUE(RuntimeFolder().has_value());
}

TEST(HandOff, RequestsFromAnotherUserAreRefused) {
    if (getuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    std::string path = SocketPath();
    int calls = 0;
    CHandOffServer server;
    ASSERT_TRUE(server.Listen(
        path, [&](std::uint32_t, const std::string&) { return ++calls > 0; }, [] {}));
    // Open the way on the file system, so only the peer check stands.
    chmod(path.substr(0, path.rfind('/')).c_str(), 0777);
    chmod(path.c_str(), 0666);
    // The child speaks to the socket raw: after a fork only plain system
    // calls are safe, and a GLib lock held by another thread would hang it.
    std::string frame = EncodeHandOff(HandOffKind::CopyData, 0, "http://intruder/");
    EXPECT_EQ(test::RunAsNobody([&] {
                  sockaddr_un address{};
                  address.sun_family = AF_UNIX;
                  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
                  int raw = socket(AF_UNIX, SOCK_STREAM, 0);
                  if (connect(raw, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return 5;
                  if (send(raw, frame.data(), frame.size(), MSG_NOSIGNAL) < 0) return 0;
                  char answer;
                  return recv(raw, &answer, 1, 0) <= 0 ? 0 : 1;
              }),
              0)
        << "the other user's request was answered";
    EXPECT_EQ(calls, 0);
}
