// fernctl's client of the browser's request channel: raw requests, pokes,
// executes and wild connects, and the short forms people and scripts use.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "Commands.h"
#include "app/ArgumentUrl.h"
#include "platform/dde/DdeServiceName.h"
#include "platform/dde/DdeSocket.h"
#include "platform/dde/Ddeml.h"
#include "platform/text/Encoding.h"

namespace fernctl {

namespace {

using namespace fern;

constexpr int kAnswered = 0;
constexpr int kNotProcessed = 1;
constexpr int kNotRunning = 3;
constexpr int kNoAnswer = 4;
constexpr DWORD kTimeoutMs = 5000;
const char kDefaultService[] = "FBROWSER";
const char kActiveWindow[] = "0xFFFFFFFF";

std::string Utf8(const std::string& sjis) { return ToUtf8(sjis); }

// A text answer (its only NUL at its end) as UTF-8 text; any other as hex.
std::string FormatAnswer(const std::string& bytes) {
    if (bytes.empty()) return {};
    if (bytes.back() == '\0' && bytes.find('\0') == bytes.size() - 1)
        return ToUtf8(bytes.substr(0, bytes.size() - 1)) + "\n";
    std::string hex;
    char two[3];
    for (unsigned char c : bytes) {
        std::snprintf(two, sizeof two, "%02x", c);
        hex += two;
    }
    return hex + "\n";
}

// The exit status of a failed connect or transaction, after its line.
int Failure(UINT error) {
    switch (error) {
        case DMLERR_NO_CONV_ESTABLISHED: return Report(kNotProcessed, "the browser refused the topic");
        case DMLERR_NOTPROCESSED:
        case DMLERR_BUSY: return Report(kNotProcessed, "the browser did not process the request");
        case DMLERR_MEMORY_ERROR: return Report(2, "dde: the request is too large");
        case DMLERR_SERVER_DIED:
        case DMLERR_POSTMSG_FAILED:
            return Report(kNoAnswer, "the browser closed the conversation without an answer");
        default: return Report(kNoAnswer, "no answer from the browser within 5 seconds");
    }
}

bool Print(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
}

// One client instance with the conversations it opens.
class Client {
public:
    explicit Client(std::string service) : m_service(std::move(service)) {
        m_ok = DdeInitializeA(&m_instance, nullptr, 0, 0) == DMLERR_NO_ERROR;
    }
    ~Client() {
        if (m_conv) DdeDisconnect(m_conv);
        if (m_ok) DdeUninitialize(m_instance);
    }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // 0 when connected, else the exit status after its line on stderr.
    int Connect(const std::string& topic) {
        if (!m_ok) return Report(kNoAnswer, "dde: the request channel cannot start");
        if (!Running())
            return Report(kNotRunning, "no browser is running with the service '" + Utf8(m_service) + "'");
        HSZ service = Handle(m_service);
        HSZ hszTopic = Handle(topic);
        m_conv = DdeConnect(m_instance, service, hszTopic, nullptr);
        DdeFreeStringHandle(m_instance, service);
        DdeFreeStringHandle(m_instance, hszTopic);
        if (m_conv) return kAnswered;
        UINT error = DdeGetLastError(m_instance);
        if (error != DMLERR_NO_CONV_ESTABLISHED) return Failure(error);
        if (!Running())  // it ended meanwhile
            return Report(kNotRunning, "no browser is running with the service '" + Utf8(m_service) + "'");
        return Report(kNotProcessed, "the browser refused the topic '" + Utf8(topic) + "'");
    }

    // Sends one transaction; the answer's bytes for a request.
    int Transact(UINT type, const std::string& item, UINT format, const std::optional<std::string>& data,
                 std::string* answer) {
        HSZ hszItem = item.empty() ? nullptr : Handle(item);
        DWORD result = 0;
        HDDEDATA reply =
            DdeClientTransaction(data ? data->data() : nullptr, data ? static_cast<DWORD>(data->size()) : 0,
                                 m_conv, hszItem, format, type, kTimeoutMs, &result);
        DdeFreeStringHandle(m_instance, hszItem);
        if (!reply) return Failure(DdeGetLastError(m_instance));
        if (answer && type == XTYP_REQUEST) {
            DWORD size = 0;
            unsigned char* bytes = DdeAccessData(reply, &size);
            answer->assign(reinterpret_cast<const char*>(bytes), bytes ? size : 0);
            DdeUnaccessData(reply);
            DdeFreeDataHandle(reply);
        }
        return kAnswered;
    }

