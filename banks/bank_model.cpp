// The bank list and its look-ups and checks. The copy and swap operations
// live in bank_copy.cpp.
#include "banks/bank_model.h"

#include <cassert>
#include <cstring>

#include "banks/bank_commands.h"
#include "base/memory.h"
#include "base/messages.h"
#include "base/shell_hooks.h"
#include "devices/device_definition.h"

BankList gBanks = {{}, 0, 0, 0, 0, -1};
BankSelection gSelection;
BankData gReadScratch;
BankData gNameScratch;

void CopyText(char* dst, size_t size, const char* src) {
    if (size == 0) return;
    if (!src) src = "";
    size_t n = strnlen(src, size - 1);
    // src may overlap dst when a field is copied onto itself.
    memmove(dst, src, n);
    // The rest is cleared, not left holding a longer text from before: fields
    // that read alike are then alike byte for byte, which the change state and
    // the undo history compare.
    memset(dst + n, 0, size - n);
}

static char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameTextNoCase(const char* a, const char* b) {
    if (!a || !b) return a == b;
    for (; *a && *b; a++, b++) {
        if (FoldAscii(*a) != FoldAscii(*b)) return false;
    }
    return *a == *b;
}

BankData* AllocBankData() {
    BankData* data = static_cast<BankData*>(AllocBlock(sizeof(BankData)));
    // The allocator has said so; the operation is given up, not the program.
    if (!data) gFatal = 0;
    return data;
}

void FreeBankData(BankData* data) {
    if (data) FreeBlock(data);
}

void ResetBankList() {
    for (int i = 0; i < gBanks.count; i++) {
        FreeBankData(gBanks.entries[i].data);
    }
    memset(&gBanks, 0, sizeof gBanks);
    SetDeviceBank(-1);
}

BankEntry* BankAt(int index) {
    if (index < 0 || index >= gBanks.count) return nullptr;
    return &gBanks.entries[index];
}

BankData* BankDataAt(int index) {
    if (index == -1) return &gReadScratch;
    BankEntry* entry = BankAt(index);
    return entry ? entry->data : nullptr;
}

// Never reset, not even with the list: a serial from before a reset must not
// find a bank made after it.
static int32_t gLastBankSerial = 0;

int32_t NewBankSerial() {
    return ++gLastBankSerial;
}

int32_t BankSerial(int index) {
    BankEntry* entry = BankAt(index);
    if (!entry) return 0;
    if (entry->serial == 0) entry->serial = NewBankSerial();
    return entry->serial;
}

int FindBankBySerial(int32_t serial) {
    if (serial == 0) return -1;
    for (int i = 0; i < gBanks.count; i++) {
        if (gBanks.entries[i].serial == serial) return i;
    }
    return -1;
}

int FindDeviceBankByPid(int pid) {
    for (int i = 0; i < gBanks.count; i++) {
        if (gBanks.entries[i].kind == BankKind::Device && gBanks.entries[i].pid == pid) return i;
    }
    return -1;
}

int FindDeviceBank() {
    // A remembered index can go stale when banks are removed behind its back
    // (refresh, undo); only trust it while it still names a device bank.
    BankEntry* remembered = BankAt(gBanks.deviceBank);
    if (remembered && remembered->kind == BankKind::Device) return gBanks.deviceBank;
    int found = FindDeviceBankByPid(gDevice.pid);
    if (found >= 0) gBanks.deviceBank = found;
    return found;
}

void SetDeviceBank(int index) {
    gBanks.deviceBank = index;
    DeviceBankChanged();
}

int DeviceBankOfModel(int pid) {
    const int remembered = FindDeviceBank();
    if (remembered >= 0 && BankModelPid(remembered) == pid) return remembered;
    return FindDeviceBankByPid(pid);
}

int DeviceBankForCurrent() {
    const BankEntry* entry = BankAt(gBanks.current);
    if (!entry) return -1;
    if (entry->kind == BankKind::Device) return gBanks.current;
    return DeviceBankOfModel(BankModelPid(gBanks.current));
}

