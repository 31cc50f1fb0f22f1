#include "banks/discovery.h"

#include <gtest/gtest.h>
#include <utime.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "banks/bank_model.h"
#include "base/shell_hooks.h"
#include "devices/control_library.h"
#include "devices/discovery_walk.h"
#include "devices/folder_list.h"
#include "devices/library_list.h"
#include "devices_test_support.h"
#include "headless/commands_headless.h"
#include "headless/messages_headless.h"
#include "shell/settings.h"

namespace {

std::string Definition(const std::string& name, int pid) {
    return PlistDocument(KeyDict(
        "device",
        KeyString("name", name) + KeyInt("PID", pid) + KeyDict("graphic", "") +
            KeyDict("preset", KeyInt("count", 2)) +
            KeyArray("controls", Dict(KeyString("name", "Knob") + KeyString("type", "Knob"))) +
            KeyArray("controller types", Dict(KeyString("name", "Knob") + KeyInt("linear", 1)))));
}

std::string Bank(const std::string& name, int pid, bool readOnly) {
    return PlistDocument(
        KeyDict("preset", KeyString("name", name) + KeyInt("PID", pid) +
                              (readOnly ? "<key>read only</key><true/><key>ROM</key><true/>"
                                        : "<key>read only</key><false/><key>ROM</key><false/>") +
                              KeyArray("presets", Dict(KeyString("name", "First")))));
}

std::string Library(const std::string& name, int priority) {
    return PlistDocument(
        KeyDict("library", KeyString("name", name) + KeyInt("priority", priority)));
}

std::vector<std::string> Names(const std::vector<std::string>& paths, const std::string& base) {
    std::vector<std::string> out;
    for (const std::string& p : paths) out.push_back(p.substr(base.size()));
    return out;
}

TEST(DiscoveryWalk, UserBankNamesSortedInByteOrder) {
    DevicesTempFolder temp;
    for (const char* name :
         {"b.xml", "A.xml", "a.XML", "notes.xml.bak", "my.bank.xml", "plain", ".xml", "c.Xml"})
        temp.Write(name, "x");
    temp.MakeFolder("folder.xml");
    std::vector<std::string> names;
    ASSERT_EQ(CollectUserBankNames(temp.Folder(), &names), 1);
    EXPECT_EQ(names, (std::vector<std::string>{".xml", "A.xml", "a.XML", "b.xml", "c.Xml"}));
    EXPECT_EQ(CollectUserBankNames(temp.Folder() + "nothing", &names), 0);
    EXPECT_TRUE(names.empty());
}

TEST(DiscoveryWalk, ExtensionIsTakenFromTheFirstDot) {
    EXPECT_TRUE(HasUserBankExtension("bank.XmL"));
    EXPECT_FALSE(HasUserBankExtension("notes.xml.bak"));
    EXPECT_FALSE(HasUserBankExtension("my.bank.xml"));
    EXPECT_FALSE(HasUserBankExtension("xml"));
}

TEST(DiscoveryWalk, RomBankCandidatesUseTheLastFourCharacters) {
    DevicesTempFolder temp;
    temp.Write("Devices/K.eld/definition.xml", "x");
    temp.Write("Devices/K.eld/MIDICC.xml", "x");
    temp.Write("Devices/K.eld/rom.xml", "x");
    temp.Write("Devices/K.eld/Rom.XML", "x");
    temp.Write("Devices/K.eld/Factory.XML", "x");
    temp.Write("Devices/K.eld/my.bank.xml", "x");
    temp.Write("Devices/K.eld/.xml", "x");
    temp.Write("Devices/K.eld/notes.txt", "x");
    temp.Write("Devices/K.eld/inner.ELD/Deep.xml", "x");
    temp.Write("Devices/K.eld/graphics/Skip.xml", "x");
    temp.Write("Devices/Loose.xml", "x");
    temp.Write("Devices/Other/Skip.xml", "x");
    std::vector<std::string> paths;
    std::string base = temp.Folder() + "Devices/";
    CollectRomBankCandidates(base, &paths);
    EXPECT_EQ(Names(paths, base),
              (std::vector<std::string>{"K.eld/Factory.XML", "K.eld/inner.ELD/Deep.xml",
                                        "K.eld/my.bank.xml", "Loose.xml"}));
}

TEST(DiscoveryWalk, LibraryFilesInEldAndEllFolders) {
    DevicesTempFolder temp;
    temp.Write("Library/GM.ell/definition.xml", "x");
    temp.Write("Library/Synth.ELL/MIDICC.XML", "x");
    temp.Write("Library/Synth.ELL/other.xml", "x");
    temp.Write("Library/Plain/definition.xml", "x");
    temp.Write("Library/definition.xml", "x");
    std::vector<std::string> paths;
    std::string base = temp.Folder() + "Library/";
    CollectLibraryFiles(base, &paths);
    EXPECT_EQ(Names(paths, base),
              (std::vector<std::string>{"definition.xml", "GM.ell/definition.xml",
                                        "Synth.ELL/MIDICC.XML"}));
}

TEST(FolderList, NamesComeInCaseInsensitiveOrder) {
    DevicesTempFolder temp;
    for (const char* name : {"b", "B", "a", "C"}) temp.Write(name, "");
    std::vector<FolderItem> items;
    ASSERT_EQ(ListFolder(temp.Folder(), &items), 1);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].name, "a");
    EXPECT_EQ(items[1].name, "B");
    EXPECT_EQ(items[2].name, "b");
    EXPECT_EQ(items[3].name, "C");
    EXPECT_EQ(JoinPath("x/", "y"), "x/y");
    EXPECT_EQ(JoinPath("x\\", "y"), "x\\y");
    EXPECT_EQ(WithSeparator(""), "");
}

