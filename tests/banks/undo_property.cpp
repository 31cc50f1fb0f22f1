// The undo property run (see undo_property.h for the invariants).
#include "tests/banks/undo_property.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include "banks/bank_aside.h"
#include "banks/bank_commands.h"
#include "banks/bank_file.h"
#include "banks/bank_model.h"
#include "base/working_blocks.h"
#include "banks/discovery.h"
#include "devices/folder_list.h"
#include "views/clipboard.h"
#include "views/drag.h"
#include "views/drops.h"
#include "views/edit_value.h"
#include "views/in_place_edit.h"
#include "views/renamer.h"
#include "banks/undo_history.h"
#include "headless/file_dialogs_headless.h"
#include "headless/menu_headless.h"
#include "headless/messages_headless.h"
#include "headless/view_platform_headless.h"
#include "shell/settings.h"
#include "tests/banks/bank_test_support.h"
#include "views/bank_selection.h"
#include "views/device_view.h"
#include "views/list_columns.h"
#include "views/pane_keys.h"
#include "views/presets_pane.h"

namespace fs = std::filesystem;

namespace {

// xorshift64*: the same numbers on every machine and library.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed * 2654435761ULL + 0x9E3779B97F4A7C15ULL) {}
    uint64_t Next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1DULL;
    }
    // 0 .. n - 1 (0 when n < 1).
    int Below(int n) { return n < 1 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }

  private:
    uint64_t state_;
};

// --- What the run compares ----------------------------------------------------

// The entry's fields, in a form that compares byte for byte (the struct has
// padding and a pointer).
std::string EntryBytes(const BankEntry& e) {
    std::string out(e.path, sizeof e.path);
    out.append(e.displayName, sizeof e.displayName);
    int32_t ints[] = {
        static_cast<int32_t>(e.kind), e.pid, e.connection, e.changeCount, e.hasFile, e.serial};
    out.append(reinterpret_cast<const char*>(ints), sizeof ints);
    out.append(reinterpret_cast<const char*>(&e.savedHeader), sizeof e.savedHeader);
    out.append(reinterpret_cast<const char*>(e.savedPresets), sizeof e.savedPresets);
    return out;
}

struct BankSnap {
    int32_t serial;
    std::string entry;
    std::shared_ptr<BankData> data;
};

struct State {
    std::vector<BankSnap> banks;               // in list order
    std::map<std::string, std::string> files;  // path under the root -> contents
    std::multiset<std::string> aside;          // contents of the files set aside
};

bool IsAsideName(const std::string& name) {
    size_t at = name.rfind(".deleted");
    if (at == std::string::npos) return false;
    std::string rest = name.substr(at + 8);
    return rest.empty() || (rest[0] == '-' && rest.size() > 1 &&
                            rest.find_first_not_of("0123456789", 1) == std::string::npos);
}

// What must be equal when two states are compared outside what a step touched.
struct Touched {
    std::set<int32_t> serials;
    std::set<std::string> paths;  // full paths
    bool aside = false;           // the files set aside may differ
    bool order = false;           // the list may be in another order (a new device bank sorts it)
};

class Run {
  public:
    explicit Run(const UndoPropertyConfig& config)
        : config_(config), random_(config.seed), trace_(getenv("OSTREL_UNDO_TRACE") != nullptr) {}
    ~Run() { TearDown(); }
    UndoPropertyOutcome Go();

  private:
    // Set-up and tear-down.
    bool SetUp();
    void TearDown();
    void FillRandomly(int bank);
    void MakeBankFile(const std::string& folder, const char* name, int pid, bool readOnly);

    // Steps.
    std::string Step(Touched* touched, bool* undoable);
    int PickBank(bool writable, bool userOnly);
    void ShowBankOf(int bank);
    std::string OpEditValue();
    std::string OpPaste();
    std::string OpDropPresets();
    std::string OpDropControls();
    std::string OpRename();
    std::string OpLoad(Touched* touched);
    std::string OpRefresh(Touched* touched);
    std::string OpRomBanks(Touched* touched);
    std::string OpSave(Touched* touched);

    // Checks.
    State Snap();
    std::shared_ptr<BankData> ContentsCopy(const BankEntry& e);
    bool Fail(const std::string& what);
    bool CheckState(const State& s, const char* which);
    bool CheckAfterStep(const std::string& op, const Touched& touched, bool undoable,
                        const State& live);
    void NoteSavedStates();
    std::vector<std::string> HistorySignature() const;
    bool RecordedAsOneStep(const std::vector<std::string>& before,
                           const std::vector<std::string>& after, bool same, int currentBefore);

    UndoPropertyConfig config_;
    Random random_;
    bool trace_;  // OSTREL_UNDO_TRACE set: each step and the bank list on stderr
    fs::path root_;
    fs::path previousFolder_;
    std::string program_, elsewhere_, guard_;
    bool ownsWorkingBlocks_ = false;
    unsigned popupMinimumMs_ = 0;
    std::string failure_;
    long step_ = 0;

