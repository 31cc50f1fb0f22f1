// Bank files: the exact document the writer produces, what the reader makes of
// missing keys, odd values and oversized contents, the device switch, the
// safe replacement of the old file, and the texts the writer makes itself.
#include <cstring>
#include <string>

#include "headless/whole_file_headless.h"
#include "plist/plist_xml.h"
#include "tests/banks/bank_document_tree.h"
#include "tests/banks/bank_test_support.h"

namespace {

// The document around a `preset` dictionary body (plain XML, any layout).
std::string BankDocument(const std::string& presetBody) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
           "<key>preset</key><dict>" +
           presetBody + "</dict></dict></plist>\n";
}

std::string AlphaHeader(const std::string& extra = "<key>read only</key><false/>") {
    return "<key>name</key><string>Test</string><key>PID</key><integer>100</integer>" + extra;
}

class BankFileTest : public BankTest {
  protected:
    std::string WriteBank(const std::string& name, const std::string& presetBody) {
        return folder_.Write("User Preset Banks/" + name + ".xml", BankDocument(presetBody));
    }
};

TEST_F(BankFileTest, WriterProducesTheDocumentByteForByte) {
    ASSERT_TRUE(SwitchDevice(kBetaPid));
    BankEntry entry = {};
    strcpy(entry.path, UserBankFile("Gig").c_str());
    strcpy(entry.displayName, "Gig");
    entry.kind = BankKind::User;
    entry.pid = kBetaPid;
    BankData* data = AllocBankData();
    data->pid = kBetaPid;
    strcpy(data->name, "old name");  // the entry's display name wins
    strcpy(data->created, "1:2:3:4:2020");
    data->uniqueId = 77;
    data->readOnly = 1;
    data->rom = 1;
    PresetRecord& one = data->presets[0];
    strcpy(one.name, "One");
    one.controlCount = 1;
    one.controls[0] = {-1, 2, 10, 5, 0, 3, ""};
    PresetRecord& two = data->presets[1];
    strcpy(two.name, "Caf\xe9");
    two.controlCount = 1;
    two.controls[0] = {65537, 15, 255, 0, 127, 0, "Tom & Jerry"};
    int bank = InsertBank(0, entry, data);
    FreeBankData(data);
    ASSERT_EQ(bank, 0);

    ASSERT_EQ(WriteBankFile(bank), 1);
    std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple Computer//DTD PLIST 1.0//EN\" \"" +
        std::string(kPlistDtdUrl) +
        "\">\r\n"
        "<plist version=\"1.0\">\r\n"
        "<dict>\r\n"
        "\t<key>preset</key><dict>\r\n"
        "\t\t<key>name</key><string>Gig</string>\r\n"
        "\t\t<key>created</key><string>1:2:3:4:2020</string>\r\n"
        "\t\t<key>PID</key><integer>200</integer>\r\n"
        "\t\t<key>VID</key><integer>7</integer>\r\n"
        "\t\t<key>Group ID</key><integer>16</integer>\r\n"
        "\t\t<key>unique id</key><integer>77</integer>\r\n"
        "\t\t<key>read only</key><false/>\r\n"
        "\t\t<key>ROM</key><false/>\r\n"
        "\t\t<key>presets</key><array>\r\n"
        "\t\t\t<dict>\r\n"
        "\t\t\t\t<key>name</key><string>One</string>\r\n"
        "\t\t\t\t<key>variables</key><array/>\r\n"
        "\t\t\t\t<key>controls</key><array>\r\n"
        "\t\t\t\t\t<dict>\r\n"
        "\t\t\t\t\t\t<key>channel</key><integer>2</integer>\r\n"
        "\t\t\t\t\t\t<key>MIDICC</key><integer>10</integer>\r\n"
        // The fader's type names no program, which reads as -1: non-zero.
        "\t\t\t\t\t\t<key>program</key><integer>5</integer>\r\n"
        "\t\t\t\t\t\t<key>msb</key><integer>0</integer>\r\n"
        "\t\t\t\t\t\t<key>lsb</key><integer>3</integer>\r\n"
        "\t\t\t\t\t</dict>\r\n"
        "\t\t\t\t</array>\r\n"
        "\t\t\t</dict>\r\n"
        "\t\t\t<dict>\r\n"
        "\t\t\t\t<key>name</key><string>Caf\xc3\xa9</string>\r\n"
        "\t\t\t\t<key>variables</key><array/>\r\n"
        "\t\t\t\t<key>controls</key><array>\r\n"
        "\t\t\t\t\t<dict>\r\n"
        "\t\t\t\t\t\t<key>origin</key><integer>65537</integer>\r\n"
        "\t\t\t\t\t\t<key>channel</key><integer>15</integer>\r\n"
        "\t\t\t\t\t\t<key>MIDICC</key><integer>255</integer>\r\n"
        "\t\t\t\t\t\t<key>program</key><integer>0</integer>\r\n"
        "\t\t\t\t\t\t<key>msb</key><integer>127</integer>\r\n"
        "\t\t\t\t\t\t<key>lsb</key><integer>0</integer>\r\n"
        "\t\t\t\t\t\t<key>desc</key><string>Tom &amp; Jerry</string>\r\n"
        "\t\t\t\t\t</dict>\r\n"
        "\t\t\t\t</array>\r\n"
        "\t\t\t</dict>\r\n"
        "\t\t</array>\r\n"
        "\t</dict>\r\n"
        "</dict>\r\n"
        "</plist>\r\n";
    EXPECT_EQ(ReadFileText(UserBankFile("Gig")), expected);
    EXPECT_EQ(gBanks.entries[0].hasFile, 1);
    EXPECT_STREQ(gBanks.entries[0].data->name, "Gig");
    EXPECT_EQ(gBanks.entries[0].data->readOnly, 0);
    EXPECT_EQ(gBanks.entries[0].data->presetCountInFile, 2);
    EXPECT_FALSE(FileThere(UserBankFile("Gig") + ".new"));
}

