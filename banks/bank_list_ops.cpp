// Adding, inserting, removing and selecting banks in the list: the operations
// that discovery, the transfer engine, the ROM preference and undo share with
// the File commands.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "banks/bank_aside.h"
#include "banks/bank_commands.h"
#include "banks/bank_file.h"
#include "base/messages.h"
#include "base/preferences.h"
#include "banks/discovery.h"
#include "devices/folder_list.h"

// Clamps v into the variable's range; a bound of -1 means the definition
// gave none.
static int32_t HoldInRange(int32_t v, const VariableDef& def) {
    if (def.valueMin != -1 && v < def.valueMin) v = def.valueMin;
    if (def.valueMax != -1 && v > def.valueMax) v = def.valueMax;
    return v;
}

// The default of zone field f, stored by the definition under the field's id.
static int32_t ZoneFieldDefault(int f) {
    int slot = gDevice.zoneFields[f].id - 1;
    return slot >= 0 && slot < kDefaultZoneCount ? gDevice.defaults.zones[slot] : 0;
}

void InitNewBankData(BankData* data, const char* name) {
    memset(data, 0, sizeof *data);
    CopyText(data->name, name);
    MakeCreatedText(data->created, sizeof data->created);
    data->pid = gDevice.pid;
    data->vid = gDevice.vid;
    data->groupId = gDevice.groupId < 16 ? 16 : gDevice.groupId;
    data->presetCountInFile = gDevice.presetCount;

    const DefaultValues& d = gDevice.defaults;
    int presets = std::min(gDevice.presetCount, kMaxPresets);
    int variables = std::min(gDevice.variableCount, kMaxVariables);
    int controls = std::min(gDevice.controlCount, kMaxControls);
    int zoneFields = std::min(gDevice.zoneFieldCount, kMaxZoneFields);
    int zones = std::min(gDevice.zoneLimit, kMaxZones);
    for (int p = 0; p < presets; p++) {
        PresetRecord& preset = data->presets[p];
        CopyText(preset.name, "Untitled");
        CopyText(preset.created, data->created);
        preset.variableCount = std::min(gDevice.variableSlots, kMaxVariables);
        preset.controlCount = controls;
        preset.zoneFieldCount = zoneFields;
        // Every variable starts from its default, except the zone enable bits
        // (the first variable with masks): only the first zone is on.
        bool zoneBitsSeen = false;
        for (int v = 0; v < variables; v++) {
            const VariableDef& def = gDevice.variables[v];
            if (def.maskCount > 0 && !zoneBitsSeen) {
                preset.variables[v] = 1;
                zoneBitsSeen = true;
            } else {
                int32_t value = v < kDefaultVariableCount ? d.variables[v] : 0;
                preset.variables[v] = HoldInRange(value, def);
            }
        }
        for (int j = 0; j < controls; j++) {
            PresetControl& c = preset.controls[j];
            c.origin = -1;
            c.channel = d.channel;
            c.midiCc = d.midiCc;
            c.program = d.program;
            c.msb = d.msb;
            c.lsb = d.lsb;
        }
        for (int z = 0; z < zones; z++) {
            for (int f = 0; f < zoneFields; f++) preset.zones[z][f] = ZoneFieldDefault(f);
        }
    }
    // Past the model's counts no control comes from a library either (a
    // cleared origin would name control 0 of library 0), for a definition
    // that gains controls or presets while the bank is open.
    for (PresetRecord& preset : data->presets) {
        for (int j = controls; j < kMaxControls; j++) preset.controls[j].origin = -1;
    }
    for (int p = presets; p < kMaxPresets; p++) {
        for (int j = 0; j < controls; j++) data->presets[p].controls[j].origin = -1;
    }
}

// A new last entry holding data; nullptr when the list is full or there is no
// data.
static BankEntry* AppendEntryWith(BankData* data) {
    if (gBanks.count >= kMaxBanks || !data) return nullptr;
    BankEntry* entry = &gBanks.entries[gBanks.count];
    memset(entry, 0, sizeof *entry);
    entry->data = data;
    entry->serial = NewBankSerial();
    gBanks.count++;
    return entry;
}

