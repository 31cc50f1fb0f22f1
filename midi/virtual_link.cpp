// The simulated device's port pair and its thread (see virtual_link.h).
//
// Lock order: the link lock is never held while a message is delivered to the
// parser (the parser answers through the send lock, and the send path takes
// the link lock), nor while the thread is joined, nor while the clock is read
// (a virtual clock may pump the link from the read).
#include "midi/virtual_link.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/platform.h"
#include "devices/device_definition.h"
#include "banks/discovery.h"
#include "midi/sysex_parser.h"

namespace fs = std::filesystem;

struct HostMessage {
    int length;
    uint8_t bytes[kMaxIncomingSysEx > 512 ? 512 : kMaxIncomingSysEx];
};

struct VirtualLink {
    std::mutex lock;
    std::condition_variable wake;
    std::thread thread;
    bool running = false;
    bool stopping = false;
    std::unique_ptr<VirtualDevice> device;
    bool haveProfile = false;
    VirtualDeviceProfile profile{};
    bool havePath = false;
    std::string memoryPath;
    int outputOpen = 0;
    int inputOpen = 0;
    int inputQueued = 0;
    std::deque<HostMessage> inbox;                 // host -> device, not yet received
    uint32_t lastActivity = 0;                     // clock of the last message either way
    bool busy = false;                             // the thread is delivering outside the lock
    bool onCaller = false;                         // no thread: VirtualLinkPump moves the messages
    std::atomic<uint64_t> traffic{0};              // messages moved either way
    std::vector<std::vector<uint8_t>> deliveries;  // device -> host, being delivered
};

static VirtualLink gLink;
static bool gExitHookRegistered = false;

static void SaveIfDirty(VirtualLink& link) {
    if (link.device && link.device->memoryDirty && !link.memoryPath.empty()) {
        if (VirtualDeviceSaveMemory(link.device.get(), link.memoryPath.c_str()))
            link.device->memoryDirty = 0;
    }
}

// One round of the wire: the host's messages into the device, the device's
// clock, and the device's due messages out to the parser. Called with the
// link lock held; returns with it held, having released it while delivering.
// Returns the number of messages moved either way.
static int PumpOnce(VirtualLink& link, std::unique_lock<std::mutex>& hold, uint32_t now) {
    VirtualDevice* device = link.device.get();
    int moved = 0;
    while (!link.inbox.empty()) {
        const HostMessage& message = link.inbox.front();
        VirtualDeviceReceive(device, message.bytes, message.length, now);
        link.inbox.pop_front();
        link.lastActivity = now;
        moved++;
    }
    VirtualDeviceTick(device, now);
    std::vector<std::vector<uint8_t>>& deliveries = link.deliveries;
    uint8_t out[kMaxDataMessageSize];
    int length;
    while ((length = VirtualDevicePopOutput(device, now, out)) > 0) {
        deliveries.emplace_back(out, out + length);
        link.lastActivity = now;
    }
    if (deliveries.empty()) {
        link.traffic += moved;
        return moved;
    }
    const bool deliver = link.inputOpen && link.inputQueued;
    std::vector<std::vector<uint8_t>> batch;
    batch.swap(deliveries);
    moved += (int)batch.size();
    link.traffic += moved;
    link.busy = true;
    hold.unlock();
    if (deliver)
        for (const auto& message : batch) DeliverSysExMessage(message.data(), (int)message.size());
    hold.lock();
    link.busy = false;
    link.wake.notify_all();
    return moved;
}

static void LinkThread() {
    VirtualLink& link = gLink;
    std::unique_lock<std::mutex> hold(link.lock);
    while (!link.stopping) {
        const uint32_t now = MilliClock();
        // Answers to what was delivered may be waiting already: go round again.
        if (PumpOnce(link, hold, now) > 0) continue;
        VirtualDevice* device = link.device.get();
        if (device->memoryDirty && now - link.lastActivity >= kVirtualSaveDelayMs)
            SaveIfDirty(link);

        // Sleep until a message arrives, the next answer is due, a requested
        // dump may time out, or a pending save is due.
        uint32_t wait = 50;
        uint32_t due;
        if (VirtualDeviceHasOutput(device, &due)) {
            const int32_t left = (int32_t)(due - now);
            wait = left <= 0 ? 0 : std::min<uint32_t>(wait, (uint32_t)left);
        }
        if (device->dumpState == VirtualDumpState::Streaming) wait = 0;
        if (wait > 0 && link.inbox.empty())
            link.wake.wait_for(hold, std::chrono::milliseconds(wait));
    }
    SaveIfDirty(link);
}

static void ExitHook() {
    VirtualLinkShutdown();
}

