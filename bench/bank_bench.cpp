// Bank files and undo snapshots of a full 128-preset bank of the biggest demo
// model (Meridian 49, its preset count raised to 128), the largest bank file
// of the demo data, and the same documents read and written by libplist for
// comparison (the table's bank file rows, bench_figures.h).
//
// libplist is looked up at run time (dlopen), so the benchmark builds
// without it and simply skips the comparison when it is not installed.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "banks/bank_commands.h"
#include "banks/bank_file.h"
#include "banks/bank_model.h"
#include "banks/compact_bank.h"
#include "base/durable_file.h"
#include "base/working_blocks.h"
#include "bench/bench_figures.h"
#include "banks/discovery.h"
#include "banks/undo_history.h"
#include "headless/messages_headless.h"
#include "plist/plist_node.h"
#include "plist/plist_xml.h"

namespace {

std::string gBankPath;
std::string gBankText;
int gBank = -1;
std::string gDemoBankPath;  // the largest bank file of the demo data
std::string gDemoBankText;

std::string ReadAll(const std::string& path) {
    std::string text;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return text;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    fclose(f);
    return text;
}

bool IsBankFileName(const std::string& name) {
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0 &&
           name != "definition.xml" && name != "MIDICC.xml" && name != "rom.xml";
}

// The largest bank file under data/Devices and data/User Preset Banks.
std::string LargestDemoBank() {
    namespace fs = std::filesystem;
    std::string best;
    uintmax_t bestSize = 0;
    std::error_code error;
    fs::path data = fs::path(OSTREL_SOURCE_DIR) / "data";
    for (fs::recursive_directory_iterator it(data, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file() || !IsBankFileName(it->path().filename().string())) continue;
        std::string path = it->path().string();
        if (path.find("/Library/") != std::string::npos) continue;
        if (it->file_size() > bestSize) {
            bestSize = it->file_size();
            best = path;
        }
    }
    return best;
}

// A temporary program folder holding the demo models' definitions; a bank of
// 128 presets whose every value differs, written once.
bool SetUpBank() {
    if (gBank >= 0) return true;
    HeadlessMessages().quiet = 1;
    char pattern[] = "/tmp/ostrel-bank-bench-XXXXXX";
    if (!mkdtemp(pattern)) return false;
    // The folder goes when the program ends.
    static struct Remover {
        std::string folder;
        ~Remover() {
            std::error_code error;
            if (!folder.empty()) std::filesystem::remove_all(folder, error);
        }
    } remover;
    remover.folder = pattern;
    std::string folder = std::string(pattern) + "/";
    mkdir((folder + "Devices").c_str(), 0700);
    for (const char* model : {"Meridian 49.eld", "Sprite 25.eld"}) {
        std::string device = folder + "Devices/" + model + "/";
        mkdir(device.c_str(), 0700);
        std::string definition =
            ReadAll(std::string(OSTREL_SOURCE_DIR) + "/data/Devices/" + model + "/definition.xml");
        if (definition.empty()) return false;
        FILE* f = fopen((device + "definition.xml").c_str(), "wb");
        fwrite(definition.data(), 1, definition.size(), f);
        fclose(f);
    }
    std::string device = folder + "Devices/Meridian 49.eld/";
    gDemoBankPath = LargestDemoBank();
    gDemoBankText = ReadAll(gDemoBankPath);
    if (gDemoBankText.empty()) return false;

    AllocWorkingBlocks();
    DiscoverySetProgramFolder(folder.c_str());
    InitUndoHistory();
    int32_t pid = -1;
    if (!ReadDeviceIdentity(device.c_str(), &pid) || !SwitchDevice(pid)) return false;
    gDevice.presetCount = kMaxPresets;

    gBank = NewUserBank();
    BankData& data = *gBanks.entries[gBank].data;
    for (int p = 0; p < kMaxPresets; p++) {
        PresetRecord& preset = data.presets[p];
        snprintf(preset.name, sizeof preset.name, "Preset %d \xe9t\xe9", p + 1);
        for (int c = 0; c < preset.controlCount; c++) {
            PresetControl& control = preset.controls[c];
            control.channel = (p + c) % 16;
            control.midiCc = (p * 7 + c) % 128;
            control.program = c % 128;
            control.origin = c % 3 == 0 ? 65536 + c : -1;
            if (c % 4 == 0) snprintf(control.desc, sizeof control.desc, "Control %d", c);
        }
        for (int v = 0; v < kMaxVariables; v++) preset.variables[v] = (p + v) % 12;
        for (int z = 0; z < kMaxZones; z++) {
            for (int zf = 0; zf < kMaxZoneFields; zf++) preset.zones[z][zf] = (z * 12 + zf) % 128;
        }
    }
    gBankPath = folder + "Bench Bank.xml";
    strcpy(gBanks.entries[gBank].path, gBankPath.c_str());
    if (!WriteBankFile(gBank)) return false;
    gBankText = ReadAll(gBankPath);
    return !gBankText.empty();
}

void BM_ReadBankFile(benchmark::State& state) {
    if (!SetUpBank()) return state.SkipWithError("demo model not found");
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadBankFile(gBankPath.c_str(), &gReadScratch, false));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(gBankText.size()));
    state.counters["file_bytes"] = static_cast<double>(gBankText.size());
}
BENCHMARK(BM_ReadBankFile)->Unit(benchmark::kMillisecond);