// --- Device folders ----------------------------------------------------------

class DiscoveryTest : public ::testing::Test {
  protected:
    DevicesTempFolder temp;
    void SetUp() override {
        HeadlessMessagesReset();
        HeadlessMessages().quiet = 1;
        DiscoverySetProgramFolder(temp.Folder().c_str());
        ResetBankList();
        DeviceDefinitionReset(&gDevice);
    }
    void TearDown() override {
        ResetBankList();
        LibraryListClear(&gLibraryList);
        DeviceDefinitionReset(&gDevice);
        DiscoverySetProgramFolder(nullptr);
    }
};

TEST_F(DiscoveryTest, IdentityNeedsADeviceName) {
    temp.Write("Devices/A.eld/definition.xml", Definition("Alpha", 12));
    temp.Write("Devices/B.eld/definition.xml", PlistDocument(KeyDict("device", KeyInt("PID", 12))));
    temp.Write("Devices/C.eld/definition.xml",
               PlistDocument(KeyDict("device", KeyString("name", "No PID"))));
    int32_t pid = 0;
    EXPECT_EQ(ReadDeviceIdentity((temp.Folder() + "Devices/A.eld/").c_str(), &pid), 1);
    EXPECT_EQ(pid, 12);
    EXPECT_EQ(ReadDeviceIdentity((temp.Folder() + "Devices/B.eld/").c_str(), &pid), 0);
    EXPECT_EQ(ReadDeviceIdentity((temp.Folder() + "Devices/C.eld/").c_str(), &pid), 1);
    EXPECT_EQ(pid, -1);
    EXPECT_EQ(ReadDeviceIdentity((temp.Folder() + "Devices/none.eld/").c_str(), &pid), 0);
}

TEST_F(DiscoveryTest, ADefinitionWithAnXmlErrorIsNoDeviceFolder) {
    std::string broken = Definition("Alpha", 12);
    broken.insert(broken.find("<key>controls</key>"), "<key>oops</key><dict>\n");  // never closed
    temp.Write("Devices/A.eld/definition.xml", broken);
    temp.Write("User Preset Banks/Mine.xml", Bank("Mine", 12, false));
    int32_t pid = 0;
    std::string problem;
    EXPECT_EQ(ReadDeviceIdentity((temp.Folder() + "Devices/A.eld/").c_str(), &pid, &problem), 0);
    EXPECT_NE(problem.find("line"), std::string::npos);

    // Its banks are refused as for a missing folder, and the user learns why.
    ScanUserAndRomBanks(0);
    EXPECT_EQ(gBanks.count, 0);
    EXPECT_EQ(gDevice.controlCount, 0);
    std::string status = HeadlessLastStatus();
    EXPECT_NE(status.find("Devices/A.eld/definition.xml"), std::string::npos) << status;
    EXPECT_NE(status.find(problem), std::string::npos) << status;
}

