// Reading a start-up's worth of settings: every key of a 200-key fern.ini
// read once through the INI-backed profile. Target: 5 ms for all of them.
#include <benchmark/benchmark.h>
#include <glib.h>
#include <glib/gstdio.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/DataPaths.h"
#include "platform/fs/FileIo.h"
#include "platform/text/Encoding.h"
#include "settings/IniProfile.h"
#include "settings/SettingsSchema.h"

namespace {

using namespace fern;

struct Key {
    std::string section;
    std::string key;
    bool text;
};

constexpr std::size_t kKeyCount = 200;

// The profile's own sections with values, the message-box filters and URL
// extraction filters filled, and side-bar sizes to make up the count.
std::vector<Key> BuildProfile(const std::string& path) {
    std::vector<Key> keys;
    std::string file;
    std::string section;
    auto add = [&](const std::string& sec, const std::string& key, const std::string& value, bool text) {
        if (sec != section) {
            file += (file.empty() ? "[" : "\r\n[") + sec + "]\r\n";
            section = sec;
        }
        file += key + "=" + value + "\r\n";
        keys.push_back({sec, key, text});
    };
    for (const SettingEntry& entry : AllSettings()) {
        if (entry.file != SettingsFile::Profile) continue;
        bool text = entry.type == SettingType::String || entry.type == SettingType::Structured;
        if (entry.form == KeyForm::Indexed) {
            int count = entry.id == Setting::UEFilter ? 12 : 10;
            for (int n = 0; n < count; ++n)
                add(entry.section, KeyName(entry, n), text ? "*.ソフト;*.zip" : "1", text);
        } else if (text) {
            add(entry.section, entry.key, *entry.textDefault ? entry.textDefault : "C:\\データ\\x", true);
        } else {
            add(entry.section, entry.key, std::to_string(entry.integerDefault), false);
        }
    }
    for (int n = 0; keys.size() < kKeyCount; ++n) {
        char sec[32];
        std::snprintf(sec, sizeof sec, "CtrlBar-ID%d", 59000 + n / 2);
        add(sec, n % 2 ? "DefaultSize" : "Docked", n % 2 ? "200,300,200,300,200,300" : "1", n % 2);
    }
    WriteFileAtomic(path, file);
    return keys;
}

void BM_ReadEveryKeyOfFernIni(benchmark::State& state) {
    gchar* tmp = g_dir_make_tmp("fern-bench-XXXXXX", nullptr);
    DataPaths paths = MakeDataPaths(FromUtf8(tmp));
    std::vector<Key> keys = BuildProfile(paths.profile);
    IniProfile profile(paths.profile);

    long long total = 0;
    for (auto _ : state) {
        for (const Key& k : keys) {
            if (k.text) total += static_cast<long long>(profile.ReadString(k.section, k.key, "").size());
            else total += profile.ReadInt(k.section, k.key, 0);
        }
    }
    benchmark::DoNotOptimize(total);
    state.counters["keys"] = static_cast<double>(keys.size());

    g_remove(paths.profile.c_str());
    g_rmdir(tmp);
    g_free(tmp);
}
BENCHMARK(BM_ReadEveryKeyOfFernIni)->Unit(benchmark::kMillisecond);

}  // namespace