void RememberCurrentDeviceBank() {
    const int device = DeviceBankForCurrent();
    if (device >= 0 && gBanks.deviceBank != device) SetDeviceBank(device);
}

void DeviceBankChanged() {
    if (gShellHooks.deviceBankChanged) gShellHooks.deviceBankChanged();
}

bool IsBankOpen(const char* path) {
    for (int i = 0; i < gBanks.count; i++) {
        const BankEntry& entry = gBanks.entries[i];
        if (entry.kind != BankKind::Device && SameFilePath(entry.path, path)) return true;
    }
    return false;
}

bool IsFileOfOpenBank(const char* path, int except) {
    for (int i = 0; i < gBanks.count; i++) {
        if (i != except && SameFilePath(gBanks.entries[i].path, path)) return true;
    }
    return false;
}

int BankHoldingFile(const char* path, int except) {
    for (int i = 0; i < gBanks.count; i++) {
        const BankEntry& other = gBanks.entries[i];
        if (i == except || !SameFilePath(other.path, path)) continue;
        if (other.hasFile || other.kind == BankKind::Device) return i;
    }
    return -1;
}

bool FileHeldByOpenBank(const char* path, int except) {
    return BankHoldingFile(path, except) >= 0;
}

const char* BankTitle(int index) {
    BankEntry* entry = BankAt(index);
    if (!entry) return "";
    if (entry->kind == BankKind::Device || !entry->data) return entry->displayName;
    return entry->data->name;
}

int BankModelPid(int index) {
    const BankEntry* entry = BankAt(index);
    if (!entry) return -1;
    if (entry->pid > 0 || !entry->data) return entry->pid;
    return entry->data->pid;
}

PresetRecord* PresetAt(int bank, int preset) {
    BankData* data = BankDataAt(bank);
    if (!data || preset < 0 || preset >= kMaxPresets) return nullptr;
    return &data->presets[preset];
}

int ControlMidiCc(int bank, int preset, int control) {
    PresetRecord* record = PresetAt(bank, preset);
    if (!record || control < 0 || control >= kMaxControls) return -1;
    return record->controls[control].midiCc;
}

bool CanSendChanges() {
    int device = FindDeviceBank();
    BankEntry* current = BankAt(gBanks.current);
    if (device < 0 || !current || !current->data) return false;
    return current->kind == BankKind::Device && current->changeCount != 0 &&
           current->data->pid == gBanks.entries[device].data->pid;
}

bool CheckWritable(int bank) {
    BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data) return false;
    // A ROM bank keeps its kind even when a copy cleared its flags in memory,
    // so the kind protects it as well as the flag.
    if (entry->data->readOnly != 0 || entry->kind == BankKind::Rom) {
        StatusMessage(kStrCannotModifyReadOnly, BankTitle(bank));
        return false;
    }
    return true;
}

bool CheckBankPid(int bank) {
    BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data) return false;
    if (entry->data->pid != gDevice.pid) {
        StatusMessage(kStrCannotCopyWrongBank, BankTitle(bank));
        return false;
    }
    return true;
}

void ReorderBanksByKind() {
    // Bubble sort: exchanging neighbours only keeps equal kinds in order.
    bool moved = true;
    while (moved) {
        moved = false;
        for (int i = 0; i + 1 < gBanks.count; i++) {
            BankEntry& a = gBanks.entries[i];
            BankEntry& b = gBanks.entries[i + 1];
            if (static_cast<int>(b.kind) >= static_cast<int>(a.kind)) continue;
            BankEntry t = a;
            a = b;
            b = t;
            if (gBanks.current == i) {
                gBanks.current = i + 1;
            } else if (gBanks.current == i + 1) {
                gBanks.current = i;
            }
            if (gBanks.deviceBank == i) {
                gBanks.deviceBank = i + 1;
            } else if (gBanks.deviceBank == i + 1) {
                gBanks.deviceBank = i;
            }
            moved = true;
        }
    }
}
