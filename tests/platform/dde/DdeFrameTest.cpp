#include <gtest/gtest.h>

#include "platform/dde/DdeFrame.h"
#include "platform/dde/DdeServiceName.h"

// Messages are written with designated initializers naming only the fields they use.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace fern;

namespace {

std::vector<DdeMessage> OneOfEachKind() {
    using K = DdeMessageKind;
    return {
        {.kind = K::Connect, .service = "FBROWSER", .topic = "WWW_OpenURL", .pid = 4242, .instance = 7},
        {.kind = K::ConnectReply, .accepted = true},
        {.kind = K::WildConnect, .topic = "System"},  // service left out: any
        {.kind = K::WildConnectReply, .pairs = {{"FBROWSER", "System"}, {"FBROWSER", "ソフト"}}},
        {.kind = K::Transaction,
         .item = "\"http://a/\",\"\",0xFFFFFFFF",
         .id = 3,
         .type = 0x20B0,
         .format = 1},
        {.kind = K::TransactionReply, .data = std::string("a\0b", 3), .id = 3, .format = 1, .value = 0x8000},
        {.kind = K::AdviseData, .topic = "T", .item = "", .data = "", .format = 1},
        {.kind = K::Disconnect},
    };
}

}  // namespace

TEST(DdeFrame, EveryKindRoundTripsAndTwoFramesSplitWhereTheyMeet) {
    std::string stream;
    for (const DdeMessage& m : OneOfEachKind()) {
        std::string frame = EncodeDdeFrame(m);
        DdeDecodeResult r = DecodeDdeFrame(frame);
        ASSERT_EQ(r.status, DdeDecodeStatus::Complete) << static_cast<int>(m.kind);
        EXPECT_EQ(r.consumed, frame.size());
        EXPECT_TRUE(r.message == m) << static_cast<int>(m.kind);
        stream += frame;
    }
    std::size_t count = 0;
    while (!stream.empty()) {
        DdeDecodeResult r = DecodeDdeFrame(stream);
        ASSERT_EQ(r.status, DdeDecodeStatus::Complete);
        stream.erase(0, r.consumed);
        ++count;
    }
    EXPECT_EQ(count, OneOfEachKind().size());
}

TEST(DdeFrame, TruncatedFramesWaitForMoreAtEveryLength) {
    for (const DdeMessage& m : OneOfEachKind()) {
        std::string frame = EncodeDdeFrame(m);
        for (std::size_t n = 0; n < frame.size(); ++n)
            EXPECT_EQ(DecodeDdeFrame(std::string_view(frame).substr(0, n)).status, DdeDecodeStatus::NeedMore)
                << static_cast<int>(m.kind) << " cut at " << n;
    }
}

TEST(DdeFrame, OversizedFramesAreKnownByTheirHeaderAndNeverEncoded) {
    // 1 MiB + 1 announced: refused before any of the body is there.
    EXPECT_EQ(DecodeDdeFrame(std::string("\x01\x00\x10\x00", 4)).status, DdeDecodeStatus::Oversized);
    EXPECT_EQ(DecodeDdeFrame(std::string("\xff\xff\xff\xff\x05", 5)).status, DdeDecodeStatus::Oversized);
    DdeMessage big;
    big.kind = DdeMessageKind::TransactionReply;
    big.data = std::string(kDdeMaxFrameBody, 'x');
    EXPECT_TRUE(EncodeDdeFrame(big).empty());
    big.data = std::string(kDdeMaxFrameBody - 18, 'x');  // exactly the limit
    std::string frame = EncodeDdeFrame(big);
    ASSERT_EQ(frame.size(), kDdeFrameHeader + kDdeMaxFrameBody);
    EXPECT_EQ(DecodeDdeFrame(frame).status, DdeDecodeStatus::Complete);
}

TEST(DdeFrame, MalformedBodiesAreRefused) {
    auto body = [](const std::string& b) {
        std::string f(4, '\0');
        for (int i = 0; i < 4; ++i) f[i] = static_cast<char>((b.size() >> (8 * i)) & 0xFF);
        return DecodeDdeFrame(f + b).status;
    };
    EXPECT_EQ(body(""), DdeDecodeStatus::Malformed);      // no kind
    EXPECT_EQ(body("\x09"), DdeDecodeStatus::Malformed);  // unknown kind
    EXPECT_EQ(body(std::string("\x00", 1)), DdeDecodeStatus::Malformed);
    EXPECT_EQ(body("\x08x"), DdeDecodeStatus::Malformed);     // trailing byte
    EXPECT_EQ(body("\x02\x02"), DdeDecodeStatus::Malformed);  // flag neither 0 nor 1
    // A text longer than the body around it.
    EXPECT_EQ(body(std::string("\x01\xff\x00\x00\x00"
                               "ab",
                               7)),
              DdeDecodeStatus::Malformed);
    // A pair count that the body cannot hold.
    EXPECT_EQ(body(std::string("\x04\xff\xff\xff\x7f", 5)), DdeDecodeStatus::Malformed);
    // The field list of a Connect cut short inside the frame.
    std::string connect = EncodeDdeFrame(OneOfEachKind()[0]);
    EXPECT_EQ(body(connect.substr(4, connect.size() - 5)), DdeDecodeStatus::Malformed);
}

TEST(DdeServiceName, SocketNamesFoldCaseAndEscapeEverythingElse) {
    EXPECT_EQ(DdeSocketFileName("FBROWSER"), "dde-fbrowser");
    EXPECT_EQ(DdeSocketFileName("fbrowser"), DdeSocketFileName("FBrowser"));
    EXPECT_EQ(DdeSocketFileName("a/../b c"), "dde-a%2F..%2Fb%20c");
    // "ソ" is 0x83 0x5C: its trail byte is no path separator and no letter to fold.
    EXPECT_EQ(DdeSocketFileName("ソA"), "dde-%83%5Ca");
}
