// ".syx" files: Export as SysEx against what Send to Device puts on the wire,
// and the Load command's third filter through the reception, with model Alpha
// (4 presets, 2 linear controls, 1 button, variables, 2 zones; Group ID 33).
#include "midi/syx_file.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "banks/sxl_file.h"
#include "headless/midi_system_headless.h"
#include "banks/bank_packing.h"
#include "midi/transfer_engine.h"
#include "midi/transfer_state.h"
#include "base/working_blocks.h"
#include "shell/export_file.h"
#include "shell/syx_commands.h"
#include "tests/banks/bank_test_support.h"
#include "tests/midi/midi_test_support.h"

namespace {

class SyxFileTest : public BankTest {
  protected:
    void SetUp() override {
        BankTest::SetUp();
        ResetMidiForTest(1, 1);
        HeadlessMessages().quiet = 1;
        gImportSyxFile = ImportSyxFile;
    }
    void TearDown() override {
        HeadlessMidiOnSend(nullptr);
        gImportSyxFile = nullptr;
        BankTest::TearDown();
    }

    // A user bank whose every value differs from preset to preset.
    int FilledBank() {
        const int bank = NewBank();
        for (int p = 0; p < 4; p++) {
            PresetRecord& r = Preset(bank, p);
            for (int c = 0; c < 3; c++) {
                r.controls[c].channel = (p + c) % 16;
                r.controls[c].midiCc = 10 * p + c + 150;  // nibble-packed: above 127 travels
                r.controls[c].msb = p + 20;
                r.controls[c].lsb = c + 40;
                if (c == 2) r.controls[c].program = p + 60;
            }
            r.variables[0] = p;
            r.variables[1] = -p;
            r.zones[1][0] = 30 + p;
        }
        return bank;
    }

    std::vector<uint8_t> Export(int bank, const uint8_t* only = nullptr) {
        std::vector<uint8_t> bytes;
        BuildSyxExport(gDevice, *gBanks.entries[bank].data, only, kAllDevices, &bytes);
        return bytes;
    }

    std::string WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
        return folder_.Write(name, std::string(bytes.begin(), bytes.end()));
    }

    ::testing::AssertionResult SameAssignments(const PresetRecord& a, const PresetRecord& b) {
        for (int c = 0; c < 3; c++) {
            const PresetControl &x = a.controls[c], &y = b.controls[c];
            if (x.channel != y.channel || x.midiCc != y.midiCc || x.msb != y.msb ||
                x.lsb != y.lsb || (c == 2 && x.program != y.program))
                return ::testing::AssertionFailure() << "control " << c;
        }
        if (a.variables[0] != b.variables[0] || a.variables[1] != b.variables[1] ||
            a.zones[1][0] != b.zones[1][0])
            return ::testing::AssertionFailure() << "variables or zones";
        return ::testing::AssertionSuccess();
    }
};