// Bytes after the document's end break nothing it holds: the definition, its banks and the
// libraries load as a bank file does.
TEST_F(DiscoveryTest, BytesAfterTheDocumentsEndAreNoXmlError) {
    temp.Write("Devices/A.eld/definition.xml", Definition("Alpha", 12) + "junk");
    temp.Write("User Preset Banks/Mine.xml", Bank("Mine", 12, false));
    temp.Write("Library/x.ell/definition.xml", Library("Synth", 1) + "junk");
    int32_t pid = 0;
    EXPECT_EQ(ReadDeviceIdentity((temp.Folder() + "Devices/A.eld/").c_str(), &pid), 1);
    EXPECT_EQ(pid, 12);
    ScanUserAndRomBanks(0);
    EXPECT_EQ(gBanks.count, 1);
    EXPECT_STREQ(gDevice.name, "Alpha");
    ScanLibraries();
    EXPECT_EQ(gLibraryList.count, 1);
}

TEST_F(DiscoveryTest, FirstFolderWinsOnEqualPids) {
    temp.Write("Devices/Second.eld/definition.xml", Definition("Second", 300));
    temp.Write("Devices/First.ELD/definition.xml", Definition("First", 300));
    temp.Write("Devices/Aaa.eld/definition.xml", PlistDocument(KeyDict("device", "")));
    temp.Write("Devices/Abc/definition.xml", Definition("Not a device folder", 300));
    char path[kPathLen], name[kPathLen];
    ASSERT_EQ(FindDeviceFolder(300, path, name), 1);
    EXPECT_EQ(std::string(path), temp.Folder() + "Devices/First.ELD/");
    EXPECT_STREQ(name, "First");
    EXPECT_EQ(FindDeviceFolder(301, path, name), 0);
}

TEST_F(DiscoveryTest, SwitchDeviceLoadsOnlyAFoundModel) {
    temp.Write("Devices/K.eld/definition.xml", Definition("Keys 49", 1));
    EXPECT_EQ(SwitchDevice(1), 1);
    EXPECT_STREQ(gDevice.name, "Keys 49");
    EXPECT_EQ(std::string(gDevice.directory), temp.Folder() + "Devices/K.eld/");
    EXPECT_EQ(gBanks.currentControl, 0);
    EXPECT_EQ(HeadlessWindowTitle(), "Ostrel - Keys 49");
    int repaints = gHeadlessRepaints;
    EXPECT_EQ(SwitchDevice(2), 0);
    EXPECT_STREQ(gDevice.name, "Keys 49");  // kept
    EXPECT_EQ(gHeadlessRepaints, repaints);
}

// Definitions and libraries are kept from one device load to the next, but one changed on disk
// is read again: by its time, or in any case while it is newly written (it could change again
// within the same tick of the file system's clock, keeping size and time).
TEST_F(DiscoveryTest, ADefinitionOrLibraryChangedOnDiskIsReadAgain) {
    const std::string definition = "Devices/K.eld/definition.xml";
    const std::string library = "Devices/K.eld/MIDICC.xml";
    auto writeAged = [&](const std::string& file, const std::string& text, int secondsAgo) {
        std::string path = temp.Write(file, text);
        utimbuf times;
        times.actime = times.modtime = time(nullptr) - secondsAgo;
        ASSERT_EQ(utime(path.c_str(), &times), 0);
    };
    writeAged(definition, Definition("Keys 49", 1), 100);
    writeAged(library, Library("Keys Controls", 0), 100);
    ASSERT_EQ(SwitchDevice(1), 1);
    EXPECT_STREQ(gDevice.name, "Keys 49");
    EXPECT_STREQ(gCcLibrary.name, "Keys Controls");
    // The same sizes, other times.
    writeAged(definition, Definition("Keys 61", 1), 50);
    writeAged(library, Library("Pads Controls", 0), 50);
    ASSERT_EQ(SwitchDevice(1), 1);
    EXPECT_STREQ(gDevice.name, "Keys 61");
    EXPECT_STREQ(gCcLibrary.name, "Pads Controls");
    // Written now, twice in a row: the same size and time.
    const time_t now = time(nullptr);
    writeAged(definition, Definition("Keys 88", 1), static_cast<int>(time(nullptr) - now));
    ASSERT_EQ(SwitchDevice(1), 1);
    writeAged(definition, Definition("Keys 76", 1), static_cast<int>(time(nullptr) - now));
    ASSERT_EQ(SwitchDevice(1), 1);
    EXPECT_STREQ(gDevice.name, "Keys 76");
}

