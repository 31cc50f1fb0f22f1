// Writing a bank file. The document is written element by element from the
// bank and the loaded definition, straight into the durable write (a
// temporary file beside the target, committed to the disk, then put in the
// target's place): a failed or interrupted write never costs the user the
// file they had. The tests hold it to the same document built as a tree
// through the property-list setters (tests/banks/bank_document_tree).
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "banks/bank_file.h"
#include "base/durable_file.h"
#include "base/messages.h"
#include "banks/discovery.h"
#include "plist/plist_xml.h"

// UTF-8 of a 47-character field: at most three bytes per character (a
// control byte's picture).
constexpr int kUtf8FieldSize = 3 * kNameLen + 1;

int32_t VariableSlotValue(const PresetRecord& preset, int k) {
    int defined = std::min(gDevice.variableCount, kMaxVariables);
    for (int v = 0; v < defined; v++) {
        if (gDevice.variables[v].target == k) return preset.variables[v];
    }
    return 0;
}

// What writing a bank changes in it.
static BankData* PrepareForWriting(int bank) {
    BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data) return nullptr;
    BankData* data = entry->data;
    data->readOnly = 0;
    data->rom = 0;
    // Presets a file held past its model's count were read with the bank
    // and are written back with it, as controls past the model's are: the
    // user never saw them, and a save must not take them out of the file.
    data->presetCountInFile =
        std::min(std::max(gDevice.presetCount, data->presetCountInFile), kMaxPresets);
    data->pid = gDevice.pid;
    data->vid = gDevice.vid;
    if (data->uniqueId == 0) data->uniqueId = MakeUniqueId();
    CopyText(data->name, entry->displayName);
    if (!data->created[0]) MakeCreatedText(data->created, sizeof data->created);
    int count = std::min(gDevice.presetCount, kMaxPresets);
    for (int p = 0; p < count; p++) {
        data->presets[p].zoneFieldCount = std::min(gDevice.zoneFieldCount, kMaxZoneFields);
    }
    return data;
}

static void WriteName(PlistWriter* w, const char* key, const char* text) {
    char utf8[kUtf8FieldSize];
    NameToUtf8(text, utf8, sizeof utf8);
    PlistWriteString(w, key, utf8, strlen(utf8));
}

// The variable slots a preset's variables can reach: one past the highest
// slot any defined variable aims at.
static int SlotsInUse() {
    int slots = 0;
    int defined = std::min(gDevice.variableCount, kMaxVariables);
    for (int v = 0; v < defined; v++) slots = std::max(slots, gDevice.variables[v].target + 1);
    return slots;
}

static void WritePreset(PlistWriter* w, const PresetRecord& preset, int slotsInUse) {
    PlistBeginContainer(w, nullptr, PlistType::Dict, false);
    WriteName(w, "name", preset.name);

    // A preset read from a file that listed fewer slots or controls than the
    // model has (or none: a preset the file lacked) is still edited in all of
    // them; all of them are written.
    int slots = std::min(std::max(preset.variableCount, slotsInUse), kMaxVariables);
    PlistBeginContainer(w, "variables", PlistType::Array, slots <= 0);
    for (int k = 0; k < slots; k++) {
        PlistBeginContainer(w, nullptr, PlistType::Dict, false);
        PlistWriteInteger(w, "value", VariableSlotValue(preset, k));
        PlistEndContainer(w, PlistType::Dict);
    }
    if (slots > 0) PlistEndContainer(w, PlistType::Array);

    if (gDevice.zoneFieldCount > 0) {
        // A field the sysex list does not name has no key to go under.
        const char* tags[kMaxZoneFields] = {};
        int tagged = 0;
        for (int f = 0; f < preset.zoneFieldCount; f++) {
            SysexFieldTag("zones", f, &tags[f]);
            if (tags[f] && tags[f][0]) tagged++;
        }
        int zoneCount = std::min(gDevice.zoneLimit, kMaxZones);
        PlistBeginContainer(w, "zones", PlistType::Array, zoneCount <= 0);
        for (int z = 0; z < zoneCount; z++) {
            PlistBeginContainer(w, nullptr, PlistType::Dict, tagged == 0);
            if (tagged == 0) continue;
            for (int f = 0; f < preset.zoneFieldCount; f++) {
                if (tags[f] && tags[f][0]) PlistWriteInteger(w, tags[f], preset.zones[z][f]);
            }
            PlistEndContainer(w, PlistType::Dict);
        }
        if (zoneCount > 0) PlistEndContainer(w, PlistType::Array);
    }

    int count = std::min(std::max(preset.controlCount, gDevice.controlCount), kMaxControls);
    PlistBeginContainer(w, "controls", PlistType::Array, count <= 0);
    for (int j = 0; j < count; j++) {
        const PresetControl& c = preset.controls[j];
        PlistBeginContainer(w, nullptr, PlistType::Dict, false);
        if (c.origin != -1) PlistWriteInteger(w, "origin", c.origin);
        PlistWriteInteger(w, "channel", c.channel);
        PlistWriteInteger(w, "MIDICC", c.midiCc);
        if (ControlHasProgram(gDevice, j)) PlistWriteInteger(w, "program", c.program);
        PlistWriteInteger(w, "msb", c.msb);
        PlistWriteInteger(w, "lsb", c.lsb);
        if (c.desc[0]) WriteName(w, "desc", c.desc);
        PlistEndContainer(w, PlistType::Dict);
    }
    if (count > 0) PlistEndContainer(w, PlistType::Array);
    PlistEndContainer(w, PlistType::Dict);
}