// The bank is written element by element; the tree it can also be built as is the
// reference layout. A full bank with every kind of value and text, and zone fields with and
// without tags, must come out the same both ways.
TEST_F(BankFileTest, DirectWriterMatchesTheTreeForAFullBank) {
    int bank = NewBank();
    gDevice.presetCount = kMaxPresets;
    for (int p = 0; p < kMaxPresets; p++) {
        PresetRecord& preset = Preset(bank, p);
        snprintf(preset.name, sizeof preset.name, "P%d <&> \"'\xe9\x01\t\n\r", p);
        preset.variableCount = p % 4 == 3 ? 0 : 3;
        for (int v = 0; v < kMaxVariables; v++) preset.variables[v] = p * 3 - v;
        for (int z = 0; z < kMaxZones; z++) {
            for (int f = 0; f < kMaxZoneFields; f++) preset.zones[z][f] = (z * 12 + f + p) % 128;
        }
        preset.controlCount = p % 5 == 4 ? 0 : 3;
        for (int c = 0; c < kMaxControls; c++) {
            PresetControl& control = preset.controls[c];
            const int32_t origins[] = {-1, 0, -7, 65536 * c + p};
            control = {origins[c % 4], p % 16, (p + c) % 256, c, p % 128, INT32_MIN + p, ""};
            if (c % 2) snprintf(control.desc, sizeof control.desc, "Ctl %d \xbd&", c);
        }
    }
    auto direct = [&] {
        std::string text;
        PlistSink sink = PlistStringSink(&text);
        EXPECT_EQ(WriteBankDocument(bank, &sink), 0);
        return text;
    };
    auto tree = [&] {
        std::string text;
        PlistSink sink = PlistStringSink(&text);
        PlistNode* root = BuildBankDocument(bank);
        EXPECT_EQ(WritePlist(root, &sink, kWriteDocument), 0);
        DestroyTree(root);
        return text;
    };
    std::string all = direct();
    EXPECT_EQ(all, tree());
    EXPECT_GT(all.size(), 100000u);
    // The second zone field loses its tag, then the first as well (empty zone dicts).
    gDevice.sysexFields[1].tagName[0] = '\0';
    EXPECT_EQ(direct(), tree());
    gDevice.sysexFields[0].tagName[0] = '\0';
    EXPECT_EQ(direct(), tree());
    // And a bank written to its file is the same document.
    ASSERT_EQ(WriteBankFile(bank), 1);
    EXPECT_EQ(ReadFileText(gBanks.entries[bank].path), tree());
}

