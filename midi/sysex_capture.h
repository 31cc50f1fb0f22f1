// A captured dump (a file of SysEx messages as a device sent them) through the
// reception, as a dump nobody answers: reassembled into messages like a real
// input's bytes, parsed one by one, and ended when the capture ends. This is
// what a ".syx" file's import and `ostrel-cli syx unpack` do, and what the
// capture fuzz target feeds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "midi/dump_reception.h"
#include "banks/packed_image.h"

struct DeviceDefinition;

// What a capture holds, message by message, whatever model it is for: what a
// file with nothing usable is described by.
struct CaptureSurvey {
    int messages;       // complete SysEx messages (F0 .. F7)
    int dataMessages;   // Corvanith data messages (types 2..19), any model
    int shortMessages;  // Corvanith dump requests and handshake answers
    int universal;      // universal messages: identity requests and replies
    int otherMakers;    // messages of other manufacturers
    int firstGroupId;   // the group id of the first data message; -1 none
};

// Counts the messages of a capture, reassembled as the reception does.
void SurveyCapture(const uint8_t* bytes, size_t size, CaptureSurvey* survey);

// Feeds the capture through the parser by `model`'s layout, with the parser
// to itself (ParseFileMessages) and the dump reception started afresh; the
// exchange model's layout is published again afterwards. The caller makes
// sure no device's dump is under way (DumpReceptionIdle). Returns true when a
// dump began, with how it ended in *result and, for a complete or incomplete
// dump, its images in *images (may be null); false when the capture holds no
// data message of the model that begins a dump.
bool ReceiveCaptureAs(const DeviceDefinition& model, const uint8_t* bytes, size_t size,
                      DumpResult* result, PackedBank* images);

// The same by the exchange model, with the whole transfer state reset first:
// for tools that open no ports.
bool ReceiveCapture(const uint8_t* bytes, size_t size, DumpResult* result, PackedBank* images);