    // The saved state each bank must be compared with (invariant 4), by serial.
    struct Saved {
        std::shared_ptr<BankData> data;
        std::string displayName;
        bool headerSaved;
    };
    std::map<int32_t, Saved> saved_;
    // What CheckState last found right, by serial.
    struct Checked {
        std::shared_ptr<BankData> data;
        std::shared_ptr<BankData> saved;
        std::string entry;
    };
    std::map<int32_t, Checked> checked_;
    // The state now, what undo of everything gave, and what one redo from there gave.
    State now_, undone_, undoneAndOne_;
    State scratch_;  // the snapshot taken last within a step, for ContentsCopy
    bool haveUndoneAndOne_ = false;
    bool droppedOldest_ = false;  // the step just made pushed the oldest entry out
    bool droppedRedo_ = false;    // ... or ended what could be redone (with the files it held)
    std::map<std::string, long> ran_, changed_;
};

bool Run::Fail(const std::string& what) {
    if (failure_.empty()) failure_ = "step " + std::to_string(step_) + ": " + what;
    return false;
}

// --- Set-up -----------------------------------------------------------------------

void Run::FillRandomly(int bank) {
    BankData* data = gBanks.entries[bank].data;
    static const char* const kNames[] = {"Lead", "Pad", "Strings", "Bass", "Drums", "Keys"};
    for (int p = 0; p < gDevice.presetCount; p++) {
        PresetRecord& preset = data->presets[p];
        CopyText(preset.name, kNames[random_.Below(6)]);
        for (int c = 0; c < gDevice.controlCount; c++) {
            PresetControl& control = preset.controls[c];
            control.channel = random_.Below(17);
            control.midiCc = random_.Below(64);
            control.program = random_.Below(128);
            control.msb = random_.Below(128);
            control.lsb = random_.Below(128);
            if (random_.Chance(30)) CopyText(control.desc, kNames[random_.Below(6)]);
        }
        if (gDevice.variableCount > 1) preset.variables[1] = random_.Below(25) - 12;
        for (int z = 0; z < gDevice.zoneLimit && z < kMaxZones; z++) {
            preset.zones[z][0] = random_.Below(60);
            preset.zones[z][1] = 60 + random_.Below(68);
        }
    }
}

// A bank file of model pid in folder, written by the program itself.
void Run::MakeBankFile(const std::string& folder, const char* name, int pid, bool readOnly) {
    SwitchDevice(pid);
    int bank = AddNewUserBank(name);
    if (bank < 0) return;
    FillRandomly(bank);
    std::string path = JoinPath(folder, std::string(name) + ".xml");
    CopyText(gBanks.entries[bank].path, path.c_str());
    WriteBankFile(bank);
    RemoveBank(bank);
    if (!readOnly) return;
    std::string text = ReadFileText(path);
    size_t at = text.find("<key>read only</key>");
    if (at != std::string::npos) {
        size_t value = text.find("<false/>", at);
        if (value != std::string::npos) text.replace(value, 8, "<true/>");
    }
    FILE* f = fopen(path.c_str(), "wb");
    if (f) {
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
    }
}

bool Run::SetUp() {
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    HeadlessMenuReset();
    HeadlessFileDialogsReset();
    HeadlessViewReset();
    // The reading and writing notices would each hold a step for a second.
    popupMinimumMs_ = gPopupMinimumMs;
    gPopupMinimumMs = 0;
    ownsWorkingBlocks_ = gFileIo == nullptr;
    if (ownsWorkingBlocks_) AllocWorkingBlocks();
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    for (int n = 0;; n++) {
        root_ = base / ("ostrel-undo-" + std::to_string(::getpid()) + "-" + std::to_string(n));
        if (fs::create_directory(root_, ec)) break;
        if (n > 1000) return Fail("no temporary folder");
    }
    program_ = (root_ / "Program").string() + "/";
    elsewhere_ = (root_ / "Elsewhere").string();
    guard_ = (root_ / "Guard").string();
    fs::create_directories(program_ + "Devices/Alpha.eld", ec);
    fs::create_directories(program_ + "Devices/Beta.eld", ec);
    fs::create_directories(program_ + "User Preset Banks", ec);
    fs::create_directories(elsewhere_, ec);
    fs::create_directories(guard_, ec);
    auto write = [](const std::string& path, const char* text) {
        FILE* f = fopen(path.c_str(), "wb");
        if (!f) return;
        fputs(text, f);
        fclose(f);
    };
    write(program_ + "Devices/Alpha.eld/definition.xml", AlphaDefinition());
    write(program_ + "Devices/Beta.eld/definition.xml", BetaDefinition());
    DiscoverySetProgramFolder(program_.c_str());
    ResetBankList();
    InitUndoHistory();
    ClearClipboard();

    std::string user = program_ + "User Preset Banks";
    MakeBankFile(user, "Alpha One", kAlphaPid, false);
    MakeBankFile(user, "Alpha Two", kAlphaPid, false);
    MakeBankFile(user, "Beta One", kBetaPid, false);
    MakeBankFile(program_ + "Devices/Alpha.eld", "Alpha Factory", kAlphaPid, true);
    MakeBankFile(program_ + "Devices/Beta.eld", "Beta Factory", kBetaPid, true);
    MakeBankFile(program_ + "Devices/Alpha.eld", "rom", kAlphaPid, false);
    MakeBankFile(elsewhere_, "Alpha Away", kAlphaPid, false);
    MakeBankFile(elsewhere_, "Beta Away", kBetaPid, false);
    MakeBankFile(elsewhere_, "Alpha Far", kAlphaPid, false);

    // Whatever the program writes by a relative path lands here.
    previousFolder_ = fs::current_path(ec);
    fs::current_path(guard_, ec);
    if (ec) return Fail("cannot enter the guard folder");

    // Start-up: the files found, then the device that answers.
    ResetBankList();
    gShowAllRomBanks = 1;
    ScanUserAndRomBanks(0);
    DeviceConnected(kAlphaPid, 0);
    ClearAllChanges();
    SetUndoLevels(config_.levels);
    NoteSavedStates();
    memset(&gSelection, 0, sizeof gSelection);
    gFocusPane = nullptr;
    return gBanks.count > 0 || Fail("start-up opened no bank");
}

