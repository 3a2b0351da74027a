#include <gtest/gtest.h>

#include "frame/GlobalShortcutsSession.h"
#include "platform/text/Encoding.h"

using namespace fern;
using State = PortalShortcutState;

namespace {

constexpr char kRequest1[] = "/org/freedesktop/portal/desktop/request/1_42/fern1";
constexpr char kRequest2[] = "/org/freedesktop/portal/desktop/request/1_42/fern2";
constexpr char kSession[] = "/org/freedesktop/portal/desktop/session/1_42/fern1";
const std::string kCtrlAltF = "CTRL+ALT+f";

VariantPtr Owned(GVariant* value) { return VariantPtr(g_variant_ref_sink(value)); }

VariantPtr Version(guint32 version) { return Owned(g_variant_new("(v)", g_variant_new_uint32(version))); }

VariantPtr Answer(guint32 code, GVariant* results = nullptr) {
    if (!results) results = g_variant_new_array(G_VARIANT_TYPE("{sv}"), nullptr, 0);
    return Owned(g_variant_new("(u@a{sv})", code, results));
}

GVariant* Dict(const char* key, GVariant* value) {
    GVariantBuilder b;
    g_variant_builder_init(&b, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&b, "{sv}", key, value);
    return g_variant_builder_end(&b);
}

// "shortcuts" of a BindShortcuts answer: (id, trigger description); a null
// description leaves the key out.
GVariant* Shortcuts(std::vector<std::pair<const char*, const char*>> bound) {
    GVariantBuilder list;
    g_variant_builder_init(&list, G_VARIANT_TYPE("a(sa{sv})"));
    for (const auto& [id, text] : bound) {
        GVariantBuilder details;
        g_variant_builder_init(&details, G_VARIANT_TYPE_VARDICT);
        if (text) g_variant_builder_add(&details, "{sv}", "trigger_description", g_variant_new_string(text));
        g_variant_builder_add(&list, "(sa{sv})", id, &details);
    }
    return Dict("shortcuts", g_variant_builder_end(&list));
}

VariantPtr ActivatedSignal(const char* session, const char* id) {
    return Owned(g_variant_new("(osta{sv})", session, id, guint64{1234}, nullptr));
}

std::string Text(GVariant* value) {
    gchar* printed = g_variant_print(value, FALSE);
    std::string text = printed;
    g_free(printed);
    return text;
}

// A session driven up to the BindShortcuts request.
struct Driven {
    GlobalShortcutsSession session;
    std::vector<PortalCall> bind;

    Driven() {
        session.Want(kCtrlAltF);
        std::vector<PortalCall> create = session.Connected(":1.42", Version(1).get());
        EXPECT_EQ(create.size(), 1u);
        session.Returned(create.at(0).serial, Owned(g_variant_new("(o)", kRequest1)).get());
        bind = session.Response(kRequest1,
                                Answer(0, Dict("session_handle", g_variant_new_string(kSession))).get());
    }
};

}  // namespace

TEST(GlobalShortcutsSession, AsksForTheKeyInASession) {
    GlobalShortcutsSession session;
    EXPECT_TRUE(session.Want(kCtrlAltF).empty());  // the bus is not reached yet
    EXPECT_EQ(session.State(), State::Pending);
    std::vector<PortalCall> create = session.Connected(":1.42", Version(1).get());
    ASSERT_EQ(create.size(), 1u);
    EXPECT_EQ(create[0].method, "CreateSession");
    EXPECT_EQ(Text(create[0].parameters.get()),
              "({'handle_token': <'fern1'>, 'session_handle_token': <'fern1'>},)");
    EXPECT_GT(create[0].answerSeconds, 0u);

    // The Response may come before the call's reply.
    std::vector<PortalCall> bind =
        session.Response(kRequest1, Answer(0, Dict("session_handle", g_variant_new_string(kSession))).get());
    ASSERT_EQ(bind.size(), 1u);
    EXPECT_EQ(bind[0].method, "BindShortcuts");
    EXPECT_STREQ(g_variant_get_type_string(bind[0].parameters.get()), "(oa(sa{sv})sa{sv})");
    EXPECT_EQ(Text(bind[0].parameters.get()),
              std::string("('") + kSession + "', [('tray', {'description': <'" + ToUtf8("タスク トレイ") +
                  "'>, 'preferred_trigger': <'CTRL+ALT+f'>})], '', " + "{'handle_token': <'fern2'>})");
    EXPECT_EQ(session.State(), State::Pending);
    session.Response(kRequest2, Answer(0, Shortcuts({{"other", "X"}, {"tray", "Ctrl+Alt+F"}})).get());
    EXPECT_EQ(session.State(), State::Bound);
    EXPECT_EQ(session.Trigger(), "Ctrl+Alt+F");
    EXPECT_TRUE(session.Activated(ActivatedSignal(kSession, "tray").get()));
}

