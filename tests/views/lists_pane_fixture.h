// Test support for the list panes, drags, drops and the clipboard: model
// Gamma (PID 300: 16 presets; controls 0-2 "Knob 1".."Knob 3" of type
// "knob", 3-4 "Button 1", "Button 2" of type "button" taking CCs 0-63,
// 5 "Slider" of type "slider") loaded over the bank tests' temporary
// program folder, the panes laid out as in the main and library windows,
// and the drag, focus and clipboard state cleared.
#pragma once

#include <cstring>

#include "devices/library_list.h"
#include "views/clipboard.h"
#include "views/drag.h"
#include "headless/view_platform_headless.h"
#include "shell/joins.h"
#include "tests/banks/bank_test_support.h"
#include "views/bank_selection.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/editor_document.h"
#include "views/keyboard_pane.h"
#include "views/library_controls_pane.h"
#include "views/library_files_pane.h"
#include "views/list_rows.h"
#include "views/pane_keys.h"
#include "views/presets_pane.h"

constexpr int kGammaPid = 300;

inline const char* GammaDefinition() {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0">
<dict>
	<key>device</key><dict>
		<key>name</key><string>Gamma</string>
		<key>VID</key><integer>7</integer>
		<key>PID</key><integer>300</integer>
		<key>graphic</key><dict><key>background</key><string>gamma.png</string></dict>
		<key>preset</key><dict><key>count</key><integer>16</integer></dict>
		<key>MIDI</key><dict><key>supported cc</key><string>0-127</string></dict>
		<key>controls</key><array>
			<dict><key>name</key><string>Knob 1</string><key>type</key><string>knob</string></dict>
			<dict><key>name</key><string>Knob 2</string><key>type</key><string>knob</string></dict>
			<dict><key>name</key><string>Knob 3</string><key>type</key><string>knob</string></dict>
			<dict><key>name</key><string>Button 1</string><key>type</key><string>button</string></dict>
			<dict><key>name</key><string>Button 2</string><key>type</key><string>button</string></dict>
			<dict><key>name</key><string>Slider</string><key>type</key><string>slider</string></dict>
		</array>
		<key>controller types</key><array>
			<dict><key>name</key><string>knob</string><key>linear</key><true/></dict>
			<dict><key>name</key><string>button</string><key>linear</key><false/><key>MIDI</key><dict><key>supported cc</key><string>0-63</string></dict></dict>
			<dict><key>name</key><string>slider</string><key>linear</key><true/></dict>
		</array>
	</dict>
</dict>
</plist>
)";
}

// Stand-ins for the two windows: the panes only pass them on.
inline PaneWindow FakeMainWindow() {
    return reinterpret_cast<PaneWindow>(0x1000);
}
inline PaneWindow FakeLibraryWindow() {
    return reinterpret_cast<PaneWindow>(0x2000);
}

class ListsTest : public BankTest {
  protected:
    void SetUp() override {
        BankTest::SetUp();
        folder_.Write("Devices/Gamma.eld/definition.xml", GammaDefinition());
        ASSERT_TRUE(SwitchDevice(kGammaPid));
        ASSERT_EQ(gDevice.presetCount, 16);
        ASSERT_EQ(gDevice.controlCount, 6);
        HeadlessViewReset();
        Place(gDevicesPane, FakeMainWindow(), {9, 70, 182, 134});
        Place(gPresetsPane, FakeMainWindow(), {9, 241, 182, 238});
        Place(gDeviceView, FakeMainWindow(), {199, 70, 586, 409});
        Place(gLibraryFilesPane, FakeLibraryWindow(), {9, 26, 182, 134});
        Place(gLibraryControlsPane, FakeLibraryWindow(), {9, 197, 182, 264});
        ResetDeviceViewScroll();
        gDrag = DragState();
        gRubberBand = RubberBand();
        gFocusPane = nullptr;
        gLastPaneKeyFlags = 0;
        ClearClipboard();
        LibraryListClear(&gLibraryList);
        memset(&gSelection, 0, sizeof gSelection);
        gBanks.currentPreset = 0;
        SetCurrentControl(0);
    }
    void TearDown() override {
        ClearClipboard();
        LibraryListClear(&gLibraryList);
        BankTest::TearDown();
    }

