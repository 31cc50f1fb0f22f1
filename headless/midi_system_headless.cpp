// Pretend MIDI ports for the native tests (midi_system_headless.h).
#include "headless/midi_system_headless.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>

#include "midi/midi_system.h"
#include "midi/sysex_assembler.h"
#include "midi/sysex_parser.h"

namespace {
struct PretendInput {
    HeadlessMidiPort port;
    int open = 0;
    int queued = 0;
    std::unique_ptr<SysExAssembler> assembler;
};

std::mutex gLock;
std::vector<HeadlessMidiPort> gOutputs;
std::vector<int> gOutputOpen;
std::vector<PretendInput> gInputs;
HeadlessMidiLog gLog;
std::function<void(int, const uint8_t*, int)> gOnSend;
}  // namespace

void HeadlessMidiSetPorts(const std::vector<HeadlessMidiPort>& outputs,
                          const std::vector<HeadlessMidiPort>& inputs) {
    std::lock_guard<std::mutex> hold(gLock);
    gOutputs = outputs;
    gOutputOpen.assign(outputs.size(), 0);
    gInputs.clear();
    for (const HeadlessMidiPort& port : inputs) {
        PretendInput input;
        input.port = port;
        input.assembler.reset(new SysExAssembler);
        ResetSysExAssembler(input.assembler.get());
        gInputs.push_back(std::move(input));
    }
    gLog = HeadlessMidiLog();
}

HeadlessMidiLog HeadlessMidiLogCopy() {
    std::lock_guard<std::mutex> hold(gLock);
    return gLog;
}

void HeadlessMidiClearLog() {
    std::lock_guard<std::mutex> hold(gLock);
    gLog = HeadlessMidiLog();
}

void HeadlessMidiOnSend(std::function<void(int, const uint8_t*, int)> hook) {
    std::lock_guard<std::mutex> hold(gLock);
    gOnSend = std::move(hook);
}

int HeadlessMidiReceive(int id, const uint8_t* bytes, int length) {
    // Messages are collected under the lock and delivered after it, as a
    // driver thread would hand them over.
    std::vector<std::vector<uint8_t>> complete;
    {
        std::lock_guard<std::mutex> hold(gLock);
        if (id < 0 || id >= (int)gInputs.size()) return 0;
        PretendInput& input = gInputs[id];
        if (!input.open || !input.queued) return 0;
        static std::vector<std::vector<uint8_t>>* sink;
        sink = &complete;
        FeedSysExAssembler(input.assembler.get(), bytes, length, [](const uint8_t* message, int n) {
            sink->emplace_back(message, message + n);
        });
    }
    for (const auto& message : complete) DeliverSysExMessage(message.data(), (int)message.size());
    return (int)complete.size();
}

int MidiSystemOutputCount() {
    std::lock_guard<std::mutex> hold(gLock);
    return (int)gOutputs.size();
}

int MidiSystemInputCount() {
    std::lock_guard<std::mutex> hold(gLock);
    return (int)gInputs.size();
}

static void CopyName(const std::string& from, char* name) {
    memset(name, 0, kMidiSystemNameLen);
    strncpy(name, from.c_str(), kMidiSystemNameLen - 1);
}

int MidiSystemOutputCaps(int id, char* name, int* technology) {
    std::lock_guard<std::mutex> hold(gLock);
    if (id < 0 || id >= (int)gOutputs.size()) return 2;  // MMSYSERR_BADDEVICEID
    CopyName(gOutputs[id].name, name);
    *technology = gOutputs[id].technology;
    return 0;
}

int MidiSystemInputCaps(int id, char* name) {
    std::lock_guard<std::mutex> hold(gLock);
    if (id < 0 || id >= (int)gInputs.size()) return 2;
    CopyName(gInputs[id].port.name, name);
    return 0;
}

int MidiSystemOpenOutput(int id) {
    std::lock_guard<std::mutex> hold(gLock);
    if (id < 0 || id >= (int)gOutputs.size()) return 2;
    if (gOutputs[id].openError) return gOutputs[id].openError;
    gOutputOpen[id] = 1;
    gLog.outputsOpened.push_back(id);
    return 0;
}

void MidiSystemCloseOutput(int id) {
    std::lock_guard<std::mutex> hold(gLock);
    if (id < 0 || id >= (int)gOutputs.size()) return;
    gOutputOpen[id] = 0;
    gLog.outputsClosed.push_back(id);
}

int MidiSystemOpenInput(int id) {
    std::lock_guard<std::mutex> hold(gLock);
    if (id < 0 || id >= (int)gInputs.size()) return 2;
    if (gInputs[id].port.openError) return gInputs[id].port.openError;
    gInputs[id].open = 1;
    gLog.inputsOpened.push_back(id);
    return 0;
}

void MidiSystemCloseInput(int id) {
    std::lock_guard<std::mutex> hold(gLock);
    if (id < 0 || id >= (int)gInputs.size()) return;
    gInputs[id].open = 0;
    gInputs[id].queued = 0;
    ResetSysExAssembler(gInputs[id].assembler.get());
    gLog.inputsClosed.push_back(id);
}

void MidiSystemQueueInput(int id) {
    std::lock_guard<std::mutex> hold(gLock);
    if (id < 0 || id >= (int)gInputs.size() || !gInputs[id].open) return;
    gInputs[id].queued = 1;
    gLog.inputsQueued.push_back(id);
}

void MidiSystemUnqueueInput(int id) {
    std::lock_guard<std::mutex> hold(gLock);
    if (id < 0 || id >= (int)gInputs.size()) return;
    gInputs[id].queued = 0;
    gLog.inputsUnqueued.push_back(id);
}

void MidiSystemSendLong(int id, const uint8_t* bytes, int length) {
    std::function<void(int, const uint8_t*, int)> hook;
    {
        std::lock_guard<std::mutex> hold(gLock);
        if (id < 0 || id >= (int)gOutputs.size() || !gOutputOpen[id]) return;
        gLog.sent.push_back(HeadlessMidiSent{id, std::vector<uint8_t>(bytes, bytes + length)});
        hook = gOnSend;
    }
    if (hook) hook(id, bytes, length);
}

int MidiSystemErrorText(int input, int code, char* text, int size) {
    if (size <= 0) return 1;
    snprintf(text, size, "%s error %d", input ? "input" : "output", code);
    return 0;
}