void Run::TearDown() {
    if (root_.empty()) return;
    ClearUndoHistory();
    ClearClipboard();
    ResetBankList();
    DiscoverySetProgramFolder(nullptr);
    if (ownsWorkingBlocks_) FreeWorkingBlocks();
    gPopupMinimumMs = popupMinimumMs_;
    std::error_code ec;
    if (!previousFolder_.empty()) fs::current_path(previousFolder_, ec);
    fs::remove_all(root_, ec);
    root_.clear();
}

// --- Steps --------------------------------------------------------------------------

// A random open bank: writable ones (not ROM) or user banks only; -1 when none.
int Run::PickBank(bool writable, bool userOnly) {
    std::vector<int> candidates;
    for (int i = 0; i < gBanks.count; i++) {
        BankKind kind = gBanks.entries[i].kind;
        if (userOnly && kind != BankKind::User) continue;
        if (writable && kind == BankKind::Rom) continue;
        candidates.push_back(i);
    }
    if (candidates.empty()) return -1;
    return candidates[random_.Below(static_cast<int>(candidates.size()))];
}

// The bank becomes current as a click on its row makes it (its model loaded).
void Run::ShowBankOf(int bank) {
    SelectBank(bank);
    gBanks.currentPreset = 0;
    memset(&gSelection, 0, sizeof gSelection);
}

std::string Run::OpEditValue() {
    int bank = PickBank(true, false);
    if (bank < 0) return "edit: no bank";
    ShowBankOf(bank);
    int preset = random_.Below(gDevice.presetCount);
    EditValueState state;
    int what = random_.Below(10);
    int ok = 0;
    if (what < 7) {
        int field = random_.Below(5);
        ok = EditValuePrepare(&state, bank, preset, random_.Below(gDevice.controlCount), field, 0,
                              kFormatDecimal);
    } else if (what < 9) {
        ok = EditValuePrepare(&state, bank, preset, kEditVariable,
                              random_.Below(gDevice.variableCount + 1), 0, kFormatDecimal);
    } else {
        ok = EditValuePrepare(&state, bank, preset, kEditZoneField,
                              random_.Below(gDevice.zoneFieldCount + 1), random_.Below(2),
                              kFormatDecimal);
    }
    if (!ok) return "edit: nothing to edit";
    int32_t* target = EditValueTarget(state);
    // Often the value it already has: an edit that changes nothing.
    int value = random_.Chance(30) && target ? *target
                                             : state.min + random_.Below(state.max - state.min + 1);
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    EditValueStore(state, text);
    return "edit value";
}

std::string Run::OpPaste() {
    int source = PickBank(false, false);
    int target = PickBank(random_.Chance(90), false);
    if (source < 0 || target < 0) return "paste: no bank";
    bool presets = random_.Chance(50);
    ShowBankOf(source);
    if (presets) {
        gFocusPane = &gPresetsPane;
        int count = ShownPresetCount();
        for (int i = 0; i < count; i++) gSelection.presets[i] = random_.Chance(40) ? 1 : 0;
        gBanks.currentPreset = random_.Below(count);
    } else {
        gFocusPane = &gDeviceView;
        gBanks.currentPreset = random_.Below(gDevice.presetCount);
        for (int i = 0; i < gDevice.controlCount; i++) {
            gSelection.controls[i] = random_.Chance(50) ? 1 : 0;
        }
    }
    CopySelection();
    ShowBankOf(target);
    gFocusPane = presets ? static_cast<Pane*>(&gPresetsPane) : static_cast<Pane*>(&gDeviceView);
    gBanks.currentPreset = random_.Below(gDevice.presetCount);
    SetCurrentControl(random_.Below(gDevice.controlCount));
    if (random_.Chance(30)) {
        int count = presets ? ShownPresetCount() : gDevice.controlCount;
        uint8_t* flags = presets ? gSelection.presets : gSelection.controls;
        for (int i = 0; i < count; i++) flags[i] = random_.Chance(40) ? 1 : 0;
    }
    PasteClipboard();
    return presets ? "paste presets" : "paste controls";
}