TEST(GlobalShortcutsSession, WhatTheDesktopAnswersToTheBinding) {
    struct Case {
        const char* what;
        guint32 code;
        GVariant* results;
        State state;
        std::string trigger;
    } cases[] = {
        {"a trigger", 0, Shortcuts({{"tray", "Strg+Alt+F"}}), State::Bound, "Strg+Alt+F"},
        {"bound without a text", 0, Shortcuts({{"tray", nullptr}}), State::Bound, ""},
        {"the text in Japanese", 0, Shortcuts({{"tray", "\xE3\x82\xAD\xE3\x83\xBC F"}}), State::Bound,
         "キー F"},
        {"a text with line breaks", 0, Shortcuts({{"tray", "Ctrl+\n\tF"}}), State::Bound, "Ctrl+F"},
        {"none bound", 0, Shortcuts({}), State::Refused, ""},
        {"only another id", 0, Shortcuts({{"other", "F1"}}), State::Refused, ""},
        {"the user cancelled", 1, nullptr, State::Refused, ""},
        {"another end", 2, nullptr, State::Failed, ""},
        {"an unknown code", 7, Shortcuts({{"tray", "F"}}), State::Failed, ""},
        {"no shortcuts", 0, nullptr, State::Failed, ""},
        {"shortcuts of a wrong type", 0, Dict("shortcuts", g_variant_new_string("tray")), State::Failed, ""},
        {"a description of a wrong type", 0,
         Dict("shortcuts", g_variant_new_parsed("[('tray', {'trigger_description': <7>})]")), State::Bound,
         ""},
    };
    for (auto& c : cases) {
        Driven d;
        ASSERT_EQ(d.bind.size(), 1u) << c.what;
        std::vector<PortalCall> after = d.session.Response(kRequest2, Answer(c.code, c.results).get());
        EXPECT_EQ(d.session.State(), c.state) << c.what;
        EXPECT_EQ(d.session.Trigger(), c.trigger) << c.what;
        EXPECT_EQ(d.session.Activated(ActivatedSignal(kSession, "tray").get()), c.state == State::Bound)
            << c.what;
        // A session that binds nothing is not kept open.
        if (c.state != State::Bound) {
            ASSERT_EQ(after.size(), 1u) << c.what;
            EXPECT_EQ(after[0].method, "Close");
            EXPECT_EQ(after[0].path, kSession);
        }
    }
}

TEST(GlobalShortcutsSession, AnswersOfNoUseLeaveNoSessionOrFail) {
    struct Case {
        const char* what;
        VariantPtr answer;
        State state;
    };
    Case cases[] = {
        {"no session handle", Answer(0), State::Failed},
        {"a handle that is no path", Answer(0, Dict("session_handle", g_variant_new_string("x y"))),
         State::Failed},
        {"a handle of a wrong type", Answer(0, Dict("session_handle", g_variant_new_uint32(3))),
         State::Failed},
        {"a response of a wrong shape", Owned(g_variant_new("(s)", "yes")), State::Failed},
        {"cancelled", Answer(1), State::Refused},
    };
    for (auto& c : cases) {
        GlobalShortcutsSession session;
        session.Want(kCtrlAltF);
        session.Connected(":1.42", Version(2).get());
        EXPECT_TRUE(session.Response(kRequest1, c.answer.get()).empty()) << c.what;
        EXPECT_EQ(session.State(), c.state) << c.what;
    }
}

TEST(GlobalShortcutsSession, NoPortalNoCalls) {
    VariantPtr noVersion;
    VariantPtr cases[] = {std::move(noVersion), Version(0),
                          Owned(g_variant_new("(v)", g_variant_new_string("1"))),
                          Owned(g_variant_new("(u)", 1u))};
    for (auto& reply : cases) {
        GlobalShortcutsSession session;
        session.Want(kCtrlAltF);
        EXPECT_TRUE(session.Connected(":1.42", reply.get()).empty());
        EXPECT_EQ(session.State(), State::Unavailable);
        EXPECT_TRUE(session.Want(std::nullopt).empty());
        EXPECT_EQ(session.State(), State::Unavailable);  // said even without a key
    }
}

