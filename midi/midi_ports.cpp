// The MIDI port tables and their rules (see midi_ports.h); the system's ports
// are reached through midi_system.h, the simulated device through virtual_link.h.
#include "midi/midi_ports.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "base/app_state.h"
#include "base/messages.h"
#include "midi/virtual_link.h"

MidiPortTables gMidiPorts;

// Serialises every send with the openings and closings of outputs: the parser
// answers the device from an input thread while the user-interface thread
// sends data or changes the ports.
static std::mutex gSendLock;
static int gVirtualRequested = -1;  // -1: not yet read from the environment

int VirtualPortsRequested() {
    if (gVirtualRequested < 0) {
        const char* value = getenv("OSTREL_VIRTUAL_DEVICE");
        gVirtualRequested = value && strcmp(value, "1") == 0;
    }
    return gVirtualRequested;
}

void SetVirtualPortsRequested(int on) {
    gVirtualRequested = on ? 1 : 0;
}

int MidiCurrentOutput() {
    return gMidiPorts.currentOutput;
}

void SetMidiCurrentOutput(int port) {
    if (port >= 0 && port < kMaxMidiPorts) gMidiPorts.currentOutput = port;
}

static void ResetOutput(MidiOutPort& port, int slot) {
    memset(port.name, 0, sizeof port.name);
    memset(port.displayName, 0, sizeof port.displayName);
    port.technology = 0;
    port.open = 0;
    port.deviceId = kEmptyPort;
    port.enabled = 0;
    port.slot = slot;
    port.isVirtual = 0;
}

static void ResetInput(MidiInPort& port, int slot) {
    memset(port.name, 0, sizeof port.name);
    memset(port.displayName, 0, sizeof port.displayName);
    port.open = 0;
    port.deviceId = kEmptyPort;
    port.enabled = 0;
    port.slot = slot;
    port.isVirtual = 0;
}

void InitMidiPorts() {
    std::lock_guard<std::mutex> hold(gSendLock);
    for (int i = 0; i < kMaxMidiPorts; i++) {
        ResetOutput(gMidiPorts.outputs[i], i);
        ResetInput(gMidiPorts.inputs[i], i);
    }
    gMidiPorts.outputCount = 0;
    gMidiPorts.inputCount = 0;
    gMidiPorts.currentOutput = 0;
    gMidiPorts.firstOpenSilent = 1;
    gMidiPorts.defaultOutputMarker = kEmptyPort;
    gMidiPorts.closing = 0;
    gMidiPorts.buffersQueued = 0;
}

static void SetDisplayName(char* displayName, int index, const char* name) {
    displayName[0] = (char)('A' + index);
    displayName[1] = ':';
    displayName[2] = ' ';
    int n = 3;
    for (int i = 0; name[i] && n < kMidiDisplayNameLen - 1; i++) displayName[n++] = name[i];
    displayName[n] = '\0';
}

static void CopyPortName(char* dst, const char* src) {
    snprintf(dst, kMidiSystemNameLen, "%s", src);
}

void RefreshMidiPorts() {
    {
        std::lock_guard<std::mutex> hold(gSendLock);
        for (int i = 0; i < kMaxMidiPorts; i++) {
            ResetOutput(gMidiPorts.outputs[i], i);
            ResetInput(gMidiPorts.inputs[i], i);
        }
        for (int i = 0; i < kMaxMidiPorts; i++) {
            gMidiPorts.outputs[i].enabled = 1;
            gMidiPorts.inputs[i].enabled = 1;
        }
    }
    EnumerateMidiPorts();
    OpenMidiPorts();
}

