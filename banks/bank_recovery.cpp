// Recovery copies of changed banks at the end of a Windows session, and their
// offer at the next start (see bank_recovery.h).
#include "banks/bank_recovery.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "banks/bank_aside.h"
#include "banks/bank_commands.h"
#include "banks/bank_file.h"
#include "banks/bank_model.h"
#include "base/app_state.h"
#include "base/messages.h"
#include "banks/discovery.h"
#include "devices/folder_list.h"

// The copies this run wrote, each with the serial of the bank it holds: only
// these may be taken back, since an older copy still waiting for its offer
// holds content nothing else has; and only by their own bank, since two banks
// may look for a free name under the same one.
struct CopyWritten {
    std::string copy;
    int32_t serial;
};
static std::vector<CopyWritten> gCopiesWritten;
// The copies offered this run (and left where they were: refused, or of
// another model): no longer waiting, they may be written over.
static std::vector<std::string> gCopiesOffered;

static std::string CopyPathOf(const char* path) {
    return std::string(path) + kRecoverySuffix;
}

// This run's record of the copy, or none.
static const CopyWritten* FindWritten(const std::string& copy) {
    for (const CopyWritten& written : gCopiesWritten) {
        if (written.copy == copy) return &written;
    }
    return nullptr;
}

// Whether this run wrote the copy for another bank than the one of `serial`.
static bool WrittenForAnother(const std::string& copy, int32_t serial) {
    const CopyWritten* written = FindWritten(copy);
    return written && written->serial != serial;
}

// Whether the copy may be written for the bank of `serial`: no copy is there,
// or one this run offered, or wrote for that same bank.
static bool CopyFreeFor(const std::string& copy, int32_t serial) {
    if (!PathTaken(copy.c_str())) return true;
    if (const CopyWritten* written = FindWritten(copy)) return written->serial == serial;
    return std::find(gCopiesOffered.begin(), gCopiesOffered.end(), copy) != gCopiesOffered.end();
}

// Whether bank i, which has no file, may keep its copy beside path: among the
// user banks, with nothing at the path (the next start would offer the copy
// to that file's bank, whose Save would then replace the file) and no other
// open bank carrying it.
static bool FreePathFor(int i, const std::string& path) {
    const char* where = path.c_str();
    return IsUserBankPath(where) && !PathTaken(where) && !IsFileOfOpenBank(where, i) &&
           CopyFreeFor(CopyPathOf(where), BankSerial(i));
}

// Where bank i's copy goes: beside its file, unless another bank's copy went
// there this run (two device banks of one model share rom.xml). A bank
// without a file of its own puts it beside its path when that path is free
// for it. Otherwise (a file saved under its name since it came back by undo, a
// device bank's rom.xml, a bank loaded from that file, a folder the next
// start does not search) the copy goes under a free name of its own among the
// user's banks, where the next start offers it as a bank that never had a
// file. "" when no such name is free.
static std::string CopyPathOfBank(int i) {
    const BankEntry& entry = gBanks.entries[i];
    const std::string beside = CopyPathOf(entry.path);
    if (entry.hasFile && !WrittenForAnother(beside, BankSerial(i))) return beside;
    if (!entry.hasFile && FreePathFor(i, entry.path)) return beside;
    constexpr int kMaxTries = 100;
    for (int number = 1; number <= kMaxTries; number++) {
        std::string name = entry.displayName;
        if (number > 1) name += " " + std::to_string(number);
        const std::string own = UserBankPath(name);
        if (FreePathFor(i, own)) return CopyPathOf(own.c_str());
    }
    return "";
}

int WriteRecoveryCopies() {
    // A bank of another model is written against its own definition; the
    // session may yet go on, on the bank and device bank the user chose.
    PlaceKept place;
    int written = 0;
    for (int i = 0; i < gBanks.count; i++) {
        const BankEntry& entry = gBanks.entries[i];
        if (entry.changeCount == 0 || !entry.data || entry.kind == BankKind::Rom) continue;
        const std::string copy = CopyPathOfBank(i);
        if (copy.empty()) continue;
        // A copy this run neither offered nor wrote for this bank still waits
        // for its offer (a device that answered only later in the run): it
        // holds changes nothing else has, and stays as it is.
        if (!CopyFreeFor(copy, BankSerial(i))) continue;
        if (!WriteBankCopyTo(i, copy.c_str())) continue;
        gCopiesWritten.push_back({copy, BankSerial(i)});
        written++;
    }
    return written;
}