// Export as SysEx writes, byte for byte, what Send to Device sends for the
// bank (device number included); with selected presets, only theirs.
TEST_F(SyxFileTest, ExportIsWhatSendToDeviceSends) {
    const int bank = FilledBank();
    gDeviceNumber = 5;
    HeadlessMidiOnSend([](int, const uint8_t* bytes, int length) {
        if (length > kShortMessageSize) Deliver(DeviceShortMessage(0x7F, bytes[7]));
    });
    PackBankAs(gDevice, gBanks.entries[bank].data, kExchangeSlot);
    ASSERT_EQ(SendAllPresets(kExchangeSlot), 1);
    std::vector<uint8_t> sent;
    for (const auto& m : SentMessages()) sent.insert(sent.end(), m.begin(), m.end());
    ASSERT_EQ(SentMessages().size(), 4u * 18u);  // every preset, zones included

    gSelection.presets[1] = gSelection.presets[3] = 1;
    HeadlessMessages().answers.push_back(kIdNo);  // not only the selected: the whole bank
    // Before its first export, a dialog starts where the bank dialogs start.
    ASSERT_NE(gFileIo, nullptr);
    CopyText(gFileIo->initialDir, "/banks/start/");
    EXPECT_STREQ(ExportStartFolder(""), "/banks/start/");
    EXPECT_STREQ(ExportStartFolder("/last/"), "/last/");
    gFileIo->initialDir[0] = '\0';
    const std::string path = folder_.Path("Alpha.syx");
    HeadlessQueueFileChoice(path, 1);
    ASSERT_EQ(ExportSyxCommand(), 1);
    EXPECT_EQ(HeadlessFileDialogs().shown.back().title, "Export as SysEx");
    EXPECT_EQ(ReadFileText(path), std::string(sent.begin(), sent.end()));

    HeadlessMessages().answers.push_back(kIdYes);  // only the two selected
    HeadlessMessages().answers.push_back(kIdYes);  // replace the file
    HeadlessQueueFileChoice(path, 1);
    ASSERT_EQ(ExportSyxCommand(), 1);
    const size_t perPreset = sent.size() / 4;
    std::string selected(sent.begin() + perPreset, sent.begin() + 2 * perPreset);
    selected.append(sent.begin() + 3 * perPreset, sent.end());
    EXPECT_EQ(ReadFileText(path), selected);

    // An open bank's file is not replaced, even when named on purpose.
    const std::string bankFile = folder_.Write("Open bank.xml", "bank bytes");
    CopyText(gBanks.entries[bank].path, bankFile.c_str());
    HeadlessQueueFileChoice(bankFile, 1);
    EXPECT_EQ(ExportSyxCommand(), 0);
    EXPECT_EQ(ReadFileText(bankFile), "bank bytes");
    EXPECT_NE(HeadlessLastStatus().find("is already loaded"), std::string::npos);
    // Nor a protected bank file that is not open: refused as Save As refuses it.
    const std::string romFile = folder_.Write(
        "Rom bank.xml", "<plist><dict><key>preset</key><dict><key>ROM</key><true/></dict></dict></plist>");
    const std::string romBytes = ReadFileText(romFile);
    HeadlessMessages().answers.push_back(kIdYes);  // only the selected
    HeadlessMessages().answers.push_back(kIdYes);  // replace it, were it asked
    HeadlessQueueFileChoice(romFile, 1);
    EXPECT_EQ(ExportSyxCommand(), 0);
    EXPECT_EQ(ReadFileText(romFile), romBytes);
    HeadlessMessages().answers.clear();
    // A name taken by something that cannot be read (a file another program
    // holds open, a link to nothing) is asked about all the same.
    const std::string held = folder_.Path("Held.syx");
    ASSERT_EQ(symlink(folder_.Path("nowhere").c_str(), held.c_str()), 0);
    HeadlessMessages().answers.push_back(kIdYes);  // only the selected
    HeadlessMessages().answers.push_back(kIdNo);   // do not replace it
    HeadlessQueueFileChoice(held, 1);
    EXPECT_EQ(ExportSyxCommand(), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(held));
    HeadlessMessages().answers.clear();
    gDeviceNumber = kAllDevices;

    // The name proposed is one a file can have, whatever the bank's name.
    CopyText(gBanks.entries[bank].data->name, "Live: A/B?");
    HeadlessQueueFileCancel();
    EXPECT_EQ(ExportSyxCommand(), 0);
    EXPECT_EQ(HeadlessFileDialogs().shown.back().proposed, "Live_ A_B_.syx");
}