TEST_F(BankFileTest, WrittenBankReadsBackFieldForField) {
    int bank = NewBank();
    BankData& data = *gBanks.entries[bank].data;
    PresetRecord& p = data.presets[3];
    strcpy(p.name, "\xc9t\xe9");  // "Été" in Latin-1
    p.variables[0] = 3;
    p.variables[1] = -7;
    p.zones[1][0] = 36;
    p.zones[1][1] = 60;
    p.controls[2] = {131073, 9, 40, 12, 1, 2, "Snare \xbd"};
    p.controls[0].origin = -1;
    ASSERT_EQ(WriteBankFile(bank), 1);

    BankData* read = AllocBankData();
    ASSERT_EQ(ReadBankFile(gBanks.entries[bank].path, read, true), 1);
    EXPECT_STREQ(read->name, gBanks.entries[bank].displayName);
    EXPECT_STREQ(read->created, data.created);
    EXPECT_EQ(read->pid, kAlphaPid);
    EXPECT_EQ(read->vid, 7);
    EXPECT_EQ(read->groupId, 33);
    EXPECT_EQ(read->uniqueId, data.uniqueId);
    EXPECT_NE(read->uniqueId, 0);
    EXPECT_EQ(read->readOnly, 0);
    EXPECT_EQ(read->rom, 0);
    EXPECT_EQ(read->deviceUniqueId, -1);  // not written
    EXPECT_EQ(read->presetCountInFile, 4);
    const PresetRecord& q = read->presets[3];
    EXPECT_STREQ(q.name, "\xc9t\xe9");
    EXPECT_EQ(q.variableCount, 3);
    EXPECT_EQ(q.variables[0], 3);
    EXPECT_EQ(q.variables[1], -7);
    EXPECT_EQ(q.zoneFieldCount, 2);
    EXPECT_EQ(q.zones[1][0], 36);
    EXPECT_EQ(q.zones[1][1], 60);
    EXPECT_EQ(q.zones[0][1], 127);
    EXPECT_EQ(q.controlCount, 3);
    EXPECT_EQ(q.controls[2].origin, 131073);
    EXPECT_EQ(q.controls[2].channel, 9);
    EXPECT_EQ(q.controls[2].midiCc, 40);
    EXPECT_EQ(q.controls[2].program, 12);
    EXPECT_EQ(q.controls[2].msb, 1);
    EXPECT_EQ(q.controls[2].lsb, 2);
    EXPECT_STREQ(q.controls[2].desc, "Snare \xbd");
    EXPECT_EQ(q.controls[0].origin, -1);
    // The knob's type has program 0: not stored, so it reads as the default.
    EXPECT_EQ(q.controls[0].program, 0);
    FreeBankData(read);
}

TEST_F(BankFileTest, NamesAreUtf8InTheFileAndLatin1InMemory) {
    int bank = NewBank();
    strcpy(Preset(bank, 0).name, "\xe9");
    ASSERT_EQ(WriteBankFile(bank), 1);
    std::string text = ReadFileText(gBanks.entries[bank].path);
    EXPECT_NE(text.find("<string>\xc3\xa9</string>"), std::string::npos);

    // At most 72 characters are decoded; the field keeps 47 of them.
    std::string longName;
    for (int i = 0; i < 80; i++) longName += "\xc3\xa9";
    WriteBank("Long", AlphaHeader() + "<key>presets</key><array><dict><key>name</key><string>" +
                          longName + "</string></dict></array>");
    BankData* read = AllocBankData();
    ASSERT_EQ(ReadBankFile(UserBankFile("Long").c_str(), read, false), 1);
    EXPECT_EQ(strlen(read->presets[0].name), 47u);
    EXPECT_EQ(static_cast<unsigned char>(read->presets[0].name[46]), 0xe9);
    // A character beyond 8 bits keeps its low 8 bits: U+0141 gives 0x41.
    WriteBank("Wide", AlphaHeader() +
                          "<key>presets</key><array><dict><key>name</key><string>\xc5\x81"
                          "</string></dict></array>");
    ASSERT_EQ(ReadBankFile(UserBankFile("Wide").c_str(), read, false), 1);
    EXPECT_STREQ(read->presets[0].name, "A");
    // Control bytes (a device's name may hold them) survive the file, which
    // cannot hold them as they are.
    strcpy(Preset(bank, 0).name,
           "A\x01"
           "B\x1f\tC");
    strcpy(Preset(bank, 0).controls[0].desc, "\x02");
    ASSERT_EQ(WriteBankFile(bank), 1);
    ASSERT_EQ(ReadBankFile(gBanks.entries[bank].path, read, false), 1);
    EXPECT_STREQ(read->presets[0].name,
                 "A\x01"
                 "B\x1f\tC");
    EXPECT_STREQ(read->presets[0].controls[0].desc, "\x02");
    FreeBankData(read);
}