std::string Run::OpDropPresets() {
    // Drops onto a device bank send to the device; the run has none connected
    // to ports, so they go to user banks only.
    int source = PickBank(false, false);
    if (source < 0) return "drop presets: no bank";
    ShowBankOf(source);
    int count = ShownPresetCount();
    gDrag = DragState();
    gDrag.sourcePane = &gPresetsPane;
    gDrag.sourceBank = source;
    gDrag.sourcePreset = random_.Below(count);
    gDrag.copyMode = random_.Chance(50) ? 1 : 0;
    // The selection the drag took when it started; showing a bank clears the
    // live one, not this.
    uint8_t dragged[kMaxPresets] = {};
    for (int i = 0; i < count; i++) dragged[i] = random_.Chance(35) ? 1 : 0;
    dragged[gDrag.sourcePreset] = 1;
    int kind = random_.Below(3);
    if (kind == 0) {
        int target = PickBank(true, false);
        if (target < 0) return "drop presets: no target";
        ShowBankOf(target);
        memcpy(gSelection.savedPresets, dragged, sizeof dragged);
        DropPresetsOnPreset(random_.Below(ShownPresetCount()));
        return "drop presets on a preset";
    }
    memcpy(gSelection.savedPresets, dragged, sizeof dragged);
    int target = PickBank(true, true);
    if (target < 0) return "drop presets: no user bank";
    if (kind == 1) {
        DropPresetsOnBank(target);
        return "drop presets on a bank";
    }
    DropBankOnBank(target);
    return "drop a bank on a bank";
}

std::string Run::OpDropControls() {
    int bank = PickBank(true, false);
    if (bank < 0) return "drop controls: no bank";
    ShowBankOf(bank);
    gDrag = DragState();
    gDrag.sourcePane = &gDeviceView;
    gDrag.sourceBank = bank;
    gDrag.sourcePreset = random_.Below(gDevice.presetCount);
    gDrag.sourceControl = random_.Below(gDevice.controlCount);
    gDrag.copyMode = random_.Chance(40) ? 1 : 0;
    gDrag.count = random_.Chance(50) ? 1 : 2;
    if (gDrag.count > 1) {
        for (int i = 0; i < gDevice.controlCount; i++) gDrag.selection[i] = random_.Chance(50);
        gDrag.selection[gDrag.sourceControl] = 1;
    }
    gBanks.currentPreset =
        random_.Chance(60) ? gDrag.sourcePreset : random_.Below(gDevice.presetCount);
    DropControls(random_.Below(gDevice.controlCount));
    return "drop controls";
}

std::string Run::OpRename() {
    static const char* const kNames[] = {"Alpha One",        "Zed",  "Quiet",
                                         "Alpha User Bank ", "Loud", ""};
    RenamerState state;
    if (random_.Chance(50)) {
        int bank = PickBank(false, true);
        if (bank < 0) return "rename: no user bank";
        state.bankEntry = &gBanks.entries[bank];
        state.bank = bank;
        state.kind = kRenameKindRenaming;
        RenamerStore(state, kNames[random_.Below(6)]);
        return "rename a bank";
    }
    int bank = PickBank(true, false);
    if (bank < 0) return "rename: no bank";
    ShowBankOf(bank);
    state.bank = bank;
    state.preset = random_.Below(gDevice.presetCount);
    if (random_.Chance(50)) {
        state.kind = kRenameKindRenaming;
        state.text = gBanks.entries[bank].data->presets[state.preset].name;
    } else {
        state.kind = kRenameKindEdit;
        state.text = gBanks.entries[bank]
                         .data->presets[state.preset]
                         .controls[random_.Below(gDevice.controlCount)]
                         .desc;
    }
    RenamerStore(state, kNames[random_.Below(5)]);
    return "rename a preset";
}

std::string Run::OpLoad(Touched* touched) {
    std::vector<std::string> files;
    // ROM bank files too, which are not open while the ROM banks are hidden.
    for (const std::string& folder :
         {elsewhere_, program_ + "User Preset Banks", program_ + "Devices/Alpha.eld",
          program_ + "Devices/Beta.eld"}) {
        std::error_code ec;
        for (const auto& item : fs::directory_iterator(folder, ec)) {
            std::string path = item.path().string();
            std::string name = item.path().filename().string();
            if (EndsWithNoCase(name, ".xml") && name != "definition.xml" && name != "rom.xml" &&
                !IsBankOpen(path.c_str()))
                files.push_back(path);
        }
    }
    if (files.empty()) return "load: nothing to load";
    std::sort(files.begin(), files.end());
    int before = gBanks.count;
    LoadBankFile(files[random_.Below(static_cast<int>(files.size()))].c_str());
    if (gBanks.count > before) touched->serials.insert(BankSerial(gBanks.count - 1));
    return "load";
}

std::string Run::OpRefresh(Touched* touched) {
    for (int i = 0; i < gBanks.count; i++) {
        if (gBanks.entries[i].kind == BankKind::Device) touched->serials.insert(BankSerial(i));
    }
    touched->order = true;
    RemoveDeviceBanks();
    // Now and then the device does not answer.
    if (random_.Chance(80)) DeviceConnected(kAlphaPid, 0);
    for (int i = 0; i < gBanks.count; i++) {
        if (gBanks.entries[i].kind == BankKind::Device) touched->serials.insert(BankSerial(i));
    }
    return "refresh";
}

