// libFuzzer target: keys.ini on any bytes, read as the user's file over the
// shipped defaults. Whatever it holds, the keys it gives every command can
// be named, and what the key dialog writes reads back as the same keys.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzTempDir.h"
#include "commands/CommandCatalogue.h"
#include "commands/KeyManager.h"
#include "platform/fs/FileIo.h"

namespace {

fern::CKeyManager Defaults() {
    fern::CKeyManager keys;
    keys.AddBuiltinKeys();
    keys.ParseInto("[MainFrame]\r\nID0=0\r\nKeys0=17367124\r\nID1=5\r\nKeys1=17367119\r\n", true);
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fern::CKeyManager keys = Defaults();
    keys.ParseInto(bytes, false);
    for (const fern::CommandInfo& command : fern::CommandCatalogue()) keys.KeyTextOf(command.id);

    const std::string path = fern::fuzz::TempDir() + "/keys.ini";
    std::remove(path.c_str());
    if (!keys.Save(path).ok) __builtin_trap();
    fern::CKeyManager again = Defaults();
    if (!again.LoadUser(path).ok) __builtin_trap();
    std::string first = *fern::ReadWholeFile(path);
    if (!again.Save(path).ok) __builtin_trap();
    if (*fern::ReadWholeFile(path) != first) __builtin_trap();
    for (const fern::CommandInfo& command : fern::CommandCatalogue())
        if (again.KeyTextOf(command.id) != keys.KeyTextOf(command.id)) __builtin_trap();
    return 0;
}