// A whole dump with other traffic between its messages loads as a new user
// bank named after the file, current, changed and undoable; the presets come
// back as they were sent, named as a download names them.
TEST_F(SyxFileTest, AWholeDumpAmidOtherMessagesBecomesANewBank) {
    const int original = FilledBank();
    const std::vector<uint8_t> dump = Export(original);
    uint8_t reply[kIdentityReplySize];
    BuildIdentityReply(0x7F, 0x0A4D, kAlphaPid, reply);
    std::vector<uint8_t> file(reply, reply + kIdentityReplySize);
    const uint8_t otherMaker[] = {0xF0, 0x41, 0x10, 0x42, 0x12, 0x01, 0xF7};
    const uint8_t stray[] = {0x90, 0x3C, 0x40, 0xFE, 0x80, 0x3C};  // notes, active sensing
    // Preset 1 of another bank, as a model of another Group ID would send it.
    const int differing = NewBank();
    std::vector<uint8_t> otherModel = Export(differing);
    otherModel.resize(std::find(otherModel.begin(), otherModel.end(), 0xF7) - otherModel.begin() + 1);
    otherModel[4] = 0x22;
    size_t half = 0;
    while (half < dump.size() / 2 || dump[half - 1] != 0xF7) half++;
    file.insert(file.end(), dump.begin(), dump.begin() + half);
    file.insert(file.end(), otherMaker, otherMaker + sizeof otherMaker);
    file.insert(file.end(), otherModel.begin(), otherModel.end());
    // A cancel the capture caught from the exchange is passed over too.
    uint8_t cancel[9];
    file.insert(file.end(), cancel, cancel + BuildShortMessage(kCommandCancel, 2, 33, 0x7F, cancel));
    file.insert(file.end(), stray, stray + sizeof stray);
    file.insert(file.end(), dump.begin() + half, dump.end());
    const std::string path = WriteBytes("Live Set.syx", file);

    const int before = gBanks.count;
    HeadlessQueueFileChoice(path, kFilterSyxFile);
    ASSERT_EQ(LoadBankCommand(), 1);
    ASSERT_EQ(gBanks.count, before + 1);
    const int bank = gBanks.current;
    const BankEntry& entry = gBanks.entries[bank];
    EXPECT_STREQ(entry.displayName, "Live Set");
    EXPECT_EQ(entry.kind, BankKind::User);
    EXPECT_NE(entry.changeCount, 0);
    for (int p = 0; p < 4; p++) {
        EXPECT_TRUE(SameAssignments(Preset(bank, p), Preset(original, p))) << p;
        EXPECT_EQ(std::string(Preset(bank, p).name), "Memory Received " + std::to_string(p + 1));
    }
    EXPECT_EQ(std::string(gLastBankPath), path);
    EXPECT_EQ(gUndo.entries[gUndo.current].kind, UndoKind::Loading);
    // Exported again, the bank gives the same file without the other traffic.
    EXPECT_EQ(Export(bank), dump);

    // Opened with the program from Explorer, a file is read by its extension.
    const std::string named = WriteBytes("From Explorer.SYX", file);
    ASSERT_EQ(OpenNamedFile(named.c_str()), 1);
    EXPECT_STREQ(gBanks.entries[gBanks.current].displayName, "From Explorer");
    // Typed in the load dialog while it lists bank files, the name is read as
    // the SysEx file it names, not as "Typed.xml".
    const std::string typed = WriteBytes("Typed.syx", file);
    HeadlessQueueFileChoice(typed, kFilterBankFile);
    ASSERT_EQ(LoadBankCommand(), 1);
    EXPECT_STREQ(gBanks.entries[gBanks.current].displayName, "Typed");
    EXPECT_EQ(std::string(gLastBankPath), typed);

    // Two dumps one after the other: the first is the bank, and the user
    // learns that the rest was not read.
    std::vector<uint8_t> twice = dump;
    twice.insert(twice.end(), dump.begin(), dump.end());
    const std::string two = WriteBytes("Two Banks.syx", twice);
    ASSERT_EQ(OpenNamedFile(two.c_str()), 1);
    EXPECT_EQ(HeadlessLastStatus(), "Only the first bank in " + two +
                                        " was read: the file holds more presets than one bank");

    // One dump with its first and last messages sent again (as after a retry) is one bank.
    size_t first = 0;
    while (dump[first] != 0xF7) first++;
    size_t last = dump.size() - 1;
    while (dump[last - 1] != 0xF7) last--;
    std::vector<uint8_t> resent(dump.begin(), dump.begin() + first + 1);
    resent.insert(resent.end(), dump.begin(), dump.end());
    resent.insert(resent.end(), dump.begin() + last, dump.end());
    HeadlessMessages().statusTexts.clear();
    ASSERT_EQ(OpenNamedFile(WriteBytes("Resent.syx", resent).c_str()), 1);
    EXPECT_EQ(HeadlessLastStatus().find("Only the first bank"), std::string::npos);

    // A download tried again after a failed first attempt, and a bank after
    // one that lacks messages: the later dump is read afresh, never filled
    // into the earlier one.
    std::vector<uint8_t> retried(dump.begin(), dump.begin() + half);
    retried.insert(retried.end(), dump.begin(), dump.end());
    ASSERT_EQ(OpenNamedFile(WriteBytes("Retried.syx", retried).c_str()), 1);
    for (int p = 0; p < 4; p++) {
        EXPECT_TRUE(SameAssignments(Preset(gBanks.current, p), Preset(original, p))) << p;
    }
    const std::vector<uint8_t> another = Export(differing);
    std::vector<uint8_t> gap(dump.begin() + first + 1, dump.end());  // without its first message
    gap.insert(gap.end(), another.begin(), another.end());
    ASSERT_EQ(OpenNamedFile(WriteBytes("Gap.syx", gap).c_str()), 1);
    for (int p = 0; p < 4; p++) {
        EXPECT_TRUE(SameAssignments(Preset(gBanks.current, p), Preset(differing, p))) << p;
    }
    // A bank lacking a message of preset 3, then one lacking its first message.
    std::vector<std::vector<uint8_t>> messages;
    for (size_t at = 0; at < dump.size();) {
        size_t end = at;
        while (dump[end] != 0xF7) end++;
        messages.emplace_back(dump.begin() + at, dump.begin() + end + 1);
        at = end + 1;
    }
    std::vector<uint8_t> both;
    for (size_t i = 0; i < messages.size(); i++) {
        if (i != 2 * messages.size() / 4 + 1) both.insert(both.end(), messages[i].begin(), messages[i].end());
    }
    both.insert(both.end(), another.begin() + first + 1, another.end());
    HeadlessMessages().answers.push_back(kIdYes);  // the whole presets as a new bank
    ASSERT_EQ(OpenNamedFile(WriteBytes("Both.syx", both).c_str()), 1);
    for (int p = 1; p < 4; p++) {
        EXPECT_TRUE(SameAssignments(Preset(gBanks.current, p), Preset(differing, p))) << p;
    }
    HeadlessMessages().answers.clear();
}