// Creates the device and starts the thread on first use. Lock held.
static void EnsureRunning(VirtualLink& link) {
    if (link.running) return;
    if (!link.device) {
        if (!link.haveProfile) {
            char folder[kPathLen + 16];
            snprintf(folder, sizeof folder, "%sDevices", DiscoveryProgramFolder());
            if (!VirtualProfileFromDevices(folder, &link.profile))
                link.profile = VirtualFallbackProfile();
            link.haveProfile = true;
        }
        if (!link.havePath) {
            char path[1024];
            VirtualMemoryDefaultPath(path, sizeof path);
            link.memoryPath = path;
            link.havePath = true;
        }
        link.device.reset(new VirtualDevice);
        VirtualDeviceInit(link.device.get(), link.profile);
        if (!link.memoryPath.empty())
            VirtualDeviceLoadMemory(link.device.get(), link.memoryPath.c_str());
    }
    if (!gExitHookRegistered) {
        atexit(ExitHook);
        gExitHookRegistered = true;
    }
    link.stopping = false;
    link.running = true;
    if (!link.onCaller) link.thread = std::thread(LinkThread);
}

int VirtualLinkOpenOutput() {
    std::lock_guard<std::mutex> hold(gLink.lock);
    EnsureRunning(gLink);
    gLink.outputOpen = 1;
    return 0;
}

void VirtualLinkCloseOutput() {
    std::lock_guard<std::mutex> hold(gLink.lock);
    gLink.outputOpen = 0;
}

int VirtualLinkOpenInput() {
    std::lock_guard<std::mutex> hold(gLink.lock);
    EnsureRunning(gLink);
    gLink.inputOpen = 1;
    return 0;
}

void VirtualLinkCloseInput() {
    std::lock_guard<std::mutex> hold(gLink.lock);
    gLink.inputOpen = 0;
    gLink.inputQueued = 0;
}

void VirtualLinkSetInputQueued(int queued) {
    std::lock_guard<std::mutex> hold(gLink.lock);
    gLink.inputQueued = queued ? 1 : 0;
}

void VirtualLinkSend(const uint8_t* bytes, int length) {
    if (!bytes || length <= 0 || length > (int)sizeof(HostMessage::bytes)) return;
    std::lock_guard<std::mutex> hold(gLink.lock);
    if (!gLink.outputOpen || !gLink.running) return;
    HostMessage message;
    message.length = length;
    memcpy(message.bytes, bytes, length);
    gLink.inbox.push_back(message);
    gLink.wake.notify_all();
}

void VirtualLinkSetProfile(const VirtualDeviceProfile& profile) {
    std::lock_guard<std::mutex> hold(gLink.lock);
    gLink.profile = profile;
    gLink.haveProfile = true;
    if (gLink.device) gLink.device->profile = profile;
}

void VirtualLinkSetMemoryPath(const char* path) {
    std::lock_guard<std::mutex> hold(gLink.lock);
    gLink.memoryPath = path ? path : "";
    gLink.havePath = true;
}

void VirtualLinkSetLatency(uint32_t ms) {
    std::lock_guard<std::mutex> hold(gLink.lock);
    if (gLink.device) gLink.device->latencyMs = ms;
}

void VirtualLinkSetJitter(uint32_t ms, uint32_t seed) {
    std::lock_guard<std::mutex> hold(gLink.lock);
    if (!gLink.device) return;
    gLink.device->jitterMs = ms;
    gLink.device->random = seed;
}

void VirtualLinkSetFaults(const VirtualDeviceFaults& faults) {
    std::lock_guard<std::mutex> hold(gLink.lock);
    if (gLink.device) VirtualDeviceSetFaults(gLink.device.get(), faults);
}

void VirtualLinkRunOnCaller(int on) {
    std::lock_guard<std::mutex> hold(gLink.lock);
    if (!gLink.running) gLink.onCaller = on != 0;
}

int VirtualLinkPump(uint32_t now) {
    std::unique_lock<std::mutex> hold(gLink.lock);
    if (!gLink.running || !gLink.onCaller || !gLink.device || gLink.busy) return 0;
    return PumpOnce(gLink, hold, now);
}

uint64_t VirtualLinkTraffic() {
    return gLink.traffic.load();
}

void VirtualLinkStartUnrequestedDump() {
    // Read before the lock: a virtual clock may pump the link from the read.
    const uint32_t now = MilliClock();
    std::lock_guard<std::mutex> hold(gLink.lock);
    if (!gLink.device) return;
    VirtualDeviceStartDump(gLink.device.get(), 0, now);
    gLink.wake.notify_all();
}

int VirtualLinkSnapshot(VirtualDevice* out) {
    std::lock_guard<std::mutex> hold(gLink.lock);
    if (!gLink.device) return 0;
    memcpy(out, gLink.device.get(), sizeof *out);
    return 1;
}

void VirtualLinkSetMemory(const PackedBank& memory) {
    std::lock_guard<std::mutex> hold(gLink.lock);
    if (!gLink.device) return;
    gLink.device->memory = memory;
    gLink.device->memoryDirty = 1;
}

