#include "content/ContentCommands.h"

#include "commands/CommandIds.h"
#include "commands/CommandRouter.h"
#include "content/DownloadControl.h"
#include "content/OfflineMode.h"

namespace fern {

void RegisterContentCommands(CCommandRouter& router, CDownloadControl& control, COfflineMode& offline) {
    for (int id : {ID_DLC_IMAGES, ID_DLC_SOUNDS, ID_DLC_VIDEOS, ID_DLC_MEDIA_INVERT, ID_DLC_JAVA,
                   ID_DLC_SCRIPTS, ID_DLC_ACTIVEX_RUN, ID_DLC_ACTIVEX_DOWNLOAD, ID_DLC_SECURITY_INVERT,
                   ID_DLC_SECURITY_CHOSEN, ID_DLC_TEMPLATE_DEFAULT, ID_DLC_TEMPLATE_FAVORITES,
                   ID_DLC_TEMPLATE_LOW, ID_DLC_TEMPLATE_MEDIUM, ID_DLC_TEMPLATE_HIGH})
        router.Add(id, {[&control, id] { control.Command(id); },
                        {},
                        [&control, id] { return control.IsChecked(id).value_or(false); }});
    router.Add(ID_OFFLINE,
               {[&offline] { offline.Toggle(); }, {}, [&offline] { return offline.IsOffline(); }});
}

}  // namespace fern
