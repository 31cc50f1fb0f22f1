// A captured dump through the reception (sysex_capture.h).
#include "midi/sysex_capture.h"

#include <cstring>
#include <memory>

#include "midi/exchange_model.h"
#include "midi/sysex_assembler.h"
#include "midi/sysex_format.h"
#include "midi/sysex_parser.h"
#include "midi/transfer_state.h"

namespace {

// Fed in receive-buffer sized pieces, as an input hands them over.
constexpr size_t kPiece = 4096;

CaptureSurvey* gSurvey = nullptr;  // the survey being counted (one thread)

void CountMessage(const uint8_t* m, int length) {
    CaptureSurvey& s = *gSurvey;
    s.messages++;
    if (length >= 2 && (m[1] == 0x7E || m[1] == 0x7F)) {
        s.universal++;
    } else if (length < 7 || memcmp(m + 1, kManufacturerId, 3) != 0) {
        s.otherMakers++;
    } else if (m[6] >= kFirstDataType && m[6] <= kLastDataType) {
        s.dataMessages++;
        if (s.firstGroupId < 0) s.firstGroupId = m[4];
    } else {
        s.shortMessages++;
    }
}

void Feed(const uint8_t* bytes, size_t size, void (*deliver)(const uint8_t*, int)) {
    std::unique_ptr<SysExAssembler> assembler(new SysExAssembler);  // too large for the stack
    ResetSysExAssembler(assembler.get());
    for (size_t at = 0; at < size; at += kPiece) {
        const size_t n = size - at < kPiece ? size - at : kPiece;
        FeedSysExAssembler(assembler.get(), bytes + at, (int)n, deliver);
    }
}

}  // namespace

void SurveyCapture(const uint8_t* bytes, size_t size, CaptureSurvey* survey) {
    *survey = CaptureSurvey{};
    survey->firstGroupId = -1;
    gSurvey = survey;
    Feed(bytes, size, CountMessage);
    gSurvey = nullptr;
}

bool ReceiveCaptureAs(const DeviceDefinition& model, const uint8_t* bytes, size_t size,
                      DumpResult* result, PackedBank* images) {
    bool began = false;
    ParseFileMessages([&] {
        ResetDumpReception();
        SetDumpReceptionFromFile(true);
        PublishTransferLayoutOf(model);
        Feed(bytes, size, ParseIncomingSysEx);
        // The capture ends here: a dump still arriving has lost the rest.
        EndDumpNow();
        began = TakeDumpResult(result, images);
        // A dump that ended on its last message drains what follows; a file
        // has nothing to follow, and the device's next dump must not wait.
        ResetDumpReception();
    });
    PublishTransferLayout();
    return began;
}

bool ReceiveCapture(const uint8_t* bytes, size_t size, DumpResult* result, PackedBank* images) {
    ResetTransferState();
    ResetSysExParser();
    return ReceiveCaptureAs(ExchangeModel(), bytes, size, result, images);
}