TEST_F(BankFileTest, MissingKeysTakeTheirDefaults) {
    WriteBank(
        "Sparse",
        "<key>PID</key><integer>100</integer><key>Group ID</key><integer>5</integer>"
        "<key>presets</key><array><dict><key>controls</key><array>"
        "<dict/>"
        "<dict><key>MIDICC</key><integer>-1</integer><key>channel</key><integer>4</integer></dict>"
        "</array></dict></array>");
    BankData* read = AllocBankData();
    ASSERT_EQ(ReadBankFile(UserBankFile("Sparse").c_str(), read, false), 1);
    EXPECT_EQ(read->groupId, 16);   // raised
    EXPECT_EQ(read->readOnly, -1);  // missing: counts as read only
    EXPECT_EQ(read->rom, -1);
    EXPECT_EQ(read->vid, -1);
    EXPECT_EQ(read->uniqueId, -1);
    EXPECT_STREQ(read->name, "");
    const PresetRecord& p = read->presets[0];
    EXPECT_EQ(p.controlCount, 2);
    EXPECT_EQ(p.controls[0].origin, -1);
    EXPECT_EQ(p.controls[0].channel, 1);  // Alpha's defaults
    EXPECT_EQ(p.controls[0].midiCc, 7);
    EXPECT_EQ(p.controls[0].msb, 0);
    EXPECT_EQ(p.controls[1].midiCc, 7);  // -1 counts as missing
    EXPECT_EQ(p.controls[1].channel, 4);
    EXPECT_EQ(p.variableCount, 0);
    EXPECT_EQ(p.zoneFieldCount, 0);  // no `zones`
    FreeBankData(read);

    // Opened as a bank, a file without `read only` becomes a ROM bank.
    int bank = AddBankFromData(UserBankFile("Sparse").c_str(), nullptr);
    ASSERT_GE(bank, 0);
    EXPECT_EQ(gBanks.entries[bank].kind, BankKind::Rom);
}

TEST_F(BankFileTest, EditsToControlsAndSlotsTheFileLackedAreSaved) {
    WriteBank("Short",
              "<key>PID</key><integer>100</integer><key>read only</key><false/>"
              "<key>ROM</key><false/><key>presets</key><array><dict><key>controls</key><array>"
              "<dict><key>MIDICC</key><integer>10</integer></dict></array></dict></array>");
    int bank = AddBankFromData(UserBankFile("Short").c_str(), nullptr);
    ASSERT_GE(bank, 0);
    Preset(bank, 0).controls[2].midiCc = 50;  // beyond the one control listed
    Preset(bank, 0).variables[1] = 5;         // no slot listed at all
    Preset(bank, 3).controls[0].midiCc = 60;  // a preset the file lacked
    ASSERT_EQ(SaveBank(bank), 1);
    BankData* read = AllocBankData();
    ASSERT_EQ(ReadBankFile(UserBankFile("Short").c_str(), read, false), 1);
    EXPECT_EQ(read->presets[0].controls[0].midiCc, 10);
    EXPECT_EQ(read->presets[0].controls[2].midiCc, 50);
    EXPECT_EQ(read->presets[0].variables[1], 5);
    EXPECT_EQ(read->presets[3].controls[0].midiCc, 60);
    // What nobody edited is saved cleared, but assigned from no library (not from library 0),
    // past the model's controls and presets too (a definition may gain them).
    EXPECT_EQ(read->presets[0].controls[1].origin, -1);
    EXPECT_EQ(read->presets[2].controls[0].origin, -1);
    EXPECT_EQ(read->presets[0].controls[kMaxControls - 1].origin, -1);
    EXPECT_EQ(read->presets[kMaxPresets - 1].controls[0].origin, -1);
    FreeBankData(read);
}

TEST_F(BankFileTest, PresetsAFileHoldsPastItsModelAreSavedWithIt) {
    std::string presets;
    for (const char* name : {"One", "Two", "Three", "Four", "Five", "Six"})
        presets += std::string("<dict><key>name</key><string>") + name + "</string></dict>";
    WriteBank("Six",
              "<key>PID</key><integer>100</integer><key>read only</key><false/><key>ROM</key>"
              "<false/><key>presets</key><array>" +
                  presets + "</array>");  // Alpha has four presets
    int bank = AddBankFromData(UserBankFile("Six").c_str(), nullptr);
    ASSERT_GE(bank, 0);
    strcpy(Preset(bank, 0).name, "Edited");
    ASSERT_EQ(SaveBank(bank), 1);
    ASSERT_EQ(SaveBank(bank), 1);
    BankData* read = AllocBankData();
    ASSERT_EQ(ReadBankFile(UserBankFile("Six").c_str(), read, false), 1);
    EXPECT_STREQ(read->presets[0].name, "Edited");
    EXPECT_EQ(read->presetCountInFile, 6);
    EXPECT_STREQ(read->presets[5].name, "Six");
    FreeBankData(read);
}

