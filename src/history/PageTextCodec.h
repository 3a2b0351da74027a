#pragma once
// How the history store turns a page's bytes into text: the code detected as
// the history search's automatic choice does (the first 1024 bytes decide),
// then the conversion of that code to Shift-JIS.
#include "platform/store/HistoryDb.h"

namespace fern {

PageTextCodec MakePageTextCodec();

}  // namespace fern