void BM_ReadDemoBankFile(benchmark::State& state) {
    if (!SetUpBank()) return state.SkipWithError("demo model not found");
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadBankFile(gDemoBankPath.c_str(), &gReadScratch, false));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(gDemoBankText.size()));
    state.counters["file_bytes"] = static_cast<double>(gDemoBankText.size());
}
BENCHMARK(BM_ReadDemoBankFile)->Unit(benchmark::kMillisecond);

void BM_WriteBankFile(benchmark::State& state) {
    if (!SetUpBank()) return state.SkipWithError("demo model not found");
    for (auto _ : state) benchmark::DoNotOptimize(WriteBankFile(gBank));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(gBankText.size()));
}
BENCHMARK(BM_WriteBankFile)->Unit(benchmark::kMillisecond);

void BM_UndoSnapshotBank(benchmark::State& state) {
    if (!SetUpBank()) return state.SkipWithError("demo model not found");
    ClearUndoHistory();
    // A full history, as after a long session: each step drops the oldest.
    // A step that changes nothing is not kept, so each one changes a value.
    for (auto _ : state) {
        RecordUndoSnapshot(UndoKind::Edit, UndoScope::Bank, gBank, 0);
        gBanks.entries[gBank].data->presets[0].controls[0].midiCc ^= 1;
        FinishUndoStep();
    }
    ClearUndoHistory();
}
BENCHMARK(BM_UndoSnapshotBank)->Unit(benchmark::kMicrosecond);

void BM_UndoSnapshotPreset(benchmark::State& state) {
    if (!SetUpBank()) return state.SkipWithError("demo model not found");
    ClearUndoHistory();
    for (auto _ : state) {
        RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, gBank, 5);
        gBanks.entries[gBank].data->presets[5].controls[0].midiCc ^= 1;
        FinishUndoStep();
    }
    ClearUndoHistory();
}
BENCHMARK(BM_UndoSnapshotPreset)->Unit(benchmark::kMicrosecond);

void BM_UndoAndRedoBank(benchmark::State& state) {
    if (!SetUpBank()) return state.SkipWithError("demo model not found");
    ClearUndoHistory();
    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Bank, gBank, 0);
    gBanks.entries[gBank].data->presets[0].controls[0].midiCc ^= 1;
    FinishUndoStep();
    for (auto _ : state) {
        Undo();
        Redo();
    }
    ClearUndoHistory();
}
BENCHMARK(BM_UndoAndRedoBank)->Unit(benchmark::kMicrosecond);

