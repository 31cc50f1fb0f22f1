// The fault-injection campaign of the device exchange: whole banks sent to and
// downloaded from the simulated device, each exchange under random faults of
// the device (lost, repeated, damaged and late messages, silence part-way, a
// dump nobody asked for, carrying on after the program's cancel) and random
// timing (latency, jitter, the phase of the main window's timer).
//
// After every exchange one of these holds, or the campaign counts a violation:
//
//   1. success: the program said so ("SysEx Sent" / "SysEx Received") and no
//      error, and the device bank equals the device's memory byte for byte in
//      every byte the protocol carries;
//   2. clean failure: a status message said why, no success was announced,
//      and the device bank is exactly as it was before the exchange;
//   3. no hang: between two messages on the wire, and from the last message
//      to the end of the exchange, no more time passed than the protocol's
//      own time-outs allow (1000 ms per handshake wait when sending; 3000 ms
//      of silence plus one 50 ms timer tick when receiving).
//
// Time is virtual: the clock moves 1 ms at every read, and every read steps
// the simulated device's wire (its link runs on this thread), so the engine's
// own busy waits see answers arrive in time, and 2,000 exchanges take minutes.
//
//   exchange_campaign [--runs N] [--seed S]
//       N uploads and N downloads, interleaved (default 1000 each).
//       Exit code 0 when no violation was found, 1 otherwise.
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "banks/bank_model.h"
#include "base/messages.h"
#include "base/platform.h"
#include "base/string_table.h"
#include "base/string_ids.h"
#include "banks/discovery.h"
#include "banks/undo_history.h"
#include "headless/clock_headless.h"
#include "headless/messages_headless.h"
#include "headless/transfer_view_headless.h"
#include "banks/bank_packing.h"
#include "midi/exchange_model.h"
#include "midi/midi_ports.h"
#include "midi/transfer_engine.h"
#include "midi/transfer_state.h"
#include "midi/virtual_link.h"
#include "shell/settings.h"

namespace fs = std::filesystem;