std::string Run::OpRomBanks(Touched* touched) {
    std::set<int32_t> before;
    for (int i = 0; i < gBanks.count; i++) before.insert(BankSerial(i));
    bool show = random_.Chance(50);
    if (show) {
        ShowRomBanks();
    } else {
        HideRomBanks();
    }
    std::set<int32_t> after;
    for (int i = 0; i < gBanks.count; i++) after.insert(BankSerial(i));
    for (int32_t s : before)
        if (!after.count(s)) touched->serials.insert(s);
    for (int32_t s : after)
        if (!before.count(s)) touched->serials.insert(s);
    return show ? "show ROM banks" : "hide ROM banks";
}

std::string Run::OpSave(Touched* touched) {
    int bank = PickBank(true, false);
    if (bank < 0) return "save: no bank";
    int32_t serial = BankSerial(bank);
    touched->serials.insert(serial);
    touched->paths.insert(gBanks.entries[bank].path);
    // Undo of everything renames the file back to the name the bank had then.
    for (const BankSnap& was : undone_.banks) {
        if (was.serial == serial) touched->paths.insert(was.entry.c_str());
    }
    touched->aside = true;
    // A first save that meets a stranger's file is declined (kSaveDeclined):
    // nothing was written.
    if (SaveBank(bank) == 1) {
        const BankEntry& entry = gBanks.entries[bank];
        auto copy = std::make_shared<BankData>(*entry.data);
        saved_[entry.serial] =
            Saved{copy, std::string(entry.displayName, sizeof entry.displayName), true};
    }
    return "save";
}

// One random step; *undoable says whether it is one the history records.
std::string Run::Step(Touched* touched, bool* undoable) {
    *undoable = true;
    int roll = random_.Below(100);
    if (roll < 14) return OpEditValue();
    if (roll < 22) return OpPaste();
    if (roll < 30) return OpDropPresets();
    if (roll < 36) return OpDropControls();
    if (roll < 42) return OpRename();
    if (roll < 46) {
        int bank = PickBank(false, false);
        if (bank >= 0) ShowBankOf(bank);
        NewUserBankCommand();
        return "new bank";
    }
    if (roll < 51) {
        int bank = PickBank(false, true);
        if (bank < 0) return "delete: no user bank";
        DeleteUserBank(bank);
        return "delete";
    }
    if (roll < 55) {
        int bank = PickBank(false, false);
        if (bank < 0) return "reload: no bank";
        HeadlessQueueAnswer(random_.Chance(70) ? kIdYes : kIdNo);
        // What was loaded becomes the saved state: undo of everything then
        // gives this bank back as changed.
        touched->serials.insert(BankSerial(bank));
        int reloaded = ReloadBank(bank);
        HeadlessMessages().answers.clear();
        if (reloaded) {
            const BankEntry& entry = gBanks.entries[bank];
            saved_[entry.serial] =
                Saved{std::make_shared<BankData>(*entry.data),
                      std::string(entry.displayName, sizeof entry.displayName), true};
        }
        return "reload";
    }
    if (roll < 76) {
        Undo();
        return "undo";
    }
    if (roll < 88) {
        Redo();
        return "redo";
    }
    *undoable = false;
    if (roll < 92) return OpSave(touched);
    if (roll < 95) return OpLoad(touched);
    if (roll < 97) return OpRefresh(touched);
    return OpRomBanks(touched);
}

// --- Checks ---------------------------------------------------------------------------

// A copy of the bank's contents; one held by a recent snapshot when it is
// the same, to spare the run the copying.
std::shared_ptr<BankData> Run::ContentsCopy(const BankEntry& e) {
    if (!e.data) return nullptr;
    for (const State* recent : {&now_, &undone_, &undoneAndOne_, &scratch_}) {
        for (const BankSnap& b : recent->banks) {
            if (b.serial == e.serial && b.data && memcmp(b.data.get(), e.data, sizeof *e.data) == 0)
                return b.data;
        }
    }
    return std::make_shared<BankData>(*e.data);
}

State Run::Snap() {
    State s;
    for (int i = 0; i < gBanks.count; i++) {
        const BankEntry& e = gBanks.entries[i];
        s.banks.push_back(BankSnap{e.serial, EntryBytes(e), ContentsCopy(e)});
    }
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        std::string path = it->path().string();
        std::string contents = ReadFileText(path);
        if (IsAsideName(it->path().filename().string())) {
            s.aside.insert(contents);
        } else {
            s.files[path.substr(root_.string().size())] = contents;
        }
    }
    return s;
}

// Every bank open now without a saved state to compare with takes its own:
// one just loaded, found or made.
void Run::NoteSavedStates() {
    for (int i = 0; i < gBanks.count; i++) {
        const BankEntry& e = gBanks.entries[i];
        if (saved_.count(BankSerial(i))) continue;
        saved_[e.serial] = Saved{std::make_shared<BankData>(*e.data),
                                 std::string(e.displayName, sizeof e.displayName), e.hasFile != 0};
    }
}

