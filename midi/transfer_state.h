// The state the reception parser (on a MIDI input thread) and the transfer
// engine and its timer tick (on the user-interface thread) share.
//
// The two sides talk through these fields without a lock, so each is an atomic:
// a write is seen whole, and every poll re-reads the field. Who writes what:
//
//   field              written by                              read by
//   -----------------  --------------------------------------  -------------------
//   handshakeActive    UI (download sets, time-out clears),    parser, UI
//                      parser (completion clears)
//   receiving          parser (sets, completion clears),       UI, parser
//                      UI (time-out clears)
//   sending            UI                                      UI (menus, input)
//   downloadComplete   parser (sets after handing the dump     UI
//                      over), UI (clears after completing it)
//   identifying        UI                                      parser
//   receiveDeadline    parser (now + 3000), UI (identify)      UI
//   lastPresetNumber   parser                                  tests, views
//   progressCounter    parser (-1 per accepted message),       UI (indicator)
//                      UI (+1 per acknowledged send)
//   acks/retries/      parser (+1 per answer), UI (reset       UI (handshake)
//   cancelsReceived    before each send)
//   timedOut           UI                                      UI
//   lastType, errorRun parser (under the reception's lock),     parser
//                      UI (a requested dump begins)
//   awaitedPreset      UI (around each handshake send)         parser
//   downloadSlot       UI                                      UI (completion)
//   identified         parser (while identifying)              UI (after identifying)
//   layout fields      UI (PublishTransferLayout), under the   parser, senders
//                      layout lock                             (PublishedSysexSizes)
//
// handshakeActive, receiving and downloadComplete mirror the phase of the dump
// reception (dump_reception.h), which sets them under its own lock.
#pragma once

#include <atomic>
#include <cstdint>

#include "midi/sysex_format.h"

struct DeviceDefinition;

constexpr int kMaxIdentified = 16;
constexpr int kNoDataType = 0xFF;
constexpr uint32_t kReceiveSilenceMs = 3000;

// One device that answered the identity request: its model (PID) and the output
// port that was being probed when the answer came.
struct IdentifiedDevice {
    int pid;
    int port;
};

struct TransferState {
    std::atomic<int> handshakeActive{0};        // a download was requested: answer data messages
    std::atomic<int> receiving{0};              // a dump is arriving
    std::atomic<int> sending{0};                // an upload loop is running
    std::atomic<int> downloadComplete{0};       // a finished dump waits for the UI thread
    std::atomic<int> identifying{0};            // identity replies are being collected
    std::atomic<uint32_t> receiveDeadline{0};   // clock ms; silence after it abandons a dump
    std::atomic<uint32_t> lastPresetNumber{0};  // byte 7 of the last accepted data message
    std::atomic<int32_t> progressCounter{0};    // activity indicator position
    std::atomic<uint32_t> acksReceived{0};
    std::atomic<uint32_t> retriesReceived{0};
    std::atomic<uint32_t> cancelsReceived{0};
    std::atomic<uint32_t> timedOut{0};  // the last handshake wait ran out
    // Preset number (byte 7) of the data message whose answer is awaited; 0
    // while no send waits. Answers naming another preset are not counted.
    std::atomic<int> awaitedPreset{0};
    std::atomic<int> lastType{kNoDataType};  // type of the last data message checked
    std::atomic<uint32_t> errorRun{0};       // bad data messages in a row of that type
    std::atomic<uint32_t> downloadSlot{0};   // store slot a completed dump is copied to
    // Identified devices, packed as pid | port << 16, and their count.
    std::atomic<uint32_t> identified[kMaxIdentified] = {};
    std::atomic<int> identifiedCount{0};

    // The exchange model's sizes (the device bank's own model) as the MIDI
    // threads may read them: the UI thread publishes them (PublishTransferLayout)
    // rather than letting another thread read a definition that may be reloaded.
    std::atomic<int> pid{0};
    std::atomic<int> groupId{16};
    std::atomic<int> presetCount{0};
    std::atomic<int> linearCount{0};
    std::atomic<int> buttonCount{0};
    std::atomic<int> variableLimit{0};
    std::atomic<int> zoneLimit{0};
};

extern TransferState gTransfer;

// The device number of the MIDI Setup dialog, 0..127; 127 addresses every
// device. Not saved: every run starts with 127.
extern std::atomic<int> gDeviceNumber;

// Puts every field back to its start value (start-up, tests).
void ResetTransferState();

// Copies the PID and sizes of the exchange model (exchange_model.h: the device
// bank's own model, else the loaded one) into gTransfer. The UI thread calls
// it whenever the device bank or the loaded model changes (the bank list's
// DeviceBankChanged, through the shell's hook), so the layout is current
// before any exchange starts and before a dump the device starts unasked.
void PublishTransferLayout();
// The same for a given model: a file's dump is received by the model its
// messages name, whatever the device bank is. The next PublishTransferLayout
// puts the exchange model back.
void PublishTransferLayoutOf(const DeviceDefinition& model);
// The published sizes, read whole (never half of one model, half of another),
// and the model's PID into *pid when asked.
SysexSizes PublishedSysexSizes(int* pid = nullptr);
// The sizes of every model a device bank belongs to, published with the
// exchange model's: a dump the user starts on a connected device of another
// model than the device bank's is read by its own model, told by the Group ID
// its messages carry. Found: its sizes and PID.
bool ConnectedLayoutOfGroup(int groupId, SysexSizes* sizes, int* pid);

// Identified devices (see IdentifiedDevice). Adding returns 0 when the pair is
// already there or the table is full.
int AddIdentifiedDevice(int pid, int port);
int IdentifiedDeviceCount();
IdentifiedDevice IdentifiedDeviceAt(int index);

// Moves the indicator's count one step on (1) or back (-1), wrapping within 0..95 so that the
// animation goes round for as long as the transfer lasts.
void StepProgress(int32_t step);
// The indicator frame for a progress count: the count is first brought into
// 0..95 (96 or more becomes 0, below 0 becomes 95), then divided by 4.
int ProgressFrame(int32_t progressCounter);