// Single presets: offered as a new bank with those presets in their places
// and the rest as a new bank has them; No loads nothing.
TEST_F(SyxFileTest, SomePresetsOnlyAreOfferedAsANewBank) {
    const int original = FilledBank();
    const uint8_t only[kMaxPresets] = {0, 1, 0, 1};
    const std::string path = WriteBytes("Two.syx", Export(original, only));
    const int fresh = NewBank();

    HeadlessMessages().answers.push_back(kIdNo);
    EXPECT_EQ(ImportSyxFile(path.c_str()), kSxlNoBank);
    EXPECT_EQ(gBanks.count, 2);
    EXPECT_EQ(HeadlessMessages().boxes.back().text,
              path +
                  " holds 2 whole presets, not a whole bank. Import them as a new bank, the "
                  "other presets as a new bank has them?");

    HeadlessMessages().answers.push_back(kIdYes);
    const int bank = ImportSyxFile(path.c_str());
    ASSERT_EQ(bank, 2);
    for (int p : {1, 3}) EXPECT_TRUE(SameAssignments(Preset(bank, p), Preset(original, p))) << p;
    for (int p : {0, 2}) {
        EXPECT_TRUE(SameAssignments(Preset(bank, p), Preset(fresh, p))) << p;
        EXPECT_STREQ(Preset(bank, p).name, Preset(fresh, p).name);
    }

    // The presets of a file in any order: the last one first does not end
    // the reading before the others.
    const uint8_t last[kMaxPresets] = {0, 0, 0, 1};
    const uint8_t first[kMaxPresets] = {1, 0, 0, 0};
    std::vector<uint8_t> bytes = Export(original, last);
    const std::vector<uint8_t> more = Export(original, first);
    bytes.insert(bytes.end(), more.begin(), more.end());
    const std::string mixed = WriteBytes("Mixed.syx", bytes);
    HeadlessMessages().answers.push_back(kIdYes);
    const int both = ImportSyxFile(mixed.c_str());
    ASSERT_GE(both, 0);
    EXPECT_NE(HeadlessMessages().boxes.back().text.find("holds 2 whole presets"), std::string::npos);
    for (int p : {0, 3}) EXPECT_TRUE(SameAssignments(Preset(both, p), Preset(original, p))) << p;

    // A preset twice among them: the others read before it stay.
    const uint8_t second[kMaxPresets] = {0, 1, 0, 0};
    const uint8_t third[kMaxPresets] = {0, 0, 1, 0};
    std::vector<uint8_t> again = Export(original, second);
    for (const uint8_t* only : {third, second}) {
        const std::vector<uint8_t> one = Export(original, only);
        again.insert(again.end(), one.begin(), one.end());
    }
    HeadlessMessages().answers.push_back(kIdYes);
    ASSERT_GE(ImportSyxFile(WriteBytes("Again.syx", again).c_str()), 0);
    EXPECT_NE(HeadlessMessages().boxes.back().text.find("holds 2 whole presets"), std::string::npos);
}