int VirtualLinkWaitIdle(uint32_t timeoutMs) {
    const uint32_t start = MilliClock();
    for (;;) {
        bool onCaller;
        {
            std::lock_guard<std::mutex> hold(gLink.lock);
            const VirtualDevice* device = gLink.device.get();
            if (!device) return 1;
            if (gLink.inbox.empty() && !gLink.busy && VirtualDeviceIdle(device)) return 1;
            onCaller = gLink.onCaller;
        }
        const uint32_t now = MilliClock();
        if (now - start >= timeoutMs) return 0;
        if (onCaller)
            VirtualLinkPump(now);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void VirtualLinkShutdown() {
    std::unique_lock<std::mutex> hold(gLink.lock);
    if (gLink.running && !gLink.onCaller) {
        gLink.stopping = true;
        gLink.wake.notify_all();
        std::thread thread = std::move(gLink.thread);
        hold.unlock();
        thread.join();
        hold.lock();
    }
    gLink.running = false;
    gLink.onCaller = false;
    SaveIfDirty(gLink);
    gLink.device.reset();
    gLink.inbox.clear();
    gLink.outputOpen = gLink.inputOpen = gLink.inputQueued = 0;
    gLink.haveProfile = false;
    gLink.havePath = false;
    gLink.memoryPath.clear();
}

VirtualDeviceProfile VirtualFallbackProfile() {
    VirtualDeviceProfile profile{};
    profile.pid = 0x0101;
    profile.deviceId = 0;
    profile.sizes = SysexSizes{16, 128, 8, 8, 4, 0};
    return profile;
}

// The image field of a zone value named `tag` in the definition's SysEx list;
// -1 when the model has none.
static int ZoneField(const DeviceDefinition& def, const char* tag) {
    int field = 0;
    for (int i = 0; i < def.sysexFieldCount && i < kMaxSysexFields; i++) {
        const SysexFieldDef& f = def.sysexFields[i];
        if (strcmp(f.array, "zones") != 0) continue;
        if (strcmp(f.tagName, tag) == 0) return field < kPackedZoneFields ? field : -1;
        field++;
    }
    return -1;
}

static VirtualZoneLayout ZoneLayoutOf(const DeviceDefinition& def) {
    VirtualZoneLayout layout{};
    layout.enableSlot = -1;
    layout.channelField = ZoneField(def, "channel");
    layout.lowField = ZoneField(def, "note low");
    layout.highField = ZoneField(def, "note high");
    layout.lowestNote = def.lowestNote;
    layout.keyCount = def.keyboardSize;
    // The zones' enable bits: the options of the first variable that has any.
    const int count = def.variableCount < kMaxVariables ? def.variableCount : kMaxVariables;
    for (int v = 0; v < count; v++) {
        const VariableDef& var = def.variables[v];
        if (var.maskCount <= 0) continue;
        layout.enableSlot = var.target;
        for (int z = 0; z < var.maskCount && z < kPackedZoneCount && z < kMaxVariableMasks; z++)
            layout.enableMasks[z] = var.masks[z].mask < 0 ? 0 : (uint8_t)var.masks[z].mask;
        break;
    }
    return layout;
}

int VirtualProfileFromDevices(const char* devicesFolder, VirtualDeviceProfile* profile) {
    std::error_code error;
    std::vector<std::string> folders;
    for (fs::directory_iterator it(devicesFolder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() > 4 && it->is_directory(error)) {
            std::string ext = name.substr(name.size() - 4);
            std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
            if (ext == ".eld") folders.push_back(name);
        }
    }
    std::sort(folders.begin(), folders.end());
    std::unique_ptr<DeviceDefinition> def(new DeviceDefinition);
    for (const std::string& name : folders) {
        const std::string folder =
            (fs::path(devicesFolder) / name).string() + (char)fs::path::preferred_separator;
        DeviceDefinitionLoad(def.get(), folder.c_str());
        if (!def->name[0]) continue;
        profile->pid = def->pid;
        profile->deviceId = 0;
        profile->sizes.groupId = def->groupId < 16 ? 16 : def->groupId;
        profile->sizes.presetCount = def->presetCount;
        profile->sizes.linearCount = def->linearControlCount;
        profile->sizes.buttonCount = def->buttonControlCount;
        profile->sizes.variableLimit = def->variableLimit;
        profile->sizes.zoneLimit = def->zoneLimit;
        profile->zones = ZoneLayoutOf(*def);
        return 1;
    }
    return 0;
}

void VirtualMemoryDefaultPath(char* path, int size) {
    if (size <= 0) return;
    path[0] = '\0';
    const char* override = getenv("OSTREL_VIRTUAL_DEVICE_MEMORY");
    if (override && override[0]) {
        snprintf(path, size, "%s", override);
        return;
    }
    fs::path folder;
#ifdef _WIN32
    const char* appData = getenv("APPDATA");
    if (!appData || !appData[0]) return;
    folder = fs::path(appData) / "Ostrel";
#else
    const char* xdg = getenv("XDG_DATA_HOME");
    const char* home = getenv("HOME");
    if (xdg && xdg[0])
        folder = fs::path(xdg) / "ostrel";
    else if (home && home[0])
        folder = fs::path(home) / ".local" / "share" / "ostrel";
    else
        return;
#endif
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return;
    snprintf(path, size, "%s", (folder / "Virtual Device.bin").string().c_str());
}