// A new last entry with fresh zeroed storage; nullptr when the list is full or
// memory runs short.
static BankEntry* AppendEntry() {
    if (gBanks.count >= kMaxBanks) return nullptr;
    return AppendEntryWith(AllocBankData());
}

static void DropLastEntry() {
    gBanks.count--;
    FreeBankData(gBanks.entries[gBanks.count].data);
    memset(&gBanks.entries[gBanks.count], 0, sizeof(BankEntry));
}

// While Refresh Devices asks the devices again: the devices (PID and
// connection) that answered, whose banks stay; whether the ports may have
// been numbered anew; and the device banks added meanwhile (by serial).
static bool gRefreshingDevices = false;
static bool gPortsRenumbered = false;
static std::vector<std::pair<int, int>> gAnsweredDevices;
static std::vector<int32_t> gAddedDuringRefresh;

// One device, one bank: a device that answers again (after MIDI Setup or a
// refresh) finds its bank as it was, with whatever it holds that the device
// does not have yet, instead of a second copy read from "rom.xml".
static int FindDeviceBankOf(int pid, int connection) {
    for (int i = 0; i < gBanks.count; i++) {
        const BankEntry& entry = gBanks.entries[i];
        if (entry.kind == BankKind::Device && entry.pid == pid && entry.connection == connection) {
            return i;
        }
    }
    return -1;
}

int AddDeviceBank(const char* deviceFolder, int pid, int connection) {
    if (gRefreshingDevices) gAnsweredDevices.emplace_back(pid, connection);
    int existing = FindDeviceBankOf(pid, connection);
    if (existing >= 0) return existing;
    if (gBanks.count >= kMaxBanks) return -1;
    if (gDevice.pid != pid) SwitchDevice(pid);
    BankEntry* entry = AppendEntry();
    if (!entry) return -1;
    if (gRefreshingDevices) gAddedDuringRefresh.push_back(entry->serial);
    int index = gBanks.count - 1;
    snprintf(entry->path, sizeof entry->path, "%srom.xml", deviceFolder ? deviceFolder : "");
    CopyText(entry->displayName, gDevice.name);
    entry->kind = BankKind::Device;
    entry->pid = pid;
    entry->connection = connection;
    // A user bank loaded from this file while no device was there gives it
    // up: its saves and its deletion would otherwise take the device bank's
    // file. Its next save asks for a file of its own.
    for (int i = 0; i < index; i++) {
        BankEntry& other = gBanks.entries[i];
        if (other.kind == BankKind::User && SameTextNoCase(other.path, entry->path)) {
            other.hasFile = 0;
        }
    }
    // A device never downloaded from has no file yet, and that is said to
    // nobody; a file that is there and cannot be read is named, in the status
    // display (a device may answer while nothing else is on screen yet).
    const bool fileThere = PathTaken(entry->path);  // readable or not
    bool read = ReadBankFile(entry->path, &gReadScratch, false);
    if (!read && fileThere) StatusMessage(kStrNotEditorFile, entry->path);
    if (read && gReadScratch.pid != pid) {
        // A bank of another model put where this device keeps its bank: not
        // taken in (it would be shown, saved and sent by this model).
        StatusMessage(kStrOtherModelsBank, entry->path);
        read = false;
        SwitchDevice(pid);
    }
    if (read) {
        CopyBank(index, -1);
    } else {
        // Never downloaded: empty presets, but the bank still belongs to its
        // model, so that saving it writes the right PID.
        memset(entry->data, 0, sizeof *entry->data);
        entry->data->pid = pid;
        entry->data->vid = gDevice.vid;
        entry->data->groupId = gDevice.groupId;
        for (int p = 0; p < kMaxPresets; p++) {
            for (int j = 0; j < kMaxControls; j++) entry->data->presets[p].controls[j].origin = -1;
        }
    }
    // A file the bank could not take in is not its own to write over without
    // a question (it may be the only copy of the last download).
    entry->hasFile = read || !fileThere ? 1 : 0;
    ClearChanges(index);
    gBanks.current = index;
    ReorderBanksByKind();
    DeviceBankChanged();
    return gBanks.current;
}

