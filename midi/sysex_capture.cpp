// A captured dump through the reception (sysex_capture.h).
#include "midi/sysex_capture.h"

#include <memory>

#include "midi/sysex_assembler.h"
#include "midi/sysex_parser.h"
#include "midi/transfer_state.h"

bool ReceiveCapture(const uint8_t* bytes, size_t size, DumpResult* result, PackedBank* images) {
    ResetTransferState();
    ResetSysExParser();
    PublishTransferLayout();
    std::unique_ptr<SysExAssembler> assembler(new SysExAssembler);  // too large for the stack
    ResetSysExAssembler(assembler.get());
    // Fed in receive-buffer sized pieces, as an input hands them over.
    constexpr size_t kPiece = 4096;
    for (size_t at = 0; at < size; at += kPiece) {
        const size_t n = size - at < kPiece ? size - at : kPiece;
        FeedSysExAssembler(assembler.get(), bytes + at, (int)n, DeliverSysExMessage);
    }
    // The capture ends here: a dump still arriving has lost the rest.
    EndDumpNow();
    return TakeDumpResult(result, images);
}