// Nothing usable, a model nobody has, a file too large: a message that says
// what was found, and no bank, file or model changed.
TEST_F(SyxFileTest, AFileWithNothingUsableSaysWhatItHolds) {
    const int bank = FilledBank();
    std::vector<uint8_t> dump = Export(bank);
    uint8_t reply[kIdentityReplySize];
    BuildIdentityReply(0x7F, 0x0A4D, kAlphaPid, reply);
    std::vector<uint8_t> file(reply, reply + kIdentityReplySize);
    const uint8_t otherMaker[] = {0xF0, 0x41, 0x10, 0x42, 0x12, 0x01, 0xF7};
    file.insert(file.end(), otherMaker, otherMaker + sizeof otherMaker);
    // The first preset's first three messages, then one cut in the middle.
    size_t end = 0;
    for (int messages = 0; messages < 3; end++) messages += dump[end] == 0xF7;
    file.insert(file.end(), dump.begin(), dump.begin() + end + 6);
    const std::string path = WriteBytes("Scraps.syx", file);
    const std::string before = ReadFileText(path);

    EXPECT_EQ(ImportSyxFile(path.c_str()), kSxlNoBank);
    EXPECT_EQ(gBanks.count, 1);
    EXPECT_EQ(HeadlessLastStatus(),
              "Nothing to import from " + path +
                  ": 5 SysEx messages: 3 Corvanith data messages, 0 Corvanith handshake "
                  "messages, 1 identity messages, 1 of other makers; no preset in it is whole");
    EXPECT_EQ(ReadFileText(path), before);

    for (size_t i = 0; i + 4 < dump.size(); i++)
        if (dump[i] == 0xF0) dump[i + 4] = 0x50;  // a Group ID no model has
    EXPECT_EQ(ImportSyxFile(WriteBytes("Foreign.syx", dump).c_str()), kSxlNoBank);
    EXPECT_EQ(HeadlessLastStatus(), folder_.Path("Foreign.syx") +
                                        " holds data messages for Group ID 80, which no device "
                                        "definition has");

    const std::string huge = WriteBytes("Huge.syx", std::vector<uint8_t>(kMaxSyxFileSize + 1));
    EXPECT_EQ(ImportSyxFile(huge.c_str()), kSxlNotRead);
    EXPECT_EQ(HeadlessLastStatus(), huge + " is larger than 1 MB, too large for a SysEx file");
    EXPECT_EQ(gBanks.count, 1);
    EXPECT_EQ(gDevice.pid, kAlphaPid);
}

}  // namespace