// Fills a just-appended entry for a user or ROM bank file.
static void FinishFileEntry(BankEntry* entry, const char* path) {
    CopyText(entry->path, path);
    DisplayNameFromPath(path, entry->displayName, sizeof entry->displayName);
    entry->kind = entry->data->readOnly != 0 ? BankKind::Rom : BankKind::User;
    entry->pid = entry->data->pid;
    entry->hasFile = 1;
    ClearChanges(static_cast<int>(entry - gBanks.entries));
}

int AddBankFromData(const char* path, const BankData* data) {
    BankEntry* entry = AppendEntry();
    if (!entry) return -1;
    if (data) {
        memcpy(entry->data, data, sizeof *data);
    } else if (!ReadBankFile(path, entry->data, false)) {
        DropLastEntry();
        return -1;
    }
    FinishFileEntry(entry, path);
    gBanks.current = gBanks.count - 1;
    return gBanks.current;
}

int AddBankTakingData(const char* path, BankData* data) {
    BankEntry* entry = AppendEntryWith(data);
    if (!entry) {
        FreeBankData(data);
        return -1;
    }
    FinishFileEntry(entry, path);
    gBanks.current = gBanks.count - 1;
    return gBanks.current;
}

int OpenBankFiles(const char* const* names, int count, const char* folder) {
    int opened = 0;
    for (int i = 0; i < count && gBanks.count < kMaxBanks; i++) {
        std::string path = JoinPath(folder ? folder : "", names[i]);
        if (path.size() >= kPathLen) continue;
        BankEntry* entry = AppendEntry();
        if (!entry) break;
        if (!ReadBankFile(path.c_str(), entry->data, false)) {
            DropLastEntry();
            continue;
        }
        FinishFileEntry(entry, path.c_str());
        opened++;
    }
    return opened;
}

void SelectBank(int index) {
    BankEntry* entry = BankAt(index);
    if (!entry) return;
    gBanks.current = index;
    int pid = BankModelPid(index);
    if (pid != gDevice.pid) {
        SwitchDevice(pid);
    } else {
        // Within the model, the device bank stays the one the user chose by
        // its icon; but one remembered of another model is no choice here (a
        // row of this model's device bank reached from a user bank of its
        // model): the transfers would be refused on the bank shown.
        const BankEntry* remembered = BankAt(gBanks.deviceBank);
        if (remembered && remembered->kind == BankKind::Device && remembered->pid == pid) return;
    }
    if (entry->kind == BankKind::Device) SetDeviceBank(index);
}

void RemoveBank(int index) {
    if (!BankAt(index)) return;
    const bool wasDevice = gBanks.entries[index].kind == BankKind::Device;
    FreeBankData(gBanks.entries[index].data);
    memmove(&gBanks.entries[index], &gBanks.entries[index + 1],
            (gBanks.count - index - 1) * sizeof(BankEntry));
    gBanks.count--;
    memset(&gBanks.entries[gBanks.count], 0, sizeof(BankEntry));
    // The current bank stays the same bank when one above it goes (a device
    // that no longer answers, a creation undone); when it goes itself, the
    // next one takes its place.
    if (gBanks.current > index) gBanks.current--;
    if (gBanks.current >= gBanks.count) gBanks.current = gBanks.count > 0 ? gBanks.count - 1 : 0;
    if (gBanks.deviceBank == index) {
        gBanks.deviceBank = -1;
    } else if (gBanks.deviceBank > index) {
        gBanks.deviceBank--;
    }
    if (wasDevice) DeviceBankChanged();
}

int InsertBank(int index, const BankEntry& given, const BankData* data) {
    if (gBanks.count >= kMaxBanks) return -1;
    // given may be an entry of the list itself, which the gap moves.
    const BankEntry entry = given;
    BankData* storage = AllocBankData();
    if (!storage) return -1;
    if (data) memcpy(storage, data, sizeof *storage);
    // A bank put back keeps its identity; a copy of an open one gets its own.
    int32_t serial = entry.serial;
    if (serial == 0 || FindBankBySerial(serial) >= 0) serial = NewBankSerial();
    if (index < 0) index = 0;
    if (index > gBanks.count) index = gBanks.count;
    memmove(&gBanks.entries[index + 1], &gBanks.entries[index],
            (gBanks.count - index) * sizeof(BankEntry));
    gBanks.entries[index] = entry;
    gBanks.entries[index].data = storage;
    gBanks.entries[index].serial = serial;
    gBanks.count++;
    gBanks.current = index;
    if (gBanks.deviceBank >= index) gBanks.deviceBank++;
    if (entry.kind == BankKind::Device) DeviceBankChanged();
    return index;
}

