#pragma once
// What starting the mailer for an address means: the user's mailer from
// MLMailerPath, run with an argument vector (the address comes from a web
// page and never meets a shell), or the desktop's handler for "mailto:".
#include <string>
#include <vector>

#include "settings/FrameSettings.h"

namespace fern {

struct MailerLaunch {
    enum class Kind { DesktopHandler, Program };
    Kind kind = Kind::DesktopHandler;
    std::string address;            // DesktopHandler: the address to open
    std::vector<std::string> argv;  // Program: the program, then its arguments
};

// With "メーラーを指定(&M)" and a mailer path of two bytes or more:
// - a path with a double quote is split into the program and the
//   parameters: after the closing quote of a program in quotes (the quotes
//   dropped), else at its first blank followed by a double quote; the parameters are split into arguments at
//   blanks outside double quotes, then "%m" becomes the whole address and "%M" the text after its first ":",
//   so an address stays one argument whatever it holds;
// - a path without a double quote, or one with nothing after the program,
//   is the program, and gets the address as its argument.
// An empty program part falls back to the desktop handler.
// Otherwise the desktop's handler opens the address.
MailerLaunch MailerLaunchOf(const std::string& address, const MailSettings& mail);

}  // namespace fern