// Resident pages of this process, in bytes.
size_t ResidentBytes() {
    long pages = 0, resident = 0;
    FILE* f = fopen("/proc/self/statm", "r");
    if (!f) return 0;
    if (fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    fclose(f);
    return static_cast<size_t>(resident) * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

// What a full history of bank-level steps holds: 100 steps, each changing one
// preset of the synthetic full bank (as a paste or a drop does). The memory
// is a fact of the run, not a time, so it goes straight into the table's row.
void BM_UndoHistoryMemory(benchmark::State& state) {
    if (!SetUpBank()) return state.SkipWithError("demo model not found");
    constexpr double kMiB = 1024.0 * 1024.0;
    double held = 0, resident = 0;
    for (auto _ : state) {
        ClearUndoHistory();
        SetUndoLevels(kMaxUndoLevels);
        size_t heapBefore = CompactBankBytesInUse();
        size_t residentBefore = ResidentBytes();
        for (int step = 0; step < kMaxUndoLevels; step++) {
            RecordUndoSnapshot(UndoKind::Edit, UndoScope::Bank, gBank, 0);
            gBanks.entries[gBank].data->presets[step % kMaxPresets].controls[0].midiCc ^= 1;
            FinishUndoStep();
        }
        // Each entry also keeps its bank-list entry on the heap.
        held = static_cast<double>(CompactBankBytesInUse() - heapBefore +
                                   kMaxUndoLevels * sizeof(BankEntry));
        resident = static_cast<double>(ResidentBytes() - residentBefore);
    }
    ClearUndoHistory();
    state.counters["held_MiB"] = held / kMiB;
    state.counters["rss_growth_MiB"] = resident / kMiB;
    static bool reported = false;
    const char* tablePath = getenv("OSTREL_BENCH_TABLE");
    FILE* table = !reported && tablePath && *tablePath ? fopen(tablePath, "a") : nullptr;
    if (table) {
        fprintf(table,
                "09 | undo history, 100 bank-level steps (one preset changed per step, synthetic "
                "full bank) | %.2f MiB held (%.1f MiB as whole copies; RSS grew %.2f MiB) | "
                "≤ 8 MiB | | |\n",
                held / kMiB, kMaxUndoLevels * sizeof(BankData) / kMiB, resident / kMiB);
        fclose(table);
        reported = true;
    }
}
BENCHMARK(BM_UndoHistoryMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);

// Our property-list reader and writer alone on the same document, to set
// beside libplist's.
void BM_OurPlistParse(benchmark::State& state) {
    if (!SetUpBank()) return state.SkipWithError("demo model not found");
    for (auto _ : state) {
        PlistNode* root = ParsePlist(gBankText.data(), gBankText.size(), "bench", nullptr);
        benchmark::DoNotOptimize(root);
        DestroyTree(root);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(gBankText.size()));
}
BENCHMARK(BM_OurPlistParse)->Unit(benchmark::kMillisecond);

// The property-list part of ReadBankFile: the file read, parsed and released.
void BM_OurLoadPlistFile(benchmark::State& state) {
    if (!SetUpBank()) return state.SkipWithError("demo model not found");
    for (auto _ : state) {
        PlistNode* root = LoadPlistFile(gBankPath.c_str(), nullptr);
        benchmark::DoNotOptimize(root);
        DestroyTree(root);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(gBankText.size()));
}
BENCHMARK(BM_OurLoadPlistFile)->Unit(benchmark::kMillisecond);

void BM_OurPlistWrite(benchmark::State& state) {
    if (!SetUpBank()) return state.SkipWithError("demo model not found");
    PlistNode* root = ParsePlist(gBankText.data(), gBankText.size(), "bench", nullptr);
    for (auto _ : state) {
        std::string out;
        out.reserve(gBankText.size());
        PlistSink sink = PlistStringSink(&out);
        WritePlist(root, &sink, kWriteDocument);
        benchmark::DoNotOptimize(out.data());
    }
    DestroyTree(root);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(gBankText.size()));
}
BENCHMARK(BM_OurPlistWrite)->Unit(benchmark::kMillisecond);

// libplist 2.x, looked up by name.
struct LibPlist {
    void (*fromXml)(const char*, uint32_t, void**) = nullptr;
    void (*toXml)(void*, char**, uint32_t*) = nullptr;
    void (*freeNode)(void*) = nullptr;
    bool loaded = false;
};

const LibPlist& Libplist() {
    static LibPlist lib;
    static bool tried = false;
    if (tried) return lib;
    tried = true;
    void* handle = dlopen("libplist-2.0.so.3", RTLD_NOW);
    if (!handle) handle = dlopen("libplist-2.0.so", RTLD_NOW);
    if (!handle) return lib;
    lib.fromXml =
        reinterpret_cast<void (*)(const char*, uint32_t, void**)>(dlsym(handle, "plist_from_xml"));
    lib.toXml = reinterpret_cast<void (*)(void*, char**, uint32_t*)>(dlsym(handle, "plist_to_xml"));
    lib.freeNode = reinterpret_cast<void (*)(void*)>(dlsym(handle, "plist_free"));
    lib.loaded = lib.fromXml && lib.toXml && lib.freeNode;
    return lib;
}

void BM_LibplistParse(benchmark::State& state) {
    if (!SetUpBank()) return state.SkipWithError("demo model not found");
    const LibPlist& lib = Libplist();
    if (!lib.loaded) return state.SkipWithError("libplist-2.0 not installed");
    for (auto _ : state) {
        void* root = nullptr;
        lib.fromXml(gBankText.data(), static_cast<uint32_t>(gBankText.size()), &root);
        benchmark::DoNotOptimize(root);
        lib.freeNode(root);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(gBankText.size()));
}
BENCHMARK(BM_LibplistParse)->Unit(benchmark::kMillisecond);

void BM_LibplistWrite(benchmark::State& state) {
    if (!SetUpBank()) return state.SkipWithError("demo model not found");
    const LibPlist& lib = Libplist();
    if (!lib.loaded) return state.SkipWithError("libplist-2.0 not installed");
    void* root = nullptr;
    lib.fromXml(gBankText.data(), static_cast<uint32_t>(gBankText.size()), &root);
    if (!root) return state.SkipWithError("libplist could not read the bank");
    for (auto _ : state) {
        char* xml = nullptr;
        uint32_t length = 0;
        lib.toXml(root, &xml, &length);
        benchmark::DoNotOptimize(xml);
        free(xml);
    }
    lib.freeNode(root);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(gBankText.size()));
}
BENCHMARK(BM_LibplistWrite)->Unit(benchmark::kMillisecond);

