// SysEx Librarian files: both generations into the exchange slot, the header
// checks, and the import into a new user bank.
#include "banks/sxl_file.h"

#include <cstring>
#include <string>
#include <vector>

#include "banks/packed_image.h"
#include "tests/banks/bank_test_support.h"

namespace {

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; i++) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

std::vector<uint8_t> SxlHeader(const char* magic, size_t size, uint32_t headerLength = 12) {
    std::vector<uint8_t> bytes(size, 0);
    memcpy(bytes.data(), magic, 4);
    PutU32(bytes, 4, 0xdeadbeef);  // ignored
    PutU32(bytes, 8, headerLength);
    return bytes;
}

// A current-generation file whose preset p carries p + 1 in every value byte
// and the name "P<p>".
std::vector<uint8_t> Syx2File() {
    std::vector<uint8_t> bytes = SxlHeader("syx2", kSxl2FileSize);
    for (int p = 0; p < 128; p++) {
        uint8_t* image = bytes.data() + kSxlHeaderSize + p * kPackedPresetSize;
        memset(image, p + 1, kPackedPresetSize);
        memset(image, 0, kPackedNameSize);
        snprintf(reinterpret_cast<char*>(image), kPackedNameSize, "P%d", p);
    }
    return bytes;
}

// An older file: record r holds, in each field, 10 * (field number + 1) + r.
std::vector<uint8_t> Syx1File() {
    static const int kFieldOffsets[] = {0, 32, 65, 98, 131, 164, 178, 192, 206, 220, 234, 238};
    std::vector<uint8_t> bytes = SxlHeader("syx1", kSxl1FileSize);
    for (int r = 0; r < 33; r++) {
        uint8_t* record = bytes.data() + kSxlHeaderSize + r * kSxl1RecordSize;
        for (int f = 1; f < 11; f++) {
            memset(record + kFieldOffsets[f], 10 * (f + 1) + r,
                   kFieldOffsets[f + 1] - kFieldOffsets[f]);
        }
        // A name that fills its 32 bytes without a terminator.
        memset(record, 'A' + (r % 26), 32);
    }
    return bytes;
}

class SxlFileTest : public BankTest {
  protected:
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        return folder_.Write(name, std::string(bytes.begin(), bytes.end()));
    }
};

TEST_F(SxlFileTest, CurrentGenerationFillsTheSlotImageForImage) {
    std::string path = Write("bank.sxl", Syx2File());
    memset(&gPackedStore.slots[0], 0x55, sizeof(PackedBank));
    ASSERT_EQ(ReadSxlFile(path.c_str(), 0), kSxlRead);
    for (int p : {0, 64, 127}) {
        const PackedPreset& image = gPackedStore.slots[0].presets[p];
        EXPECT_EQ(image.bytes[kPackedLinearMidiCc], p + 1) << p;
        EXPECT_EQ(image.bytes[kPackedPresetSize - 1], p + 1) << p;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.bytes)), "P" + std::to_string(p));
    }
}

TEST_F(SxlFileTest, OlderGenerationIsConvertedAndTheRestCleared) {
    std::string path = Write("old.sxl", Syx1File());
    memset(&gPackedStore.slots[0], 0x55, sizeof(PackedBank));
    ASSERT_EQ(ReadSxlFile(path.c_str(), 0), kSxlRead);
    const PackedBank& slot = gPackedStore.slots[0];
    // Record 5, field by field, at its place in today's layout.
    const uint8_t* image = slot.presets[5].bytes;
    struct Expect {
        int offset, count, value;
    };
    const Expect fields[] = {{32, 33, 25},    {160, 33, 35}, {288, 33, 45}, {416, 33, 55},
                             {544, 14, 65},   {672, 14, 75}, {800, 14, 85}, {928, 14, 95},
                             {1056, 14, 105}, {1184, 4, 115}};
    for (const Expect& e : fields) {
        EXPECT_EQ(image[e.offset], e.value) << e.offset;
        EXPECT_EQ(image[e.offset + e.count - 1], e.value) << e.offset;
        EXPECT_EQ(image[e.offset + e.count], 0) << e.offset;  // the rest of the group is zero
    }
    EXPECT_EQ(image[PackedZoneOffset(0, 0)], 0);
    EXPECT_EQ(strlen(reinterpret_cast<const char*>(image)), 31u);  // terminated within its field
    EXPECT_EQ(slot.presets[32].bytes[32], 10 * 2 + 32);
    for (int p = 33; p < 128; p++) {
        const uint8_t* rest = slot.presets[p].bytes;
        bool zero = true;
        for (int i = 0; i < kPackedPresetSize; i++) zero = zero && rest[i] == 0;
        EXPECT_TRUE(zero) << p;
    }
}