    int WildConnect(const std::optional<std::string>& topic, bool anyService) {
        if (!m_ok) return Report(kNoAnswer, "dde: the request channel cannot start");
        HSZ service = anyService ? nullptr : Handle(m_service);
        HSZ hszTopic = topic ? Handle(*topic) : nullptr;
        std::vector<DdeServiceTopic> pairs;
        int answered = DdeQueryWildConnect(m_instance, service, hszTopic, pairs);
        DdeFreeStringHandle(m_instance, service);
        DdeFreeStringHandle(m_instance, hszTopic);
        if (answered < 0) return Report(kNoAnswer, "dde: the request channel cannot start");
        UINT error = answered == 0 ? DdeGetLastError(m_instance) : DMLERR_NO_ERROR;
        if (answered == 0 && error != DMLERR_NO_CONV_ESTABLISHED)
            return Failure(error);  // reached, no answer
        if (answered == 0)
            return Report(kNotRunning,
                          anyService ? std::string("no service is running")
                                     : "no browser is running with the service '" + Utf8(m_service) + "'");
        if (pairs.empty()) return Report(kNotProcessed, "no service offers the topic");
        std::string out;
        for (const DdeServiceTopic& pair : pairs)
            out += ToUtf8(pair.service) + "\t" + ToUtf8(pair.topic) + "\n";
        return Print(out) ? kAnswered : Report(2, "cannot write to standard output");
    }

private:
    std::string m_service;
    DWORD m_instance = 0;
    bool m_ok = false;
    HCONV m_conv = nullptr;

    HSZ Handle(const std::string& text) {
        return DdeCreateStringHandleA(m_instance, text.c_str(), CP_WINANSI);
    }

    bool Running() const {
        std::optional<std::string> path = DdeSocketPath(m_service);
        int fd = path ? DdeConnectSocket(*path) : -1;
        DdeCloseSocket(fd);
        return fd >= 0;
    }
};

int Request(const std::string& service, const std::string& topic, const std::string& item, UINT format,
            std::string& answer) {
    Client client(service);
    if (int status = client.Connect(topic)) return status;
    return client.Transact(XTYP_REQUEST, item, format, std::nullopt, &answer);
}

int RequestAndPrint(const std::string& service, const std::string& topic, const std::string& item,
                    UINT format) {
    std::string answer;
    if (int status = Request(service, topic, item, format, answer)) return status;
    return Print(FormatAnswer(answer)) ? kAnswered : Report(2, "cannot write to standard output");
}

// Poke and execute send their text with its NUL, as text data goes.
int Send(const std::string& service, UINT type, const std::string& topic, const std::string& item,
         const std::string& text, UINT format) {
    Client client(service);
    if (int status = client.Connect(topic)) return status;
    return client.Transact(type, item, format, std::string(text.c_str(), text.size() + 1), nullptr);
}

std::optional<UINT> ParseFormat(const std::string& text) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    long value = std::strtol(text.c_str(), nullptr, 10);
    if (value < 1 || value > 0xFFFF) return std::nullopt;
    return static_cast<UINT>(value);
}

struct Options {
    std::string service = kDefaultService;
    bool serviceGiven = false;
    UINT format = CF_TEXT;
    Args words;
    Args rawWords;  // the same as given, for file names
};

// Takes --service and --format out of the arguments; the words stay, in
// Shift-JIS.
std::optional<Options> ParseOptions(const Args& args, const char* group) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--service" || arg == "--format") {
            if (i + 1 >= args.size()) {
                Fail(std::string(group) + ": " + arg + " needs a value");
                return std::nullopt;
            }
            const std::string& value = args[++i];
            if (arg == "--service") {
                options.service = FromUtf8(value);
                options.serviceGiven = true;
                if (options.service.empty()) {
                    Fail(std::string(group) + ": the service name is empty");
                    return std::nullopt;
                }
            } else if (std::optional<UINT> format = ParseFormat(value)) {
                options.format = *format;
            } else {
                Fail(std::string(group) + ": --format needs a clipboard format number from 1 to 65535");
                return std::nullopt;
            }
        } else if (arg == "--") {
            for (++i; i < args.size(); ++i) {
                options.words.push_back(FromUtf8(args[i]));
                options.rawWords.push_back(args[i]);
            }
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            Fail(std::string(group) + ": unknown option '" + arg + "'");
            return std::nullopt;
        } else {
            options.words.push_back(FromUtf8(arg));
            options.rawWords.push_back(arg);
        }
    }
    return options;
}

const char kDdeUsage[] =
    "dde [--service NAME] request TOPIC ITEM [--format N] | poke TOPIC ITEM DATA [--format N] | "
    "execute TOPIC COMMAND | wildconnect [TOPIC] | system ITEM";

int WrongCount(const std::string& what) {
    return Fail(what + ": wrong number of arguments (see fernctl --help)");
}

