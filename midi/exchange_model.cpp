// The exchange model (exchange_model.h).
#include "midi/exchange_model.h"

#include <memory>

#include "banks/bank_model.h"
#include "banks/discovery.h"
#include "devices/folder_list.h"

namespace {

// The other model last asked for; a PID whose folder was not found is kept as
// such too, so the timer tick does not search the disk again and again.
std::unique_ptr<DeviceDefinition> gOther;
int gOtherPid = -1;
bool gOtherFound = false;

}  // namespace

const DeviceDefinition* ModelOfPid(int pid) {
    if (pid == gDevice.pid && gDevice.name[0]) return &gDevice;
    if (pid != gOtherPid) {
        if (!gOther) gOther.reset(new DeviceDefinition);
        gOtherPid = pid;
        gOtherFound = false;
        char folder[kPathLen];
        if (FindDeviceFolder(pid, folder, nullptr)) {
            DeviceDefinitionLoad(gOther.get(), folder);
            gOtherFound = gOther->name[0] != '\0' && gOther->pid == pid;
        }
    }
    return gOtherFound ? gOther.get() : nullptr;
}

const DeviceDefinition* ModelOfGroupId(int groupId) {
    if (gDevice.name[0] && SysexSizesOf(gDevice).groupId == groupId) return &gDevice;
    const std::string devices = JoinPath(DiscoveryProgramFolder(), "Devices");
    std::vector<FolderItem> items;
    if (!ListFolder(devices, &items)) return nullptr;
    for (const FolderItem& item : items) {
        if (!item.isFolder || !EndsWithNoCase(item.name, ".eld")) continue;
        const std::string folder = WithSeparator(JoinPath(devices, item.name));
        int32_t pid;
        if (!ReadDeviceIdentity(folder.c_str(), &pid)) continue;
        const DeviceDefinition* model = ModelOfPid(pid);
        if (model && SysexSizesOf(*model).groupId == groupId) return model;
    }
    return nullptr;
}

void ForgetExchangeModels() {
    gOtherPid = -1;
    gOtherFound = false;
}

const DeviceDefinition& ExchangeModel() {
    const BankEntry* device = BankAt(FindDeviceBank());
    if (device) {
        if (const DeviceDefinition* model = ModelOfPid(device->pid)) return *model;
    }
    return gDevice;
}

SysexSizes SysexSizesOf(const DeviceDefinition& model) {
    SysexSizes sizes;
    sizes.groupId = model.groupId < 16 ? 16 : model.groupId;
    sizes.presetCount = model.presetCount;
    sizes.linearCount = model.linearControlCount;
    sizes.buttonCount = model.buttonControlCount;
    sizes.variableLimit = model.variableLimit;
    sizes.zoneLimit = model.zoneLimit;
    return sizes;
}