void ShowRomBanks() {
    gShowAllRomBanks = 1;
    ScanRomBanks();
    SetDeviceBank(0);
    SelectBank(0);
}

void HideRomBanks() {
    gShowAllRomBanks = 0;
    for (int i = gBanks.count - 1; i >= 0; i--) {
        const BankEntry& entry = gBanks.entries[i];
        if (entry.kind == BankKind::Rom && FindDeviceBankByPid(entry.pid) < 0) RemoveBank(i);
    }
    SetDeviceBank(0);
    SelectBank(0);
}

void BeginDeviceBankRefresh(bool portsRenumbered) {
    gRefreshingDevices = true;
    gPortsRenumbered = portsRenumbered;
    gAnsweredDevices.clear();
    gAddedDuringRefresh.clear();
}

static bool AddedDuringRefresh(const BankEntry& entry) {
    for (int32_t serial : gAddedDuringRefresh) {
        if (entry.serial == serial) return true;
    }
    return false;
}

static bool Answered(const BankEntry& entry) {
    const std::pair<int, int> device(entry.pid, entry.connection);
    for (const auto& answered : gAnsweredDevices) {
        if (answered == device) return true;
    }
    return false;
}

// After the ports were numbered anew (an interface plugged in or out), a
// model whose one known device went silent on its old port while a device of
// it answered on a port no known bank had: the same device, moved. Its bank,
// with what it holds unsent, takes that port, in place of the fresh one read
// from "rom.xml" (or of none, when the list had no room for one). Decided once
// every device has answered, and only for a model with one known device: two
// units renumbered together cannot be told apart by their ports.
static void FollowMovedDevices() {
    for (int i = 0; i < gBanks.count; i++) {
        const BankEntry& old = gBanks.entries[i];
        if (old.kind != BankKind::Device || AddedDuringRefresh(old) || Answered(old)) continue;
        const int pid = old.pid;
        int known = 0;
        for (int j = 0; j < gBanks.count; j++) {
            const BankEntry& other = gBanks.entries[j];
            if (other.kind == BankKind::Device && other.pid == pid && !AddedDuringRefresh(other)) {
                known++;
            }
        }
        // The ports where a device of the model answered that no known bank has.
        std::vector<int> ports;
        for (const auto& answered : gAnsweredDevices) {
            if (answered.first != pid) continue;
            const int bank = FindDeviceBankOf(pid, answered.second);
            if (bank >= 0 && !AddedDuringRefresh(gBanks.entries[bank])) continue;
            if (std::find(ports.begin(), ports.end(), answered.second) == ports.end()) {
                ports.push_back(answered.second);
            }
        }
        if (known != 1 || ports.size() != 1) continue;
        const int32_t keptSerial = BankSerial(i);
        const int added = FindDeviceBankOf(pid, ports[0]);
        const bool addedWasCurrent = added >= 0 && gBanks.current == added;
        gBanks.entries[i].connection = ports[0];
        if (added >= 0) RemoveBank(added);
        const int kept = FindBankBySerial(keptSerial);
        if (addedWasCurrent && kept >= 0) gBanks.current = kept;
        DeviceBankChanged();
        i = -1;  // the list changed: look again from the top
    }
}

void EndDeviceBankRefresh() {
    gRefreshingDevices = false;
    if (gPortsRenumbered) FollowMovedDevices();
    for (int i = gBanks.count - 1; i >= 0; i--) {
        const BankEntry& entry = gBanks.entries[i];
        if (entry.kind != BankKind::Device) continue;
        if (!Answered(entry)) RemoveBank(i);
    }
    gAnsweredDevices.clear();
    gAddedDuringRefresh.clear();
}

void RemoveDeviceBanks() {
    for (int i = gBanks.count - 1; i >= 0; i--) {
        if (gBanks.entries[i].kind == BankKind::Device) RemoveBank(i);
    }
    SetDeviceBank(-1);
}
