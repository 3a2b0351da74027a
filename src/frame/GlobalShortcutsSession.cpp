#include "frame/GlobalShortcutsSession.h"

#include <cstdio>

#include "platform/text/Encoding.h"
#include "platform/text/TextCut.h"

namespace fern {

namespace {

constexpr char kRequestInterface[] = "org.freedesktop.portal.Request";
constexpr char kSessionInterface[] = "org.freedesktop.portal.Session";
// Opening a session needs nobody; binding may wait for the user in a dialog.
constexpr unsigned kCreateSeconds = 10;
constexpr unsigned kBindSeconds = 120;
constexpr std::size_t kTriggerLimit = 60;
// Response codes of a portal request.
constexpr guint32 kCancelled = 1;

VariantPtr Sunk(GVariant* value) { return VariantPtr(g_variant_ref_sink(value)); }

PortalCall CloseCall(const std::string& path, const char* interface) {
    return {path, interface, "Close", Sunk(g_variant_new("()")), 0, 0};
}

// The desktop's own words for the trigger, kept to one short line.
std::string TriggerText(const char* utf8) {
    std::string text;
    for (char c : FromUtf8(utf8))
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) text += c;
    return ShortenText(text, kTriggerLimit);
}

}  // namespace

std::vector<PortalCall> GlobalShortcutsSession::Connected(const std::string& uniqueName,
                                                          GVariant* versionReply) {
    // ":1.42" is "1_42" in the paths the portal gives requests and sessions.
    m_sender.clear();
    for (char c : uniqueName.substr(uniqueName.starts_with(':') ? 1 : 0)) m_sender += c == '.' ? '_' : c;
    m_portal = Portal::Absent;
    if (versionReply && g_variant_is_of_type(versionReply, G_VARIANT_TYPE("(v)")) && !m_sender.empty()) {
        VariantPtr version(g_variant_get_child_value(versionReply, 0));
        VariantPtr inner(g_variant_get_variant(version.get()));
        if (g_variant_is_of_type(inner.get(), G_VARIANT_TYPE_UINT32) &&
            g_variant_get_uint32(inner.get()) >= 1)
            m_portal = Portal::Present;
    }
    return Start();
}

std::vector<PortalCall> GlobalShortcutsSession::Want(const std::optional<std::string>& trigger) {
    std::vector<PortalCall> calls;
    Close(calls);
    m_preferred = trigger;
    for (PortalCall& call : Start()) calls.push_back(std::move(call));
    return calls;
}

std::vector<PortalCall> GlobalShortcutsSession::Start() {
    m_trigger.clear();
    m_step = Step::Idle;
    if (m_portal == Portal::Absent) m_state = PortalShortcutState::Unavailable;
    else if (!m_preferred) m_state = PortalShortcutState::Off;
    else m_state = PortalShortcutState::Pending;
    if (m_state != PortalShortcutState::Pending || m_portal != Portal::Present) return {};
    std::string token = NextToken();
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&options, "{sv}", "handle_token", g_variant_new_string(token.c_str()));
    g_variant_builder_add(&options, "{sv}", "session_handle_token", g_variant_new_string(token.c_str()));
    m_step = Step::Create;
    std::vector<PortalCall> calls;
    calls.push_back(Request("CreateSession", g_variant_new("(a{sv})", &options), token, kCreateSeconds));
    return calls;
}

// Gives up the request awaited and the session of the key before.
void GlobalShortcutsSession::Close(std::vector<PortalCall>& calls) {
    if (!m_request.empty()) calls.push_back(CloseCall(m_request, kRequestInterface));
    if (!m_session.empty()) calls.push_back(CloseCall(m_session, kSessionInterface));
    m_request.clear();
    m_session.clear();
    m_step = Step::Idle;
}

PortalCall GlobalShortcutsSession::Request(const char* method, GVariant* parameters, const std::string& token,
                                           unsigned seconds) {
    // Awaited where the portal will put it, before the call goes out: the
    // Response may come before the call's reply.
    m_request = std::string(kPath) + "/request/" + m_sender + "/" + token;
    return {kPath, kInterface, method, Sunk(parameters), ++m_serial, seconds};
}

std::vector<PortalCall> GlobalShortcutsSession::Returned(unsigned serial, GVariant* reply) {
    if (serial != m_serial || m_request.empty()) return {};
    if (!reply || !g_variant_is_of_type(reply, G_VARIANT_TYPE("(o)")))
        return Fail(PortalShortcutState::Failed);
    // An older portal puts the request elsewhere and says where.
    const char* path = nullptr;
    g_variant_get(reply, "(&o)", &path);
    m_request = path;
    return {};
}

