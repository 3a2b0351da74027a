#pragma once
// Command ids of the download-control switches, the security templates and
// offline work; menus, tool bars and user keys share them.

namespace fern {

enum ContentCommand : int {
    ID_DLC_IMAGES = 33020,
    ID_DLC_SOUNDS = 33021,
    ID_DLC_VIDEOS = 33022,
    ID_DLC_MEDIA_INVERT = 33023,
    ID_DLC_JAVA = 33030,
    ID_DLC_SCRIPTS = 33031,
    ID_DLC_ACTIVEX_RUN = 33032,
    ID_DLC_ACTIVEX_DOWNLOAD = 33033,
    ID_DLC_SECURITY_INVERT = 33034,
    ID_DLC_SECURITY_CHOSEN = 33035,  // the favourites template, for bookmarks
    ID_DLC_TEMPLATE_DEFAULT = 34298,
    ID_DLC_TEMPLATE_FAVORITES = 34299,
    ID_DLC_TEMPLATE_LOW = 34300,
    ID_DLC_TEMPLATE_MEDIUM = 34301,
    ID_DLC_TEMPLATE_HIGH = 34302,
    ID_OFFLINE = 32827,
};

}  // namespace fern
