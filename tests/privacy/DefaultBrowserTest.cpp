#include "privacy/DefaultBrowser.h"

#include <gtest/gtest.h>

#include <map>

#include "lists/TempFolder.h"
#include "platform/fs/FileIo.h"

namespace fern {
namespace {

class FakeRunner : public ICommandRunner {
public:
    std::vector<std::string> calls;
    std::map<std::string, CommandResult> answers;  // by the joined command line
    CommandResult Run(const std::vector<std::string>& argv) override {
        std::string line;
        for (const std::string& a : argv) line += (line.empty() ? "" : " ") + a;
        calls.push_back(line);
        auto it = answers.find(line);
        return it != answers.end() ? it->second : CommandResult{true, 0, "", ""};
    }
    void Answer(const std::string& line, const std::string& output) {
        answers[line] = CommandResult{true, 0, output, ""};
    }
};

struct Fixture {
    testing::TempFolder folder;
    FakeRunner runner;
    PrivacyIniFile record{folder.File("privacy.ini")};
    DefaultBrowser browser{
        runner, record, {"/opt/fern/fern", folder.File("share/applications"), folder.File("mimeapps.list")}};
};

TEST(DefaultBrowser, RegisterRemembersTheHandlersItReplaces) {
    Fixture f;
    f.runner.Answer("xdg-settings get default-web-browser", "other.desktop\n");
    f.runner.Answer("xdg-mime query default text/html", "other.desktop\n");
    f.runner.Answer("xdg-mime query default x-scheme-handler/http", "fern.desktop\n");
    std::string error;
    ASSERT_TRUE(f.browser.Register(&error)) << error;
    EXPECT_EQ(
        f.runner.calls,
        (std::vector<std::string>{
            "xdg-settings get default-web-browser", "xdg-mime query default text/html",
            "xdg-mime query default x-scheme-handler/http", "xdg-mime query default x-scheme-handler/https",
            "xdg-settings set default-web-browser fern.desktop",
            "xdg-mime default fern.desktop text/html x-scheme-handler/http x-scheme-handler/https"}));
    EXPECT_TRUE(f.browser.IsRegistered());
    std::string entry = testing::ReadBytes(f.folder.File("share/applications/fern.desktop"));
    EXPECT_NE(entry.find("\nExec=/opt/fern/fern %u\n"), std::string::npos);
    EXPECT_NE(entry.find("\nName=Fern Browser\n"), std::string::npos);
    EXPECT_NE(entry.find("\nMimeType=text/html;x-scheme-handler/http;x-scheme-handler/https;\n"),
              std::string::npos);

    // A second registration finds only ours and keeps the first record.
    f.runner.Answer("xdg-settings get default-web-browser", "fern.desktop\n");
    f.runner.Answer("xdg-mime query default text/html", "fern.desktop\n");
    ASSERT_TRUE(f.browser.Register(&error));
    f.runner.calls.clear();
    ASSERT_TRUE(f.browser.Unregister(&error)) << error;
    EXPECT_EQ(f.runner.calls, (std::vector<std::string>{"xdg-settings set default-web-browser other.desktop",
                                                        "xdg-mime default other.desktop text/html"}));
    EXPECT_FALSE(f.browser.IsRegistered());
    // Given back: our entry stays for "open with".
    EXPECT_FALSE(testing::ReadBytes(f.folder.File("share/applications/fern.desktop")).empty());
}

TEST(DefaultBrowser, UnregisterWithNothingKnownRemovesOurEntries) {
    Fixture f;
    std::string error;
    ASSERT_TRUE(f.browser.Register(&error));
    testing::WriteBytes(
        f.folder.File("mimeapps.list"),
        "[Default Applications]\ntext/html=fern.desktop\nx-scheme-handler/http=fern.desktop;a.desktop;\n"
        "image/png=fern.desktop\n[Added Associations]\nx-scheme-handler/https=b.desktop;fern.desktop;\n"
        "[Other]\ntext/html=fern.desktop\n");
    f.runner.calls.clear();
    ASSERT_TRUE(f.browser.Unregister(&error)) << error;
    EXPECT_TRUE(f.runner.calls.empty());
    EXPECT_EQ(testing::ReadBytes(f.folder.File("mimeapps.list")),
              "[Default Applications]\nx-scheme-handler/http=a.desktop;\nimage/png=fern.desktop\n\n"
              "[Added Associations]\nx-scheme-handler/https=b.desktop;\n\n[Other]\ntext/html=fern.desktop\n");
    EXPECT_FALSE(IsRegularFile(f.folder.File("share/applications/fern.desktop")));
}

TEST(DefaultBrowser, FailuresAreReportedAndEntriesQuoted) {
    Fixture f;
    f.runner.answers["xdg-settings set default-web-browser fern.desktop"] =
        CommandResult{true, 3, "", "xdg-settings: unknown desktop environment\n"};
    std::string error;
    EXPECT_FALSE(f.browser.Register(&error));
    EXPECT_EQ(error, "xdg-settings: xdg-settings: unknown desktop environment");
    EXPECT_FALSE(f.browser.IsRegistered());
    // Enough when the desktop then names us for web links.
    f.runner.Answer("xdg-mime query default x-scheme-handler/http", "fern.desktop");
    EXPECT_TRUE(f.browser.Register(&error));
    EXPECT_TRUE(f.browser.IsRegistered());
    f.runner.answers["xdg-mime default fern.desktop text/html x-scheme-handler/http x-scheme-handler/https"] =
        CommandResult{true, 1, "", "cannot write"};
    EXPECT_FALSE(f.browser.Register(&error));
    EXPECT_EQ(error, "xdg-mime: cannot write");

    Fixture missing;
    missing.runner.answers["xdg-settings set default-web-browser fern.desktop"] =
        CommandResult{false, -1, "", "No such file or directory"};
    EXPECT_FALSE(missing.browser.Register(&error));
    EXPECT_NE(error.find("No such file"), std::string::npos);

    std::string entry = DefaultBrowser::DesktopEntry("/home/a b/\"x\"$/100%/fern");
    EXPECT_NE(entry.find("\nExec=\"/home/a b/\\\\\"x\\\\\"\\\\$/100%%/fern\" %u\n"), std::string::npos);
    EXPECT_EQ(DefaultBrowser::DesktopEntry("/a\\b\nc").find("\nc"), std::string::npos);
}

}  // namespace
}  // namespace fern