void EnumerateMidiPorts() {
    std::lock_guard<std::mutex> hold(gSendLock);
    const int virtualPair = VirtualPortsRequested() ? 1 : 0;
    int outputs = MidiSystemOutputCount();
    int inputs = MidiSystemInputCount();
    if (outputs < 0) outputs = 0;
    if (inputs < 0) inputs = 0;
    if (outputs > kMaxMidiPorts - virtualPair) outputs = kMaxMidiPorts - virtualPair;
    if (inputs > kMaxMidiPorts - virtualPair) inputs = kMaxMidiPorts - virtualPair;

    for (int i = 0; i < outputs; i++) {
        MidiOutPort& port = gMidiPorts.outputs[i];
        char name[kMidiSystemNameLen] = {};
        int technology = 0;
        if (MidiSystemOutputCaps(i, name, &technology) != kMidiNoError) name[0] = '\0';
        name[kMidiSystemNameLen - 1] = '\0';
        port.deviceId = i;
        CopyPortName(port.name, name);
        port.technology = technology;
        SetDisplayName(port.displayName, i, port.name);
        if (strcmp(port.name, kWaveSynthPortName) != 0 && technology != kTechnologyMidiPort)
            port.enabled = 0;
    }
    if (virtualPair) {
        MidiOutPort& port = gMidiPorts.outputs[outputs];
        port.deviceId = outputs;
        port.isVirtual = 1;
        port.technology = kTechnologyMidiPort;
        CopyPortName(port.name, kVirtualPortName);
        SetDisplayName(port.displayName, outputs, port.name);
        outputs++;
    }
    for (int i = outputs; i < kMaxMidiPorts; i++) ResetOutput(gMidiPorts.outputs[i], i);
    gMidiPorts.outputCount = outputs;

    for (int i = 0; i < inputs; i++) {
        MidiInPort& port = gMidiPorts.inputs[i];
        char name[kMidiSystemNameLen] = {};
        if (MidiSystemInputCaps(i, name) != kMidiNoError) name[0] = '\0';
        name[kMidiSystemNameLen - 1] = '\0';
        port.deviceId = i;
        CopyPortName(port.name, name);
        SetDisplayName(port.displayName, i, port.name);
    }
    if (virtualPair) {
        MidiInPort& port = gMidiPorts.inputs[inputs];
        port.deviceId = inputs;
        port.isVirtual = 1;
        CopyPortName(port.name, kVirtualPortName);
        SetDisplayName(port.displayName, inputs, port.name);
        inputs++;
    }
    for (int i = inputs; i < kMaxMidiPorts; i++) ResetInput(gMidiPorts.inputs[i], i);
    gMidiPorts.inputCount = inputs;
}

// An output that failed to open: message 47 for a port in use, else the
// system's own text captioned with the port name (no box when there is none).
static void ReportOutputFailure(const MidiOutPort& port, int code) {
    if (code == kMidiErrorAllocated) {
        MessageBoxFormat(gMainWindow, kStrPortInUse, port.name, kMbIconExclamation);
        return;
    }
    char text[1024];
    if (MidiSystemErrorText(0, code, text, sizeof text) == 0)
        ShowMessageBox(gMainWindow, text, port.name, kMbIconExclamation);
}

static void ReportInputFailure(const MidiInPort& port, int code) {
    char text[1024];
    if (MidiSystemErrorText(1, code, text, sizeof text) == 0)
        ShowMessageBox(gMainWindow, text, port.name, kMbIconExclamation);
}

