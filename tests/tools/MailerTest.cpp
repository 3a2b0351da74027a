#include <gtest/gtest.h>

#include "tools/Mailer.h"

using namespace fern;

namespace {

MailSettings Mailer(const std::string& path) {
    MailSettings mail;
    mail.useMailerPath = true;
    mail.mailerPath = path;
    return mail;
}

using Argv = std::vector<std::string>;

}  // namespace

TEST(MailerCommandLine, FromTheMailerPath) {
    const std::string address = "mailto:someone@example.com";
    struct Case {
        const char* path;
        Argv argv;
    } cases[] = {
        // No double quote: the whole path is the program, the address its argument.
        {"/usr/bin/mailer", {"/usr/bin/mailer", address}},
        {"/opt/My Mailer/mail", {"/opt/My Mailer/mail", address}},
        {"  /usr/bin/mailer  ", {"/usr/bin/mailer", address}},
        // Split at the first blank before a double quote.
        {"mailer \"%m\"", {"mailer", address}},
        {"mailer \"%M\"", {"mailer", "someone@example.com"}},
        {"\"/opt/My Mailer/mail\" -compose \"to=%M\"",
         {"/opt/My Mailer/mail", "-compose", "to=someone@example.com"}},
        {"\"/opt/My Mailer/mail\" \"%m\" %M", {"/opt/My Mailer/mail", address, "someone@example.com"}},
        {"mailer  \"a b\"  \"\"  c", {"mailer", "a b", "", "c"}},
        // Split point where the program part keeps blanks (the Part's rule).
        {"mailer -x \"%m\"", {"mailer -x", address}},
        // A quoted program alone still gets the address.
        {"\"/opt/My Mailer/mail\"", {"/opt/My Mailer/mail", address}},
        // Double-byte names whose trail bytes are letters or "\".
        {"/home/ソフト/メール \"%m\"", {"/home/ソフト/メール", address}},
    };
    for (const Case& c : cases) {
        MailerLaunch launch = MailerLaunchOf(address, Mailer(c.path));
        EXPECT_EQ(launch.kind, MailerLaunch::Kind::Program) << c.path;
        EXPECT_EQ(launch.argv, c.argv) << c.path;
    }
}

// The address comes from a web page: whatever it holds stays one argument,
// byte for byte, and is never read as a placeholder or a quote.
TEST(MailerCommandLine, AddressIsOneArgumentWhateverItHolds) {
    const std::string hostile = "mailto:a@b.c?subject=\"; rm -rf ~ ` $(id) | x & %M %m\" \"second";
    MailerLaunch launch = MailerLaunchOf(hostile, Mailer("mailer \"%m\" \"--bare=%M\""));
    ASSERT_EQ(launch.argv.size(), 3u);
    EXPECT_EQ(launch.argv[1], hostile);
    EXPECT_EQ(launch.argv[2], "--bare=" + hostile.substr(7));
    MailerLaunch plain = MailerLaunchOf(hostile, Mailer("/usr/bin/mailer"));
    EXPECT_EQ(plain.argv, (Argv{"/usr/bin/mailer", hostile}));
}

TEST(MailerCommandLine, DesktopHandlerOtherwise) {
    const std::string address = "mailto:";
    MailSettings off = Mailer("/usr/bin/mailer");
    off.useMailerPath = false;
    for (const MailSettings& mail : {off, Mailer(""), Mailer("x"), Mailer(" "), Mailer("\"\" \"%m\"")}) {
        MailerLaunch launch = MailerLaunchOf(address, mail);
        EXPECT_EQ(launch.kind, MailerLaunch::Kind::DesktopHandler) << mail.mailerPath;
        EXPECT_EQ(launch.address, address);
    }
    // The command's bare "mailto:": "%M" is empty.
    EXPECT_EQ(MailerLaunchOf(address, Mailer("m \"%M\"")).argv, (Argv{"m", ""}));
}