// libplist in the place of ReadBankFile: the file read whole, then parsed.
void LibplistReadParse(benchmark::State& state, const std::string& path) {
    if (!SetUpBank()) return state.SkipWithError("demo model not found");
    const LibPlist& lib = Libplist();
    if (!lib.loaded) return state.SkipWithError("libplist-2.0 not installed");
    for (auto _ : state) {
        std::string text = ReadAll(path);
        void* root = nullptr;
        lib.fromXml(text.data(), static_cast<uint32_t>(text.size()), &root);
        if (!root) return state.SkipWithError("libplist could not read the bank");
        lib.freeNode(root);
    }
}

void BM_LibplistReadParse(benchmark::State& state) {
    LibplistReadParse(state, gBankPath);
}
BENCHMARK(BM_LibplistReadParse)->Unit(benchmark::kMillisecond);

void BM_LibplistReadParseDemoBank(benchmark::State& state) {
    LibplistReadParse(state, gDemoBankPath);
}
BENCHMARK(BM_LibplistReadParseDemoBank)->Unit(benchmark::kMillisecond);

// libplist in the place of WriteBankFile: the tree (built beforehand, as the
// bank is) turned into XML and written to the file the same durable way, so
// that both sides pay the same for the disk.
void BM_LibplistWriteFile(benchmark::State& state) {
    if (!SetUpBank()) return state.SkipWithError("demo model not found");
    const LibPlist& lib = Libplist();
    if (!lib.loaded) return state.SkipWithError("libplist-2.0 not installed");
    void* root = nullptr;
    lib.fromXml(gBankText.data(), static_cast<uint32_t>(gBankText.size()), &root);
    if (!root) return state.SkipWithError("libplist could not read the bank");
    std::string path = gBankPath + ".libplist.xml";
    for (auto _ : state) {
        char* xml = nullptr;
        uint32_t length = 0;
        lib.toXml(root, &xml, &length);
        int error = WriteBytesDurably(path.c_str(), xml, length);
        free(xml);
        if (error != 0) return state.SkipWithError("libplist's document could not be written");
    }
    lib.freeNode(root);
}
BENCHMARK(BM_LibplistWriteFile)->Unit(benchmark::kMillisecond);

const figures::Row kRows[] = {
    {4, "bank file read ÷ libplist read+parse (largest demo bank)", "BM_ReadDemoBankFile",
     "BM_LibplistReadParseDemoBank", "≤ 0.6"},
    {5, "bank file read ÷ libplist read+parse (synthetic full bank)", "BM_ReadBankFile",
     "BM_LibplistReadParse", "≤ 0.6"},
    {6, "bank file write ÷ libplist `plist_to_xml` + write + rename (synthetic full bank)",
     "BM_WriteBankFile", "BM_LibplistWriteFile", "≤ 0.5"},
};

}  // namespace

OSTREL_BENCH_MAIN(kRows)