TEST_F(BankFileTest, ValuesOfTheWrongKindReadAsDefaults) {
    WriteBank("Kinds",
              "<key>name</key><integer>5</integer><key>PID</key><real>100.7</real>"
              "<key>read only</key><string>no</string>"
              "<key>presets</key><array><string>not a dict</string>"
              "<dict><key>controls</key><string>none</string>"
              "<key>variables</key><integer>3</integer>"
              "<key>zones</key><true/></dict>"
              "<dict><key>controls</key><dict><key>a</key><dict><key>MIDICC</key>"
              "<string>x</string><key>channel</key><false/></dict></dict></dict>"
              "</array>");
    BankData* read = AllocBankData();
    ASSERT_EQ(ReadBankFile(UserBankFile("Kinds").c_str(), read, false), 1);
    EXPECT_EQ(read->pid, kAlphaPid);  // a real is truncated
    EXPECT_STREQ(read->name, "");
    EXPECT_EQ(read->readOnly, 0);  // any other kind reads as 0
    EXPECT_EQ(read->presetCountInFile, 3);
    EXPECT_EQ(read->presets[0].controlCount, 0);
    EXPECT_EQ(read->presets[1].controlCount, 0);
    EXPECT_EQ(read->presets[1].variableCount, 0);
    EXPECT_EQ(read->presets[1].zoneFieldCount, 2);  // `zones` present, of no use
    // A dictionary serves as a list; a string MIDICC reads 0, false reads 0.
    EXPECT_EQ(read->presets[2].controlCount, 1);
    EXPECT_EQ(read->presets[2].controls[0].midiCc, 0);
    EXPECT_EQ(read->presets[2].controls[0].channel, 0);
    FreeBankData(read);
}

TEST_F(BankFileTest, VariablesGoToTheVariableAimedAtTheirSlot) {
    // Slot 1 is the target of no variable: its element changes nothing.
    WriteBank("Vars", AlphaHeader() +
                          "<key>presets</key><array><dict><key>variables</key><array>"
                          "<dict><key>value</key><integer>2</integer></dict>"
                          "<dict><key>value</key><integer>99</integer></dict>"
                          "<dict><key>value</key><integer>-5</integer></dict>"
                          "<dict/>"
                          "</array></dict></array>");
    BankData* read = AllocBankData();
    ASSERT_EQ(ReadBankFile(UserBankFile("Vars").c_str(), read, false), 1);
    const PresetRecord& p = read->presets[0];
    EXPECT_EQ(p.variableCount, 4);
    EXPECT_EQ(p.variables[0], 2);   // "Zones", slot 0
    EXPECT_EQ(p.variables[1], -5);  // "Transpose", slot 2
    for (int v = 2; v < kMaxVariables; v++) EXPECT_EQ(p.variables[v], 0);
    FreeBankData(read);
}

TEST_F(BankFileTest, OversizedContentsStayInsideTheTables) {
    std::string presets;
    for (int p = 0; p < 130; p++) {
        std::string controls;
        for (int c = 0; c < 105; c++)
            controls += "<dict><key>channel</key><integer>3</integer></dict>";
        std::string zones;
        for (int z = 0; z < 12; z++)
            zones += "<dict><key>note low</key><integer>1</integer></dict>";
        std::string variables;
        for (int v = 0; v < 20; v++)
            variables += "<dict><key>value</key><integer>1</integer></dict>";
        presets += "<dict><key>name</key><string>" + std::string(300, 'x') +
                   "</string><key>created</key><string>" + std::string(100, '9') +
                   "</string><key>variables</key><array>" + variables +
                   "</array><key>zones</key><array>" + zones +
                   "</array><key>controls</key><array>" + controls + "</array></dict>";
    }
    WriteBank("Huge", "<key>name</key><string>" + std::string(500, 'n') +
                          "</string><key>PID</key><integer>100</integer>"
                          "<key>presets</key><array>" +
                          presets + "</array>");
    BankData* read = AllocBankData();
    ASSERT_EQ(ReadBankFile(UserBankFile("Huge").c_str(), read, false), 1);
    EXPECT_EQ(read->presetCountInFile, kMaxPresets);
    EXPECT_EQ(strlen(read->name), 47u);
    const PresetRecord& p = read->presets[127];
    EXPECT_EQ(p.controlCount, kMaxControls);
    EXPECT_EQ(p.variableCount, kMaxVariables);
    EXPECT_EQ(p.controls[99].channel, 3);
    EXPECT_EQ(strlen(p.name), 47u);
    EXPECT_EQ(strlen(p.created), 19u);
    EXPECT_EQ(p.zones[1][0], 1);
    EXPECT_EQ(p.zones[2][0], 0);  // Alpha has two zones
    FreeBankData(read);
}

