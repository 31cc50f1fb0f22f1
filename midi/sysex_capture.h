// A captured dump (a file of SysEx messages as a device sent them) through the
// reception, as a dump nobody answers: reassembled into messages like a real
// input's bytes, parsed one by one, and ended when the capture ends. This is
// what `ostrel-cli syx unpack` does, and what its fuzz target feeds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "midi/dump_reception.h"
#include "banks/packed_image.h"

// Feeds the capture by the layout PublishTransferLayout publishes (the caller
// loads the model and opens no ports, so nothing is answered). The transfer
// state and the parser start afresh. Returns true when a dump began, with how
// it ended in *result and, for a complete dump, its images in *images (may be
// null); false when the capture holds no data message that begins a dump.
bool ReceiveCapture(const uint8_t* bytes, size_t size, DumpResult* result, PackedBank* images);
