// The string table: exact texts, the resource-name runs, and the rules that
// keep the resource script and the portable table identical.
#include "base/string_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/messages.h"

TEST(StringTable, IdsRiseStrictlySoLookupFindsEveryEntry) {
    for (int i = 1; i < kStringCount; ++i) {
        EXPECT_LT(kStringTable[i - 1].id, kStringTable[i].id) << "entry " << i;
    }
    for (int i = 0; i < kStringCount; ++i) {
        EXPECT_EQ(FindString(kStringTable[i].id), kStringTable[i].text);
    }
}

TEST(StringTable, TextsSurviveBothCompilers) {
    // The resource compiler doubles quotes and treats backslashes its own way;
    // a text with either would differ between the program and the tests. Ids
    // must fit the resource compiler's 16-bit numbers.
    for (int i = 0; i < kStringCount; ++i) {
        const char* t = kStringTable[i].text;
        EXPECT_EQ(std::strchr(t, '"'), nullptr) << kStringTable[i].id;
        EXPECT_EQ(std::strchr(t, '\\'), nullptr) << kStringTable[i].id;
        EXPECT_GT(std::strlen(t), 0u) << kStringTable[i].id;
        EXPECT_LE(std::strlen(t), static_cast<size_t>(kMaxShortText)) << kStringTable[i].id;
        EXPECT_GE(kStringTable[i].id, 0);
        EXPECT_LT(kStringTable[i].id, 65536);
    }
}

TEST(StringTable, TextsWhoseSpacingMatters) {
    // Texts that other texts are appended to keep their trailing blank, and
    // the drag message keeps its double blank.
    EXPECT_STREQ(FindString(1), "The Clipboard Contains ");
    EXPECT_STREQ(FindString(6), "%d Controls from ");
    EXPECT_STREQ(FindString(8), "%d Presets from ");
    EXPECT_STREQ(FindString(9), "1 Preset from ");
    EXPECT_STREQ(FindString(54), "Can not drag %s to %s.  It is the wrong type of control.");
    EXPECT_STREQ(FindString(32), "Could not Rename %s");
    EXPECT_STREQ(FindString(39),
                 "That Library Control cannot be used because the MIDICC is out of range of the "
                 "Controller you dragged it to.");
    EXPECT_STREQ(FindString(47),
                 "An attempt to open the %s has failed because it is already in use, possibly by "
                 "the MIDI Mapper");
}

TEST(StringTable, IdsWithoutEntries) {
    for (int id : {4,   11,  15,  20,  21,  22,  40,  43,  45,  46,  53, 55,    127,
                   140, 163, 388, 400, 409, 456, 462, 469, 479, 485, -1, 100000}) {
        EXPECT_EQ(FindString(id), nullptr) << id;
    }
}

namespace {
// Reads a run of resource names as start-up does: upward from `first` until
// an entry beginning with "!", skipping missing ids without using a slot.
std::string ReadRun(int first) {
    std::string names;
    for (int id = first; id < first + 64; ++id) {
        const char* t = FindString(id);
        if (t == nullptr) continue;
        if (t[0] == '!') return names;
        names += t;
        names += ' ';
    }
    return "unterminated";
}
}  // namespace

TEST(StringTable, ImageRunsEndWithBangAndHoldTheirImagesInOrder) {
    EXPECT_EQ(ReadRun(432),
              "PNG_BUT_RESCAN PNG_BUT_RESCAN_PR PNG_BUT_NEW PNG_BUT_NEW_PR PNG_BUT_SEND "
              "PNG_BUT_SEND_PR PNG_BUT_UPLOAD PNG_BUT_UPLOAD_PR PNG_BUT_DOWNLOAD "
              "PNG_BUT_DOWNLOAD_PR PNG_BUT_VIEW PNG_BUT_VIEW_PR PNG_BUT_LIBRARY "
              "PNG_BUT_LIBRARY_PR PNG_BUT_INFO PNG_BUT_INFO_PR PNG_BUT_ZONES PNG_BUT_ZONES_PR "
              "PNG_TAB_LEFT PNG_TAB_LEFT_PR PNG_TAB_MID PNG_TAB_MID_PR PNG_TAB_RIGHT "
              "PNG_TAB_RIGHT_PR ");
    EXPECT_EQ(ReadRun(464), "PNG_LOGO_TOP PNG_LOGO_NAME PNG_LOGO_BOTTOM PNG_DISPLAY_PANEL ");
    EXPECT_EQ(ReadRun(480), "PNG_FILE_DEVICE PNG_FILE_DEVICE_SEL PNG_FILE_USER PNG_FILE_ROM ");
}

