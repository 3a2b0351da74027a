// A command through the router, as a key or a menu item sends it: the cost of
// finding its handler and asking whether it is enabled, for a catalogue's
// worth of registered commands.
#include <benchmark/benchmark.h>

#include "commands/CommandCatalogue.h"
#include "commands/CommandRouter.h"
#include "commands/KeyManager.h"

namespace {

void BM_RouterRunsACommand(benchmark::State& state) {
    fern::CCommandRouter router;
    int runs = 0;
    for (const fern::CommandInfo& command : fern::CommandCatalogue())
        router.Add(command.id, {[&runs] { ++runs; }, [] { return true; }, {}});
    router.AddRange(fern::ID_RECENT_FIRST, fern::ID_RECENT_RANGE_END, {[&runs](int) { ++runs; }, {}, {}});
    int id = fern::ID_TAB_CLOSE;
    for (auto _ : state) benchmark::DoNotOptimize(router.Run(id));
    benchmark::DoNotOptimize(runs);
}
BENCHMARK(BM_RouterRunsACommand);

void BM_KeyFindsItsCommand(benchmark::State& state) {
    fern::CKeyManager keys;
    keys.AddBuiltinKeys();
    for (int code = 'A'; code <= 'Z'; ++code)
        keys.AddUserKey(fern::ID_NEW_TAB + (code % 5),
                        fern::KeyBinding{0x09, static_cast<std::uint16_t>(code), false});
    fern::KeyBinding pressed{0x11, 0x27, false};  // Alt+Right, found among the built-in keys
    for (auto _ : state) benchmark::DoNotOptimize(keys.CommandOfKey(pressed));
}
BENCHMARK(BM_KeyFindsItsCommand);

}  // namespace