namespace {

// The campaign's model: a full bank of 128 presets with zones, 2304 data
// messages each way.
constexpr int kPid = 0x0C4A;
constexpr int kPresets = 128;
constexpr int kLinear = 40;
constexpr int kButtons = 20;
constexpr int kVariables = 8;
constexpr int kZones = 4;
constexpr int kScratchSlot = 3;  // a spare slot of the packed store
constexpr uint32_t kTickMs = 50;
constexpr uint32_t kUploadGapMs = kHandshakeWaitMs + 2;
constexpr uint32_t kDownloadGapMs = kReceiveSilenceMs + kTickMs + 10;
constexpr uint32_t kWatchdogMs = 30u * 60u * 1000u;  // virtual; an exchange takes far less

std::string DefinitionXml() {
    auto key = [](const std::string& k) { return "<key>" + k + "</key>"; };
    auto integer = [](long v) { return "<integer>" + std::to_string(v) + "</integer>"; };
    auto text = [](const std::string& v) { return "<string>" + v + "</string>"; };
    std::string controls, variables;
    for (int i = 0; i < kLinear + kButtons; i++)
        controls += "<dict>" + key("name") + text("Control " + std::to_string(i + 1)) +
                    key("type") + text(i < kLinear ? "Knob" : "Pad") + "</dict>";
    for (int i = 0; i < kVariables; i++)
        variables += "<dict>" + key("name") + text("Var " + std::to_string(i)) + key("ID") +
                     integer(i) + "</dict>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" +
           key("device") + "<dict>" + key("name") + text("Campaign 128") + key("PID") +
           integer(kPid) + key("VID") + integer(0x1234) + key("Group ID") + integer(0x2A) +
           key("graphic") + "<dict>" + key("background") + text("device.png") + "</dict>" +
           key("preset") + "<dict>" + key("count") + integer(kPresets) + "</dict>" + key("MIDI") +
           "<dict>" + key("limits") + "<dict>" + key("zones") + integer(kZones) + key("variables") +
           integer(kVariables) + "</dict></dict>" + key("controls") + "<array>" + controls +
           "</array>" + key("controller types") + "<array><dict>" + key("name") + text("Knob") +
           key("linear") + integer(1) + "</dict><dict>" + key("name") + text("Pad") +
           key("linear") + integer(0) + key("MIDI") + "<dict>" + key("program") + integer(1) +
           "</dict></dict></array>" + key("variables") + "<array>" + variables +
           "</array></dict></dict></plist>\n";
}

// --- The wire, in step with the clock ------------------------------------------

struct Wire {
    uint64_t traffic = 0;       // messages moved, as last seen
    uint32_t lastActivity = 0;  // when a message last moved
    uint32_t maxGap = 0;        // the longest quiet since the exchange began
    uint32_t start = 0;
} gWire;

void Step(unsigned now) {
    VirtualLinkPump(now);
    const uint64_t traffic = VirtualLinkTraffic();
    if (traffic != gWire.traffic) {
        gWire.traffic = traffic;
        // The parser reads the clock for every message it takes, so the
        // delivery ends later than it began.
        gWire.lastActivity = HeadlessClockPeek();
    }
    const int32_t gap = (int32_t)(now - gWire.lastActivity);
    if (gap > (int32_t)gWire.maxGap) gWire.maxGap = (uint32_t)gap;
    if (now - gWire.start > kWatchdogMs) {
        fprintf(stderr, "exchange_campaign: an exchange ran for %u virtual ms: hang\n",
                now - gWire.start);
        exit(1);
    }
}

void BeginExchange() {
    const uint32_t now = HeadlessClockPeek();
    gWire.start = now;
    gWire.lastActivity = now;
    gWire.maxGap = 0;
}

bool Reported();

// Lets `ms` virtual milliseconds pass with the main window's timer ticking,
// up to the tick that reports how an exchange ended.
void Ticks(uint32_t ms) {
    for (uint32_t t = 0; t < ms; t += kTickMs) {
        OnTransferTimer();
        if (Reported()) return;
        for (uint32_t i = 0; i < kTickMs; i++) MilliClock();
    }
}

// --- Banks and memory ------------------------------------------------------------

int gDeviceBank = -1;  // the device bank's index

BankData& DeviceBank() {
    return *gBanks.entries[gDeviceBank].data;
}

std::unique_ptr<VirtualDevice> Snapshot() {
    std::unique_ptr<VirtualDevice> device(new VirtualDevice);
    if (!VirtualLinkSnapshot(device.get())) abort();
    return device;
}

// Random images a device could hold: raw fields below 128, nibble fields any byte.
void RandomImages(std::mt19937& random, PackedBank* bank) {
    memset(bank, 0, sizeof *bank);
    for (int p = 0; p < kPackedPresetsPerBank; p++)
        for (const SysexTypeLayout& layout : kSysexTypes)
            for (int i = 0; i < layout.maxValues; i++)
                bank->presets[p].bytes[layout.offset + i] =
                    (uint8_t)(random() % (layout.packing == SysexPacking::Raw ? 128 : 256));
}

// The device bank and the device's memory hold the same in every byte the
// protocol carries: the bank packed by its model against the memory.
bool BankEqualsMemory(std::string* where) {
    const DeviceDefinition& model = ExchangeModel();
    const SysexSizes sizes = SysexSizesOf(model);
    PackBankAs(model, &DeviceBank(), kScratchSlot);
    const PackedBank& packed = gPackedStore.slots[kScratchSlot];
    const auto device = Snapshot();
    for (int p = 0; p < sizes.presetCount; p++)
        for (int t = 0; t < SysexMessagesPerPreset(sizes); t++) {
            const SysexTypeLayout& layout = kSysexTypes[t];
            const int n = SysexValueCount(layout, sizes);
            if (memcmp(packed.presets[p].bytes + layout.offset,
                       device->memory.presets[p].bytes + layout.offset, n) != 0) {
                *where = "preset " + std::to_string(p + 1) + " type " + std::to_string(layout.type);
                return false;
            }
        }
    return true;
}

// --- Faults ------------------------------------------------------------------------

enum FaultKind {
    kDrop,
    kDuplicate,
    kCorrupt,
    kLate,
    kSilent,
    kUnaskedDump,
    kCarryOn,
    kRefuse,
    kUnrequested,  // a download the device's user starts: no request, no answers
    kFaultKinds
};
const char* const kFaultNames[kFaultKinds] = {"message lost",
                                              "message sent twice",
                                              "message damaged",
                                              "message late",
                                              "device went silent",
                                              "dump nobody asked for",
                                              "carried on after cancel",
                                              "good data refused",
                                              "download without request"};

struct Faults {
    VirtualDeviceFaults device;
    bool unrequested = false;
};

// 0 to 3 faults at random message numbers of the exchange's 2304.
Faults RandomFaults(std::mt19937& random, bool download) {
    Faults f;
    f.device = VirtualNoFaults();
    const int messages = kPresets * 18;
    auto at = [&] { return (int)(random() % messages); };
    const int count = random() % 4;
    for (int k = 0; k < count; k++) {
        switch (random() % 8) {
            case 0:
                f.device.drop = {at(), 1 + (int)(random() % 2)};
                break;
            case 1:
                f.device.duplicate = {at(), 1 + (int)(random() % 3)};
                break;
            case 2:
                f.device.corrupt = {at(), 1 + (int)(random() % 3)};
                break;
            case 3:
                f.device.late = {at(), 1 + (int)(random() % 2)};
                f.device.lateMs = 1 + random() % 2500;
                break;
            case 4:
                f.device.silentAt = at();
                break;
            case 5:
                f.device.unaskedDumpAt = at();
                break;
            case 6:
                // Carrying on shows only after the program's cancel, which
                // takes three damaged repeats of one dump message.
                f.device.carryOnAfterCancel = 1;
                if (download) f.device.corrupt = {at(), 3};
                break;
            case 7:
                if (random() % 2)
                    f.device.retryAnswers = 1 + random() % 3;
                else
                    f.device.cancelAnswers = 1;
                break;
        }
    }
    if (download && random() % 6 == 0) {
        f.unrequested = true;
        // Something of the dump must arrive for the program to have an exchange.
        if (f.device.silentAt == 0) f.device.silentAt = 1;
    }
    return f;
}

// --- The campaign ----------------------------------------------------------------

struct Tally {
    int runs = 0, successes = 0, failures = 0, violations = 0;
    int nothingArrived = 0;  // a dump nobody asked for lost before any of it arrived
    uint32_t maxGap = 0;
};

struct Report {
    Tally upload, download, followUp;
    long faults[kFaultKinds] = {};
    long deviceCancels = 0;
    std::map<std::string, int> failureTexts;  // what the clean failures said
} gReport;

void CountFaults(const VirtualFaultCounts& before, const VirtualFaultCounts& after) {
    gReport.faults[kDrop] += after.dropped - before.dropped;
    gReport.faults[kDuplicate] += after.duplicated - before.duplicated;
    gReport.faults[kCorrupt] += after.corrupted - before.corrupted;
    gReport.faults[kLate] += after.delayed - before.delayed;
    gReport.faults[kSilent] += after.silenced - before.silenced;
    gReport.faults[kUnaskedDump] += after.unaskedDumps - before.unaskedDumps;
    gReport.faults[kCarryOn] += after.carriedOn - before.carriedOn;
    gReport.deviceCancels += after.cancelsSent - before.cancelsSent;
}

// A status text with its numbers as "n", so that texts of one kind count together.
std::string WithoutNumbers(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        const bool digit = isdigit((unsigned char)text[i]);
        if (!digit)
            out += text[i];
        else if (i == 0 || !isdigit((unsigned char)text[i - 1]))
            out += 'n';
    }
    return out;
}