TEST(StringTable, CursorAndBitmapNames) {
    const char* cursors[] = {"CUR_DRAG_SINGLE", "CUR_DRAG_MULTIPLE", "CUR_ZONESIZE",
                             "CUR_ZONEMOVE"};
    for (int i = 0; i < kCursorNameCount; ++i) {
        EXPECT_STREQ(FindString(kStrFirstCursor + i), cursors[i]);
    }
    const char* bitmaps[] = {"TEX_BACKGROUND", "TEX_ALLIGHT", "TEX_ALDARK",  "A_MIDIPLUG",
                             "BUT_OFF",        "BUT_ON",      "BUT_OFF_SEL", "BUT_ON_SEL"};
    for (int i = 0; i < kBitmapNameCount; ++i) {
        EXPECT_STREQ(FindString(kStrFirstBitmap + i), bitmaps[i]);
    }
}

TEST(StringTable, TooltipsFollowTheirIndexes) {
    EXPECT_STREQ(FindString(kStrFirstTooltip + 0), "Refresh MIDI and Connected Devices");
    EXPECT_STREQ(FindString(kStrFirstTooltip + 7), "Show / Close the Library Window");
    EXPECT_STREQ(FindString(kStrFirstTooltip + 11), "Show the Zone Data");
    EXPECT_EQ(FindString(kStrFirstTooltip + 12), nullptr);
    EXPECT_STREQ(FindString(kStrFirstTabLabel + 2), "Zone Data");
}

