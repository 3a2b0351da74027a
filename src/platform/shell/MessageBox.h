#pragma once
// Modal message boxes with the program's fixed texts.
#include <string>

namespace fern {

enum class MessageBoxKind { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageBoxAnswer { Ok, Cancel, Yes, No };

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual MessageBoxAnswer Show(const std::string& text, const std::string& caption,
                                  MessageBoxKind kind) = 0;
};

}  // namespace fern