void Violation(const char* kind, int run, const std::string& what) {
    fprintf(stderr, "VIOLATION (%s, run %d): %s\n", kind, run, what.c_str());
}

bool PopupShown(const char* text) {
    for (const std::string& shown : HeadlessMessages().popupsShown)
        if (shown == text) return true;
    return false;
}

// Whether text is what the string-table format makes of some values: %d
// stands for digits, %s for any text.
bool MatchesFormat(const char* text, const char* format) {
    if (*format == '\0') return *text == '\0';
    if (format[0] == '%' && format[1] == 'd') {
        if (!isdigit(static_cast<unsigned char>(*text))) return false;
        while (isdigit(static_cast<unsigned char>(*text))) text++;
        return MatchesFormat(text, format + 2);
    }
    if (format[0] == '%' && format[1] == 's') {
        for (const char* rest = text;; rest++) {
            if (MatchesFormat(rest, format + 2)) return true;
            if (*rest == '\0') return false;
        }
    }
    return *text == *format && MatchesFormat(text + 1, format + 1);
}

// Whether a status text only reports progress (the request, each preset sent
// or received) or repeats the success the popup announces: the status display
// says those on the way to, and beside, a successful outcome.
bool IsProgressOrSuccessSummary(const std::string& text) {
    for (int id : {kStrSendingPreset, kStrAskingForDump, kStrReceivingPreset, kStrPresetsSent,
                   kStrPresetsReceived}) {
        const char* format = FindString(id);
        if (format && MatchesFormat(text.c_str(), format)) return true;
    }
    return false;
}