TEST_F(BankFileTest, ABankOfAnotherModelSwitchesTheDeviceFirst) {
    WriteBank("Other",
              "<key>PID</key><integer>200</integer><key>read only</key><false/>"
              "<key>presets</key><array><dict><key>controls</key><array><dict/></array>"
              "</dict></array>");
    BankData* read = AllocBankData();
    ASSERT_EQ(ReadBankFile(UserBankFile("Other").c_str(), read, false), 1);
    EXPECT_EQ(gDevice.pid, kBetaPid);
    EXPECT_EQ(read->pid, kBetaPid);
    EXPECT_EQ(read->presets[0].controls[0].midiCc, gDevice.defaults.midiCc);

    // No folder holds PID 300: the bank cannot be read against its model,
    // and the user is told which model is missing.
    WriteBank("Unknown", "<key>PID</key><integer>300</integer><key>presets</key><array/>");
    EXPECT_EQ(ReadBankFile(UserBankFile("Unknown").c_str(), read, false), 0);
    EXPECT_TRUE(HeadlessMessages().boxes.empty());
    EXPECT_EQ(ReadBankFile(UserBankFile("Unknown").c_str(), read, true), 0);
    EXPECT_EQ(gDevice.pid, kBetaPid);
    ASSERT_EQ(HeadlessMessages().boxes.size(), 1u);
    EXPECT_EQ(HeadlessMessages().boxes[0].text,
              UserBankFile("Unknown") +
                  " belongs to a device model (PID 300) that has no definition in the Devices "
                  "folder");
    // Before any model is loaded, a bank whose PID reads as 0 is not read
    // against the empty definition.
    DeviceDefinitionReset(&gDevice);
    WriteBank("No PID", "<key>PID</key><string>100</string><key>presets</key><array/>");
    EXPECT_EQ(ReadBankFile(UserBankFile("No PID").c_str(), read, false), 0);
    FreeBankData(read);

    // A file of another model where a bank of this one belongs is not taken
    // into that bank: not into the device bank from its rom.xml, not by a
    // reload of a user bank whose file was replaced.
    const std::string other = ReadFileText(UserBankFile("Other"));
    const std::string rom = folder_.Write("Devices/Alpha.eld/rom.xml", other);
    ASSERT_TRUE(SwitchDevice(kAlphaPid));
    int device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 0);
    ASSERT_GE(device, 0);
    EXPECT_EQ(gBanks.entries[device].data->pid, kAlphaPid);
    EXPECT_EQ(gDevice.pid, kAlphaPid);
    EXPECT_EQ(HeadlessLastStatus(), rom + " holds a bank of another device model, so it was not read");
    int user = NewBank();
    ASSERT_EQ(SaveBank(user), 1);
    folder_.Write("User Preset Banks/Alpha User Bank.xml", other);
    gBanks.current = user;
    gBanks.currentPreset = 3;
    EXPECT_EQ(ReloadBank(user), 0);
    EXPECT_EQ(gBanks.entries[user].data->pid, kAlphaPid);
    EXPECT_EQ(gDevice.pid, kAlphaPid);
    EXPECT_EQ(gBanks.currentPreset, 3);  // refused, the place stays
}

TEST_F(BankFileTest, ABankOfAModelWithoutPresetsIsNotWrittenEmpty) {
    // The definition stops before its presets: the bank reads in full, and
    // a save would write none of them.
    folder_.Write("Devices/Bare.eld/definition.xml",
                  "<plist><dict><key>device</key><dict><key>name</key><string>Bare</string>"
                  "<key>PID</key><integer>300</integer></dict></dict></plist>");
    WriteBank("Bare", "<key>PID</key><integer>300</integer><key>read only</key><false/>"
                      "<key>ROM</key><false/><key>presets</key><array><dict><key>name</key>"
                      "<string>Kept</string></dict></array>");
    const std::string path = UserBankFile("Bare");
    const std::string before = ReadFileText(path);
    int bank = AddBankFromData(path.c_str(), nullptr);
    ASSERT_GE(bank, 0);
    EXPECT_EQ(SaveBank(bank), 0);
    EXPECT_EQ(ReadFileText(path), before);
    EXPECT_EQ(HeadlessLastStatus(), "Cannot Write file " + path + " to disk");
}

