#include "Commands.h"

namespace fernctl {

int RunListCommand(const Args&) { return Fail("list: not built yet"); }

}  // namespace fernctl
