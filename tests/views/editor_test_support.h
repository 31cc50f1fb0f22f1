// Test support for the control editor, zone editor and value spinner tests:
// a small keyboard device built in memory and one open user bank.
//
// Device "Zoner": 25 keys from note 36 (C) to 60 (C); the octave template is
// 140 picture pixels wide, white keys 20 wide, black keys 12 wide; the zone
// keyboard picture is taken as 586 x 84 (scale 1) with bounds 3,3 .. 583,81
// (so rows are (81 - 3) / 4 = 19 high). Four zones; zone fields 0 "Channel"
// (1..16), 1 "Low Note", 2 "High Note" (0..127), 3 "Mute" (0..1).
// Controls: 0 "Knob" (zone 0, ID 1), 1-4 "Wheel" of zones 1-4 (ID 2),
// 5 "Pad" (type with a program, ID 3). Variables: 0 "Zones" (four options,
// the zones' enable bits), 1 "Curve" (three options, always one), 2 "Level"
// (0..127), 3 "Latch" (0..1).
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "banks/bank_model.h"
#include "devices/control_library.h"
#include "devices/device_definition.h"
#include "banks/undo_history.h"
#include "headless/messages_headless.h"
#include "headless/view_platform_headless.h"
#include "views/editor_document.h"
#include "views/editor_pane.h"
#include "views/keyboard_pane.h"
#include "views/list_columns.h"
#include "views/view_state.h"
#include "views/zone_keyboard.h"

namespace editor_test {

inline void SetText(char* dst, size_t size, const char* text) {
    std::snprintf(dst, size, "%s", text);
}
template <size_t N>
inline void SetText(char (&dst)[N], const char* text) {
    SetText(dst, N, text);
}

inline void AddControl(int i, const char* name, int id, int zone, int type) {
    ControlDef& c = gDevice.controls[i];
    SetText(c.name, name);
    c.id = id;
    c.zone = zone;
    c.typeIndex = type;
    SetText(c.typeName, gDevice.types[type].name);
}

inline void AddVariable(int v, const char* name, int min, int max) {
    VariableDef& d = gDevice.variables[v];
    SetText(d.name, name);
    d.id = v + 1;
    d.valueMin = min;
    d.valueMax = max;
    gDevice.variableCount = v + 1;
}

inline void AddMask(int v, const char* name, int mask) {
    VariableDef& d = gDevice.variables[v];
    SetText(d.masks[d.maskCount].name, name);
    d.masks[d.maskCount].mask = mask;
    ++d.maskCount;
}

inline void AddZoneField(int f, const char* name, const char* tag, int min, int max) {
    ZoneFieldDef& z = gDevice.zoneFields[f];
    SetText(z.name, name);
    SetText(z.tagName, tag);
    z.id = f + 1;
    z.valueMin = min;
    z.valueMax = max;
    gDevice.zoneFieldCount = f + 1;
    SysexFieldDef& s = gDevice.sysexFields[gDevice.sysexFieldCount++];
    SetText(s.array, "zones");
    SetText(s.tagName, tag);
}

inline void BuildZonerDevice() {
    DeviceDefinitionReset(&gDevice);
    SetText(gDevice.name, "Zoner");
    gDevice.presetCount = 4;
    SetText(gDevice.types[0].name, "Knob");
    SetText(gDevice.types[1].name, "Wheel");
    SetText(gDevice.types[2].name, "Pad");
    gDevice.types[2].program = 1;
    gDevice.typeCount = 3;
    AddControl(0, "Knob", 1, 0, 0);
    AddControl(1, "Wheel", 2, 1, 1);
    AddControl(2, "Wheel", 2, 2, 1);
    AddControl(3, "Wheel", 2, 3, 1);
    AddControl(4, "Wheel", 2, 4, 1);
    AddControl(5, "Pad", 3, 0, 2);
    gDevice.controlCount = 6;

    AddVariable(0, "Zones", 0, 15);
    AddMask(0, "Zone 1", 1);
    AddMask(0, "Zone 2", 2);
    AddMask(0, "Zone 3", 4);
    AddMask(0, "Zone 4", 8);
    AddVariable(1, "Curve", 1, 4);
    AddMask(1, "Soft", 1);
    AddMask(1, "Medium", 2);
    AddMask(1, "Hard", 4);
    gDevice.variables[1].alwaysOneValue = 1;
    AddVariable(2, "Level", 0, 127);
    AddVariable(3, "Latch", 0, 1);

    AddZoneField(0, "Channel", "channel", 1, 16);
    AddZoneField(1, "Low Note", "note low", 0, 127);
    AddZoneField(2, "High Note", "note high", 0, 127);
    AddZoneField(3, "Mute", "mute", 0, 1);

    gDevice.zoneLimit = 4;
    gDevice.keyboardSize = 25;
    gDevice.baseNote = 36;
    gDevice.baseIndex = 0;
    gDevice.lowestNote = 36;
    gDevice.highestNote = 60;
    gDevice.zoneKeyboardRect = {3, 3, 583, 81};
    gDevice.octaveRect = {3, 3, 143, 81};
    // White keys C..B at 3, 23, ..., 123; black keys centred on the gaps.
    for (int w = 0; w < kWhiteKeysPerOctave; ++w) {
        gDevice.whiteKeys[w] = {3 + 20 * w, 3, 23 + 20 * w, 81};
    }
    const int blackCentres[kBlackKeysPerOctave] = {23, 43, 83, 103, 123};
    for (int b = 0; b < kBlackKeysPerOctave; ++b) {
        gDevice.blackKeys[b] = {blackCentres[b] - 6, 3, blackCentres[b] + 6, 50};
    }
    ResetColumnTables(gDevice);
}

// One user bank (index 0) with every preset's zones spread over the keyboard.
class ZonerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessMessagesReset();
        HeadlessMessages().quiet = 1;
        HeadlessViewReset();
        InitUndoHistory();
        ResetBankList();
        BuildZonerDevice();
        CcLibraryClear(&gCcLibrary);
        BankData* data = AllocBankData();
        ASSERT_NE(data, nullptr);
        BankEntry& entry = gBanks.entries[0];
        SetText(entry.displayName, "Mine");
        entry.kind = BankKind::User;
        entry.data = data;
        gBanks.count = 1;
        gBanks.current = 0;
        gBanks.currentPreset = 1;
        std::memset(gSelection.controls, 0, sizeof gSelection.controls);
        gDocument.currentZone = 0;
        gBanks.currentControl = 0;
        gViewMode = ViewMode::kGraphic;
        gZoneKeyboard = ZoneKeyboard();
        gZoneKeyboard.pictureWidth = 586;
        gZoneKeyboard.pictureHeight = 84;
        gKeyboardPane.rect = {199, 395, 586, 84};
        gEditorPane.rect = {8, 26, 586, 66};
        gEditorPane.shownTab = 0;
        gEditorPane.currentField = 1;
        gEditorPane.currentVariable = 0;
        gEditorPane.currentZoneField = 0;
        for (int z = 0; z < 4; ++z) {
            Preset().zones[z][0] = z + 1;
            Preset().zones[z][1] = 36 + 6 * z;
            Preset().zones[z][2] = 41 + 6 * z;
        }
        Preset().variables[0] = 0x5;  // zones 1 and 3 on
        Preset().variables[1] = 2;
        ClearChanges(0);  // as loaded: nothing changed yet
    }
    void TearDown() override {
        ResetBankList();
        HeadlessViewReset();
    }
    PresetRecord& Preset() { return gBanks.entries[0].data->presets[1]; }
    BankEntry& Entry() { return gBanks.entries[0]; }
};

}  // namespace editor_test