TEST_F(BankFileTest, FilesThatAreNotBanksAreRefused) {
    BankData* read = AllocBankData();
    std::string notBank =
        folder_.Write("notbank.xml", "<plist><dict><key>other</key><dict/></dict></plist>");
    EXPECT_EQ(ReadBankFile(notBank.c_str(), read, false), 0);
    EXPECT_TRUE(HeadlessMessages().boxes.empty());
    EXPECT_EQ(ReadBankFile(notBank.c_str(), read, true), 0);
    ASSERT_EQ(HeadlessMessages().boxes.size(), 1u);
    EXPECT_EQ(HeadlessMessages().boxes[0].text, notBank + " is not an Corvanith SysEx Editor File");
    EXPECT_EQ(HeadlessMessages().boxes[0].caption, "Ostrel");

    // Truncated, empty and binary files: refused, each named with the
    // parser's report of where it stopped; a missing file cannot be opened.
    std::string whole = BankDocument(AlphaHeader() + "<key>presets</key><array/>");
    std::string cut = folder_.Write("cut.xml", whole.substr(0, whole.size() / 2));
    std::string empty = folder_.Write("empty.xml", "");
    std::string binary = folder_.Write("binary.xml", std::string("\x00\xff\xfe\x01garbage", 11));
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    for (const std::string& path : {cut, empty, binary}) {
        EXPECT_EQ(ReadBankFile(path.c_str(), read, true), 0) << path;
        const std::string& said = HeadlessMessages().boxes.back().text;
        EXPECT_EQ(said.find(path + " is not a readable XML file ("), 0u) << said;
        EXPECT_NE(said.find(" line "), std::string::npos) << said;
    }
    EXPECT_EQ(HeadlessMessages().boxes.size(), 3u);
    std::string missing = folder_.Path("missing.xml");
    EXPECT_EQ(ReadBankFile(missing.c_str(), read, true), 0);
    EXPECT_EQ(HeadlessLastStatus(), "Cannot open file " + missing);
    // A `preset` that is not a dictionary is no bank either.
    std::string wrongKind = folder_.Write(
        "kind.xml", "<plist><dict><key>preset</key><string>x</string></dict></plist>");
    EXPECT_EQ(ReadBankFile(wrongKind.c_str(), read, false), 0);

    // A stray byte after the whole document (an editor's end-of-file mark):
    // the bank reads, and a read-only one keeps its protection.
    std::string marked = folder_.Write(
        "marked.xml", BankDocument(AlphaHeader("<key>read only</key><true/>") + "<key>presets</key><array/>") +
                          "\x1a");
    EXPECT_EQ(ReadBankFile(marked.c_str(), read, false), 1);
    EXPECT_FALSE(CheckFileWritable(marked.c_str()));
    FreeBankData(read);
}

TEST_F(BankFileTest, AFailedWriteKeepsTheOldFileAndSaysSo) {
    int bank = NewBank();
    ASSERT_EQ(SaveBank(bank), 1);
    std::string path = gBanks.entries[bank].path;
    std::string before = ReadFileText(path);
    ASSERT_FALSE(before.empty());

    strcpy(Preset(bank, 0).name, "Changed");
    strcpy(gBanks.entries[bank].data->name, "Named inside");
    gBanks.entries[bank].changeCount = 1;
    gHeadlessReplaceFailures = 1;
    EXPECT_EQ(SaveBank(bank), 0);
    EXPECT_EQ(ReadFileText(path), before);
    EXPECT_FALSE(FileThere(path + ".new"));
    EXPECT_EQ(HeadlessLastStatus(), "Cannot Write file " + path + " to disk");
    EXPECT_EQ(gBanks.entries[bank].changeCount, 1);  // still changed: not saved
    // ... and as it was: what writing would have set in it is set back.
    EXPECT_STREQ(gBanks.entries[bank].data->name, "Named inside");

    // A folder that does not exist: nothing can be created there.
    strcpy(gBanks.entries[bank].path, folder_.Path("no such folder/x.xml").c_str());
    EXPECT_EQ(WriteBankFile(bank), 0);
    EXPECT_EQ(HeadlessLastStatus(),
              "Cannot Write file " + folder_.Path("no such folder/x.xml") + " to disk");
}

TEST_F(BankFileTest, ABankIsWrittenAgainstItsOwnModel) {
    int alpha = NewBank();
    ASSERT_TRUE(SwitchDevice(kBetaPid));
    int beta = NewBank();
    ASSERT_TRUE(SwitchDevice(kAlphaPid));
    // Saved while Alpha is loaded, as the questions at Quit may do.
    ASSERT_EQ(WriteBankFile(beta), 1);
    EXPECT_EQ(gDevice.pid, kBetaPid);
    std::string text = ReadFileText(gBanks.entries[beta].path);
    EXPECT_NE(text.find("<key>PID</key><integer>200</integer>"), std::string::npos);
    BankData* read = AllocBankData();
    ASSERT_EQ(ReadBankFile(gBanks.entries[beta].path, read, false), 1);
    EXPECT_EQ(read->presetCountInFile, 2);
    ASSERT_EQ(WriteBankFile(alpha), 1);
    EXPECT_EQ(gDevice.pid, kAlphaPid);

    // A model no folder holds cannot be written faithfully: refused.
    gBanks.entries[alpha].data->pid = 300;
    std::string before = ReadFileText(gBanks.entries[alpha].path);
    EXPECT_EQ(WriteBankFile(alpha), 0);
    EXPECT_EQ(ReadFileText(gBanks.entries[alpha].path), before);
    EXPECT_EQ(HeadlessLastStatus(),
              std::string("Cannot Write file ") + gBanks.entries[alpha].path + " to disk");
    FreeBankData(read);
}

