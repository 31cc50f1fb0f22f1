#include "devices/device_definition.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "devices_test_support.h"

namespace {

// A definition whose `device` holds `graphic` (so loading goes on) plus body.
std::string Device(const std::string& body, const std::string& graphic = "") {
    return PlistDocument(KeyDict("device", KeyString("name", "Test Keys") + KeyInt("PID", 258) +
                                               KeyDict("graphic", graphic) + body));
}

class DefinitionTest : public ::testing::Test {
  protected:
    std::unique_ptr<DeviceDefinition> def{new DeviceDefinition()};
    void Read(const std::string& xml) { ReadDefinitionText(def.get(), xml); }
};

TEST_F(DefinitionTest, PresetCountIsClampedAndDefaultsToOne) {
    Read(Device(""));
    EXPECT_EQ(def->presetCount, 1);
    Read(Device(KeyDict("preset", "")));
    EXPECT_EQ(def->presetCount, 1);
    Read(Device(KeyDict("preset", KeyInt("count", 0))));
    EXPECT_EQ(def->presetCount, 1);
    Read(Device(KeyDict("preset", KeyInt("count", 300))));
    EXPECT_EQ(def->presetCount, 128);
    Read(Device(KeyDict("preset", KeyInt("count", 64))));
    EXPECT_EQ(def->presetCount, 64);
}

TEST_F(DefinitionTest, GroupIdIsRaisedToSixteenAndKeptToOneDataByte) {
    Read(Device(KeyInt("Group ID", 5)));
    EXPECT_EQ(def->groupId, 16);
    Read(Device(""));
    EXPECT_EQ(def->groupId, 16);
    Read(Device(KeyInt("Group ID", 40)));
    EXPECT_EQ(def->groupId, 40);
    // Its messages carry it in one data byte: what they say is what it is.
    Read(Device(KeyInt("Group ID", 160)));
    EXPECT_EQ(def->groupId, 127);
}

TEST_F(DefinitionTest, ColourNeedsExactlyThreeNumbers) {
    Read(Device("", KeyString("colour", "10, 20")));
    EXPECT_EQ(def->colour, kDefaultDeviceColour);
    EXPECT_EQ(kDefaultDeviceColour, 229u + 228u * 256u + 231u * 65536u);
    Read(Device("", KeyString("colour", "10, 20, 30")));
    EXPECT_EQ(def->colour, 10u + 20u * 256u + 30u * 65536u);
    Read(Device("", KeyString("colour", "1,2,3,4")));
    EXPECT_EQ(def->colour, kDefaultDeviceColour);
    Read(Device(""));
    EXPECT_EQ(def->colour, kDefaultDeviceColour);
}

TEST_F(DefinitionTest, GraphicBoundsAreKeptAsReadButRectanglesAreConverted) {
    Read(Device("", KeyString("background", "body.png") + KeyString("bounds", "1, 2, 300, 200") +
                        KeyDict("zone keyboard", KeyString("background", "keys.png") +
                                                     KeyString("bounds", "10, 20, 100, 50"))));
    EXPECT_STREQ(def->background, "body.png");
    EXPECT_EQ(def->bounds[0], 1);
    EXPECT_EQ(def->bounds[3], 200);
    EXPECT_STREQ(def->zoneKeyboardBackground, "keys.png");
    EXPECT_EQ(def->zoneKeyboardRect.left, 10);
    EXPECT_EQ(def->zoneKeyboardRect.top, 20);
    EXPECT_EQ(def->zoneKeyboardRect.right, 110);
    EXPECT_EQ(def->zoneKeyboardRect.bottom, 70);
}

TEST_F(DefinitionTest, NothingBelowAMissingGraphicIsRead) {
    Read(PlistDocument(
        KeyDict("device", KeyString("name", "Bare") + KeyInt("PID", 7) +
                              KeyDict("preset", KeyInt("count", 10)) +
                              KeyArray("controls", Dict(KeyString("name", "Knob 1"))))));
    EXPECT_STREQ(def->name, "Bare");
    EXPECT_EQ(def->pid, 7);
    EXPECT_EQ(def->presetCount, 0);
    EXPECT_EQ(def->controlCount, 0);
}

TEST_F(DefinitionTest, MissingDeviceLeavesEverythingReset) {
    strcpy(def->directory, "kept/");
    Read(PlistDocument(KeyString("name", "not a device")));
    EXPECT_STREQ(def->directory, "kept/");
    EXPECT_STREQ(def->name, "");
    EXPECT_EQ(def->groupId, 0);
    EXPECT_EQ(def->pid, 0);
    ReadDefinitionText(def.get(), "not xml at all");
    EXPECT_STREQ(def->name, "");
}

std::string Control(const std::string& name, const std::string& type, const std::string& extra) {
    return Dict(KeyString("name", name) + KeyString("type", type) + extra);
}

std::string Type(const std::string& name, const std::string& extra) {
    return Dict(KeyString("name", name) + extra);
}

TEST_F(DefinitionTest, PositionForms) {
    Read(Device(KeyArray("controls", Control("A", "Knob", KeyString("position", "100, 50, 4, -3")) +
                                         Control("B", "Knob", KeyString("position", "100, 50")) +
                                         Control("C", "Knob", KeyString("position", "1,2,3")) +
                                         Control("D", "Knob", ""))));
    ASSERT_EQ(def->controlCount, 4);
    const ControlDef* c = def->controls;
    EXPECT_EQ(c[0].backgroundCentre[0], 100);
    EXPECT_EQ(c[0].backgroundCentre[1], 50);
    EXPECT_EQ(c[0].overlayCentre[0], 104);
    EXPECT_EQ(c[0].overlayCentre[1], 47);
    EXPECT_EQ(c[1].overlayCentre[0], 100);
    EXPECT_EQ(c[1].overlayCentre[1], 50);
    EXPECT_EQ(c[1].backgroundCentre[0], 0);
    EXPECT_EQ(c[1].backgroundCentre[1], 0);
    EXPECT_EQ(c[2].overlayCentre[0], 1);
    EXPECT_EQ(c[2].overlayCentre[1], 2);
    EXPECT_EQ(c[2].backgroundCentre[0], 0);
    EXPECT_EQ(c[3].overlayCentre[0], 0);
}

TEST_F(DefinitionTest, ControlDefaultsAndFields) {
    Read(Device(KeyArray("controls", Control("Knob 1", "Knob",
                                             KeyString("description", "Cutoff") + KeyInt("ID", 9) +
                                                 KeyInt("zone", 2)) +
                                         Control("Knob 2", "Knob", ""))));
    EXPECT_STREQ(def->controls[0].description, "Cutoff");
    EXPECT_EQ(def->controls[0].id, 9);
    EXPECT_EQ(def->controls[0].zone, 2);
    EXPECT_EQ(def->controls[1].id, -1);
    EXPECT_EQ(def->controls[1].zone, 0);
}

TEST_F(DefinitionTest, TypesJoinControlsAndCountLinearAndButtons) {
    Read(Device(KeyArray("controls", Control("K", "Knob", "") + Control("F", "Fader", "") +
                                         Control("B", "Button", "") + Control("X", "Nothing", "") +
                                         Control("k", "knob", "")) +
                KeyArray("controller types",
                         Type("Knob", KeyInt("linear", 1)) +
                             Type("Fader", KeyDict("MIDI", KeyInt("program", 0))) +
                             Type("Button", KeyInt("linear", 0) + KeyInt("value min", 0) +
                                                KeyDict("MIDI", KeyInt("program", 1))))));
    ASSERT_EQ(def->typeCount, 3);
    EXPECT_EQ(def->controls[0].typeIndex, 0);
    EXPECT_EQ(def->controls[1].typeIndex, 1);
    EXPECT_EQ(def->controls[2].typeIndex, 2);
    EXPECT_EQ(def->controls[3].typeIndex, 0);  // names no type
    EXPECT_EQ(def->controls[4].typeIndex, 0);  // type names compare exactly
    // A missing `linear` is -1, which counts as linear.
    EXPECT_EQ(def->types[1].linear, -1);
    EXPECT_EQ(def->linearControlCount, 2);
    EXPECT_EQ(def->buttonControlCount, 1);
    EXPECT_EQ(def->types[0].valueMin, -1);
    EXPECT_EQ(def->types[0].program, -1);
    EXPECT_EQ(def->types[2].valueMin, 0);
    EXPECT_EQ(def->types[2].program, 1);
    // A program is there unless the type says 0: the file, the editor and
    // the lists all ask this one question.
    EXPECT_TRUE(TypeHasProgram(*def, 0));  // no `program` key: -1
    EXPECT_FALSE(TypeHasProgram(*def, 1));
    EXPECT_TRUE(ControlHasProgram(*def, 2));
    EXPECT_FALSE(ControlHasProgram(*def, 1));
    EXPECT_FALSE(TypeHasProgram(*def, 3));  // names no type
    EXPECT_FALSE(ControlHasProgram(*def, 5));
}

TEST_F(DefinitionTest, TypeImagesAndCcSets) {
    Read(Device(KeyArray(
        "controller types",
        Type("Knob", KeyDict("MIDI", KeyString("supported cc", "0-31")) +
                         KeyDict("graphic", KeyString("background", "kb.png") +
                                                KeyString("background selected", "kbs.png") +
                                                KeyString("normal", "kn.png") +
                                                KeyString("selected", "ks.png"))))));
    EXPECT_STREQ(def->types[0].supportedCc, "0-31");
    EXPECT_STREQ(def->types[0].background, "kb.png");
    EXPECT_STREQ(def->types[0].backgroundSelected, "kbs.png");
    EXPECT_STREQ(def->types[0].normalImage, "kn.png");
    EXPECT_STREQ(def->types[0].selectedImage, "ks.png");
}

TEST_F(DefinitionTest, TablesStopAtTheirCapacity) {
    std::string controls, types, sysex, zoneFields, controlFields;
    for (int i = 0; i < 120; ++i) controls += Control("C" + std::to_string(i), "T0", "");
    for (int i = 0; i < 40; ++i) types += Type("T" + std::to_string(i), "");
    for (int i = 0; i < 40; ++i)
        sysex += Dict(KeyString("array", "zones") + KeyString("tag name", std::to_string(i)));
    for (int i = 0; i < 20; ++i) zoneFields += Dict(KeyInt("ID", i + 1));
    for (int i = 0; i < 40; ++i) controlFields += Dict(KeyInt("ID", i + 1));
    Read(Device(KeyArray("controls", controls) + KeyArray("controller types", types) +
                KeyDict("MIDI", KeyArray("sysex list", sysex)) +
                KeyArray("zone data fields", zoneFields) +
                KeyArray("control data fields", controlFields)));
    EXPECT_EQ(def->controlCount, 100);
    EXPECT_STREQ(def->controls[99].name, "C99");
    EXPECT_EQ(def->typeCount, 32);
    EXPECT_EQ(def->sysexFieldCount, 32);
    EXPECT_STREQ(def->sysexFields[31].tagName, "31");
    EXPECT_EQ(def->zoneFieldCount, 16);
    EXPECT_EQ(def->controlFieldCount, 32);
    EXPECT_EQ(def->linearControlCount, 100);
}

TEST_F(DefinitionTest, ListsMayBeDictionaries) {
    Read(Device(KeyDict("controls", KeyDict("first", KeyString("name", "One")) +
                                        KeyDict("second", KeyString("name", "Two")))));
    ASSERT_EQ(def->controlCount, 2);
    EXPECT_STREQ(def->controls[1].name, "Two");
}

TEST_F(DefinitionTest, OverlongTextsAreCutToTheirFields) {
    std::string longName(200, 'n');
    std::string longCc = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21";
    Read(Device(KeyDict("MIDI", KeyString("supported cc", longCc)) +
                    KeyArray("controls", Control(longName, longName, "")),
                KeyString("background", longName)));
    EXPECT_EQ(strlen(def->controls[0].name), static_cast<size_t>(kNameLen - 1));
    EXPECT_EQ(strlen(def->background), static_cast<size_t>(kBackgroundNameLen - 1));
    // The CcSet text is cut after its last whole item, never inside a number.
    EXPECT_LT(strlen(def->supportedCc), static_cast<size_t>(kCcSetTextLen));
    EXPECT_STREQ(def->supportedCc, "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18");
}

TEST_F(DefinitionTest, WrongValueKindsGiveZeroOrEmpty) {
    Read(Device(KeyDict("preset", KeyString("count", "12")) +
                KeyArray("controls", Dict("<key>name</key><integer>5</integer>" +
                                          KeyString("ID", "3") + "<key>zone</key><true/>")) +
                "<key>variables</key><string>oops</string>" +
                KeyDict("MIDI", "<key>limits</key><integer>4</integer>")));
    EXPECT_EQ(def->presetCount, 1);  // a text counts 0, clamped to 1
    ASSERT_EQ(def->controlCount, 1);
    EXPECT_STREQ(def->controls[0].name, "");
    EXPECT_EQ(def->controls[0].id, 0);
    EXPECT_EQ(def->controls[0].zone, 1);
    EXPECT_EQ(def->variableCount, 0);
    EXPECT_EQ(def->zoneLimit, 0);
}

TEST_F(DefinitionTest, KeyboardGeometry) {
    Read(Device(KeyDict(
        "keyboard",
        KeyInt("size", 49) +
            KeyDict("octave",
                    KeyInt("base note", 48) + KeyInt("base index", 12) +
                        KeyString("bounds", "0, 0, 140, 60") +
                        KeyArray("blacks",
                                 "<string>14, 0, 10, 36</string>"
                                 "<string>34,0,10,36</string>") +
                        KeyArray("whites",
                                 "<string>0,0,20,60</string><string>20,0,20,60</string>"
                                 "<string>40,0,20,60</string><string>60,0,20,60</string>"
                                 "<string>80,0,20,60</string><string>100,0,20,60</string>"
                                 "<string>120,0,20,60</string><string>9,9,9,9</string>")))));
    EXPECT_EQ(def->keyboardSize, 49);
    EXPECT_EQ(def->lowestNote, 36);
    EXPECT_EQ(def->highestNote, 84);
    EXPECT_EQ(DeviceKeyNote(def.get(), 0), 36);
    EXPECT_EQ(DeviceKeyNote(def.get(), 48), 84);
    EXPECT_EQ(def->octaveRect.right, 140);
    EXPECT_EQ(def->octaveRect.bottom, 60);
    EXPECT_EQ(def->blackKeys[1].left, 34);
    EXPECT_EQ(def->blackKeys[1].right, 44);
    EXPECT_EQ(def->blackKeys[1].bottom, 36);
    EXPECT_EQ(def->blackKeys[2].right, 0);  // not given
    EXPECT_EQ(def->whiteKeys[6].left, 120);
    EXPECT_EQ(def->whiteKeys[6].right, 140);
}

TEST_F(DefinitionTest, KeyboardWithoutOctaveAndOutlandishSizes) {
    Read(Device(KeyDict("keyboard", KeyInt("size", 25))));
    EXPECT_EQ(def->keyboardSize, 25);
    EXPECT_EQ(def->lowestNote, 0);
    Read(Device(KeyDict("keyboard", KeyInt("size", 100000))));
    EXPECT_EQ(def->keyboardSize, 128);
    Read(Device(KeyDict("keyboard", KeyInt("size", -4))));
    EXPECT_EQ(def->keyboardSize, 0);
    Read(Device(KeyDict("keyboard", KeyDict("octave", KeyInt("base note", -2147483647 - 1) +
                                                          KeyInt("base index", 2147483647)))));
    EXPECT_EQ(def->lowestNote, INT32_MIN);  // saturated, not wrapped
}

std::string Variable(const std::string& name, const std::string& extra) {
    return Dict(KeyString("name", name) + extra);
}

TEST_F(DefinitionTest, VariableTargetsAndMasks) {
    Read(Device(
        KeyDict("MIDI", KeyDict("limits", KeyInt("variables", 5) + KeyInt("zones", 4))) +
        KeyArray(
            "variables",
            Variable("Zones",
                     KeyString("target", "variables[5]") +
                         KeyArray("mask", Dict(KeyString("name", "Zone 1") + KeyInt("mask", 1)) +
                                              Dict(KeyString("name", "Zone 2")))) +
                Variable("Mode", KeyString("target", "plain") +
                                     "<key>always_one_value</key><integer>1</integer>") +
                Variable("Curve", KeyString("target", "x[-1]") + KeyInt("always_one_value", 2)) +
                Variable("Other", "") + Variable("Far", KeyString("target", "v[99]")))));
    EXPECT_EQ(def->zoneLimit, 4);
    EXPECT_EQ(def->variableSlots, 5);
    EXPECT_EQ(def->variableCount, 5);
    EXPECT_EQ(def->variables[0].target, 5);
    EXPECT_EQ(def->variables[1].target, 1);
    EXPECT_EQ(def->variables[2].target, 2);
    EXPECT_EQ(def->variables[3].target, 3);
    EXPECT_EQ(def->variables[4].target, 4);  // no such slot: its own index
    EXPECT_EQ(def->variables[0].maskCount, 2);
    EXPECT_STREQ(def->variables[0].masks[0].name, "Zone 1");
    EXPECT_EQ(def->variables[0].masks[0].mask, 1);
    EXPECT_EQ(def->variables[0].masks[1].mask, -1);
    EXPECT_EQ(def->variables[1].alwaysOneValue, 1);
    EXPECT_EQ(def->variables[2].alwaysOneValue, 0);
    EXPECT_EQ(def->variables[0].id, -1);
}

TEST_F(DefinitionTest, VariablesBeyondTheLimitAreNotRead) {
    Read(Device(KeyDict("MIDI", KeyDict("limits", KeyInt("variables", 2))) +
                KeyArray("variables", Variable("A", "") + Variable("B", "") + Variable("C", ""))));
    EXPECT_EQ(def->variableCount, 2);
    EXPECT_STREQ(def->variables[2].name, "");
}

TEST_F(DefinitionTest, VariableCountFollowsTheLastOneRead) {
    Read(Device(KeyDict("MIDI", KeyDict("limits", KeyInt("variables", 6))) +
                KeyArray("variables", Variable("A", "") + Variable("B", ""))));
    EXPECT_EQ(def->variableSlots, 6);
    EXPECT_EQ(def->variableCount, 2);
}

TEST_F(DefinitionTest, LimitsAboveTheTablesAreHeldToThem) {
    std::string vars;
    for (int i = 0; i < 20; ++i) vars += Variable("V" + std::to_string(i), "");
    Read(Device(KeyDict("MIDI", KeyDict("limits", KeyInt("variables", 40) + KeyInt("zones", 12))) +
                KeyArray("variables", vars)));
    EXPECT_EQ(def->variableSlots, kMaxVariables);
    EXPECT_EQ(def->variableCount, kMaxVariables);
    EXPECT_EQ(def->zoneLimit, kMaxZones);
}

TEST_F(DefinitionTest, DefaultValues) {
    Read(Device(
        KeyDict(
            "MIDI",
            KeyDict("limits", KeyInt("variables", 3)) +
                KeyDict("default values",
                        KeyDict("controls", KeyInt("channel", 2) + KeyInt("program", 7)) +
                            KeyDict("variables", KeyInt("Mode", 3) + KeyInt("Curve", 9)) +
                            KeyDict("zones", KeyInt("note low", 36) + KeyInt("note high", 96)))) +
        KeyArray("variables",
                 Variable("Zones", "") + Variable("Mode", "") + Variable("Curve", "")) +
        KeyArray("zone data fields", Dict(KeyString("tag name", "note high") + KeyInt("ID", 2)) +
                                         Dict(KeyString("tag name", "note low") + KeyInt("ID", 1)) +
                                         Dict(KeyString("tag name", "channel") + KeyInt("ID", 3)) +
                                         Dict(KeyString("tag name", "odd") + KeyInt("ID", 30)))));
    const DefaultValues& d = def->defaults;
    EXPECT_EQ(d.channel, 2);
    EXPECT_EQ(d.midiCc, 255);
    EXPECT_EQ(d.program, 7);
    EXPECT_EQ(d.msb, 127);
    EXPECT_EQ(d.lsb, 0);
    EXPECT_EQ(d.variables[0], 0);
    EXPECT_EQ(d.variables[1], 3);
    EXPECT_EQ(d.variables[2], 9);
    EXPECT_EQ(d.zones[0], 36);  // by field id - 1
    EXPECT_EQ(d.zones[1], 96);
    EXPECT_EQ(d.zones[2], 0);
}

TEST_F(DefinitionTest, WithoutDefaultValuesTheControlDefaultsStayZero) {
    Read(Device(KeyDict("MIDI", "")));
    EXPECT_EQ(def->defaults.midiCc, 0);
    EXPECT_EQ(def->defaults.msb, 0);
}

TEST_F(DefinitionTest, SysexFieldTagsAndZoneNoteFields) {
    Read(Device(KeyDict(
        "MIDI",
        KeyArray("sysex list",
                 Dict(KeyString("array", "controls") + KeyString("tag name", "channel")) +
                     Dict(KeyString("array", "zones") + KeyString("tag name", "channel") +
                          KeyInt("sysex", 4) + KeyInt("nibble", 1)) +
                     Dict(KeyString("array", "zones") + KeyString("tag name", "note low")) +
                     Dict(KeyString("array", "zones") + KeyString("tag name", "note high"))))));
    EXPECT_EQ(def->sysexFields[1].sysex, 4);
    EXPECT_EQ(def->sysexFields[1].nibble, 1);
    EXPECT_EQ(def->sysexFields[0].sysex, -1);
    EXPECT_EQ(def->sysexFields[0].offset, 0);
    const char* tag = nullptr;
    EXPECT_EQ(DeviceDefinitionSysexFieldTag(def.get(), "zones", 1, &tag), 3);
    EXPECT_STREQ(tag, "note low");
    EXPECT_EQ(DeviceDefinitionSysexFieldTag(def.get(), "zones", 5, &tag), 3);
    EXPECT_EQ(tag, nullptr);
    EXPECT_EQ(DeviceDefinitionSysexFieldTag(def.get(), "Zones", 0, &tag), 0);
    EXPECT_EQ(DeviceDefinitionSysexFieldIndex(def.get(), "zones", "note high"), 2);
    EXPECT_EQ(DeviceDefinitionSysexFieldIndex(def.get(), "zones", "velocity"), 3);
    int low = -1, high = -1;
    DeviceDefinitionZoneNoteFields(def.get(), &low, &high);
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 2);
}

