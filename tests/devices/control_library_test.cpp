#include "devices/control_library.h"

#include <gtest/gtest.h>

#include <utime.h>

#include <ctime>
#include <memory>
#include <string>

#include "banks/discovery.h"
#include "devices/library_list.h"
#include "headless/messages_headless.h"
#include "devices_test_support.h"

namespace {

std::string Library(const std::string& body) {
    return PlistDocument(KeyDict("library", body));
}

std::string LibControl(int cc, const std::string& name, const std::string& extra = "") {
    return Dict(KeyInt("MIDICC", cc) + KeyString("name", name) + extra);
}

class ListLibraryTest : public ::testing::Test {
  protected:
    DevicesTempFolder temp;
    std::unique_ptr<LibraryData> lib{new LibraryData()};
    int Read(const std::string& xml) {
        std::string path = temp.Write("lib.xml", xml);
        return ReadListLibrary(path.c_str(), lib.get());
    }
};

TEST_F(ListLibraryTest, HeaderFieldsAndDefaults) {
    ASSERT_EQ(Read(Library(KeyString("name", "Caf\xc3\xa9 Synth") + KeyString("short name", "CS") +
                           KeyInt("priority", 3) + KeyInt("unique id", 77))),
              1);
    EXPECT_STREQ(lib->name, "Caf\xe9 Synth");  // UTF-8 decoded to 8-bit text
    EXPECT_STREQ(lib->shortName, "CS ");       // one blank appended
    EXPECT_EQ(lib->priority, 3);
    EXPECT_EQ(lib->uniqueId, 77);
    EXPECT_EQ(lib->pid, 0);
    EXPECT_EQ(lib->vid, 0);
    EXPECT_EQ(lib->controlCount, 0);

    ASSERT_EQ(Read(Library("")), 1);
    EXPECT_EQ(lib->priority, 0);
    EXPECT_STREQ(lib->shortName, "");  // an empty short name gets no blank
}

TEST_F(ListLibraryTest, ShortNumberForms) {
    ASSERT_EQ(Read(Library(
                  KeyArray("controls", LibControl(1, "Missing") +
                                           LibControl(2, "Empty", KeyString("short name", "")) +
                                           LibControl(3, "Number", KeyInt("short name", 5)) +
                                           LibControl(4, "Text", KeyString("short name", "Tx"))))),
              1);
    ASSERT_EQ(lib->controlCount, 4);
    EXPECT_EQ(lib->controls[0].shortNumber, 1);
    EXPECT_EQ(lib->controls[1].shortNumber, 0);
    EXPECT_STREQ(lib->controls[1].shortName, "");
    EXPECT_EQ(lib->controls[2].shortNumber, 5);
    EXPECT_STREQ(lib->controls[2].shortName, "");
    EXPECT_EQ(lib->controls[3].shortNumber, 0);
    EXPECT_STREQ(lib->controls[3].shortName, "Tx ");
}

TEST_F(ListLibraryTest, ControlTextsInFileOrder) {
    ASSERT_EQ(Read(Library(KeyArray(
                  "controls",
                  LibControl(74, "Cutoff",
                             KeyString("desc", "Filter") + KeyString("labels", "0=Off") +
                                 KeyString("control", "midicc=74") + KeyString("editor", "E") +
                                 KeyString("Button", "Bt") + KeyString("Pad", "Pd") +
                                 KeyString("ctrl_type", "Knob Fader")) +
                      Dict(KeyString("name", "No CC"))))),
              1);
    const LibraryControl& c = lib->controls[0];
    EXPECT_EQ(c.midiCc, 74);
    EXPECT_STREQ(c.desc, "Filter");
    EXPECT_STREQ(c.labels, "0=Off");
    EXPECT_STREQ(c.control, "midicc=74");
    EXPECT_STREQ(c.editor, "E");
    EXPECT_STREQ(c.button, "Bt");
    EXPECT_STREQ(c.pad, "Pd");
    EXPECT_STREQ(c.ctrlType, "Knob Fader");
    EXPECT_EQ(lib->controls[1].midiCc, 0);
}

TEST_F(ListLibraryTest, AtMost256ControlsAndAFullShortNameKeepsItsBlank) {
    std::string controls;
    for (int i = 0; i < 300; ++i) controls += LibControl(i % 128, "c" + std::to_string(i));
    std::string longShort(60, 's');
    ASSERT_EQ(Read(Library(KeyString("short name", longShort) + KeyArray("controls", controls))),
              1);
    EXPECT_EQ(lib->controlCount, 256);
    EXPECT_STREQ(lib->controls[255].name, "c255");
    EXPECT_EQ(strlen(lib->shortName), static_cast<size_t>(kNameLen - 1));
    EXPECT_EQ(lib->shortName[kNameLen - 2], ' ');
}

TEST_F(ListLibraryTest, FilesWithoutALibraryAreRefused) {
    EXPECT_EQ(Read(PlistDocument(KeyDict("device", KeyString("name", "K")))), 0);
    EXPECT_EQ(Read(PlistDocument(KeyString("library", "not a dictionary"))), 0);
    EXPECT_EQ(Read("garbage"), 0);
    EXPECT_EQ(ReadListLibrary((temp.Folder() + "absent.xml").c_str(), lib.get()), 0);
}

// --- The controller-number library ------------------------------------------

TEST(CcLibrarySlots, SecondEntryGoesTo256PlusN) {
    std::unique_ptr<CcLibrary> lib(new CcLibrary());
    LibraryControl c{};
    c.midiCc = 7;
    strcpy(c.name, "Volume");
    EXPECT_EQ(CcLibraryPlace(lib.get(), &c), 1);
    strcpy(c.name, "Volume B");
    CcLibraryPlace(lib.get(), &c);
    strcpy(c.name, "Volume C");
    CcLibraryPlace(lib.get(), &c);
    EXPECT_STREQ(lib->controls[7].name, "Volume");
    EXPECT_EQ(lib->controls[7].hasSecond, 1);
    EXPECT_STREQ(lib->controls[263].name, "Volume C");  // the third replaced the second
    EXPECT_EQ(lib->controls[263].hasSecond, 0);
}

TEST(CcLibrarySlots, ControllerZeroNeverTakesItsSlot) {
    std::unique_ptr<CcLibrary> lib(new CcLibrary());
    LibraryControl c{};
    strcpy(c.name, "Bank Select");
    CcLibraryPlace(lib.get(), &c);
    strcpy(c.name, "Bank Select MSB");
    CcLibraryPlace(lib.get(), &c);
    EXPECT_STREQ(lib->controls[0].name, "Bank Select MSB");
    EXPECT_EQ(lib->controls[0].hasSecond, 0);
    EXPECT_STREQ(lib->controls[256].name, "");
}

TEST(CcLibrarySlots, NumbersOutsideTheSlotsAreIgnored) {
    std::unique_ptr<CcLibrary> lib(new CcLibrary());
    LibraryControl c{};
    c.midiCc = 256;
    EXPECT_EQ(CcLibraryPlace(lib.get(), &c), 0);
    c.midiCc = -1;
    EXPECT_EQ(CcLibraryPlace(lib.get(), &c), 0);
    c.midiCc = 255;
    EXPECT_EQ(CcLibraryPlace(lib.get(), &c), 1);
    CcLibraryPlace(lib.get(), &c);
    EXPECT_EQ(lib->controls[511].midiCc, 255);
}

class CcLibraryLoadTest : public ::testing::Test {
  protected:
    DevicesTempFolder temp;
    void SetUp() override {
        DiscoverySetProgramFolder(temp.Folder().c_str());
        temp.Write("Library/GM.ell/definition.xml",
                   Library(KeyString("name", "General") + KeyInt("unique id", 1) +
                           KeyArray("controls", LibControl(7, "Volume") + LibControl(74, "Cutoff") +
                                                    LibControl(300, "Too high") +
                                                    LibControl(-5, "Negative"))));
        temp.Write(
            "Devices/K.eld/MIDICC.xml",
            Library(KeyString("name", "K Controls") + KeyInt("unique id", 9) +
                    KeyArray("controls", LibControl(7, "Pad Level", KeyString("ctrl_type", "Pad")) +
                                             LibControl(20, "Macro 1"))));
    }
    void TearDown() override { DiscoverySetProgramFolder(nullptr); }
};

TEST_F(CcLibraryLoadTest, GeneralThenDeviceFileByControllerNumber) {
    LoadCcLibrary((temp.Folder() + "Devices/K.eld/").c_str());
    EXPECT_STREQ(gCcLibrary.name, "K Controls");
    EXPECT_EQ(gCcLibrary.uniqueId, 9);
    EXPECT_EQ(gCcLibrary.controlCount, 2);  // read from the last file
    EXPECT_STREQ(gCcLibrary.controls[7].name, "Volume");
    EXPECT_EQ(gCcLibrary.controls[7].hasSecond, 1);
    EXPECT_STREQ(gCcLibrary.controls[263].name, "Pad Level");
    EXPECT_STREQ(gCcLibrary.controls[20].name, "Macro 1");
    EXPECT_STREQ(gCcLibrary.controls[74].name, "Cutoff");
    EXPECT_STREQ(gCcLibrary.controls[255].name, "");

    // Loading again starts from a clear library.
    LoadCcLibrary((temp.Folder() + "Devices/none.eld/").c_str());
    EXPECT_STREQ(gCcLibrary.name, "General");
    EXPECT_STREQ(gCcLibrary.controls[263].name, "");
    EXPECT_EQ(gCcLibrary.controls[7].hasSecond, 0);
}

// A broken general file is named when it is read, not again at every load of
// a model (here one without a file of its own, whose absence stays the same).
TEST_F(CcLibraryLoadTest, ABrokenGeneralFileIsNamedOnce) {
    const std::string general = temp.Write("Library/GM.ell/definition.xml", "<plist><dict>");
    utimbuf times;
    times.actime = times.modtime = time(nullptr) - 100;
    ASSERT_EQ(utime(general.c_str(), &times), 0);
    HeadlessMessages().statusTexts.clear();
    for (int load = 0; load < 3; load++) LoadCcLibrary((temp.Folder() + "Devices/none.eld/").c_str());
    EXPECT_EQ(HeadlessMessages().statusTexts.size(), 1u);
}

TEST_F(CcLibraryLoadTest, EntryForAControlFollowsTheTypeFilters) {
    LoadCcLibrary((temp.Folder() + "Devices/K.eld/").c_str());
    std::unique_ptr<DeviceDefinition> def(new DeviceDefinition());
    def->controlCount = 2;
    strcpy(def->controls[0].typeName, "Knob");
    strcpy(def->controls[1].typeName, "Pad");
    // An empty first filter fits every control.
    EXPECT_STREQ(CcLibraryEntryForIn(&gCcLibrary, def.get(), 0, 7)->name, "Volume");
    EXPECT_STREQ(CcLibraryEntryForIn(&gCcLibrary, def.get(), 1, 7)->name, "Volume");
    EXPECT_EQ(CcLibraryEntryForIn(&gCcLibrary, def.get(), 0, 21), nullptr);
    EXPECT_EQ(CcLibraryEntryForIn(&gCcLibrary, def.get(), 0, 300), nullptr);
    EXPECT_EQ(CcLibraryEntryForIn(&gCcLibrary, def.get(), 5, 7), nullptr);

    // With a filtered first entry the second stands in where it fits.
    strcpy(gCcLibrary.controls[7].ctrlType, "Knob");
    EXPECT_STREQ(CcLibraryEntryForIn(&gCcLibrary, def.get(), 0, 7)->name, "Volume");
    EXPECT_STREQ(CcLibraryEntryForIn(&gCcLibrary, def.get(), 1, 7)->name, "Pad Level");
    // An empty second filter does not fit.
    gCcLibrary.controls[263].ctrlType[0] = '\0';
    EXPECT_EQ(CcLibraryEntryForIn(&gCcLibrary, def.get(), 1, 7), nullptr);
}

// --- Finding a preset control's origin --------------------------------------

TEST(FindLibraryControl, ByUniqueIdAndIndex) {
    LibraryListClear(&gLibraryList);
    LibraryData* lib = AllocLibraryData();
    lib->uniqueId = 12;
    lib->controlCount = 3;
    strcpy(lib->shortName, "Syn ");
    strcpy(lib->controls[2].name, "Resonance");
    LibraryListAdd(&gLibraryList, "p", kLibrarySourceLibrary, lib);
    const char* shortName = nullptr;
    int source = 0;
    const LibraryControl* c = FindLibraryControl(12 * 65536 + 2, &shortName, &source);
    ASSERT_NE(c, nullptr);
    EXPECT_STREQ(c->name, "Resonance");
    EXPECT_STREQ(shortName, "Syn ");
    EXPECT_EQ(source, kLibrarySourceLibrary);
    EXPECT_EQ(FindLibraryControl(12 * 65536 + 3, nullptr, nullptr), nullptr);
    EXPECT_EQ(FindLibraryControl(13 * 65536 + 2, nullptr, nullptr), nullptr);
    EXPECT_EQ(FindLibraryControl(-1, nullptr, nullptr), nullptr);
    // A unique id of 40000: the origin packed by a drop is negative.
    lib->uniqueId = 40000;
    const int32_t packed = static_cast<int32_t>(40000u * 65536u + 2u);
    ASSERT_LT(packed, 0);
    EXPECT_EQ(FindLibraryControl(packed, nullptr, nullptr), &lib->controls[2]);
    LibraryListClear(&gLibraryList);
}

}  // namespace