TEST(StringTable, EveryMessageTextExactly) {
    // The program's wording, entry by entry: a changed or lost text here
    // changes what users (and their documentation) see.
    struct Expected {
        int id;
        const char* text;
    };
    const Expected expected[] = {
        {0, "The Clipboard is Empty"},
        {1, "The Clipboard Contains "},
        {2, "Clipboard Contents"},
        {3, "Running short of memory"},
        {5, "There is nothing on the Clipboard"},
        {6, "%d Controls from "},
        {7, "1 Control from "},
        {8, "%d Presets from "},
        {9, "1 Preset from "},
        {10, "Cannot paste data from one window into another"},
        {16, "%s has changed. Do you want to send it to the device?"},
        {17, "%s has changed. Do you want to save it?"},
        {18, "Replace existing %s"},
        {19, "Are you sure you want to revert to the saved version of %s?"},
        {23, "%s is already loaded"},
        {24, "Cannot open file %s"},
        {25, "Cannot create file %s"},
        {26, "Cannot Write file %s to disk"},
        {27, "%s is not an Corvanith SysEx Librarian File"},
        {28, "%s is not an Corvanith Settings File"},
        {29, "%s is not an Corvanith SysEx Editor File"},
        {30, "Cannot Modify %s because it is marked as Read Only"},
        {31, "Cannot Save %s because it is marked as Read Only"},
        {32, "Could not Rename %s"},
        {33, "You need to have an Corvanith Device connected in order to import a .SXL file."},
        {34, "Cannot Copy %s to the device because it is the wrong type of bank"},
        {35, "The device is not responding"},
        {36, "The device cancelled the operation"},
        {37, "The device did not receive the data"},
        {38, "Cannot Send %s to the device because it is the wrong type of bank"},
        {41, "This output device is not currently available"},
        {42, "This input device is not currently available"},
        {44, "No Output Ports are Available"},
        {48, "Please open an Input and an Output Device"},
        {49, "SysEx Received"},
        {50, "SysEx Sent"},
        {51, "Reading %s"},
        {52, "Writing %s"},
        {60, "Only %d of the %d presets were received; the device bank is unchanged"},
        {61, "The device sent damaged data; the download was cancelled"},
        {62, "The received presets could not be stored in the device bank"},
        {70, "The device definition %s cannot be used: %s"},
        {71, "The help page %s could not be shown. The help pages are in the folder %s"},
        {72, "%s is not a readable XML file (%s)"},
        {73, "%s belongs to a device model (PID %d) that has no definition in the Devices folder"},
        {74, "%s was not opened: 64 banks are open already. Close one and try again."},
        {75, "Sending preset %d of %d to %s"},
        {76, "%d presets sent to %s"},
        {77, "Asking %s for its presets"},
        {78, "Receiving preset %d of %d from %s"},
        {79, "%d presets received from %s"},
        {81, "1 preset sent to %s"},
        {82, "Could not Save %s. %s"},
        {83, "Could not Send %s to the device. %s"},
        {84,
         "The changes to %s were kept when Windows ended the last session. Do you want to "
         "restore them?"},
        {85, "Send %s to %s? It replaces every preset in the device."},
        {86, "Could not delete %s"},
        {87,
         "Could not put back %s because another file is in the way or the folder cannot be "
         "written"},
        {88, "Cannot bring back %s because 64 banks are open"},
        {89, "Cannot Undo or Redo the change to %s because it is no longer open"},
        {90, "%d differences from %s"},
        {91, "1 difference from %s"},
        {92, "No differences from %s"},
        {93, "No device bank of %s is open to compare with"},
        {94, "Preset %d: %s"},
        {95, "Bank: %s - %s"},
        {96, "CC %d"},
        {97, "Ch %d"},
        {98, "Zones"},
        {99, "Zone %d:"},
        {100, "Export Preset Sheet"},
        {101, "PNG Picture"},
        {102, "Export as SysEx"},
        {103, "SysEx File (*.syx)"},
        {104, "Export only the %d selected presets? No exports the whole bank."},
        {105,
         "%s holds %d whole presets, not a whole bank. Import them as a new bank, the other "
         "presets as a new bank has them?"},
        {106, "Nothing to import from %s: %s"},
        {107,
         "%d SysEx messages: %d Corvanith data messages, %d Corvanith handshake messages, %d "
         "identity messages, %d of other makers; no preset in it is whole"},
        {108, "%s holds data messages for Group ID %d, which no device definition has"},
        {109, "%s is larger than 1 MB, too large for a SysEx file"},
        {110, "Wait until the exchange with the device has ended, then load %s again"},
        {111, "%s holds a bank of another device model, so it was not read"},
        {112,
         "That Library Control cannot be used because one of its values is out of range for a "
         "Controller"},
        {113, "%s was made for another device model, so its controls cannot be used here"},
        {114, "The device is still sending its presets."},
        {115,
         "A new bank is made for a device model: connect a Corvanith device, or open a bank of "
         "its model first."},
        {116, "Only the first bank in %s was read: the file holds more presets than one bank"},
        {128, "Refresh MIDI and Connected Devices"},
        {129, "Create a New User Preset File"},
        {130, "System Exclusive Activity Indicator"},
        {131, "Send the Current Bank to the Device"},
        {132, "Send Changes in the Device Bank to the Device"},
        {133, "Download the Device to the Device Bank"},
        {134, "Toggle between the Graphic View and the List View"},
        {135, "Show / Close the Library Window"},
        {136, "Open the Control Edit Window"},
        {137, "Show the Control Details"},
        {138, "Show the Extra Variables"},
        {139, "Show the Zone Data"},
        {160, "Control Details"},
        {161, "Extra Variables"},
        {162, "Zone Data"},
    };
    for (const Expected& e : expected) {
        const char* text = FindString(e.id);
        ASSERT_NE(text, nullptr) << e.id;
        EXPECT_STREQ(text, e.text) << e.id;
    }
    // Besides these, the resource names and the three "!" ends (checked
    // above) and ids 39, 47, 54: nothing else.
    EXPECT_EQ(kStringCount,
              static_cast<int>(sizeof expected / sizeof expected[0]) + 3 + 4 + 8 + 24 + 4 + 4 + 3);
}
