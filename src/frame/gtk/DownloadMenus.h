#pragma once
// Menu entries of saving the page (file menu) and of the downloads window
// (tools menu).
#include "frame/gtk/MenuBuilder.h"

namespace fern {

MenuEntry SavePageMenuEntry();
MenuEntry DownloadsWindowMenuEntry();

}  // namespace fern
