// ostrel-cli, run as its own process from the build folder (it is built beside
// the tests): exit codes, the one-line errors, JSON output and conversions.
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "banks/sxl_file.h"
#include "imaging/png_decode.h"
#include "ostrel_version.h"
#include "tests/banks/bank_test_support.h"

namespace {

std::string CliPath() {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string self = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
    return self.substr(0, self.find_last_of('/') + 1) + "ostrel-cli";
}

std::string Quote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(FileThere(CliPath())) << "ostrel-cli is built beside the tests";
        WriteDemoDevices(folder_);
    }
    CliRun Run(const std::string& arguments) {
        std::string out = folder_.Path("stdout.txt");
        std::string err = folder_.Path("stderr.txt");
        std::string command = Quote(CliPath()) + " --root " + Quote(folder_.Folder()) + " " +
                              arguments + " >" + Quote(out) + " 2>" + Quote(err);
        int status = std::system(command.c_str());
        CliRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadFileText(out);
        run.err = ReadFileText(err);
        return run;
    }
    std::string WriteAlphaBank(const std::string& name) {
        return folder_.Write(
            name,
            "<plist><dict><key>preset</key><dict><key>name</key><string>Caf\xc3\xa9</string>"
            "<key>PID</key><integer>100</integer><key>unique id</key><integer>12</integer>"
            "<key>read only</key><false/><key>ROM</key><false/><key>presets</key><array>"
            "<dict><key>name</key><string>Lead \"1\"</string><key>variables</key><array>"
            "<dict><key>value</key><integer>1</integer></dict><dict/>"
            "<dict><key>value</key><integer>-4</integer></dict></array>"
            "<key>zones</key><array><dict><key>note low</key><integer>36</integer></dict></array>"
            "<key>controls</key><array><dict><key>channel</key><integer>2</integer>"
            "<key>MIDICC</key><integer>74</integer><key>desc</key><string>Cutoff</string></dict>"
            "</array></dict></array></dict></dict></plist>");
    }
    BankTempFolder folder_;
};

TEST_F(CliTest, BankShowJsonGivesTheBankAsRead) {
    std::string bank = WriteAlphaBank("bank.xml");
    CliRun run = Run("bank show --json " + Quote(bank));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string& j = run.out;
    EXPECT_NE(j.find("\"name\": \"Caf\xc3\xa9\""), std::string::npos) << j;
    EXPECT_NE(j.find("\"pid\": 100"), std::string::npos);
    EXPECT_NE(j.find("\"groupId\": 16"), std::string::npos);
    EXPECT_NE(j.find("\"uniqueId\": 12"), std::string::npos);
    EXPECT_NE(j.find("\"deviceUniqueId\": -1"), std::string::npos);
    EXPECT_NE(j.find("\"presetCountInFile\": 1"), std::string::npos);
    EXPECT_NE(j.find("\"name\": \"Lead \\\"1\\\"\""), std::string::npos);
    EXPECT_NE(j.find("\"variables\": [1, -4]"), std::string::npos);
    EXPECT_NE(j.find("\"zones\": [[36, 0], [0, 0]]"), std::string::npos);
    EXPECT_NE(j.find("{\"origin\": -1, \"channel\": 2, \"midiCc\": 74, \"program\": 0, \"msb\": 0, "
                     "\"lsb\": 0, \"desc\": \"Cutoff\"}"),
              std::string::npos);
    // Four presets (the device's count), three controls each.
    size_t presets = 0;
    for (size_t at = j.find("\"controls\""); at != std::string::npos;
         at = j.find("\"controls\"", at + 1))
        presets++;
    EXPECT_EQ(presets, 4u);

    CliRun text = Run("bank show " + Quote(bank));
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_NE(text.out.find("Alpha"), std::string::npos);
    EXPECT_NE(text.out.find("Knob 1"), std::string::npos);

    // A control byte in a name (kept in the file as its picture) is JSON's escape.
    std::string control = folder_.Write("control.xml", ReadFileText(bank));
    std::string text1 = ReadFileText(control);
    text1.replace(text1.find("Lead"), 4,
                  "Le\xe2\x90\x81"
                  "ad");
    folder_.Write("control.xml", text1);
    CliRun escaped = Run("bank show --json " + Quote(control));
    EXPECT_NE(escaped.out.find("\"name\": \"Le\\u0001ad"), std::string::npos) << escaped.out;

    // A stray byte after the document: the bank reads, and nothing is said on stderr.
    std::string stray = WriteAlphaBank("stray.xml");
    folder_.Write("stray.xml", ReadFileText(stray) + "x");
    CliRun read = Run("bank show " + Quote(stray));
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(read.err, "");
}

