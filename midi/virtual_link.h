// The wire between the port tables and the simulated device: the "Ostrel
// Virtual Device" output and input. What the program sends on the output is
// queued for the device; the device's answers come back on a thread of the
// link's own (or, in the caller mode, on the thread that pumps the link) and
// are handed to DeliverSysExMessage, exactly as a real input delivers them,
// so the reception parser cannot tell the two apart.
//
// The link thread starts with the first opening of either port and runs until
// VirtualLinkShutdown (registered to run at exit). The device's memory is
// loaded from its file when the device is created and written back when it has
// been idle for kVirtualSaveDelayMs after a change, and at shutdown, so a Send
// to Device followed by a Download from Device round-trips across runs.
//
// Every function may be called from any thread.
#pragma once

#include <cstdint>

#include "midi/virtual_device.h"

constexpr uint32_t kVirtualSaveDelayMs = 250;

// The port operations (called by midi_ports.cpp). Opening returns 0.
int VirtualLinkOpenOutput();
void VirtualLinkCloseOutput();
int VirtualLinkOpenInput();
void VirtualLinkCloseInput();
void VirtualLinkSetInputQueued(int queued);
void VirtualLinkSend(const uint8_t* bytes, int length);

// Configuration, before the first opening: the model to pretend to be (by
// default the first model folder under the program folder's "Devices") and
// the memory file (by default VirtualMemoryDefaultPath; "" keeps the memory in
// this process only).
void VirtualLinkSetProfile(const VirtualDeviceProfile& profile);
void VirtualLinkSetMemoryPath(const char* path);

// Behaviour, at any time (once the device exists).
void VirtualLinkSetLatency(uint32_t ms);
// Each message a further 0 .. ms - 1 late, drawn from a generator seeded with seed.
void VirtualLinkSetJitter(uint32_t ms, uint32_t seed);
void VirtualLinkSetFaults(const VirtualDeviceFaults& faults);

// Before the first opening: no thread of the link's own; the caller moves the
// messages with VirtualLinkPump, at the time it says. So a test or tool that
// runs the clock itself (a virtual clock) steps the wire in time with it.
void VirtualLinkRunOnCaller(int on);
// One round: the host's messages into the device, the device's clock to
// `now`, the messages due by then delivered to the parser. Does nothing (0)
// without the caller mode, or when called again from inside a delivery.
// Returns the number of messages moved.
int VirtualLinkPump(uint32_t now);
// Messages moved either way since the link began.
uint64_t VirtualLinkTraffic();
// The device's user starts a dump on the device: all messages, no handshake.
void VirtualLinkStartUnrequestedDump();

// A copy of the device (memory, counters, dump state) as it is now; 0 when no
// device exists yet.
int VirtualLinkSnapshot(VirtualDevice* out);
// Replaces the device's memory (tests: a known starting point).
void VirtualLinkSetMemory(const PackedBank& memory);
// Waits until the device has nothing left to send and no dump runs, at most
// timeoutMs. Returns 1 when it went quiet.
int VirtualLinkWaitIdle(uint32_t timeoutMs);

// Stops the thread, saves the memory when it changed and forgets the device;
// the next opening starts afresh (memory reloaded from the file).
void VirtualLinkShutdown();

// The profile of the first model folder (by name) under devicesFolder whose
// definition loads: its PID, group id and sizes. Returns 0 when there is none.
int VirtualProfileFromDevices(const char* devicesFolder, VirtualDeviceProfile* profile);
// The built-in profile used when no model folder is found.
VirtualDeviceProfile VirtualFallbackProfile();

// The memory file under the user's data folder: OSTREL_VIRTUAL_DEVICE_MEMORY
// when set; otherwise %APPDATA%\Ostrel\ on Windows, $XDG_DATA_HOME/ostrel/ or
// ~/.local/share/ostrel/ elsewhere, "Virtual Device.bin". The folder is
// created. Writes "" when no folder can be had.
void VirtualMemoryDefaultPath(char* path, int size);