TEST(GlobalShortcutsSession, ActivatedCountsOnlyForOurShortcutOnTheBoundSession) {
    GlobalShortcutsSession before;
    EXPECT_FALSE(before.Activated(ActivatedSignal(kSession, "tray").get()));  // nothing bound yet
    Driven d;
    EXPECT_FALSE(d.session.Activated(ActivatedSignal(kSession, "tray").get()));  // bind not answered yet
    d.session.Response(kRequest2, Answer(0, Shortcuts({{"tray", "F"}})).get());
    EXPECT_TRUE(d.session.Activated(ActivatedSignal(kSession, "tray").get()));
    EXPECT_FALSE(d.session.Activated(ActivatedSignal(kSession, "other").get()));
    EXPECT_FALSE(d.session.Activated(
        ActivatedSignal("/org/freedesktop/portal/desktop/session/1_42/old", "tray").get()));
    EXPECT_FALSE(d.session.Activated(Owned(g_variant_new("(ss)", kSession, "tray")).get()));
    EXPECT_FALSE(d.session.Activated(nullptr));

    // Another key: the old session is closed and its signals are stale.
    std::vector<PortalCall> calls = d.session.Want(std::string("CTRL+g"));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].method, "Close");
    EXPECT_EQ(calls[0].path, kSession);
    EXPECT_EQ(calls[1].method, "CreateSession");
    EXPECT_EQ(d.session.State(), State::Pending);
    EXPECT_FALSE(d.session.Activated(ActivatedSignal(kSession, "tray").get()));

    // The desktop closing the session ends the binding.
    Driven closed;
    closed.session.Response(kRequest2, Answer(0, Shortcuts({{"tray", "F"}})).get());
    closed.session.SessionClosed("/elsewhere");
    EXPECT_EQ(closed.session.State(), State::Bound);
    closed.session.SessionClosed(kSession);
    EXPECT_EQ(closed.session.State(), State::Failed);
    EXPECT_FALSE(closed.session.Activated(ActivatedSignal(kSession, "tray").get()));
}

TEST(GlobalShortcutsSession, RequestsOfOthersAndStaleOnesAreIgnored) {
    Driven d;
    // Not the request awaited: another path, the answered one again.
    d.session.Response("/org/freedesktop/portal/desktop/request/1_42/fern9",
                       Answer(0, Shortcuts({{"tray", "F"}})).get());
    d.session.Response(kRequest1, Answer(0, Shortcuts({{"tray", "F"}})).get());
    EXPECT_EQ(d.session.State(), State::Pending);
    // An older portal names the request elsewhere in its reply.
    d.session.Returned(d.bind[0].serial, Owned(g_variant_new("(o)", "/req/7")).get());
    d.session.Response(kRequest2, Answer(0, Shortcuts({{"tray", "F"}})).get());
    EXPECT_EQ(d.session.State(), State::Pending);
    d.session.Response("/req/7", Answer(0, Shortcuts({{"tray", "F"}})).get());
    EXPECT_EQ(d.session.State(), State::Bound);

    // A request given up for another key: its answer changes nothing.
    Driven changed;
    changed.session.Want(std::nullopt);
    EXPECT_EQ(changed.session.State(), State::Off);
    changed.session.Response(kRequest2, Answer(0, Shortcuts({{"tray", "F"}})).get());
    EXPECT_EQ(changed.session.State(), State::Off);
}

TEST(GlobalShortcutsSession, AFailedCallOrNoAnswer) {
    Driven failed;
    failed.session.Returned(failed.bind[0].serial + 1, nullptr);  // not this call
    EXPECT_EQ(failed.session.State(), State::Pending);
    failed.session.Returned(failed.bind[0].serial, nullptr);
    EXPECT_EQ(failed.session.State(), State::Failed);

    Driven wrongReply;
    wrongReply.session.Returned(wrongReply.bind[0].serial, Owned(g_variant_new("(s)", "no")).get());
    EXPECT_EQ(wrongReply.session.State(), State::Failed);

    // Never answered: a state of its own, and a late answer is still taken.
    Driven silent;
    silent.session.TimedOut(silent.bind[0].serial + 1);
    EXPECT_EQ(silent.session.State(), State::Pending);
    silent.session.TimedOut(silent.bind[0].serial);
    EXPECT_EQ(silent.session.State(), State::NoAnswer);
    silent.session.Response(kRequest2, Answer(0, Shortcuts({{"tray", "F"}})).get());
    EXPECT_EQ(silent.session.State(), State::Bound);
    silent.session.TimedOut(silent.bind[0].serial);  // a timer that fires late
    EXPECT_EQ(silent.session.State(), State::Bound);
}