// Whether two presets hold the same as far as a bank file goes: all but the
// changed counter and the creation text, which the writer leaves out.
bool SameFileContents(const PresetRecord& a, const PresetRecord& b) {
    size_t from = offsetof(PresetRecord, variableCount);
    return memcmp(a.name, b.name, sizeof a.name) == 0 &&
           memcmp(reinterpret_cast<const char*>(&a) + from,
                  reinterpret_cast<const char*>(&b) + from,
                  offsetof(PresetRecord, changed) - from) == 0;
}

// The same for the bank's own fields: all but `device unique id`.
bool SameFileHeader(const BankData& a, const BankData& b) {
    size_t gap = offsetof(BankData, deviceUniqueId);
    size_t after = offsetof(BankData, readOnly);
    return memcmp(&a, &b, gap) == 0 && memcmp(reinterpret_cast<const char*>(&a) + after,
                                              reinterpret_cast<const char*>(&b) + after,
                                              offsetof(BankData, presets) - after) == 0;
}

bool SameBank(const BankSnap& a, const BankSnap& b) {
    if (a.serial != b.serial || a.entry != b.entry) return false;
    if (a.data == b.data) return true;  // one copy shared by two snapshots
    if (!a.data || !b.data) return false;
    return memcmp(a.data.get(), b.data.get(), sizeof(BankData)) == 0;
}

// Where two snapshots of one bank first differ, for the failure message.
std::string DescribeDifference(const BankSnap& a, const BankSnap& b) {
    if (a.entry != b.entry) {
        size_t at = 0;
        while (at < a.entry.size() && at < b.entry.size() && a.entry[at] == b.entry[at]) at++;
        static const char* const kInts[] = {"kind",        "pid",     "connection",
                                            "changeCount", "hasFile", "serial"};
        size_t ints = kPathLen + kDisplayNameLen;
        if (at < kPathLen)
            return "path " + std::string(a.entry.c_str()) + " / " + std::string(b.entry.c_str());
        if (at < ints) return "displayName";
        if (at < ints + 24) return kInts[(at - ints) / 4];
        if (at < ints + 32) return "savedHeader";
        return "savedPresets[" + std::to_string((at - ints - 32) / 8) + "]";
    }
    if (!a.data || !b.data) return "contents missing";
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a.data.get());
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b.data.get());
    size_t at = 0;
    while (at < sizeof(BankData) && x[at] == y[at]) at++;
    size_t header = offsetof(BankData, presets);
    if (at < header) return "contents header byte " + std::to_string(at);
    size_t p = (at - header) / sizeof(PresetRecord);
    return "preset " + std::to_string(p) + " byte " +
           std::to_string((at - header) % sizeof(PresetRecord));
}

// Equal outside what was touched; a description of the first difference in *why.
bool SameOutside(const State& a, const State& b, const Touched& touched, std::string* why) {
    std::vector<const BankSnap*> x, y;
    for (const BankSnap& s : a.banks)
        if (!touched.serials.count(s.serial)) x.push_back(&s);
    for (const BankSnap& s : b.banks)
        if (!touched.serials.count(s.serial)) y.push_back(&s);
    if (touched.order) {
        auto bySerial = [](const BankSnap* p, const BankSnap* q) { return p->serial < q->serial; };
        std::sort(x.begin(), x.end(), bySerial);
        std::sort(y.begin(), y.end(), bySerial);
    }
    if (x.size() != y.size()) {
        *why = "bank count " + std::to_string(x.size()) + " against " + std::to_string(y.size());
        return false;
    }
    for (size_t i = 0; i < x.size(); i++) {
        if (!SameBank(*x[i], *y[i])) {
            *why = "bank " + std::to_string(i) + " (serial " + std::to_string(x[i]->serial) + "/" +
                   std::to_string(y[i]->serial) + ", " + x[i]->entry.substr(kPathLen, 40).c_str() +
                   "/" + y[i]->entry.substr(kPathLen, 40).c_str() +
                   "): " + DescribeDifference(*x[i], *y[i]);
            return false;
        }
    }
    // A file is touched when a touched path ends with its name.
    auto isTouched = [&touched](const std::string& path) {
        for (const std::string& t : touched.paths) {
            if (t.size() >= path.size() &&
                t.compare(t.size() - path.size(), path.size(), path) == 0)
                return true;
        }
        return false;
    };
    for (const auto& [path, contents] : a.files) {
        if (isTouched(path)) continue;
        auto other = b.files.find(path);
        if (other == b.files.end() || other->second != contents) {
            *why = "file " + path;
            return false;
        }
    }
    for (const auto& [path, contents] : b.files) {
        if (!isTouched(path) && !a.files.count(path)) {
            *why = "file " + path + " appeared";
            return false;
        }
    }
    if (!touched.aside && a.aside != b.aside) {
        *why = "the files set aside";
        return false;
    }
    return true;
}

// Whether two states differ at most in the change state of the touched
// banks (their counters and saved states), contents and names alike.
bool SameBesidesSavedState(const State& a, const State& b, const Touched& touched) {
    std::string why;
    if (a.banks.size() != b.banks.size() || !SameOutside(a, b, touched, &why)) return false;
    for (size_t i = 0; i < a.banks.size(); i++) {
        const BankSnap& x = a.banks[i];
        const BankSnap& y = b.banks[i];
        if (x.serial != y.serial || !x.data || !y.data) return false;
        if (x.entry.compare(0, kPathLen + kDisplayNameLen, y.entry, 0, kPathLen + kDisplayNameLen))
            return false;
        if (!SameBankContents(*x.data, *y.data)) return false;
    }
    return true;
}

