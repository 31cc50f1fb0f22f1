// Start-up's file work, natively, with the demo data: what the program does
// between opening MIDI and showing its window (the simulated device's
// profile, the answer of that device, the user and ROM banks, the libraries),
// against one bare read of each file that this work opens: every document
// parsed once, every picture decoded once (the table's start-up row,
// bench_figures.h).
//
// The files are found by watching fopen during one untimed start-up, so the
// reference always covers exactly the files the program reads; the counters
// say how often start-up opened them.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cstdio>
#include <map>
#include <string>

#include "banks/bank_model.h"
#include "base/working_blocks.h"
#include "bench/bench_figures.h"
#include "devices/device_definition.h"
#include "banks/discovery.h"
#include "devices/library_list.h"
#include "banks/undo_history.h"
#include "headless/messages_headless.h"
#include "imaging/png_decode.h"
#include "midi/virtual_link.h"
#include "plist/plist_xml.h"

namespace {

bool gWatching = false;
std::map<std::string, int> gOpened;  // path -> opens for reading while watching

}  // namespace

// Every fopen of the process passes here; the program's own calls to it are
// linked against this one.
extern "C" FILE* fopen(const char* path, const char* mode) noexcept {
    using Fopen = FILE* (*)(const char*, const char*);
    static Fopen real = reinterpret_cast<Fopen>(dlsym(RTLD_NEXT, "fopen"));
    if (gWatching && path && mode && mode[0] == 'r') gOpened[path]++;
    return real(path, mode);
}

namespace {

const std::string& DataFolder() {
    static const std::string folder = std::string(OSTREL_SOURCE_DIR) + "/data/";
    return folder;
}

// Start-up from "Start MIDI" to the library scan, as shell/startup_win32.cpp
// orders it; the wait for identity replies is left out (it is no file work),
// the simulated device's answer is not.
void StartUpLoad() {
    DiscoverySetProgramFolder(DataFolder().c_str());
    ResetBankList();
    DeviceDefinitionReset(&gDevice);
    LibraryListClear(&gLibraryList);
    VirtualDeviceProfile profile{};
    if (VirtualProfileFromDevices((DataFolder() + "Devices").c_str(), &profile)) {
        DeviceConnected(profile.pid, 0);
    }
    ScanUserAndRomBanks(0);
    ClearAllChanges();
    ScanLibraries();
}

bool EndsWith(const std::string& text, const char* end) {
    const std::string tail = end;
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool SetUp() {
    static bool done = false;
    if (done) return gBanks.count > 0;
    done = true;
    HeadlessMessages().quiet = 1;
    AllocWorkingBlocks();
    InitUndoHistory();
    gWatching = true;
    StartUpLoad();
    gWatching = false;
    int opens = 0;
    int picturesAgain = 0;
    for (const auto& file : gOpened) {
        opens += file.second;
        if (file.second == 1) continue;
        if (EndsWith(file.first, ".png")) {
            picturesAgain++;
        } else {
            printf("start-up read %d times: %s\n", file.second, file.first.c_str());
        }
    }
    printf("start-up: %d opens of %zu files; %d pictures decoded more than once\n", opens,
           gOpened.size(), picturesAgain);
    return gBanks.count > 0;
}

void BM_StartUpLoad(benchmark::State& state) {
    if (!SetUp()) return state.SkipWithError("the demo data gave no banks");
    for (auto _ : state) StartUpLoad();
    int opens = 0;
    for (const auto& file : gOpened) opens += file.second;
    state.counters["files"] = static_cast<double>(gOpened.size());
    state.counters["opens"] = opens;
}
BENCHMARK(BM_StartUpLoad)->Unit(benchmark::kMillisecond);

void BM_BareParseOfTheSameFiles(benchmark::State& state) {
    if (!SetUp()) return state.SkipWithError("the demo data gave no banks");
    for (auto _ : state) {
        for (const auto& file : gOpened) {
            const std::string& path = file.first;
            if (EndsWith(path, ".png")) {
                RgbaImage image;
                DecodePngFile(path.c_str(), &image, nullptr);
                benchmark::DoNotOptimize(image.pixels.data());
            } else {
                PlistNode* root = LoadPlistFile(path.c_str(), nullptr);
                benchmark::DoNotOptimize(root);
                DestroyTree(root);
            }
        }
    }
    state.counters["files"] = static_cast<double>(gOpened.size());
}
BENCHMARK(BM_BareParseOfTheSameFiles)->Unit(benchmark::kMillisecond);

const figures::Row kRows[] = {
    {1,
     "start-up, native load of all definitions, libraries and banks ÷ one bare parse of the "
     "same files",
     "BM_StartUpLoad", "BM_BareParseOfTheSameFiles", "≤ 1.2"},
};

}  // namespace

OSTREL_BENCH_MAIN(kRows)