TEST_F(DiscoveryTest, DeviceConnectedAddsTheDeviceBank) {
    temp.Write("Devices/K.eld/definition.xml", Definition("Keys 49", 1));
    EXPECT_EQ(DeviceConnected(2, 0), 0);
    EXPECT_EQ(gBanks.count, 0);
    EXPECT_EQ(DeviceConnected(1, 5), 1);
    ASSERT_EQ(gBanks.count, 1);
    EXPECT_EQ(gBanks.entries[0].kind, BankKind::Device);
    EXPECT_EQ(gBanks.entries[0].connection, 5);
    EXPECT_EQ(std::string(gBanks.entries[0].path), temp.Folder() + "Devices/K.eld/rom.xml");
    EXPECT_EQ(gBanks.entries[0].hasFile, 1);  // no file yet: nothing to lose

    // A damaged file of the device's bank is named, and the bank does not take it for its own:
    // its first Save asks before it replaces what may be the only copy of the last download.
    temp.Write("Devices/L.eld/definition.xml", Definition("Keys 61", 3));
    temp.Write("Devices/L.eld/rom.xml", "<plist><dict><key>preset</key><dict>");
    ASSERT_EQ(DeviceConnected(3, 6), 1);
    const int damaged = FindDeviceBankByPid(3);
    EXPECT_EQ(gBanks.entries[damaged].hasFile, 0);
    EXPECT_NE(HeadlessLastStatus().find("Devices/L.eld/rom.xml"), std::string::npos)
        << HeadlessLastStatus();
}

TEST_F(DiscoveryTest, StartUpScanOpensUserBanksThenRomBanks) {
    gShowAllRomBanks = 1;
    temp.Write("Devices/K.eld/definition.xml", Definition("Keys 49", 1));
    temp.Write("Devices/K.eld/Factory.xml", Bank("Factory", 1, true));
    temp.Write("Devices/K.eld/rom.xml", Bank("Device", 1, false));
    temp.Write("User Preset Banks/b.xml", Bank("b", 1, false));
    temp.Write("User Preset Banks/A.xml", Bank("A", 1, false));
    temp.Write("User Preset Banks/broken.xml", "not a bank");
    temp.Write("User Preset Banks/notes.xml.bak", Bank("bak", 1, false));
    ScanUserAndRomBanks(0);
    ASSERT_EQ(gBanks.count, 3);
    EXPECT_STREQ(gBanks.entries[0].displayName, "A");
    EXPECT_STREQ(gBanks.entries[1].displayName, "b");
    EXPECT_STREQ(gBanks.entries[2].displayName, "Factory");
    EXPECT_EQ(gBanks.entries[2].kind, BankKind::Rom);
    EXPECT_EQ(gBanks.current, 0);
    EXPECT_STREQ(gDevice.name, "Keys 49");
    // Nothing in a device folder other than its banks was taken for a bank.
    EXPECT_TRUE(HeadlessMessages().boxes.empty());
}

int gPictureBuilds = 0;
char gPicturesBuiltFor[64] = "";
void CountPictureBuild() {
    gPictureBuilds++;
    snprintf(gPicturesBuiltFor, sizeof gPicturesBuiltFor, "%s", gDevice.name);
}

// Each bank is read against its own model, so the scan switches models to and fro; the
// pictures are built once, for the model of the bank shown.
TEST_F(DiscoveryTest, StartUpScanBuildsThePicturesOfTheShownModelOnce) {
    gShowAllRomBanks = 1;
    temp.Write("Devices/K.eld/definition.xml", Definition("Keys 49", 1));
    temp.Write("Devices/K.eld/Factory.xml", Bank("Factory", 1, true));
    temp.Write("Devices/P.eld/definition.xml", Definition("Pads 16", 2));
    temp.Write("Devices/P.eld/Kits.xml", Bank("Kits", 2, true));
    temp.Write("User Preset Banks/A.xml", Bank("A", 1, false));
    temp.Write("User Preset Banks/B.xml", Bank("B", 2, false));
    void (*build)() = gShellHooks.buildDevicePictures;
    gShellHooks.buildDevicePictures = CountPictureBuild;
    gPictureBuilds = 0;
    ScanUserAndRomBanks(0);
    gShellHooks.buildDevicePictures = build;
    ASSERT_EQ(gBanks.count, 4);
    EXPECT_STREQ(gDevice.name, "Keys 49");
    EXPECT_EQ(gPictureBuilds, 1);
    EXPECT_STREQ(gPicturesBuiltFor, "Keys 49");
}