// The status texts of the exchange that say an outcome other than success.
std::vector<std::string> OutcomeTexts() {
    std::vector<std::string> said;
    for (const std::string& text : HeadlessMessages().statusTexts)
        if (!IsProgressOrSuccessSummary(text)) said.push_back(text);
    return said;
}

void ClearLogs() {
    HeadlessMessages().popupsShown.clear();
    HeadlessMessages().statusTexts.clear();
    HeadlessTransferViewReset();
}

// Judges one exchange by the invariants. `before` is the device bank as it was.
void Judge(Tally& tally, const char* kind, int run, const char* successText,
           const BankData& before) {
    tally.runs++;
    if (gWire.maxGap > tally.maxGap) tally.maxGap = gWire.maxGap;
    const uint32_t allowed = strcmp(kind, "upload") == 0 ? kUploadGapMs : kDownloadGapMs;
    const bool success = PopupShown(successText);
    const std::vector<std::string> outcomes = OutcomeTexts();
    const bool said = !outcomes.empty();
    std::string where;
    if (gWire.maxGap > allowed) {
        tally.violations++;
        Violation(kind, run,
                  "quiet for " + std::to_string(gWire.maxGap) + " ms, then " +
                      (said ? outcomes.back() : std::string(successText)));
    } else if (success && !said) {
        if (BankEqualsMemory(&where)) {
            tally.successes++;
        } else {
            tally.violations++;
            Violation(kind, run, "success announced, but the bank differs at " + where);
        }
    } else if (!success && said) {
        if (memcmp(&DeviceBank(), &before, sizeof before) == 0) {
            tally.failures++;
            gReport.failureTexts[std::string(kind) + ": " + WithoutNumbers(outcomes.back())]++;
        } else {
            tally.violations++;
            Violation(kind, run, "failure (" + outcomes.back() + ") changed the bank");
        }
    } else {
        tally.violations++;
        Violation(kind, run,
                  success ? "success announced together with an error (" + outcomes.back() + ")"
                          : "the exchange ended without a word");
    }
}

// An exchange has ended and said so: progress alone is no outcome.
bool Reported() {
    return !HeadlessMessages().popupsShown.empty() || !OutcomeTexts().empty();
}

