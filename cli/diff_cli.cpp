// ostrel-cli bank diff: what differs between two bank files of one device
// model, preset by preset and control by control, by the rules of the
// program's Compare commands (banks/preset_diff.h).
//
//   bank diff [--json] A.xml B.xml
//       exit 0 when the banks are equal, 1 when they differ (or when a file
//       cannot be read, or the two belong to different models: then one line
//       on standard error says so), 2 for a usage error. Values read "A -> B".
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "banks/bank_model.h"
#include "banks/preset_diff.h"
#include "cli/cli_support.h"
#include "cli/commands.h"

namespace {

// One differing value, in the order the text lists them.
struct DiffItem {
    enum class Kind { kName, kControl, kVariable, kZone } kind;
    int index;           // control, variable or zone (0-based)
    int field;           // the zone field; for a control, the kDiff* bit
    bool text;           // the values are texts (name, comment)
    int a, b;            // number values
    std::string ta, tb;  // text values, as JSON strings (quoted, UTF-8)
};

const char* ControlFieldKey(int bit) {
    switch (bit) {
        case kDiffChannel:
            return "channel";
        case kDiffMidiCc:
            return "midiCc";
        case kDiffProgram:
            return "program";
        case kDiffMsb:
            return "msb";
        case kDiffLsb:
            return "lsb";
        default:
            return "desc";
    }
}

// What the text output calls a control field: the list view's words.
const char* ControlFieldWords(int bit) {
    switch (bit) {
        case kDiffChannel:
            return "channel";
        case kDiffMidiCc:
            return "MIDICC";
        case kDiffProgram:
            return "program";
        case kDiffMsb:
            return "MSB";
        case kDiffLsb:
            return "LSB";
        default:
            return "comment";
    }
}

int ControlValue(const PresetControl& control, int bit) {
    switch (bit) {
        case kDiffChannel:
            return control.channel;
        case kDiffMidiCc:
            return control.midiCc;
        case kDiffProgram:
            return control.program;
        case kDiffMsb:
            return control.msb;
        default:
            return control.lsb;
    }
}

std::vector<DiffItem> ItemsOf(const PresetDiff& diff, const PresetRecord& a,
                              const PresetRecord& b) {
    std::vector<DiffItem> items;
    if (diff.name) {
        items.push_back(
            {DiffItem::Kind::kName, 0, 0, true, 0, 0, JsonString(a.name), JsonString(b.name)});
    }
    for (int c = 0; c < kMaxControls; ++c) {
        for (int bit = 1; bit <= kDiffComment; bit <<= 1) {
            if (!(diff.controls[c] & bit)) continue;
            if (bit == kDiffComment) {
                items.push_back({DiffItem::Kind::kControl, c, bit, true, 0, 0,
                                 JsonString(a.controls[c].desc), JsonString(b.controls[c].desc)});
            } else {
                items.push_back({DiffItem::Kind::kControl, c, bit, false,
                                 ControlValue(a.controls[c], bit), ControlValue(b.controls[c], bit),
                                 "", ""});
            }
        }
    }
    for (int v = 0; v < kMaxVariables; ++v) {
        if (diff.variables & (1u << v)) {
            items.push_back(
                {DiffItem::Kind::kVariable, v, 0, false, a.variables[v], b.variables[v], "", ""});
        }
    }
    for (int z = 0; z < kMaxZones; ++z) {
        for (int f = 0; f < kMaxZoneFields; ++f) {
            if (diff.zones[z] & (1u << f)) {
                items.push_back(
                    {DiffItem::Kind::kZone, z, f, false, a.zones[z][f], b.zones[z][f], "", ""});
            }
        }
    }
    return items;
}

std::string ControlTitle(int control) {
    const ControlDef& def = gDevice.controls[control];
    std::string title = std::to_string(control + 1) + " " + def.name;
    if (def.description[0]) title += std::string(": ") + def.description;
    return title;
}

std::string Values(const DiffItem& item) {
    if (item.text) return item.ta + " -> " + item.tb;
    return std::to_string(item.a) + " -> " + std::to_string(item.b);
}

void PrintTextPreset(int preset, const PresetRecord& a, const std::vector<DiffItem>& items) {
    printf("Preset %d %s\n", preset + 1, JsonString(a.name).c_str());
    // A control's fields share one line: "Knob 1: channel 1 -> 2, MIDICC 7 -> 74".
    std::string line;
    int lineControl = -1;
    auto flush = [&]() {
        if (!line.empty()) printf("  %s\n", line.c_str());
        line.clear();
        lineControl = -1;
    };
    for (const DiffItem& item : items) {
        if (item.kind == DiffItem::Kind::kControl) {
            if (item.index != lineControl) {
                flush();
                line = "control " + ControlTitle(item.index) + ":";
                lineControl = item.index;
            } else {
                line += ",";
            }
            line += std::string(" ") + ControlFieldWords(item.field) + " " + Values(item);
            continue;
        }
        flush();
        if (item.kind == DiffItem::Kind::kName) {
            printf("  name: %s\n", Values(item).c_str());
        } else if (item.kind == DiffItem::Kind::kVariable) {
            printf("  variable %s: %s\n", JsonString(gDevice.variables[item.index].name).c_str(),
                   Values(item).c_str());
        } else {
            printf("  zone %d %s: %s\n", item.index + 1,
                   JsonString(gDevice.zoneFields[item.field].name).c_str(), Values(item).c_str());
        }
    }
    flush();
}

void PrintJsonItem(const DiffItem& item, bool first) {
    printf("%s\n        {", first ? "" : ",");
    switch (item.kind) {
        case DiffItem::Kind::kName:
            printf("\"kind\": \"name\"");
            break;
        case DiffItem::Kind::kControl:
            printf("\"kind\": \"control\", \"control\": %d, \"controlName\": %s, \"field\": \"%s\"",
                   item.index + 1, JsonString(gDevice.controls[item.index].name).c_str(),
                   ControlFieldKey(item.field));
            break;
        case DiffItem::Kind::kVariable:
            printf("\"kind\": \"variable\", \"variable\": %d, \"variableName\": %s", item.index + 1,
                   JsonString(gDevice.variables[item.index].name).c_str());
            break;
        case DiffItem::Kind::kZone:
            printf("\"kind\": \"zone\", \"zone\": %d, \"field\": %d, \"fieldName\": %s",
                   item.index + 1, item.field + 1,
                   JsonString(gDevice.zoneFields[item.field].name).c_str());
            break;
    }
    if (item.text) {
        printf(", \"a\": %s, \"b\": %s}", item.ta.c_str(), item.tb.c_str());
    } else {
        printf(", \"a\": %d, \"b\": %d}", item.a, item.b);
    }
}

int RunBankDiff(int argc, char** argv) {
    bool json = false;
    const char* files[2] = {nullptr, nullptr};
    int fileCount = 0;
    for (int i = 0; i < argc; i++) {
        if (strcmp(argv[i], "--json") == 0) {
            json = true;
        } else if (fileCount < 2 && argv[i][0] != '-') {
            files[fileCount++] = argv[i];
        } else {
            return kCliUsage;
        }
    }
    if (fileCount != 2) return kCliUsage;
    if (!CliReadBankFile(files[0])) return kCliBadInput;
    std::unique_ptr<BankData> a(new BankData(gReadScratch));
    if (!CliReadBankFile(files[1])) return kCliBadInput;
    const BankData& b = gReadScratch;
    if (a->pid != b.pid) {
        CliError(files[1], "a bank of another device model (PID %d) than %s (PID %d)", b.pid,
                 files[0], a->pid);
        return kCliBadInput;
    }

    const DiffExtent extent = DiffExtentOf(gDevice);
    int differing = 0;
    int total = 0;
    if (json) {
        printf("{\n  \"device\": %s,\n  \"presetCount\": %d,\n", JsonString(gDevice.name).c_str(),
               extent.presets);
        printf("  \"presets\": [");
    } else {
        printf("%s -> %s (%s)\n", files[0], files[1], gDevice.name);
    }
    for (int p = 0; p < extent.presets; ++p) {
        PresetDiff diff;
        if (DiffPresets(gDevice, a->presets[p], b.presets[p], &diff) == 0) continue;
        std::vector<DiffItem> items = ItemsOf(diff, a->presets[p], b.presets[p]);
        if (json) {
            printf("%s\n    {\"preset\": %d, \"nameA\": %s, \"nameB\": %s, \"differences\": [",
                   differing ? "," : "", p + 1, JsonString(a->presets[p].name).c_str(),
                   JsonString(b.presets[p].name).c_str());
            for (size_t i = 0; i < items.size(); ++i) PrintJsonItem(items[i], i == 0);
            printf("\n      ]}");
        } else {
            PrintTextPreset(p, a->presets[p], items);
        }
        ++differing;
        total += diff.count;
    }
    if (json) {
        printf("%s],\n  \"differingPresets\": %d,\n  \"differences\": %d\n}\n",
               differing ? "\n  " : "", differing, total);
    } else {
        printf("%d of %d presets differ, %d difference%s\n", differing, extent.presets, total,
               total == 1 ? "" : "s");
    }
    return differing ? kCliBadInput : kCliOk;
}

const CliCommand kDiffCommands[] = {
    {"bank", "diff", "[--json] A B",
     "print what differs from bank file A to bank file B (same model), preset by preset and "
     "control by control; exit 0 when equal, 1 when they differ",
     RunBankDiff},
};
CliCommandRegistrar gDiffCommands(kDiffCommands, std::size(kDiffCommands));

}  // namespace