int WriteBankDocument(int bank, PlistSink* sink) {
    BankData* data = PrepareForWriting(bank);
    if (!data || !sink) return 5;
    PlistWriter* w = BeginPlist(sink, kWriteDocument);
    PlistBeginContainer(w, nullptr, PlistType::Dict, false);
    PlistBeginContainer(w, "preset", PlistType::Dict, false);
    WriteName(w, "name", data->name);
    WriteName(w, "created", data->created);
    PlistWriteInteger(w, "PID", gDevice.pid);
    PlistWriteInteger(w, "VID", gDevice.vid);
    PlistWriteInteger(w, "Group ID", gDevice.groupId);
    PlistWriteInteger(w, "unique id", data->uniqueId);
    PlistWriteBoolean(w, "read only", false);
    PlistWriteBoolean(w, "ROM", false);
    const int count = data->presetCountInFile;
    PlistBeginContainer(w, "presets", PlistType::Array, count <= 0);
    const int slotsInUse = SlotsInUse();
    for (int p = 0; p < count; p++) WritePreset(w, data->presets[p], slotsInUse);
    if (count > 0) PlistEndContainer(w, PlistType::Array);
    PlistEndContainer(w, PlistType::Dict);
    PlistEndContainer(w, PlistType::Dict);
    return EndPlist(w);
}

// What PrepareForWriting changes in a bank (its header fields and each
// preset's zone field count), kept so that a write that fails leaves the bank
// as it was: a failed save must not rename it on screen or leave it differing
// from its file while it shows as unchanged.
struct WrittenFields {
    unsigned char header[offsetof(BankData, presets)];
    int32_t zoneFieldCounts[kMaxPresets];
};

static void KeepWrittenFields(const BankData& data, WrittenFields* kept) {
    memcpy(kept->header, &data, sizeof kept->header);
    for (int p = 0; p < kMaxPresets; p++) kept->zoneFieldCounts[p] = data.presets[p].zoneFieldCount;
}

static void RestoreWrittenFields(const WrittenFields& kept, BankData* data) {
    memcpy(data, kept.header, sizeof kept.header);
    for (int p = 0; p < kMaxPresets; p++) data->presets[p].zoneFieldCount = kept.zoneFieldCounts[p];
}

static int FillWithBank(FILE* stream, void* context) {
    PlistSink sink = PlistFileSink(stream);
    return WriteBankDocument(*static_cast<const int*>(context), &sink);
}

int WriteBankFileTo(int bank, const char* path) {
    BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data || !path) return 0;
    // The document takes its PID, sizes and keys from the loaded definition,
    // so a bank of another model (asked about at Quit, or put back by undo)
    // is written against its own; without it the bank would change model.
    int pid = entry->kind == BankKind::Device ? entry->pid : entry->data->pid;
    if (pid != gDevice.pid && !(SwitchDevice(pid) && gDevice.pid == pid)) {
        StatusMessage(kStrCannotWriteFile, path);
        return 0;
    }
    // A definition that stops before its presets (no `graphic`) has none:
    // written against it, the file would lose every preset it holds.
    if (gDevice.presetCount <= 0) {
        StatusMessage(kStrCannotWriteFile, path);
        return 0;
    }
    WrittenFields kept;
    KeepWrittenFields(*entry->data, &kept);
    int error = WriteFileDurably(path, FillWithBank, &bank);
    if (error == 0) return 1;
    RestoreWrittenFields(kept, entry->data);
    StatusMessage(kStrCannotWriteFile, path);
    return 0;
}

int WriteBankCopyTo(int bank, const char* path) {
    BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data) return 0;
    WrittenFields kept;
    KeepWrittenFields(*entry->data, &kept);
    const int written = WriteBankFileTo(bank, path);
    RestoreWrittenFields(kept, entry->data);
    return written;
}

int WriteBankFile(int bank) {
    BankEntry* entry = BankAt(bank);
    if (!entry || !WriteBankFileTo(bank, entry->path)) return 0;
    entry->hasFile = 1;
    return 1;
}
