// Reception: every complete SysEx message that arrives on an open MIDI input is
// handed to one parser. It recognises identity replies, the device's handshake
// answers (acknowledge, retry, cancel) and the device's data messages, which it
// checks, answers and writes into the reception slot of the packed store.
//
// The parser runs on a MIDI input thread. It never touches the banks: data
// messages go to the dump reception (dump_reception.h), which hands a complete
// dump over; the user-interface thread takes it from there (TakeDumpResult)
// and moves it into the device bank (CompleteDownload), so the banks only ever
// change on that thread.
#pragma once

#include <cstdint>
#include <functional>

// The longest SysEx message accepted from a device: the size of one receive
// buffer. Anything longer is dropped whole.
constexpr int kMaxIncomingSysEx = 16384;

// The entry point for every input: serialises the parser between input threads
// (several inputs, the simulated device) and parses one complete message.
void DeliverSysExMessage(const uint8_t* message, int length);

// Parses one complete message of `length` bytes. Callers other than
// DeliverSysExMessage must hold no other thread inside the parser (tests,
// ostrel-cli).
void ParseIncomingSysEx(const uint8_t* message, int length);

// True when the message is an identity reply of an accepted family (whether or
// not it was recorded). Updates the reply pattern's device id as it goes.
bool CheckIdentityReply(const uint8_t* message, int length);

// Runs `feed`, which parses a file's messages (ParseIncomingSysEx), with the
// parser to itself: an input's message waits until it ends. A file is
// addressed to no device number and identifies no device, so meanwhile the
// device filter is off and identity replies are not recorded; the device
// number, the identity pattern and the activity indicator of the inputs are
// put back afterwards. User-interface thread (or a tool without inputs).
void ParseFileMessages(const std::function<void()>& feed);

// Forgets the parser's own memory (the identity pattern's device id) and the
// dump reception's. Start-up and tests.
void ResetSysExParser();
