#include "content/DownloadControlRules.h"

#include "commands/CommandIds.h"

namespace fern {

namespace {

struct Switch {
    int id;
    std::uint32_t mask;
    bool allowedWhenSet;  // multimedia: set = allowed; security: set = refused
};

constexpr Switch kSwitches[] = {
    {ID_DLC_IMAGES, kDlcImages, true},
    {ID_DLC_SOUNDS, kDlcBackgroundSounds, true},
    {ID_DLC_VIDEOS, kDlcVideos, true},
    {ID_DLC_JAVA, kDlcNoJava, false},
    {ID_DLC_SCRIPTS, kDlcNoScripts, false},
    {ID_DLC_ACTIVEX_RUN, kDlcNoActiveXRun, false},
    {ID_DLC_ACTIVEX_DOWNLOAD, kDlcNoActiveXDownload, false},
};

const Switch* FindSwitch(int id) {
    for (const Switch& s : kSwitches)
        if (s.id == id) return &s;
    return nullptr;
}

}  // namespace

std::uint32_t DlcToggleMask(int id) {
    if (id == ID_DLC_MEDIA_INVERT) return kDlcImages | kDlcBackgroundSounds | kDlcVideos;
    if (id == ID_DLC_SECURITY_INVERT)
        return kDlcNoJava | kDlcNoScripts | kDlcNoActiveXRun | kDlcNoActiveXDownload;
    const Switch* s = FindSwitch(id);
    return s ? s->mask : 0;
}

std::optional<int> DlcTemplateIndex(int id) {
    if (id == ID_DLC_SECURITY_CHOSEN) return 1;
    if (id >= ID_DLC_TEMPLATE_DEFAULT && id <= ID_DLC_TEMPLATE_HIGH) return id - ID_DLC_TEMPLATE_DEFAULT;
    return std::nullopt;
}

std::optional<bool> DlcItemChecked(int id, std::uint32_t flags) {
    const Switch* s = FindSwitch(id);
    if (!s) return std::nullopt;
    const bool set = (flags & s->mask) != 0;
    return s->allowedWhenSet ? set : !set;
}

}  // namespace fern