void OpenMidiPorts() {
    MidiPortTables& t = gMidiPorts;
    std::unique_lock<std::mutex> hold(gSendLock);
    for (int i = 0; i < t.outputCount; i++) {
        MidiOutPort& port = t.outputs[i];
        if (strcmp(port.name, kWaveSynthPortName) == 0 || port.technology == kTechnologyMapper) {
            port.enabled = 0;
        } else if (t.defaultOutputMarker == kEmptyPort && port.technology == kTechnologyMidiPort) {
            port.enabled = 1;
            t.defaultOutputMarker = i;
        }
    }
    bool anyOutput = false, anyInput = false;
    for (int i = 0; i < t.outputCount; i++) anyOutput = anyOutput || t.outputs[i].enabled;
    for (int i = 0; i < t.inputCount; i++) anyInput = anyInput || t.inputs[i].enabled;
    if (!anyOutput) t.outputs[0].enabled = 1;
    if (!anyInput) t.inputs[0].enabled = 1;

    // Failures are collected first and reported after the lock is released:
    // a message box runs a message loop, and nothing may wait on the lock
    // meanwhile.
    int failedOutputs[kMaxMidiPorts], failedInputs[kMaxMidiPorts];
    int failedOutputCount = 0, failedInputCount = 0;
    int outputCodes[kMaxMidiPorts], inputCodes[kMaxMidiPorts];

    for (int i = 0; i < t.outputCount; i++) {
        MidiOutPort& port = t.outputs[i];
        if (!port.enabled || port.open) continue;
        const int code =
            port.isVirtual ? VirtualLinkOpenOutput() : MidiSystemOpenOutput(port.deviceId);
        if (code == kMidiNoError) {
            port.open = 1;
        } else {
            port.enabled = 0;
            failedOutputs[failedOutputCount] = i;
            outputCodes[failedOutputCount++] = code;
        }
    }
    for (int i = t.outputCount; i < kMaxMidiPorts; i++) t.outputs[i].enabled = 0;

    t.currentOutput = 0;
    for (int i = 0; i < t.outputCount; i++) {
        if (t.outputs[i].enabled) {
            t.currentOutput = i;
            break;
        }
    }

    for (int i = 0; i < t.inputCount; i++) {
        MidiInPort& port = t.inputs[i];
        if (!port.enabled || port.open) continue;
        const int code =
            port.isVirtual ? VirtualLinkOpenInput() : MidiSystemOpenInput(port.deviceId);
        if (code == kMidiNoError) {
            port.open = 1;
        } else {
            port.enabled = 0;
            failedInputs[failedInputCount] = i;
            inputCodes[failedInputCount++] = code;
        }
    }
    for (int i = t.inputCount; i < kMaxMidiPorts; i++) t.inputs[i].enabled = 0;
    hold.unlock();

    if (!t.firstOpenSilent) {
        for (int k = 0; k < failedOutputCount; k++)
            ReportOutputFailure(t.outputs[failedOutputs[k]], outputCodes[k]);
        for (int k = 0; k < failedInputCount; k++)
            ReportInputFailure(t.inputs[failedInputs[k]], inputCodes[k]);
    }
    t.firstOpenSilent = 0;
}

void CloseMidiPorts() {
    MidiPortTables& t = gMidiPorts;
    t.closing = 1;
    {
        std::lock_guard<std::mutex> hold(gSendLock);
        for (int i = 0; i < kMaxMidiPorts; i++) {
            MidiOutPort& port = t.outputs[i];
            if (!port.open || !port.enabled) continue;
            if (port.isVirtual)
                VirtualLinkCloseOutput();
            else
                MidiSystemCloseOutput(port.deviceId);
            port.open = 0;
        }
    }
    // Inputs close outside the send lock: closing waits for the input thread,
    // which may itself be waiting to send an answer.
    for (int i = 0; i < kMaxMidiPorts; i++) {
        MidiInPort& port = t.inputs[i];
        if (!port.open || !port.enabled) continue;
        if (port.isVirtual)
            VirtualLinkCloseInput();
        else
            MidiSystemCloseInput(port.deviceId);
        port.open = 0;
    }
    t.closing = 0;
}

void QueueInputBuffers() {
    MidiPortTables& t = gMidiPorts;
    if (t.buffersQueued) return;
    for (int i = 0; i < kMaxMidiPorts; i++) {
        MidiInPort& port = t.inputs[i];
        if (!port.open || !port.enabled) continue;
        if (port.isVirtual)
            VirtualLinkSetInputQueued(1);
        else
            MidiSystemQueueInput(port.deviceId);
    }
    t.buffersQueued = 1;
}

void UnqueueInputBuffers() {
    MidiPortTables& t = gMidiPorts;
    if (!t.buffersQueued) return;
    for (int i = 0; i < kMaxMidiPorts; i++) {
        MidiInPort& port = t.inputs[i];
        if (!port.open || !port.enabled) continue;
        if (port.isVirtual)
            VirtualLinkSetInputQueued(0);
        else
            MidiSystemUnqueueInput(port.deviceId);
    }
    t.buffersQueued = 0;
}

void SendLongMessage(int index, const uint8_t* bytes, int length) {
    if (index < 0 || index >= kMaxMidiPorts || !bytes || length <= 0) return;
    std::lock_guard<std::mutex> hold(gSendLock);
    MidiOutPort& port = gMidiPorts.outputs[index];
    if (!port.open || !port.enabled) return;
    if (port.isVirtual)
        VirtualLinkSend(bytes, length);
    else
        MidiSystemSendLong(port.deviceId, bytes, length);
}

void SendOnCurrentOutput(const uint8_t* bytes, int length) {
    SendLongMessage(gMidiPorts.currentOutput, bytes, length);
}
