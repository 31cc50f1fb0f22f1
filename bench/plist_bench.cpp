// Reading and writing a large property-list document: ours (expat + tree) against libplist's
// XML reader and writer where the build found libplist.
//
// The document is a generated bank-like file of about 1 MB: an array of presets, each a dict
// of integers, strings, booleans, reals and a nested array of zones, in the saved layout.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/bench_figures.h"
#include "plist/plist_xml.h"

#ifdef OSTREL_HAVE_LIBPLIST
#include <plist/plist.h>
#endif

static PlistNode* Keyed(PlistNode* parent, const char* key) {
    PlistNode* node = Create(parent, PlistType::None);
    SetKey(node, key, 0);
    return node;
}

static PlistNode* BuildDocument(size_t targetBytes) {
    PlistNode* root = Create(nullptr, PlistType::Dict);
    SetString(Keyed(root, "name"), "Benchmark bank", 0);
    SetBoolean(Keyed(root, "read only"), false);
    PlistNode* presets = Keyed(root, "presets");
    SetType(presets, PlistType::Array);
    std::string probe;
    for (int p = 0;; p++) {
        PlistNode* preset = Create(presets, PlistType::Dict);
        char name[64];
        snprintf(name, sizeof name, "Preset %d & <friends>", p);
        SetString(Keyed(preset, "name"), name, 0);
        for (int c = 0; c < 12; c++) {
            snprintf(name, sizeof name, "control %d", c);
            PlistNode* dict = Keyed(preset, name);
            SetType(dict, PlistType::Dict);
            SetInteger(Keyed(dict, "channel"), c % 16 + 1);
            SetInteger(Keyed(dict, "MIDICC"), (p * 7 + c) % 128);
            SetInteger(Keyed(dict, "program"), -1);
            SetBoolean(Keyed(dict, "toggle"), (c & 1) != 0);
            SetReal(Keyed(dict, "curve"), 0.25f * c);
            SetString(Keyed(dict, "comment"), "Filter cutoff \xE2\x80\x94 low", 0);
        }
        PlistNode* zones = Keyed(preset, "zones");
        SetType(zones, PlistType::Array);
        for (int z = 0; z < 4; z++) SetInteger(Create(zones, PlistType::None), z * 12);
        if (p % 16 == 15) {
            probe.clear();
            PlistSink sink = PlistStringSink(&probe);
            WritePlist(root, &sink, kWriteDocument);
            if (probe.size() >= targetBytes) break;
        }
    }
    return root;
}

static const std::string& Document() {
    static std::string text;
    if (text.empty()) {
        PlistNode* root = BuildDocument(1 << 20);
        PlistSink sink = PlistStringSink(&text);
        WritePlist(root, &sink, kWriteDocument);
        DestroyTree(root);
    }
    return text;
}

static void BM_ParseOstrel(benchmark::State& state) {
    const std::string& text = Document();
    for (auto _ : state) {
        PlistNode* root = ParsePlist(text.data(), text.size(), "bench", nullptr);
        benchmark::DoNotOptimize(root);
        DestroyTree(root);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ParseOstrel)->Unit(benchmark::kMillisecond);

static void BM_WriteOstrel(benchmark::State& state) {
    const std::string& text = Document();
    PlistNode* root = ParsePlist(text.data(), text.size(), "bench", nullptr);
    std::string out;
    out.reserve(text.size());
    for (auto _ : state) {
        out.clear();
        PlistSink sink = PlistStringSink(&out);
        WritePlist(root, &sink, kWriteDocument);
        benchmark::DoNotOptimize(out.data());
    }
    if (out != text) state.SkipWithError("rewritten document differs");
    DestroyTree(root);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_WriteOstrel)->Unit(benchmark::kMillisecond);

#ifdef OSTREL_HAVE_LIBPLIST
static void BM_ParseLibplist(benchmark::State& state) {
    const std::string& text = Document();
    for (auto _ : state) {
        plist_t root = nullptr;
        plist_from_xml(text.data(), static_cast<uint32_t>(text.size()), &root);
        if (!root) {
            state.SkipWithError("libplist could not read the document");
            break;
        }
        plist_free(root);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ParseLibplist)->Unit(benchmark::kMillisecond);

static void BM_WriteLibplist(benchmark::State& state) {
    const std::string& text = Document();
    plist_t root = nullptr;
    plist_from_xml(text.data(), static_cast<uint32_t>(text.size()), &root);
    for (auto _ : state) {
        char* xml = nullptr;
        uint32_t length = 0;
        plist_to_xml(root, &xml, &length);
        benchmark::DoNotOptimize(xml);
        plist_to_xml_free(xml);
    }
    plist_free(root);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_WriteLibplist)->Unit(benchmark::kMillisecond);
#endif

static const figures::Row kRows[] = {
    {7, "1 MB property-list parse ÷ libplist", "BM_ParseOstrel", "BM_ParseLibplist", "≤ 0.6"},
    {8, "1 MB property-list write ÷ libplist", "BM_WriteOstrel", "BM_WriteLibplist", "≤ 0.5"},
};

OSTREL_BENCH_MAIN(kRows)
