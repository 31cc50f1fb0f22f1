// The transfer state shared by the reception parser and the transfer engine.
#include "midi/transfer_state.h"

#include <mutex>

#include "banks/bank_model.h"
#include "devices/device_definition.h"
#include "midi/exchange_model.h"

TransferState gTransfer;
static std::mutex gLayoutLock;
std::atomic<int> gDeviceNumber{kAllDevices};

void ResetTransferState() {
    TransferState& t = gTransfer;
    t.handshakeActive = 0;
    t.receiving = 0;
    t.sending = 0;
    t.downloadComplete = 0;
    t.identifying = 0;
    t.receiveDeadline = 0;
    t.lastPresetNumber = 0;
    t.progressCounter = 0;
    t.acksReceived = 0;
    t.retriesReceived = 0;
    t.cancelsReceived = 0;
    t.timedOut = 0;
    t.awaitedPreset = 0;
    t.lastType = kNoDataType;
    t.errorRun = 0;
    t.downloadSlot = 0;
    for (auto& pair : t.identified) pair = 0;
    t.identifiedCount = 0;
    ForgetExchangeModels();
}

// The connected models' layouts (ConnectedLayoutOfGroup), under the layout lock.
namespace {
constexpr int kMaxConnectedLayouts = 8;
struct ConnectedLayout {
    int pid;
    SysexSizes sizes;
};
ConnectedLayout gConnected[kMaxConnectedLayouts];
int gConnectedCount = 0;

void PublishConnectedLayouts() {
    ConnectedLayout found[kMaxConnectedLayouts];
    int count = 0;
    for (int i = 0; i < gBanks.count && count < kMaxConnectedLayouts; i++) {
        if (gBanks.entries[i].kind != BankKind::Device) continue;
        const int pid = BankModelPid(i);
        bool listed = false;
        for (int k = 0; k < count; k++) listed = listed || found[k].pid == pid;
        const DeviceDefinition* model = listed ? nullptr : ModelOfPid(pid);
        if (model) found[count++] = {model->pid, SysexSizesOf(*model)};
    }
    std::lock_guard<std::mutex> hold(gLayoutLock);
    for (int k = 0; k < count; k++) gConnected[k] = found[k];
    gConnectedCount = count;
}
}  // namespace

void PublishTransferLayout() {
    PublishConnectedLayouts();
    // A dump asked for is answered by the Group ID it was asked with (its
    // messages are read by the sizes it began with in any case); the layout
    // follows the device bank again once it has ended.
    if (gTransfer.handshakeActive) return;
    PublishTransferLayoutOf(ExchangeModel());
}

bool ConnectedLayoutOfGroup(int groupId, SysexSizes* sizes, int* pid) {
    std::lock_guard<std::mutex> hold(gLayoutLock);
    for (int k = 0; k < gConnectedCount; k++) {
        if ((gConnected[k].sizes.groupId & 0x7F) != groupId) continue;
        *sizes = gConnected[k].sizes;
        *pid = gConnected[k].pid;
        return true;
    }
    return false;
}

void PublishTransferLayoutOf(const DeviceDefinition& model) {
    const SysexSizes sizes = SysexSizesOf(model);
    TransferState& t = gTransfer;
    std::lock_guard<std::mutex> hold(gLayoutLock);
    t.pid = model.pid;
    t.groupId = sizes.groupId;
    t.presetCount = sizes.presetCount;
    t.linearCount = sizes.linearCount;
    t.buttonCount = sizes.buttonCount;
    t.variableLimit = sizes.variableLimit;
    t.zoneLimit = sizes.zoneLimit;
}

SysexSizes PublishedSysexSizes(int* pid) {
    std::lock_guard<std::mutex> hold(gLayoutLock);
    if (pid) *pid = gTransfer.pid;
    SysexSizes sizes;
    sizes.groupId = gTransfer.groupId;
    sizes.presetCount = gTransfer.presetCount;
    sizes.linearCount = gTransfer.linearCount;
    sizes.buttonCount = gTransfer.buttonCount;
    sizes.variableLimit = gTransfer.variableLimit;
    sizes.zoneLimit = gTransfer.zoneLimit;
    return sizes;
}

static uint32_t PackIdentified(int pid, int port) {
    return (uint32_t)(pid & 0xFFFF) | ((uint32_t)(port & 0xFFFF) << 16);
}

// Only the parser adds, and it runs under the input delivery lock, so the
// check-then-append below never races with another append.
int AddIdentifiedDevice(int pid, int port) {
    const uint32_t packed = PackIdentified(pid, port);
    const int count = gTransfer.identifiedCount;
    for (int i = 0; i < count; i++)
        if (gTransfer.identified[i] == packed) return 0;
    if (count >= kMaxIdentified) return 0;
    gTransfer.identified[count] = packed;
    gTransfer.identifiedCount = count + 1;  // published after the entry
    return 1;
}

int IdentifiedDeviceCount() {
    return gTransfer.identifiedCount;
}

IdentifiedDevice IdentifiedDeviceAt(int index) {
    const uint32_t packed = gTransfer.identified[index];
    return IdentifiedDevice{(int)(packed & 0xFFFF), (int)(packed >> 16)};
}

void StepProgress(int32_t step) {
    int32_t count = gTransfer.progressCounter.load() + step;
    if (count >= 96) count = 0;
    if (count < 0) count = 95;
    gTransfer.progressCounter = count;
}

int ProgressFrame(int32_t progressCounter) {
    if (progressCounter >= 96) progressCounter = 0;
    if (progressCounter < 0) progressCounter = 95;
    return progressCounter / 4;
}