TEST_F(SxlFileTest, WrongHeadersAreNotSysExLibrarianFiles) {
    std::vector<uint8_t> wrongMagic = Syx2File();
    memcpy(wrongMagic.data(), "syx3", 4);
    std::vector<uint8_t> longHeader = Syx2File();
    PutU32(longHeader, 8, 16);
    std::vector<uint8_t> shortSyx2 = Syx2File();
    shortSyx2.resize(kSxl2FileSize - 1);
    std::vector<uint8_t> shortSyx1 = Syx1File();
    shortSyx1.resize(kSxl1FileSize - 100);
    std::vector<uint8_t> tiny = {'s', 'y', 'x', '2'};
    memset(&gPackedStore.slots[0], 0x55, sizeof(PackedBank));
    int n = 0;
    for (const auto& bytes : {wrongMagic, longHeader, shortSyx2, shortSyx1, tiny}) {
        std::string path = Write("bad" + std::to_string(n++) + ".sxl", bytes);
        EXPECT_EQ(ReadSxlFile(path.c_str(), 0), kSxlNotSxl) << path;
        EXPECT_EQ(HeadlessLastStatus(), path + " is not an Corvanith SysEx Librarian File");
    }
    EXPECT_EQ(gPackedStore.slots[0].presets[0].bytes[0], 0x55);  // the slot is untouched

    EXPECT_EQ(ReadSxlFile(folder_.Path("absent.sxl").c_str(), 0), kSxlNotRead);
    // A longer file than its generation needs is read; the rest is ignored.
    std::vector<uint8_t> longer = Syx2File();
    longer.resize(kSxl2FileSize + 5000, 0xee);
    EXPECT_EQ(ReadSxlFile(Write("longer.sxl", longer).c_str(), 0), kSxlRead);
}

TEST_F(SxlFileTest, ImportMakesAChangedUserBankNamedAfterTheFile) {
    std::string path = Write("Vintage Set.sxl", Syx2File());
    int bank = ImportSxlFile(path.c_str());
    ASSERT_EQ(bank, 0);
    const BankEntry& entry = gBanks.entries[bank];
    EXPECT_STREQ(entry.displayName, "Vintage Set");
    EXPECT_EQ(std::string(entry.path), UserBankFile("Vintage Set"));
    EXPECT_EQ(entry.kind, BankKind::User);
    EXPECT_EQ(entry.hasFile, 0);
    EXPECT_NE(entry.changeCount, 0);
    EXPECT_EQ(gBanks.current, bank);
    // Unpacked by Alpha's definition: two linear controls, one button.
    const PresetRecord& p = entry.data->presets[2];
    EXPECT_STREQ(p.name, "P2");
    EXPECT_EQ(p.controls[0].midiCc, 3);
    EXPECT_EQ(p.controls[2].program, 3);
    EXPECT_EQ(p.changed, 1);
    EXPECT_EQ(HeadlessMessages().popupsShown.back(), "Reading " + path);
    // Undoable: "Loading of" removes it again.
    ASSERT_EQ(gUndo.current, 0);
    EXPECT_EQ(gUndo.entries[0].kind, UndoKind::Loading);
    Undo();
    EXPECT_EQ(gBanks.count, 0);

    // A second import of the same name gets a number.
    ImportSxlFile(path.c_str());
    int again = ImportSxlFile(path.c_str());
    EXPECT_STREQ(gBanks.entries[again].displayName, "Vintage Set 2");

    // A name longer than a bank's path can hold is cut to fit, so that its
    // file keeps its ".xml" (the next start opens only those).
    const std::string stem(240, 'L');
    const int longer = ImportSxlFile(Write(stem + ".sxl", Syx2File()).c_str());
    ASSERT_GE(longer, 0);
    const std::string name = gBanks.entries[longer].displayName;
    EXPECT_EQ(stem.compare(0, name.size(), name), 0);
    const std::string written = gBanks.entries[longer].path;
    EXPECT_EQ(written, UserBankFile(name.c_str()));
    // Written beside itself under ".new" first, within what Windows' file calls take.
    EXPECT_LT(written.size() + strlen(".new"), 260u);
}