// The window ids of a window list: whole 32-bit entries up to the first 0.
std::string WindowIds(const std::string& answer) {
    std::string out;
    for (std::size_t at = 0; at < answer.size(); at += 4) {
        std::uint32_t id = 0;
        for (std::size_t b = 0; b < 4 && at + b < answer.size(); ++b)
            id |= static_cast<std::uint32_t>(static_cast<unsigned char>(answer[at + b])) << (8 * b);
        if (id == 0) break;
        out += std::to_string(id) + "\n";
    }
    return out;
}

// "\"URL\",\"title\",\"\"" -> URL and title lines.
std::optional<std::string> WindowInfoLines(const std::string& answer) {
    std::string text = answer;
    if (!text.empty() && text.back() == '\0') text.pop_back();
    const std::string tail = "\",\"\"";
    if (text.size() < 1 + tail.size() || text[0] != '"' ||
        text.compare(text.size() - tail.size(), tail.size(), tail) != 0)
        return std::nullopt;
    std::string body = text.substr(1, text.size() - 1 - tail.size());
    std::size_t split = body.find("\",\"");
    if (split == std::string::npos) return std::nullopt;
    return ToUtf8(body.substr(0, split)) + "\n" + ToUtf8(body.substr(split + 3)) + "\n";
}

}  // namespace

int RunDdeCommand(const Args& args) {
    std::optional<Options> parsed = ParseOptions(args, "dde");
    if (!parsed) return 2;
    const Args& w = parsed->words;
    if (w.empty()) return Fail(std::string("dde: no command given (") + kDdeUsage + ")");
    const std::string& command = w[0];
    const std::string& service = parsed->service;
    if (command == "request") {
        if (w.size() != 3) return WrongCount("dde request");
        return RequestAndPrint(service, w[1], w[2], parsed->format);
    }
    if (command == "poke") {
        if (w.size() != 4) return WrongCount("dde poke");
        return Send(service, XTYP_POKE, w[1], w[2], w[3], parsed->format);
    }
    if (command == "execute") {
        if (w.size() != 3) return WrongCount("dde execute");
        return Send(service, XTYP_EXECUTE, w[1], "", w[2], CF_TEXT);
    }
    if (command == "system") {
        if (w.size() != 2) return WrongCount("dde system");
        return RequestAndPrint(service, "System", w[1], CF_TEXT);
    }
    if (command == "wildconnect") {
        if (w.size() > 2) return WrongCount("dde wildconnect");
        Client client(service);
        return client.WildConnect(w.size() == 2 ? std::optional<std::string>(w[1]) : std::nullopt,
                                  !parsed->serviceGiven);
    }
    return Fail("dde: unknown command '" + Utf8(command) + "' (" + kDdeUsage + ")");
}

int RunDdeShortCommand(const std::string& name, const Args& args) {
    std::optional<Options> parsed = ParseOptions(args, name.c_str());
    if (!parsed) return 2;
    const Args& w = parsed->words;
    const std::string& service = parsed->service;
    if (name == "open") {
        if (w.size() != 1 || w[0].empty()) return WrongCount("open");
        std::string answer;
        // As the browser's own command line takes it: a file by its URI, an
        // address with what Shift-JIS cannot hold escaped.
        return Request(service, "WWW_OpenURL", fern::ArgumentText(parsed->rawWords[0]), CF_TEXT, answer);
    }
    if (name == "windows") {
        if (!w.empty()) return WrongCount("windows");
        std::string answer;
        if (int status = Request(service, "WWW_ListWindows", kActiveWindow, CF_TEXT, answer)) return status;
        return Print(WindowIds(answer)) ? kAnswered : Report(2, "cannot write to standard output");
    }
    if (name == "info") {
        if (w.size() != 1 || w[0].empty()) return WrongCount("info");
        std::string answer;
        if (int status = Request(service, "WWW_GetWindowInfo", w[0], CF_TEXT, answer)) return status;
        std::optional<std::string> lines = WindowInfoLines(answer);
        if (!lines) return Report(kNotProcessed, "info: the browser's answer is not a window info");
        return Print(*lines) ? kAnswered : Report(2, "cannot write to standard output");
    }
    if (name == "activate") {
        if (!w.empty()) return WrongCount("activate");
        std::string answer;
        return Request(service, "WWW_Activate", kActiveWindow, CF_TEXT, answer);
    }
    if (name == "exit") {
        if (!w.empty()) return WrongCount("exit");
        return Send(service, XTYP_POKE, "WWW_Exit", kActiveWindow, "", CF_TEXT);
    }
    return Fail("unknown command '" + name + "'");
}

}  // namespace fernctl