// Nothing more will come: the device has nothing to send, no dump is under
// way, and the wire has been quiet for longer than the program drains.
bool AllQuiet() {
    return VirtualLinkWaitIdle(0) && !gTransfer.handshakeActive && !gTransfer.receiving &&
           (int32_t)(HeadlessClockPeek() - gWire.lastActivity) >
               (int32_t)(kReceiveSilenceMs + 2 * kTickMs);
}

// Until the device has nothing left to say and the program is quiet again.
// Whatever the device still does meanwhile (the rest of a dump of its own) is
// an exchange of its own and is judged as one.
void Settle(int run) {
    std::unique_ptr<BankData> before(new BankData);
    *before = DeviceBank();
    ClearLogs();
    BeginExchange();
    while (!AllQuiet()) {
        Ticks(kTickMs);
        if (!Reported()) continue;
        Judge(gReport.followUp, "follow-up", run, "SysEx Received", *before);
        *before = DeviceBank();
        ClearLogs();
        BeginExchange();
    }
}

void RunUpload(std::mt19937& random, int run) {
    std::unique_ptr<PackedBank> images(new PackedBank);
    RandomImages(random, images.get());
    gPackedStore.slots[kScratchSlot] = *images;
    UnpackBankAs(ExchangeModel(), kScratchSlot, &DeviceBank());
    std::unique_ptr<BankData> before(new BankData);
    *before = DeviceBank();

    const Faults faults = RandomFaults(random, false);
    VirtualLinkSetLatency(random() % 21);
    VirtualLinkSetJitter(random() % 11, random());
    VirtualLinkSetFaults(faults.device);
    for (uint32_t i = random() % kTickMs; i > 0; i--) MilliClock();
    const VirtualFaultCounts counts = Snapshot()->faultCounts;

    ClearLogs();
    BeginExchange();
    SendCurrentBank();
    // The last answers may still be on the wire; the device bank is judged
    // against the memory once the device has taken in everything sent.
    while (!VirtualLinkWaitIdle(0) &&
           (int32_t)(HeadlessClockPeek() - gWire.lastActivity) < (int32_t)kUploadGapMs)
        MilliClock();
    Judge(gReport.upload, "upload", run, "SysEx Sent", *before);
    const auto after = Snapshot();
    gReport.faults[kRefuse] += faults.device.retryAnswers + faults.device.cancelAnswers -
                               after->faults.retryAnswers - after->faults.cancelAnswers;
    VirtualLinkSetFaults(VirtualNoFaults());
    CountFaults(counts, after->faultCounts);
}

void RunDownload(std::mt19937& random, int run) {
    std::unique_ptr<PackedBank> images(new PackedBank);
    RandomImages(random, images.get());
    VirtualLinkSetMemory(*images);
    RandomImages(random, images.get());
    gPackedStore.slots[kScratchSlot] = *images;
    UnpackBankAs(ExchangeModel(), kScratchSlot, &DeviceBank());
    std::unique_ptr<BankData> before(new BankData);
    *before = DeviceBank();

    const Faults faults = RandomFaults(random, true);
    VirtualLinkSetLatency(random() % 21);
    VirtualLinkSetJitter(random() % 11, random());
    VirtualLinkSetFaults(faults.device);
    for (uint32_t i = random() % kTickMs; i > 0; i--) MilliClock();
    const VirtualFaultCounts counts = Snapshot()->faultCounts;
    if (faults.unrequested) gReport.faults[kUnrequested]++;

    ClearLogs();
    BeginExchange();
    if (faults.unrequested)
        VirtualLinkStartUnrequestedDump();
    else
        DownloadFromDevice();
    while (!Reported()) {
        if (faults.unrequested && AllQuiet()) break;
        Ticks(kTickMs);
    }
    if (Reported()) {
        Judge(gReport.download, "download", run, "SysEx Received", *before);
    } else if (memcmp(&DeviceBank(), before.get(), sizeof *before) == 0) {
        gReport.download.runs++;
        gReport.download.nothingArrived++;
    } else {
        gReport.download.runs++;
        gReport.download.violations++;
        Violation("download", run, "a dump that never arrived changed the bank");
    }
    VirtualLinkSetFaults(VirtualNoFaults());
    CountFaults(counts, Snapshot()->faultCounts);
}