TEST_F(SxlFileTest, OlderGenerationLeavesWhatItLacksAsANewBankHasIt) {
    // Alpha with 40 presets, more than the older generation's 33.
    std::string forty = AlphaDefinition();
    const std::string count = "<key>count</key><integer>4</integer>";
    forty.replace(forty.find(count), count.size(), "<key>count</key><integer>40</integer>");
    folder_.Write("Devices/Alpha.eld/definition.xml", forty);
    ASSERT_TRUE(SwitchDevice(kBetaPid));
    ASSERT_TRUE(SwitchDevice(kAlphaPid));
    ASSERT_EQ(gDevice.presetCount, 40);
    const PresetRecord made = gBanks.entries[NewUserBank()].data->presets[0];

    const int bank = ImportSxlFile(Write("Old.sxl", Syx1File()).c_str());
    ASSERT_GE(bank, 0);
    const PresetRecord& held = gBanks.entries[bank].data->presets[5];
    EXPECT_EQ(held.controls[0].midiCc, 35);
    EXPECT_EQ(held.zones[0][1], made.zones[0][1]);  // the older files hold no zones
    const PresetRecord& lacked = gBanks.entries[bank].data->presets[35];
    EXPECT_STREQ(lacked.name, made.name);
    EXPECT_EQ(lacked.controls[0].channel, made.controls[0].channel);
    EXPECT_EQ(lacked.controls[2].midiCc, made.controls[2].midiCc);
    EXPECT_EQ(lacked.variables[1], made.variables[1]);
}

TEST_F(SxlFileTest, TheLoadCommandImportsTheSecondFilter) {
    std::string path = Write("Old.sxl", Syx1File());
    HeadlessQueueFileChoice(path, 2);
    ASSERT_EQ(LoadBankCommand(), 1);
    EXPECT_EQ(gBanks.count, 1);
    EXPECT_EQ(std::string(gLastBankPath), path);

    std::string bad = Write("Bad.sxl", std::vector<uint8_t>(20, 0));
    HeadlessQueueFileChoice(bad, 2);
    EXPECT_EQ(LoadBankCommand(), 0);
    EXPECT_EQ(std::string(gLastBankPath), path);  // only remembered when read

    // A file that cannot be opened ends the command without a word.
    HeadlessMessages().statusTexts.clear();
    HeadlessMessages().popupsShown.clear();
    EXPECT_EQ(ImportSxlFile((bad + ".gone").c_str()), kSxlNotRead);
    EXPECT_TRUE(HeadlessMessages().statusTexts.empty());
    EXPECT_TRUE(HeadlessMessages().popupsShown.empty());
}

TEST(SxlParseTest, ParsingNeverReadsPastTheImage) {
    PackedBank out;
    std::vector<uint8_t> header = SxlHeader("syx2", 12);
    for (size_t n = 0; n <= header.size(); n++) {
        EXPECT_EQ(ParseSxlImage(header.data(), n, &out), kSxlNotSxl) << n;
    }
    EXPECT_EQ(ParseSxlImage(nullptr, 0, &out), kSxlNotSxl);
}

}  // namespace