TEST_F(DiscoveryTest, RomBanksOfUnconnectedModelsWaitForThePreference) {
    gShowAllRomBanks = 0;
    temp.Write("Devices/K.eld/definition.xml", Definition("Keys 49", 1));
    temp.Write("Devices/K.eld/Factory.xml", Bank("Factory", 1, true));
    ScanUserAndRomBanks(0);
    EXPECT_EQ(gBanks.count, 0);
    EXPECT_EQ(DeviceConnected(1, 0), 1);
    ScanRomBanks();
    EXPECT_EQ(gBanks.count, 2);
    ScanRomBanks();  // already open: not added again
    EXPECT_EQ(gBanks.count, 2);
    gShowAllRomBanks = 1;
}

TEST_F(DiscoveryTest, MissingFoldersYieldNothing) {
    ScanUserAndRomBanks(0);
    ScanLibraries();
    EXPECT_EQ(gBanks.count, 0);
    EXPECT_EQ(gLibraryList.count, 0);
    char path[kPathLen];
    EXPECT_EQ(FindDeviceFolder(1, path, nullptr), 0);
}

TEST_F(DiscoveryTest, LibrariesFromBothFoldersSorted) {
    temp.Write("Devices/K.eld/definition.xml", Definition("Keys 49", 1));
    temp.Write("Devices/K.eld/MIDICC.xml", Library("Keys Controls", 0));
    temp.Write("Library/d1.ell/definition.xml", Library("drums", 5));
    temp.Write("Library/d2.ell/definition.xml", Library("Drums", 5));
    temp.Write("Library/s.ell/definition.xml", Library("Synth", 1));
    temp.Write("Library/s.ell/midicc.xml", PlistDocument(KeyDict("other", "")));
    ScanLibraries();
    ASSERT_EQ(gLibraryList.count, 4);
    EXPECT_STREQ(gLibraryList.entries[0].displayName, "Keys Controls");
    EXPECT_EQ(gLibraryList.entries[0].source, kLibrarySourceDevices);
    EXPECT_STREQ(gLibraryList.entries[1].displayName, "Synth");
    EXPECT_EQ(gLibraryList.entries[1].source, kLibrarySourceLibrary);
    EXPECT_STREQ(gLibraryList.entries[2].displayName, "Drums");
    EXPECT_STREQ(gLibraryList.entries[3].displayName, "drums");
    EXPECT_EQ(std::string(gLibraryList.entries[2].path),
              temp.Folder() + "Library/d2.ell/definition.xml");
}

TEST_F(DiscoveryTest, ALibraryWithAnXmlErrorIsLeftOutAndNamed) {
    std::string broken = Library("Half", 1);
    broken.insert(broken.find("</plist>"), "<dict>");  // never closed
    temp.Write("Library/h.ell/definition.xml", broken);
    temp.Write("Library/s.ell/definition.xml", Library("Synth", 1));
    ScanLibraries();
    ASSERT_EQ(gLibraryList.count, 1);
    EXPECT_STREQ(gLibraryList.entries[0].displayName, "Synth");
    std::string status = HeadlessLastStatus();
    EXPECT_NE(status.find("Library/h.ell/definition.xml is not a readable XML file"),
              std::string::npos)
        << status;
}

TEST_F(DiscoveryTest, AtMost256Libraries) {
    // Two library files per folder keep the number of folders down.
    for (int i = 0; i < 130; ++i) {
        std::string folder = "Library/l" + std::to_string(i) + ".ell/";
        temp.Write(folder + "definition.xml", Library("L" + std::to_string(i), 0));
        temp.Write(folder + "MIDICC.xml", Library("M" + std::to_string(i), 0));
    }
    ScanLibraries();
    EXPECT_EQ(gLibraryList.count, kMaxLibraries);
}

}  // namespace