TEST_F(CliTest, OutputThatCannotBeWrittenIsAFailure) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full here";
    std::string bank = WriteAlphaBank("bank.xml");
    int status = std::system((Quote(CliPath()) + " --root " + Quote(folder_.Folder()) +
                              " bank show --json " + Quote(bank) + " >/dev/full 2>/dev/null")
                                 .c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
    status = std::system((Quote(CliPath()) + " --version >/dev/full 2>/dev/null").c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
}

TEST_F(CliTest, BadInputGivesOneLineAndExitOne) {
    std::string truncated = folder_.Write("cut.xml", "<plist><dict><key>preset</key><dict>");
    std::string notBank = folder_.Write("plain.xml", "<plist><dict/></plist>");
    std::string unknown =
        folder_.Write("unknown.xml",
                      "<plist><dict><key>preset</key><dict><key>PID</key><integer>999</integer>"
                      "</dict></dict></plist>");
    for (const std::string& file : {truncated, notBank, unknown, folder_.Path("missing.xml")}) {
        CliRun run = Run("bank show " + Quote(file));
        EXPECT_EQ(run.exitCode, 1) << file;
        EXPECT_EQ(run.out, "");
        ASSERT_FALSE(run.err.empty()) << file;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;  // exactly one line
        EXPECT_EQ(run.err.rfind("ostrel-cli: " + file + ": ", 0), 0u) << run.err;
    }

    // A result never goes over the file it is made from.
    const std::string bank = WriteAlphaBank("own.xml");
    const std::string before = ReadFileText(bank);
    for (const char* command : {"syx pack", "bank convert", "syx unpack"}) {
        CliRun run = Run(std::string(command) + " " + Quote(bank) + " " + Quote(bank));
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_EQ(ReadFileText(bank), before) << command;
    }
    // Nor over a bank file marked read only, as Save As would not.
    const std::string rom = folder_.Write(
        "rom.xml",
        "<plist><dict><key>preset</key><dict><key>read only</key><true/></dict></dict></plist>");
    const std::string romBefore = ReadFileText(rom);
    for (const char* command : {"bank convert", "syx pack", "preset sheet"}) {
        const std::string preset = std::string(command) == "preset sheet" ? " 1" : "";
        CliRun protectedRun = Run(std::string(command) + " " + Quote(bank) + preset + " " + Quote(rom));
        EXPECT_EQ(protectedRun.exitCode, 1) << command;
        EXPECT_EQ(protectedRun.err,
                  "ostrel-cli: " + rom + ": is a bank file marked read only: it is not replaced\n")
            << command;
        EXPECT_EQ(ReadFileText(rom), romBefore) << command;
    }
    // An export (SysEx, a picture) takes the place of no bank file at all.
    const std::string other = WriteAlphaBank("other.xml");
    const std::string otherBefore = ReadFileText(other);
    for (const char* command : {"syx pack", "preset sheet"}) {
        const std::string preset = std::string(command) == "preset sheet" ? " 1" : "";
        CliRun exportRun =
            Run(std::string(command) + " " + Quote(bank) + preset + " " + Quote(other));
        EXPECT_EQ(exportRun.exitCode, 1) << command;
        EXPECT_EQ(exportRun.err,
                  "ostrel-cli: " + other + ": is a bank file: it is not replaced by an export\n")
            << command;
        EXPECT_EQ(ReadFileText(other), otherBefore) << command;
    }
    // Nor over it by way of the temporary file the result is written through.
    const std::string out = folder_.Path("own.xml");
    const std::string temporary = WriteAlphaBank("own.xml.new");
    CliRun run = Run("bank convert " + Quote(temporary) + " " + Quote(out));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(ReadFileText(temporary), before);
}

TEST_F(CliTest, UsageErrorsExitTwoHelpAndVersionZero) {
    EXPECT_EQ(Run("").exitCode, 2);
    EXPECT_EQ(Run("bank").exitCode, 2);
    EXPECT_EQ(Run("bank fly x").exitCode, 2);
    EXPECT_EQ(Run("bank show").exitCode, 2);
    EXPECT_EQ(Run("bank convert only-one").exitCode, 2);
    EXPECT_EQ(Run("plist check a b").exitCode, 2);
    CliRun help = Run("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("bank show"), std::string::npos);
    CliRun group = Run("syx --help");
    EXPECT_EQ(group.exitCode, 0);
    EXPECT_NE(group.out.find("syx unpack"), std::string::npos) << group.out;
    EXPECT_EQ(group.out.find("bank show"), std::string::npos) << group.out;
    CliRun one = Run("bank show --help");
    EXPECT_EQ(one.exitCode, 0);
    EXPECT_EQ(one.out.rfind("usage: ostrel-cli [--root DIR] bank show [--json] FILE\n", 0), 0u)
        << one.out;
    CliRun version = Run("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, std::string("ostrel-cli ") + OSTREL_VERSION + "\n");
}

TEST_F(CliTest, ConvertWritesWhatSaveWrites) {
    std::string bank = WriteAlphaBank("Source.xml");
    std::string out = folder_.Path("out.xml");
    CliRun run = Run("bank convert " + Quote(bank) + " " + Quote(out));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // An output the user made read-only stays as it is.
    const std::string kept = folder_.Write("Kept.xml", "<plist><dict/></plist>\n");
    ASSERT_EQ(chmod(kept.c_str(), 0444), 0);
    EXPECT_NE(Run("bank convert " + Quote(bank) + " " + Quote(kept)).exitCode, 0);
    EXPECT_EQ(ReadFileText(kept), "<plist><dict/></plist>\n");

    // The same bank saved by the program.
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    gPopupMinimumMs = 0;  // the popup's display time is the shell's to test
    bool ownsWorkingBlocks = gFileIo == nullptr;
    if (ownsWorkingBlocks) AllocWorkingBlocks();
    DiscoverySetProgramFolder(folder_.Folder().c_str());
    ResetBankList();
    int index = AddBankFromData(bank.c_str(), nullptr);
    ASSERT_GE(index, 0);
    std::string saved = folder_.Path("saved.xml");
    strcpy(gBanks.entries[index].path, saved.c_str());
    ASSERT_EQ(SaveBank(index), 1);
    EXPECT_EQ(ReadFileText(out), ReadFileText(saved));
    EXPECT_NE(ReadFileText(out).find("<key>name</key><string>Source</string>"), std::string::npos);
    ResetBankList();
    DiscoverySetProgramFolder(nullptr);
    if (ownsWorkingBlocks) FreeWorkingBlocks();
}

TEST_F(CliTest, ConvertImportsSysExLibrarianFiles) {
    std::string sxl(kSxl1FileSize, '\0');
    sxl.replace(0, 4, "syx1");
    sxl[8] = 12;
    sxl[12] = 'X';  // the first preset's name
    std::string in = folder_.Write("Old.SXL", sxl);
    std::string out = folder_.Path("old.xml");
    CliRun run = Run("bank convert --pid 100 " + Quote(in) + " " + Quote(out));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string text = ReadFileText(out);
    EXPECT_NE(text.find("<key>name</key><string>Old</string>"), std::string::npos);
    EXPECT_NE(text.find("<key>name</key><string>X</string>"), std::string::npos);
    EXPECT_NE(text.find("<key>PID</key><integer>100</integer>"), std::string::npos);

    std::string bad = folder_.Write("bad.sxl", "syx9");
    CliRun refused = Run("bank convert " + Quote(bad) + " " + Quote(out));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err.rfind("ostrel-cli: " + bad + ": not a Corvanith SysEx Librarian File", 0),
              0u);
    CliRun noDevice = Run("bank convert --pid 5 " + Quote(in) + " " + Quote(out));
    EXPECT_EQ(noDevice.exitCode, 1);
}

TEST_F(CliTest, BankDiffListsWhatDiffersAndExitsByIt) {
    std::string a = WriteAlphaBank("A.xml");
    std::string same = WriteAlphaBank("Same.xml");
    std::string text = ReadFileText(a);
    for (auto [from, to] :
         {std::pair<std::string, std::string>{"<integer>74</integer>", "<integer>71</integer>"},
          {"Cutoff", "Reso"},
          {"Lead \"1\"", "Bass"}}) {
        text.replace(text.find(from), from.size(), to);
    }
    std::string b = folder_.Write("B.xml", text);

    CliRun equal = Run("bank diff " + Quote(a) + " " + Quote(same));
    EXPECT_EQ(equal.exitCode, 0) << equal.err;
    EXPECT_NE(equal.out.find("0 of 4 presets differ, 0 differences\n"), std::string::npos);

    CliRun differ = Run("bank diff " + Quote(a) + " " + Quote(b));
    EXPECT_EQ(differ.exitCode, 1);
    EXPECT_EQ(differ.err, "");
    EXPECT_EQ(differ.out,
              a + " -> " + b +
                  " (Alpha)\n"
                  "Preset 1 \"Lead \\\"1\\\"\"\n"
                  "  name: \"Lead \\\"1\\\"\" -> \"Bass\"\n"
                  "  control 1 Knob 1: MIDICC 74 -> 71, comment \"Cutoff\" -> \"Reso\"\n"
                  "1 of 4 presets differ, 3 differences\n");

    CliRun json = Run("bank diff --json " + Quote(a) + " " + Quote(b));
    EXPECT_EQ(json.exitCode, 1);
    const std::string& j = json.out;
    EXPECT_NE(j.find("{\"preset\": 1, \"nameA\": \"Lead \\\"1\\\"\", \"nameB\": \"Bass\""),
              std::string::npos)
        << j;
    EXPECT_NE(j.find("{\"kind\": \"control\", \"control\": 1, \"controlName\": \"Knob 1\", "
                     "\"field\": \"midiCc\", \"a\": 74, \"b\": 71}"),
              std::string::npos)
        << j;
    EXPECT_NE(j.find("\"field\": \"desc\", \"a\": \"Cutoff\", \"b\": \"Reso\"}"),
              std::string::npos);
    EXPECT_NE(j.find("\"differingPresets\": 1,\n  \"differences\": 3\n}"), std::string::npos);

    // Another model, an unreadable file: one line and exit 1; usage: 2.
    std::string beta = folder_.Write(
        "beta.xml",
        "<plist><dict><key>preset</key><dict><key>PID</key><integer>200</integer></dict></dict>"
        "</plist>");
    CliRun models = Run("bank diff " + Quote(a) + " " + Quote(beta));
    EXPECT_EQ(models.exitCode, 1);
    EXPECT_EQ(models.out, "");
    EXPECT_EQ(models.err.rfind("ostrel-cli: " + beta + ": a bank of another device model", 0), 0u)
        << models.err;
    CliRun missing = Run("bank diff " + Quote(a) + " " + Quote(folder_.Path("none.xml")));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err.find('\n'), missing.err.size() - 1) << missing.err;
    EXPECT_EQ(Run("bank diff " + Quote(a)).exitCode, 2);
    EXPECT_EQ(Run("bank diff --xml " + Quote(a) + " " + Quote(b)).exitCode, 2);
}

TEST_F(CliTest, PresetSheetDrawsOneOrEveryPreset) {
    std::string bank = WriteAlphaBank("Alpha Bank.xml");
    std::string out = folder_.Path("one.png");
    CliRun one = Run("preset sheet " + Quote(bank) + " 2 " + Quote(out));
    ASSERT_EQ(one.exitCode, 0) << one.err;
    RgbaImage picture;
    ASSERT_EQ(DecodePngFile(out.c_str(), &picture, nullptr), 1);
    EXPECT_GT(picture.width, 800);  // the stand-in for Alpha's missing picture, and the room
    EXPECT_GT(picture.height, 300);

    // --all: one file per preset of the model, named as the program offers them.
    std::string sheets = folder_.Path("sheets");
    std::filesystem::create_directory(sheets);
    CliRun all = Run("preset sheet --all " + Quote(bank) + " " + Quote(sheets));
    ASSERT_EQ(all.exitCode, 0) << all.err;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(sheets)) {
        ++files;
        (void)entry;
    }
    EXPECT_EQ(files, 4);
    EXPECT_TRUE(FileThere(sheets + "/Caf\xc3\xa9 - 1 Lead _1_.png"));

    // A preset the model lacks and an unwritable place: one line, exit 1,
    // nothing written; a number that is none: usage.
    CliRun missing = Run("preset sheet " + Quote(bank) + " 5 " + Quote(out));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err.rfind("ostrel-cli: " + bank + ": has no preset 5", 0), 0u) << missing.err;
    std::string nowhere = folder_.Path("no such folder/x.png");
    CliRun unwritable = Run("preset sheet " + Quote(bank) + " 1 " + Quote(nowhere));
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_EQ(unwritable.err, "ostrel-cli: " + nowhere + ": cannot write file\n");
    EXPECT_FALSE(FileThere(nowhere));
    EXPECT_EQ(Run("preset sheet " + Quote(bank) + " two " + Quote(out)).exitCode, 2);
    // A number written with a leading zero is decimal, as a script pads it: 010 is preset 10.
    CliRun padded = Run("preset sheet " + Quote(bank) + " 010 " + Quote(out));
    EXPECT_EQ(padded.err.rfind("ostrel-cli: " + bank + ": has no preset 10", 0), 0u) << padded.err;
    EXPECT_EQ(Run("preset sheet --all " + Quote(bank)).exitCode, 2);
}

TEST_F(CliTest, PlistCheck) {
    std::string good =
        folder_.Write("good.xml", "<plist><dict><key>a</key><integer>1</integer></dict></plist>");
    std::string bad =
        folder_.Write("bad.xml", "<plist><dict>\n<key>a</key>\n<integer>1</dict></plist>");
    EXPECT_EQ(Run("plist check " + Quote(good)).exitCode, 0);
    CliRun run = Run("plist check " + Quote(bad));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.rfind(bad + ":3: ", 0), 0u) << run.err;
    EXPECT_EQ(Run("plist check " + Quote(folder_.Path("none.xml"))).exitCode, 1);
}

}  // namespace