void RemoveRecoveryCopies() {
    for (const CopyWritten& written : gCopiesWritten) remove(written.copy.c_str());
    gCopiesWritten.clear();
}

// Asks about the copy at `copy` for the bank shown as `name`. No removes the
// copy; Yes reads it into the read scratch, and the caller removes it once the
// content is in a bank. Returns true for a copy read on Yes.
static bool TakeCopy(const std::string& copy, const char* name) {
    if (MessageBoxFormat(gMainWindow, kStrAskRestoreKept, name, kMbYesNoQuestion) != kIdYes) {
        remove(copy.c_str());
        return false;
    }
    return ReadBankFile(copy.c_str(), &gReadScratch, true) != 0;
}

// The offer for one bank; reading the copy loads its model.
static int OfferCopyOfBank(int bank) {
    BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data || entry->kind == BankKind::Rom) return 0;
    std::string copy = CopyPathOf(entry->path);
    if (!PathTaken(copy.c_str())) return 0;
    gCopiesOffered.push_back(copy);
    if (!TakeCopy(copy, entry->displayName)) return 0;
    // The file has become a bank of another model since: the copy is not
    // its contents, and stays where it is.
    if (gReadScratch.pid != BankModelPid(bank)) {
        StatusMessage(kStrOtherModelsBank, copy.c_str());
        return 0;
    }
    // Changed, as it was when the session ended: Quit asks about it again.
    CopyBank(bank, -1);
    remove(copy.c_str());
    return 1;
}

int OfferRecoveryCopy(int bank) {
    // The model loaded before stays loaded: at start-up the bank offered is
    // not always the one shown.
    const int loaded = gDevice.pid;
    const int restored = OfferCopyOfBank(bank);
    if (gDevice.pid != loaded) SwitchDevice(loaded);
    return restored;
}

int OfferRecoveryCopies() {
    const int current = gBanks.current;
    int restored = 0;
    for (int i = 0; i < gBanks.count; i++) restored += OfferRecoveryCopy(i);

    std::string folder = JoinPath(DiscoveryProgramFolder(), "User Preset Banks");
    std::vector<FolderItem> items;
    ListFolder(folder, &items);
    for (const FolderItem& item : items) {
        if (item.isFolder || !EndsWithNoCase(item.name, kRecoverySuffix)) continue;
        std::string path = JoinPath(folder, item.name);
        path.resize(path.size() - (sizeof kRecoverySuffix - 1));
        // A bank file that is there but not open (the list was full) keeps
        // its copy for a start that opens it.
        if (IsBankOpen(path.c_str()) || PathTaken(path.c_str()) || path.size() >= kPathLen) {
            continue;
        }
        char name[kDisplayNameLen];
        DisplayNameFromPath(path.c_str(), name, sizeof name);
        std::string copy = JoinPath(folder, item.name);
        if (gBanks.count >= kMaxBanks) continue;
        gCopiesOffered.push_back(copy);
        if (!TakeCopy(copy, name)) continue;
        int added = AddBankFromData(path.c_str(), &gReadScratch);
        if (added < 0) continue;
        remove(copy.c_str());
        // Back as the bank that never had a file: changed, and its first Save
        // asks before it replaces anything. It is called by the copy's name
        // (a copy kept under a free name holds the name of the bank it
        // stood aside for), as its Save would write it.
        CopyText(gBanks.entries[added].data->name, gBanks.entries[added].displayName);
        gBanks.entries[added].hasFile = 0;
        gBanks.entries[added].savedHeader = kNeverSaved;
        RefreshChangeState(added);
        restored++;
    }
    if (BankAt(current)) gBanks.current = current;
    return restored;
}
