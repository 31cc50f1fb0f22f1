// Reading SysEx Librarian files into the PackedStore and importing them as a
// new user bank.
#include "banks/sxl_file.h"

#include <algorithm>
#include <cstring>

#include "banks/bank_commands.h"
#include "banks/bank_model.h"
#include "banks/bank_packing.h"
#include "banks/undo_history.h"
#include "base/memory.h"
#include "base/messages.h"
#include "base/whole_file.h"

// Where each piece of an older record goes in today's image.
struct Sxl1Field {
    int recordOffset;
    int size;
    int packedOffset;
};

constexpr Sxl1Field kSxl1Fields[] = {
    {0, 32, kPackedNameOffset},     {32, 33, kPackedLinearChannel},
    {65, 33, kPackedLinearMidiCc},  {98, 33, kPackedLinearMsb},
    {131, 33, kPackedLinearLsb},    {164, 14, kPackedButtonChannel},
    {178, 14, kPackedButtonMidiCc}, {192, 14, kPackedButtonProgram},
    {206, 14, kPackedButtonMsb},    {220, 14, kPackedButtonLsb},
    {234, 4, kPackedVariables},
};

static uint32_t ReadU32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

int ParseSxlImage(const uint8_t* bytes, size_t size, PackedBank* out, SxlGeneration* generation) {
    if (!bytes || size < kSxlHeaderSize || ReadU32(bytes + 8) != kSxlHeaderSize) {
        return kSxlNotSxl;
    }
    const uint8_t* body = bytes + kSxlHeaderSize;
    if (memcmp(bytes, "syx2", 4) == 0) {
        if (size < static_cast<size_t>(kSxl2FileSize)) return kSxlNotSxl;
        memcpy(out, body, sizeof *out);
        if (generation) *generation = SxlGeneration::Current;
        return kSxlRead;
    }
    if (memcmp(bytes, "syx1", 4) == 0) {
        if (size < static_cast<size_t>(kSxl1FileSize)) return kSxlNotSxl;
        memset(out, 0, sizeof *out);
        for (int r = 0; r < kSxl1RecordCount; r++) {
            const uint8_t* record = body + r * kSxl1RecordSize;
            uint8_t* image = out->presets[r].bytes;
            for (const Sxl1Field& field : kSxl1Fields) {
                memcpy(image + field.packedOffset, record + field.recordOffset, field.size);
            }
            // The old name field has no room for its terminator.
            image[kPackedNameOffset + kPackedNameSize - 1] = 0;
        }
        if (generation) *generation = SxlGeneration::Older;
        return kSxlRead;
    }
    return kSxlNotSxl;
}

int ReadSxlFile(const char* path, int slot, SxlGeneration* generation) {
    if (!path || slot < 0 || slot >= kPackedStoreSlots) return kSxlNotRead;
    // A file that cannot be opened at all ends the reading without a word.
    long long size = WholeFileSize(path);
    if (size < 0) return kSxlNotRead;
    // Nothing past the larger generation is ever looked at, so a huge file
    // costs no more memory than a real one.
    size_t capacity = size < kSxl2FileSize ? static_cast<size_t>(size) : kSxl2FileSize;
    uint8_t* block = static_cast<uint8_t*>(AllocBlock(capacity > 0 ? capacity : 1));
    if (!block) {
        gFatal = 0;
        return kSxlNotRead;
    }
    size_t got = 0;
    int result = kSxlNotRead;
    if (!ReadWholeFile(path, block, capacity, &got)) {
        StatusMessage(kStrCannotOpenFile, path);
    } else {
        result = ParseSxlImage(block, got, &gPackedStore.slots[slot], generation);
        if (result == kSxlNotSxl) StatusMessage(kStrNotSxlFile, path);
    }
    FreeBlock(block);
    return result;
}

// One preset of an older file over a new bank's preset: what the file does
// not hold (zones, the variables of slots 4 and up, the controls past its 33
// linear and 14 button ones) keeps the new bank's values.
static void UnpackOlderPreset(const PackedPreset& image, PresetRecord& preset) {
    const PresetRecord made = preset;
    UnpackPreset(image, preset);
    memcpy(preset.zones, made.zones, sizeof preset.zones);
    const int variables = std::min(gDevice.variableCount, kMaxVariables);
    for (int v = 0; v < variables; v++) {
        if (gDevice.variables[v].target >= kSxl1VariableSlots) {
            preset.variables[v] = made.variables[v];
        }
    }
    const int linear = std::max(0, std::min(gDevice.linearControlCount, kMaxControls));
    const int buttons = std::max(0, std::min(gDevice.buttonControlCount, kMaxControls - linear));
    for (int i = kSxl1LinearControls; i < linear; i++) preset.controls[i] = made.controls[i];
    for (int j = kSxl1ButtonControls; j < buttons; j++) {
        preset.controls[linear + j] = made.controls[linear + j];
    }
}

void UnpackSxlBank(int slot, SxlGeneration generation, BankData* bank) {
    if (generation == SxlGeneration::Current) {
        UnpackBank(slot, bank);
        return;
    }
    if (!bank || slot < 0 || slot >= kPackedStoreSlots) return;
    const int presets = std::min({gDevice.presetCount, kSxl1RecordCount, kMaxPresets});
    for (int p = 0; p < presets; p++) {
        UnpackOlderPreset(gPackedStore.slots[slot].presets[p], bank->presets[p]);
    }
    for (PresetRecord& preset : bank->presets) {
        for (PresetControl& control : preset.controls) control.origin = -1;
    }
}

int ImportSxlFile(const char* path) {
    if (WholeFileSize(path) < 0) return kSxlNotRead;  // nothing to read, nothing said
    SetStatusPopupText(kStrReading, path);
    ShowStatusPopup(1);
    SxlGeneration generation = SxlGeneration::Current;
    int read = ReadSxlFile(path, kExchangeSlot, &generation);
    ShowStatusPopup(0);
    if (read != kSxlRead) return kSxlNotRead;
    // The images need a definition to say which control is which.
    if (!ModelLoaded()) {
        StatusMessage(kStrSxlNeedsDevice);
        return kSxlNoBank;
    }
    if (gBanks.count >= kMaxBanks) {
        StatusMessage(kStrTooManyBanks, path);
        return kSxlNoBank;
    }

    char name[kDisplayNameLen];
    ImportedBankName(path, name, sizeof name);
    RecordUndoSnapshot(UndoKind::Loading, UndoScope::Bank, gBanks.count, 0);
    int index = AddNewUserBank(name);
    if (index < 0) {
        FinishUndoStep();
        return kSxlNoBank;
    }
    BankData* data = gBanks.entries[index].data;
    UnpackSxlBank(kExchangeSlot, generation, data);
    // Nothing of it is in any bank file yet.
    ForgetSavedState(index);
    FinishUndoStep();
    return index;
}