std::vector<PortalCall> GlobalShortcutsSession::Response(const std::string& path, GVariant* parameters) {
    if (m_request.empty() || path != m_request) return {};
    m_request.clear();
    if (!parameters || !g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ua{sv})")))
        return Fail(PortalShortcutState::Failed);
    guint32 code = 0;
    GVariant* raw = nullptr;
    g_variant_get(parameters, "(u@a{sv})", &code, &raw);
    VariantPtr results(raw);
    if (code == kCancelled) return Fail(PortalShortcutState::Refused);
    if (code != 0) return Fail(PortalShortcutState::Failed);
    return m_step == Step::Create ? SessionCreated(results.get()) : ShortcutsBound(results.get());
}

std::vector<PortalCall> GlobalShortcutsSession::SessionCreated(GVariant* results) {
    // A string in older portals, an object path in newer ones.
    VariantPtr handle(g_variant_lookup_value(results, "session_handle", nullptr));
    if (!handle ||
        !(g_variant_is_of_type(handle.get(), G_VARIANT_TYPE_STRING) ||
          g_variant_is_of_type(handle.get(), G_VARIANT_TYPE_OBJECT_PATH)) ||
        !g_variant_is_object_path(g_variant_get_string(handle.get(), nullptr)))
        return Fail(PortalShortcutState::Failed);
    m_session = g_variant_get_string(handle.get(), nullptr);
    GVariantBuilder details;
    g_variant_builder_init(&details, G_VARIANT_TYPE_VARDICT);
    std::string description = ToUtf8("タスク トレイ");
    g_variant_builder_add(&details, "{sv}", "description", g_variant_new_string(description.c_str()));
    std::string trigger = m_preferred.value_or("");
    if (!trigger.empty())
        g_variant_builder_add(&details, "{sv}", "preferred_trigger", g_variant_new_string(trigger.c_str()));
    GVariantBuilder shortcuts;
    g_variant_builder_init(&shortcuts, G_VARIANT_TYPE("a(sa{sv})"));
    g_variant_builder_add(&shortcuts, "(sa{sv})", kShortcutId, &details);
    std::string token = NextToken();
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&options, "{sv}", "handle_token", g_variant_new_string(token.c_str()));
    m_step = Step::Bind;
    std::vector<PortalCall> calls;
    calls.push_back(Request("BindShortcuts",
                            g_variant_new("(oa(sa{sv})sa{sv})", m_session.c_str(), &shortcuts, "", &options),
                            token, kBindSeconds));
    return calls;
}

std::vector<PortalCall> GlobalShortcutsSession::ShortcutsBound(GVariant* results) {
    VariantPtr shortcuts(g_variant_lookup_value(results, "shortcuts", G_VARIANT_TYPE("a(sa{sv})")));
    if (!shortcuts) return Fail(PortalShortcutState::Failed);
    GVariantIter iter;
    g_variant_iter_init(&iter, shortcuts.get());
    const char* id = nullptr;
    GVariant* raw = nullptr;
    while (g_variant_iter_next(&iter, "(&s@a{sv})", &id, &raw)) {
        VariantPtr details(raw);
        if (std::string(id) != kShortcutId) continue;
        m_step = Step::Idle;
        m_state = PortalShortcutState::Bound;
        const char* text = nullptr;
        if (g_variant_lookup(details.get(), "trigger_description", "&s", &text))
            m_trigger = TriggerText(text);
        return {};
    }
    // The desktop gave no trigger for it.
    return Fail(PortalShortcutState::Refused);
}

std::vector<PortalCall> GlobalShortcutsSession::Fail(PortalShortcutState state) {
    std::vector<PortalCall> calls;
    Close(calls);
    m_state = state;
    return calls;
}

void GlobalShortcutsSession::TimedOut(unsigned serial) {
    if (serial == m_serial && !m_request.empty() && m_state == PortalShortcutState::Pending)
        m_state = PortalShortcutState::NoAnswer;
}

void GlobalShortcutsSession::SessionClosed(const std::string& path) {
    if (m_session.empty() || path != m_session) return;
    std::vector<PortalCall> none;
    m_session.clear();
    Close(none);
    m_trigger.clear();
    m_state = PortalShortcutState::Failed;
}

bool GlobalShortcutsSession::Activated(GVariant* parameters) const {
    if (m_state != PortalShortcutState::Bound || !parameters ||
        !g_variant_is_of_type(parameters, G_VARIANT_TYPE("(osta{sv})")))
        return false;
    const char* session = nullptr;
    const char* id = nullptr;
    g_variant_get(parameters, "(&o&sta{sv})", &session, &id, nullptr, nullptr);
    return session == m_session && std::string(id) == kShortcutId;
}

std::string GlobalShortcutsSession::NextToken() {
    char token[32];
    std::snprintf(token, sizeof token, "fern%u", ++m_tokens);
    return token;
}

}  // namespace fern