    static void Place(Pane& pane, PaneWindow window, PaneRect rect) {
        pane.window = window;
        pane.rect = rect;
        pane.current = 0;
        pane.listMode = 0;
        pane.scrollIntoView = 0;
        pane.vertical = PaneScroll();
        pane.horizontal = PaneScroll();
    }

    // A user bank of Gamma whose preset p is named "P<p>" and whose control c
    // of preset p sends CC 10 * p + c (buttons: p + c, inside 0..63).
    int GammaBank(const char* name) {
        int bank = AddNewUserBank(name);
        EXPECT_GE(bank, 0);
        BankData* data = gBanks.entries[bank].data;
        for (int p = 0; p < 16; p++) {
            snprintf(data->presets[p].name, kNameLen, "P%d", p);
            for (int c = 0; c < 6; c++) {
                data->presets[p].controls[c].midiCc = c == 3 || c == 4 ? p + c : 10 * p + c;
                data->presets[p].controls[c].origin = -1;
                data->presets[p].changed = 0;
            }
        }
        ClearChanges(bank);  // as if loaded from its file
        return bank;
    }

    // Client point in the middle of list row `row` as shown now.
    static int RowY(const Pane& pane, int row) {
        return ListRowTop(pane, row - pane.vertical.position) + 6;
    }
    static int NameX(const Pane& pane) { return pane.rect.x + 40; }

    static int Press(Pane& pane, int row, int flags = 0) {
        return pane.Mouse(pane.window, NameX(pane), RowY(pane, row), kLeftDown, flags);
    }
    // The release, and the window's dispatch letting go of an armed drag as it
    // does after every release.
    static int Release(Pane& pane, int row, int flags = 0) {
        int handled = pane.Mouse(pane.window, NameX(pane), RowY(pane, row), kLeftUp, flags);
        DisarmDrag();
        return handled;
    }
    static int MoveOver(Pane& pane, int row) {
        return pane.Mouse(pane.window, NameX(pane), RowY(pane, row), kMouseMove, 0);
    }
    // The press, the first move (the window's dispatch starts the drag) and
    // the release over `to` row `toRow`.
    static void DragRow(Pane& from, int fromRow, Pane& to, int toRow, int flags = 0) {
        HeadlessView().controlHeld = (flags & kKeyFlagControl) ? 1 : 0;
        Press(from, fromRow, flags);
        StartDrag();
        MoveOver(to, toRow);
        Release(to, toRow, flags);
        HeadlessView().controlHeld = 0;
    }

    // A list library with `count` controls named "L0".. whose type filter is
    // `ctrlType`, each assigning "midicc=<20 + i>"; its list index.
    int AddLibrary(const char* name, int uniqueId, int source, int pid, int count,
                   const char* ctrlType = "") {
        LibraryData* lib = AllocLibraryData();
        EXPECT_NE(lib, nullptr);
        CopyText(lib->name, name);
        lib->uniqueId = uniqueId;
        lib->pid = pid;
        lib->controlCount = count;
        for (int i = 0; i < count; i++) {
            snprintf(lib->controls[i].name, kNameLen, "L%d", i);
            snprintf(lib->controls[i].control, kNameLen, "midicc=%d", 20 + i);
            CopyText(lib->controls[i].ctrlType, ctrlType);
        }
        std::string path = std::string(name) + ".ell";
        EXPECT_TRUE(LibraryListAdd(&gLibraryList, path.c_str(), source, lib));
        int index = gLibraryList.count - 1;
        CopyText(gLibraryList.entries[index].displayName, name);
        return index;
    }

    PresetControl& Control(int bank, int preset, int control) {
        return gBanks.entries[bank].data->presets[preset].controls[control];
    }
    static int SelectedPresets() {
        int n = 0;
        for (int i = 0; i < kMaxPresets; i++) n += gSelection.presets[i];
        return n;
    }
};
