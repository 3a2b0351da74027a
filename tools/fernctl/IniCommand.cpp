#include "Commands.h"

namespace fernctl {

int RunIniCommand(const Args&) { return Fail("ini: not built yet"); }

}  // namespace fernctl