// Invariants 4 and 5 on one state (the live one: s was just taken).
bool Run::CheckState(const State& s, const char* which) {
    if (static_cast<int>(s.banks.size()) != gBanks.count) return Fail("a stale snapshot");
    std::set<int32_t> serials;
    std::set<std::string> paths;
    for (int i = 0; i < gBanks.count; i++) {
        const BankEntry& e = gBanks.entries[i];
        if (!serials.insert(e.serial).second) return Fail(std::string(which) + ": a serial twice");
        if (e.kind != BankKind::Device) {
            std::string folded = e.path;
            std::transform(folded.begin(), folded.end(), folded.begin(), ::tolower);
            if (!paths.insert(folded).second)
                return Fail(std::string(which) + ": two banks of " + e.path);
        }
        if (i > 0 && e.kind == BankKind::Device && gBanks.entries[i - 1].kind != BankKind::Device)
            return Fail(std::string(which) + ": device banks are not first");
        auto saved = saved_.find(e.serial);
        if (saved == saved_.end()) return Fail(std::string(which) + ": a bank nobody made");
        // A bank whose snapshot, entry and saved state were all checked
        // before needs no second look.
        const BankSnap& snap = s.banks[i];
        Checked& checked = checked_[e.serial];
        if (checked.data == snap.data && checked.saved == saved->second.data &&
            checked.entry == snap.entry)
            continue;
        const BankData& was = *saved->second.data;
        bool differs =
            !saved->second.headerSaved || !SameFileHeader(was, *e.data) ||
            saved->second.displayName != std::string(e.displayName, sizeof e.displayName);
        for (int p = 0; p < kMaxPresets; p++) {
            bool presetDiffers = !SameFileContents(was.presets[p], e.data->presets[p]);
            differs = differs || presetDiffers;
            if ((e.data->presets[p].changed != 0) != presetDiffers) {
                return Fail(std::string(which) + ": preset " + std::to_string(p) + " of " +
                            e.displayName +
                            (presetDiffers ? " differs from its saved state but is not marked"
                                           : " is marked changed but is as saved"));
            }
        }
        if ((e.changeCount != 0) != differs) {
            return Fail(std::string(which) + ": " + e.displayName +
                        (differs ? " differs from its saved state but does not count as changed"
                                 : " counts as changed but is as saved"));
        }
        checked = Checked{snap.data, saved->second.data, snap.entry};
    }
    // Every file set aside belongs to exactly one step.
    std::multiset<std::string> held;
    for (int i = 0; i <= gUndo.top; i++) {
        if (gUndo.entries[i].asidePath) held.insert(gUndo.entries[i].asidePath);
    }
    if (held.size() != s.aside.size())
        return Fail(std::string(which) + ": " + std::to_string(s.aside.size()) +
                    " files set aside, " + std::to_string(held.size()) + " held by steps");
    for (const std::string& path : held) {
        if (held.count(path) != 1 || !PathTaken(path.c_str()))
            return Fail(std::string(which) + ": a step holds a missing or shared file " + path);
    }
    for (const auto& [path, contents] : s.files) {
        if (path.rfind("/Guard/", 0) == 0) return Fail("written outside: " + path);
    }
    return true;
}

std::vector<std::string> Run::HistorySignature() const {
    std::vector<std::string> out;
    for (int i = 0; i <= gUndo.top; i++) {
        const UndoEntry& e = gUndo.entries[i];
        std::ostringstream text;
        text << static_cast<int>(e.kind) << "/" << static_cast<int>(e.scope) << "/" << e.serial
             << "/" << static_cast<const void*>(e.record) << static_cast<const void*>(e.entry)
             << static_cast<const void*>(e.contents);
        out.push_back(text.str());
    }
    out.push_back("current " + std::to_string(gUndo.current));
    return out;
}

// Invariant 3. The signatures list the entries 0..top, then "current n".
bool Run::RecordedAsOneStep(const std::vector<std::string>& before,
                            const std::vector<std::string>& after, bool same, int currentBefore) {
    if (same) return after == before;
    int current = gUndo.current;
    if (current != gUndo.top) return false;
    // Entries before the new one are the old ones up to the old current,
    // without the oldest when the history was full.
    bool full = currentBefore == gUndo.levels - 1;
    int kept = full ? currentBefore : currentBefore + 1;
    if (current != kept) return false;
    for (int i = 0; i < kept; i++) {
        if (after[i] != before[full ? i + 1 : i]) return false;
    }
    droppedOldest_ = full;
    droppedRedo_ = static_cast<int>(before.size()) - 2 > currentBefore;
    return true;
}