TEST_F(DefinitionTest, ControlDataFields) {
    Read(Device(
        KeyArray("control data fields",
                 Dict(KeyString("name", "Channel") + KeyString("short name", "Ch") +
                      KeyString("tag name", "channel") + KeyInt("ID", 1) + KeyInt("value min", 1) +
                      KeyInt("value max", 16) + KeyInt("editable", 1) + KeyInt("list view", 1)))));
    ASSERT_EQ(def->controlFieldCount, 1);
    const ControlFieldDef& f = def->controlFields[0];
    EXPECT_STREQ(f.shortName, "Ch");
    EXPECT_EQ(f.valueMax, 16);
    EXPECT_EQ(f.listView, 1);
    EXPECT_EQ(f.detailedView, -1);
}

TEST_F(DefinitionTest, ControlAcceptsCcByTypeElseDevice) {
    Read(Device(KeyDict("MIDI", KeyString("supported cc", "0-127")) +
                KeyArray("controls", Control("K", "Knob", "") + Control("B", "Button", "") +
                                         Control("X", "Nothing", "")) +
                KeyArray("controller types",
                         Type("Knob", KeyDict("MIDI", KeyString("supported cc", "16-19"))) +
                             Type("Button", KeyDict("MIDI", KeyString("supported cc", "junk"))))));
    EXPECT_TRUE(DeviceDefinitionAcceptsCc(def.get(), 0, 17));
    EXPECT_FALSE(DeviceDefinitionAcceptsCc(def.get(), 0, 20));
    // An empty type set hands the decision to the device-wide set.
    EXPECT_TRUE(DeviceDefinitionAcceptsCc(def.get(), 1, 20));
    EXPECT_FALSE(DeviceDefinitionAcceptsCc(def.get(), 1, 200));
    // A control of no known type is not given the first type's set.
    EXPECT_TRUE(DeviceDefinitionAcceptsCc(def.get(), 2, 20));
    EXPECT_FALSE(DeviceDefinitionAcceptsCc(def.get(), 0, -1));
    EXPECT_FALSE(DeviceDefinitionAcceptsCc(def.get(), 0, 256));
}

TEST(DefinitionFile, LoadsFromTheFolderAndKeepsTheDirectory) {
    DevicesTempFolder temp;
    temp.Write("K.eld/definition.xml", Device(KeyInt("VID", 4660)));
    std::string folder = temp.Folder() + "K.eld/";
    std::unique_ptr<DeviceDefinition> def(new DeviceDefinition());
    DeviceDefinitionLoad(def.get(), folder.c_str());
    EXPECT_STREQ(def->directory, folder.c_str());
    EXPECT_STREQ(def->name, "Test Keys");
    EXPECT_EQ(def->vid, 4660);
    EXPECT_EQ(def->pid, 258);

    DeviceDefinitionLoad(def.get(), (temp.Folder() + "missing/").c_str());
    EXPECT_STREQ(def->name, "");
    EXPECT_EQ(def->presetCount, 0);

    std::string tooLong(400, 'x');
    DeviceDefinitionLoad(def.get(), tooLong.c_str());
    EXPECT_STREQ(def->directory, "");
}

}  // namespace