void PrintTally(const char* name, const Tally& t) {
    printf(
        "  %-10s %5d runs  %5d successes  %5d clean failures  %d violations  (longest quiet %u "
        "ms)\n",
        name, t.runs, t.successes, t.failures, t.violations, t.maxGap);
    if (t.nothingArrived)
        printf("  %-10s %5d unasked dumps lost before any message arrived (bank unchanged)\n", "",
               t.nothingArrived);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 1000;
    unsigned seed = 20240915;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = atoi(argv[++i]);
        else if (strcmp(argv[i], "--seed") == 0 && i + 1 < argc)
            seed = (unsigned)strtoul(argv[++i], nullptr, 10);
        else {
            fprintf(stderr, "usage: exchange_campaign [--runs N] [--seed S]\n");
            return 2;
        }
    }

    const fs::path folder =
        fs::temp_directory_path() / ("ostrel-campaign-" + std::to_string(getpid()));
    fs::create_directories(folder / "Devices" / "Campaign.eld");
    {
        FILE* f = fopen((folder / "Devices" / "Campaign.eld" / "definition.xml").c_str(), "wb");
        if (!f) return 1;
        const std::string xml = DefinitionXml();
        fwrite(xml.data(), 1, xml.size(), f);
        fclose(f);
    }
    const std::string programFolder = folder.string() + "/";
    DiscoverySetProgramFolder(programFolder.c_str());
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    gPopupMinimumMs = 0;
    gInitialisePresetNames = 0;
    ResetBankList();
    InitUndoHistory();
    ResetTransferState();

    HeadlessClockUseVirtual(1000, 1);
    HeadlessClockSetReadHook(Step);
    SetVirtualPortsRequested(1);
    VirtualLinkRunOnCaller(1);
    VirtualLinkSetMemoryPath("");
    InitMidiPorts();
    StartMidi();
    gDeviceBank = FindDeviceBank();
    if (gDeviceBank < 0 || gDeviceBank != gBanks.current) {
        fprintf(stderr, "exchange_campaign: the simulated device was not found\n");
        return 1;
    }

    printf(
        "exchange_campaign: %d uploads and %d downloads of %d presets (%d data messages "
        "each), seed %u\n",
        runs, runs, kPresets, kPresets * 18, seed);
    std::mt19937 random(seed);
    const auto started = std::chrono::steady_clock::now();
    const uint32_t virtualStart = HeadlessClockPeek();
    for (int run = 0; run < 2 * runs; run++) {
        if (run % 2 == 0)
            RunUpload(random, run);
        else
            RunDownload(random, run);
        Settle(run);
        ClearUndoHistory();
        InitUndoHistory();
        if ((run + 1) % 200 == 0) {
            printf("  ... %d exchanges\n", run + 1);
            fflush(stdout);
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    StopMidi();
    HeadlessClockSetReadHook(nullptr);
    std::error_code error;
    fs::remove_all(folder, error);

    const Report& r = gReport;
    const int violations = r.upload.violations + r.download.violations + r.followUp.violations;
    printf("results:\n");
    PrintTally("uploads", r.upload);
    PrintTally("downloads", r.download);
    PrintTally("follow-ups", r.followUp);
    printf("faults injected (times each struck):\n");
    for (int k = 0; k < kFaultKinds; k++) printf("  %-26s %ld\n", kFaultNames[k], r.faults[k]);
    printf("  (the device ended %ld exchanges with cancel)\n", r.deviceCancels);
    printf("clean failures said:\n");
    for (const auto& text : r.failureTexts) printf("  %5d  %s\n", text.second, text.first.c_str());
    printf("violations: %d\n", violations);
    printf("time: %.1f s real, %.1f h virtual\n", seconds,
           (HeadlessClockPeek() - virtualStart) / 3600000.0);
    return violations == 0 ? 0 : 1;
}