bool Run::CheckAfterStep(const std::string& op, const Touched& touched, bool undoable,
                         const State& live) {
    if (!CheckState(live, "after the step")) return false;

    // Undo of everything, then redo back to where the history stood. A step
    // dropped on the way (its bank gone) moves the place back by one.
    int target = gUndo.current;
    int guard = 0;
    while (gUndo.current >= 0) {
        int before = gUndo.current;
        int topBefore = gUndo.top;
        Undo();
        if (gUndo.top < topBefore) target--;
        if (gUndo.current == before && gUndo.top == topBefore)
            return Fail("undo refused at entry " + std::to_string(before) + ": " +
                        HeadlessLastStatus());
        if (++guard > 200) return Fail("undo does not end");
    }
    State undone = Snap();
    scratch_ = undone;
    if (!CheckState(undone, "undone")) return false;
    State undoneAndOne;
    bool haveOne = false;
    // With the history full, the next step drops the oldest entry: what
    // undo of everything gives then is this state.
    if (gUndo.top + 1 >= gUndo.levels && target >= 0) {
        int topBefore = gUndo.top;
        Redo();
        if (gUndo.top < topBefore) target--;
        undoneAndOne = Snap();
        haveOne = gUndo.top == topBefore;
    }
    guard = 0;
    while (gUndo.current < target) {
        int before = gUndo.current;
        int topBefore = gUndo.top;
        Redo();
        if (gUndo.top < topBefore) target--;
        if (gUndo.current == before && gUndo.top == topBefore)
            return Fail("redo refused at entry " + std::to_string(before + 1) + ": " +
                        HeadlessLastStatus());
        if (++guard > 200) return Fail("redo does not end");
    }
    State again = Snap();
    std::string why;
    if (!SameOutside(live, again, Touched(), &why))
        return Fail(op + ": undo and redo of everything did not give it back: " + why);
    if (!CheckState(again, "redone")) return false;

    if (step_ > 0) {
        if (undoable && droppedOldest_ && !haveUndoneAndOne_)
            return Fail(op + ": the oldest entry went, but the history was not full");
        // The entry that went took the file it held aside with it.
        Touched outside = touched;
        if (undoable && (droppedOldest_ || droppedRedo_)) outside.aside = true;
        const State& expected = undoable && droppedOldest_ ? undoneAndOne_ : undone_;
        if (!SameOutside(expected, undone, outside, &why))
            return Fail(op + ": undo of everything no longer gives the first state: " + why);
    }
    undone_ = std::move(undone);
    undoneAndOne_ = std::move(undoneAndOne);
    haveUndoneAndOne_ = haveOne;
    now_ = std::move(again);
    return true;
}

UndoPropertyOutcome Run::Go() {
    UndoPropertyOutcome outcome;
    if (SetUp()) {
        CheckAfterStep("start", Touched(), true, Snap());
    }
    for (step_ = 1; failure_.empty() && step_ <= config_.steps; step_++) {
        std::vector<std::string> historyBefore = HistorySignature();
        const State before = now_;
        int currentBefore = gUndo.current;
        Touched touched;
        bool undoable = false;
        HeadlessMessages().statusTexts.clear();
        std::string op = Step(&touched, &undoable);
        FinishUndoStep();
        NoteSavedStates();
        ran_[op]++;
        if (trace_) {
            fprintf(stderr, "%ld %s: history %d/%d;", step_, op.c_str(), gUndo.current, gUndo.top);
            for (int i = 0; i < gBanks.count; i++) {
                const BankEntry& e = gBanks.entries[i];
                fprintf(stderr, " [%d %d %s%s]", e.serial, static_cast<int>(e.kind), e.displayName,
                        e.changeCount ? "*" : "");
            }
            fprintf(stderr, " %s\n", HeadlessLastStatus().c_str());
        }
        std::vector<std::string> historyAfter = HistorySignature();
        State after = Snap();
        std::string why;
        bool same = SameOutside(before, after, Touched(), &why);
        // A reload makes what it read the saved state: a bank read back as it
        // was changes no contents, only (perhaps) whether it counts as changed.
        if (!same && op == "reload") same = SameBesidesSavedState(before, after, touched);
        if (!same) changed_[op]++;
        bool isUndoRedo = op == "undo" || op == "redo";
        droppedOldest_ = false;
        droppedRedo_ = false;
        if (undoable && !isUndoRedo &&
            !RecordedAsOneStep(historyBefore, historyAfter, same, currentBefore)) {
            Fail(op + (same ? ": changed nothing but left a step"
                            : ": changed the banks without exactly one undo step"));
            break;
        }
        scratch_ = after;
        if (!CheckAfterStep(op, touched, undoable && !isUndoRedo, after)) break;
        outcome.steps = step_;
        if (config_.progress && config_.progressEvery > 0 && step_ % config_.progressEvery == 0)
            config_.progress(step_);
    }
    // Invariant 5: the history dropped, no file set aside is left.
    if (failure_.empty()) {
        ClearUndoHistory();
        if (!Snap().aside.empty()) Fail("files set aside outlive the history");
    }
    std::ostringstream summary;
    for (const auto& [op, count] : ran_)
        summary << op << " " << count << " (" << changed_[op] << " changed); ";
    outcome.summary = summary.str();
    outcome.failure = failure_;
    return outcome;
}

}  // namespace

UndoPropertyOutcome RunUndoProperty(const UndoPropertyConfig& config) {
    Run run(config);
    return run.Go();
}
