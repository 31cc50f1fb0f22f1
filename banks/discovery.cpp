// Discovery: finding device folders, the start-up bank scan and the library
// scan. The scans build full paths instead of changing the process's current
// directory, so nothing else ever sees the directory move and there is
// nothing to restore when a scan stops early.
#include "banks/discovery.h"

#include <string>
#include <vector>

#include "banks/bank_commands.h"
#include "banks/bank_file.h"
#include "banks/bank_model.h"
#include "devices/control_library.h"
#include "banks/device_load.h"
#include "base/shell_hooks.h"
#include "devices/discovery_walk.h"
#include "devices/document_cache.h"
#include "devices/folder_list.h"
#include "devices/library_list.h"
#include "imaging/picture_cache.h"
#include "plist/plist_node.h"
#include "plist/plist_xml.h"
#include "base/messages.h"
#include "base/preferences.h"
#include "base/working_blocks.h"

namespace {

std::string ProgramSubfolder(const char* name) {
    return JoinPath(DiscoveryProgramFolder(), name);
}

void CopyOut(char* out, const std::string& text) {
    size_t n = text.size() < static_cast<size_t>(kPathLen) ? text.size() : kPathLen - 1;
    text.copy(out, n);
    out[n] = '\0';
}

}  // namespace

int ReadDeviceIdentity(const char* deviceFolder, int32_t* pid, std::string* problem) {
    *pid = -1;
    // The parser hands back what it read before an error: a definition cut
    // there would load as a smaller device and banks saved with it would lose
    // their variables, zones and presets.
    std::string report;
    const PlistNode* root = SharedDocument(JoinPath(deviceFolder, "definition.xml"), nullptr, &report);
    bool broken = !report.empty();
    if (broken && problem) *problem = report;
    if (!root) return 0;
    const PlistNode* device = FindChild(root, "device", 0);
    int valid = device && FindChild(device, "name", 0) ? 1 : 0;
    if (device) *pid = GetIntOfChild(device, "PID");
    if (!valid && !broken) *pid = -1;
    return valid && !broken ? 1 : 0;
}

int FindDeviceFolder(int32_t pid, char* folderPath, char* folderName) {
    std::string devices = ProgramSubfolder("Devices");
    std::vector<FolderItem> items;
    if (!ListFolder(devices, &items)) return 0;
    std::string brokenFile;
    std::string brokenProblem;
    for (const FolderItem& item : items) {
        if (!item.isFolder || !EndsWithNoCase(item.name, ".eld")) continue;
        std::string folder = WithSeparator(JoinPath(devices, item.name));
        if (folder.size() >= static_cast<size_t>(kPathLen)) continue;  // could not be stored
        int32_t folderPid;
        std::string problem;
        if (!ReadDeviceIdentity(folder.c_str(), &folderPid, &problem)) {
            if (!problem.empty() && brokenFile.empty() && (folderPid == pid || folderPid == -1)) {
                brokenFile = JoinPath(folder, "definition.xml");
                brokenProblem = problem;
            }
            continue;
        }
        if (folderPid != pid) continue;
        if (folderPath) CopyOut(folderPath, folder);
        if (folderName) CopyOut(folderName, item.name.substr(0, item.name.size() - 4));
        return 1;
    }
    // Otherwise the model would seem simply missing, and the user would not
    // know which file to mend.
    if (!brokenFile.empty()) {
        StatusMessage2(kStrDefinitionBroken, brokenFile.c_str(), brokenProblem.c_str());
    }
    return 0;
}

int SwitchDevice(int32_t pid) {
    char folder[kPathLen];
    if (!FindDeviceFolder(pid, folder, nullptr)) return 0;
    LoadDevice(folder);
    gShellHooks.redrawAfterDeviceChange();
    return 1;
}

int DeviceConnected(int32_t pid, int32_t connection) {
    char folder[kPathLen];
    if (!FindDeviceFolder(pid, folder, nullptr)) return 0;
    int added = AddDeviceBank(folder, pid, connection) >= 0;
    gShellHooks.redrawAfterDeviceChange();
    return added;
}

void ScanRomBanks() {
    std::vector<std::string> candidates;
    CollectRomBankCandidates(ProgramSubfolder("Devices"), &candidates);
    for (const std::string& path : candidates) {
        if (gBanks.count >= kMaxBanks) break;
        if (IsBankOpen(path.c_str())) continue;
        // Read where the bank will stay: a bank is 1.5 MB, and read into the
        // scratch it was copied again for every bank added.
        BankData* data = AllocBankData();
        if (!data) break;
        // ROM banks of a model nobody connected are shown only on request.
        if (ReadBankFile(path.c_str(), data, true) &&
            (gShowAllRomBanks || FindDeviceBankByPid(data->pid) >= 0)) {
            AddBankTakingData(path.c_str(), data);
        } else {
            FreeBankData(data);
        }
    }
}

void ScanUserAndRomBanks(int fileKind) {
    (void)fileKind;  // 0, ".xml": the only kind of bank file found by folder
    // The first bank's device, loaded last, is the one whose pictures are shown.
    DevicePicturesDeferred onlyTheLastDevicesPictures;
    std::string userFolder = ProgramSubfolder("User Preset Banks");
    std::vector<std::string> names;
    if (CollectUserBankNames(userFolder, &names) && !names.empty()) {
        std::vector<const char*> list;
        for (const std::string& n : names) list.push_back(n.c_str());
        OpenBankFiles(list.data(), static_cast<int>(list.size()), userFolder.c_str());
    }
    ScanRomBanks();
    if (gBanks.count == 0) return;
    gBanks.current = 0;
    SwitchDevice(gBanks.entries[0].pid);
    if (gBanks.entries[0].kind == BankKind::Device) SetDeviceBank(0);
}

namespace {

void ScanLibraryFolder(const std::string& folder, int32_t source) {
    std::vector<std::string> files;
    CollectLibraryFiles(folder, &files);
    for (const std::string& path : files) {
        if (gLibraryList.count >= kMaxLibraries) break;
        LibraryData* lib = AllocLibraryData();
        if (!lib) break;
        // Files without `library` (device definitions among them) are passed
        // over without a word; a file that is not readable XML is named.
        std::string problem;
        if (ReadListLibrary(path.c_str(), lib, &problem)) {
            LibraryListAdd(&gLibraryList, path.c_str(), source, lib);
        } else {
            FreeLibraryData(lib);
            if (!problem.empty()) StatusMessage2(kStrNotXmlFile, path.c_str(), problem.c_str());
        }
    }
    LibraryListSort(&gLibraryList);
}

}  // namespace

void ScanLibraries() {
    LibraryListClear(&gLibraryList);
    ScanLibraryFolder(ProgramSubfolder("Devices"), kLibrarySourceDevices);
    ScanLibraryFolder(ProgramSubfolder("Library"), kLibrarySourceLibrary);
}