TEST_F(BankFileTest, CheckFileWritableRefusesReadOnlyAndRomFiles) {
    std::string readOnly =
        WriteBank("RO", AlphaHeader("<key>read only</key><true/><key>ROM</key><false/>"));
    std::string rom =
        WriteBank("ROM", AlphaHeader("<key>read only</key><false/><key>ROM</key><true/>"));
    std::string missing = WriteBank("Missing", AlphaHeader(""));
    std::string plain =
        WriteBank("Plain", AlphaHeader("<key>read only</key><false/><key>ROM</key><false/>"));
    std::string notBank = folder_.Write("other.xml", "<plist><dict/></plist>");

    EXPECT_FALSE(CheckFileWritable(readOnly.c_str()));
    ASSERT_EQ(HeadlessMessages().boxes.size(), 1u);
    EXPECT_EQ(HeadlessMessages().boxes[0].text,
              "Cannot Save " + readOnly + " because it is marked as Read Only");
    EXPECT_FALSE(CheckFileWritable(rom.c_str()));
    EXPECT_FALSE(CheckFileWritable(missing.c_str()));
    EXPECT_TRUE(CheckFileWritable(plain.c_str()));
    EXPECT_TRUE(CheckFileWritable(notBank.c_str()));
    EXPECT_TRUE(CheckFileWritable(folder_.Path("nothing.xml").c_str()));
    EXPECT_EQ(HeadlessMessages().boxes.size(), 3u);
}

TEST_F(BankFileTest, SavingACopyOfARomBankClearsItsFlags) {
    std::string rom =
        WriteBank("Factory", AlphaHeader("<key>read only</key><true/><key>ROM</key><true/>") +
                                 "<key>presets</key><array><dict/></array>");
    int bank = AddBankFromData(rom.c_str(), nullptr);
    ASSERT_GE(bank, 0);
    EXPECT_EQ(gBanks.entries[bank].kind, BankKind::Rom);
    strcpy(gBanks.entries[bank].path, UserBankFile("Copy").c_str());
    strcpy(gBanks.entries[bank].displayName, "Copy");
    ASSERT_EQ(WriteBankFile(bank), 1);
    BankData* read = AllocBankData();
    ASSERT_EQ(ReadBankFile(UserBankFile("Copy").c_str(), read, false), 1);
    EXPECT_EQ(read->readOnly, 0);
    EXPECT_EQ(read->rom, 0);
    EXPECT_STREQ(read->name, "Copy");
    FreeBankData(read);
}

TEST(BankTextTest, CreatedTextIsMinuteHourDayMonthYear) {
    char text[48];
    UtcTime t = {2006, 11, 3, 15, 7, 30, 500};
    MakeCreatedTextAt(text, sizeof text, t);
    EXPECT_STREQ(text, "7:15:3:11:2006");
    char tiny[6];
    MakeCreatedTextAt(tiny, sizeof tiny, t);
    EXPECT_STREQ(tiny, "7:15:");
    MakeCreatedText(text, sizeof text);
    int fields[5];
    EXPECT_EQ(
        sscanf(text, "%d:%d:%d:%d:%d", &fields[0], &fields[1], &fields[2], &fields[3], &fields[4]),
        5);
    EXPECT_GE(fields[4], 2024);
}

TEST_F(BankFileTest, UniqueIdsAvoidZeroAndTheOpenBanks) {
    UtcTime t = {2020, 1, 1, 0, 0, 0, 0};
    EXPECT_EQ(MakeUniqueIdAt(t), 0);  // no bank open: taken as it is
    t.hour = 1;
    t.second = 2;
    t.millisecond = 3;
    EXPECT_EQ(MakeUniqueIdAt(t), (60000 + 2000 + 3) % 32768);
    int a = NewBank();
    int b = NewBank();
    gBanks.entries[a].data->uniqueId = 29235;
    gBanks.entries[b].data->uniqueId = 29236;
    EXPECT_EQ(MakeUniqueIdAt(t), 29237);
    t = {2020, 1, 1, 0, 0, 0, 0};
    EXPECT_EQ(MakeUniqueIdAt(t), 1);  // with banks open, never 0
}

}  // namespace
