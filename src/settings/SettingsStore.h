#pragma once
// Typed access to the keys of the schema. Each key goes to its own file
// (fern.ini or wnds.ini) and gets its schema default when it is missing.
// Writes report success and do not log: the caller that saves a group of
// keys logs one line when any of them failed.
#include <string>
#include <string_view>

#include "settings/Profile.h"
#include "settings/SettingsSchema.h"

namespace fern {

class SettingsStore {
public:
    SettingsStore(Profile& profile, Profile& windows) : profile_(profile), windows_(windows) {}

    int ReadInt(Setting id, int index = 0) const;
    std::string ReadString(Setting id, int index = 0) const;

    bool WriteInt(Setting id, int value, int index = 0);
    bool WriteString(Setting id, std::string_view value, int index = 0);
    bool DeleteKey(Setting id, int index = 0);

    // One log line naming the file and section of a save that did not happen.
    void LogSaveFailure(Setting anyKeyOfSection) const;

private:
    Profile& FileOf(const SettingEntry& entry) const {
        return entry.file == SettingsFile::Profile ? profile_ : windows_;
    }

    Profile& profile_;
    Profile& windows_;
};

}  // namespace fern
