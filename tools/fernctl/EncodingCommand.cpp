#include "Commands.h"

namespace fernctl {

int RunEncodingCommand(const Args&) { return Fail("encoding: not built yet"); }

}  // namespace fernctl
