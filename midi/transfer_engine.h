// The transfer engine: sending a whole bank, sending only the changed presets,
// asking the device for a dump of its memory, and finding out which devices
// are connected.
//
// Sending is synchronous, on the user-interface thread: one data message goes
// out, then the engine polls the answers that the reception parser counts on
// the input thread, sending again or giving up by fixed rules, one second per
// wait. Receiving is asynchronous: after the dump request the parser fills the
// reception slot message by message, and the main window's 50 ms timer
// (OnTransferTimer) watches for silence and completes a finished dump.
//
// States (the flags of gTransfer; the dump's own phases are in dump_reception.h):
//   idle           -> sending        SendAllPresets / SendChangedPresets
//   sending        -> idle           the loop ends (all sent, or the first failure)
//   idle           -> awaiting dump  DownloadFromDevice (handshakeActive)
//   awaiting dump  -> receiving      the parser accepts a data message
//   awaiting dump  -> idle           OnTransferTimer: 3000 ms without an answer,
//                                    "The device is not responding"
//   receiving      -> ended          every message arrived, the last came with some
//                                    missing, or either side cancelled
//   receiving      -> ended          OnTransferTimer: 3000 ms of silence
//   ended          -> idle           OnTransferTimer: ReportDump, the popup "SysEx
//                                    Received" when a bank was filled, else a
//                                    status message saying why not
//   idle           -> identifying    IdentifyDevices (only inside it)
// While a dump is awaited or arriving no send starts (CanStartSending).
//
// The command table calls:
//    7 Upload to Device        SendChanges()
//    8 Download from Device    DownloadFromDevice()
//    9 Send to Device          SendCurrentBank()
//   33 Refresh Devices         RefreshDevices(), then ShowBank(gBanks.current)
//                              (after destroying the graphic/list pane's
//                              horizontal scroll bar when it returned 1)
// and UpdateTransferMenu enables 7, 9 and 8 by CanSendChangesNow,
// CanSendCurrentBank and CanDownloadFromDevice. The main window's timer 100
// calls OnTransferTimer on every tick. Start-up calls StartMidi, shutdown
// StopMidi.
#pragma once

#include <cstdint>

constexpr uint32_t kHandshakeWaitMs = 1000;
constexpr int kHandshakeAttempts = 3;  // sends without an answer before giving up
// Sends of one message the device may ask for with retry answers before the
// engine gives up with "The device did not receive the data".
constexpr int kMaxRetriedSends = 16;
constexpr uint32_t kIdentifyWaitMs = 500;
constexpr int kIdleIndicatorFrame = 24;

// --- Start and stop ----------------------------------------------------------

// Start-up: default output not yet picked, RefreshMidiPorts, QueueInputBuffers,
// IdentifyDevices; and the quit-time send hook of the bank commands.
void StartMidi();
// Shutdown: UnqueueInputBuffers, CloseMidiPorts, and the simulated device's
// memory saved and its thread stopped.
void StopMidi();

// --- Sending ----------------------------------------------------------------

// One data message with the answer protocol. Returns 1 on success; on failure
// the status display says why (35 no answer, 36 cancelled, 37 not received).
int SendWithHandshake(const uint8_t* message, int length);
// The data messages of one preset of store slot `slot`, in type order, each
// with the handshake. Returns 0 at the first failure.
int SendPreset(int slot, int presetIndex);
// The upload loops. Each returns 1 when everything went through.
int SendAllPresets(int slot);
int SendChangedPresets(int slot, int bank);
// Commands 9 and 7.
void SendCurrentBank();
void SendChanges();
// Quit: a changed device bank the user agreed to send (packed into slot 0 and
// sent whole). Returns 1 when it went through.
int SendDeviceBankAtQuit(int bank);
// The outcome of the last handshake exchange: 1 when it failed.
int LastExchangeFailed();

// --- Receiving --------------------------------------------------------------

// Command 8: sends the dump request; the rest happens in the parser and the timer.
void DownloadFromDevice();
// Timer 100, every 50 ms: end of identification, the time-outs of a download,
// the completion and the word on how a download ended, the indicator.
void OnTransferTimer();
// Moves a complete dump into the device bank: undo snapshot "Receipt of Sysex
// to", the images into slot downloadSlot named "Memory Received n", unpacked
// by the dump's model into the read scratch and copied into the device bank,
// keeping the old names unless "Initialize Preset Names when Sysex Received"
// is on. Returns 1 when the device bank, of the dump's model, took it.
struct DumpResult;
struct PackedBank;
int CompleteDownload(const DumpResult& dump, const PackedBank& images);
// No upload runs and no dump is awaited or arriving.
bool CanStartSending();
// As CanStartSending, saying "The device is still sending its presets." when
// not: for a send the user asked for after the check that enabled it.
bool CanStartSendingOrSay();

// --- Devices ------------------------------------------------------------------

// Sends the identity request to every enabled output in turn (500 ms each) and
// adds a device bank for each model that answered.
void IdentifyDevices();
// Its last step: ends the collection and adds a device bank for each model
// that answered (DeviceConnected). Does nothing when no identification runs.
void FinishIdentification();
// Command 33. Returns 1 when the current bank index changed meanwhile.
int RefreshDevices();

// --- Enable rules -----------------------------------------------------------

// A device bank exists and holds the same PID as the current bank.
bool TransferCompatible();
bool CanSendCurrentBank();
bool CanSendChangesNow();
bool CanDownloadFromDevice();
// The transfer engine holds the user-interface thread's input (sending or
// receiving): windows ignore commands and mouse input meanwhile.
bool TransferBusy();

// Enables or greys Upload, Download and Send to Device in the main menu by
// the enable rules above.
void UpdateTransferMenu();

// Draws the activity indicator frame for the current progress count.
void DrawProgress();
