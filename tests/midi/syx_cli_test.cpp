// ostrel-cli syx pack / unpack, run as its own process from the build folder
// against the shipped demo models.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "midi/sysex_format.h"
#include "tests/midi/transfer_test_support.h"

namespace {

std::string CliPath() {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    const std::string self = n > 0 ? std::string(buffer, (size_t)n) : std::string();
    return self.substr(0, self.find_last_of('/') + 1) + "ostrel-cli";
}

std::string Quote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return bytes;
    int c;
    while ((c = fgetc(f)) != EOF) bytes.push_back((uint8_t)c);
    fclose(f);
    return bytes;
}

std::string ReadText(const std::string& path) {
    const auto bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

class SyxCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (access(CliPath().c_str(), X_OK) != 0)
            GTEST_SKIP() << "ostrel-cli is not built beside the tests";
    }
    int Run(const std::string& arguments) {
        const std::string command = Quote(CliPath()) + " --root " + Quote(kData) + " " + arguments +
                                    " >" + Quote(folder.Path("out.txt")) + " 2>" +
                                    Quote(folder.Path("err.txt"));
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Err() { return ReadText(folder.Path("err.txt")); }

    const std::string kData = std::string(OSTREL_SOURCE_DIR) + "/data";
    const std::string kStudio = kData + "/Devices/Meridian 49.eld/Factory Studio.xml";
    TransferTestFolder folder;
};

// Splits a file of messages at each F7.
std::vector<std::vector<uint8_t>> Messages(const std::vector<uint8_t>& bytes) {
    std::vector<std::vector<uint8_t>> out;
    std::vector<uint8_t> current;
    for (uint8_t b : bytes) {
        current.push_back(b);
        if (b == 0xF7) {
            out.push_back(current);
            current.clear();
        }
    }
    EXPECT_TRUE(current.empty());
    return out;
}

TEST_F(SyxCliTest, PackWritesEveryPresetsDataMessagesInSendingOrder) {
    const std::string syx = folder.Path("studio.syx");
    ASSERT_EQ(Run("syx pack --device 5 " + Quote(kStudio) + " " + Quote(syx)), 0) << Err();
    const auto messages = Messages(ReadBytes(syx));
    ASSERT_EQ(messages.size(), 32u * 18u);  // 32 presets with zones
    for (size_t i = 0; i < messages.size(); i++) {
        const auto& m = messages[i];
        ASSERT_GE(m.size(), 11u);
        EXPECT_EQ(m[5], 5);
        EXPECT_EQ(m[6], kSysexTypes[i % 18].type);
        EXPECT_EQ(m[7], i / 18 + 1);
        EXPECT_EQ(m.size(), m[8] + 11u);
        int sum = 0;
        for (size_t k = 6; k + 1 < m.size(); k++) sum += m[k];
        EXPECT_EQ(sum & 0x7F, 0);
    }
}

TEST_F(SyxCliTest, UnpackOfAPackedBankGivesTheSameAssignments) {
    const std::string syx = folder.Path("K\xc3\xb6lsch.syx");
    const std::string back = folder.Path("back.xml");
    ASSERT_EQ(Run("syx pack " + Quote(kStudio) + " " + Quote(syx)), 0) << Err();
    ASSERT_EQ(Run("syx unpack " + Quote(syx) + " " + Quote(back)), 0) << Err();
    const std::string text = ReadText(back);
    // Named after the file, whose name is UTF-8 on this system, as the
    // program would name it: UTF-8 once in the bank file.
    EXPECT_NE(text.find("<string>K\xc3\xb6lsch</string>"), std::string::npos);
    EXPECT_NE(text.find("<string>Memory Received 1</string>"), std::string::npos);
    EXPECT_NE(text.find("<string>Memory Received 32</string>"), std::string::npos);
    // Packing the result again gives the same bytes: nothing was lost.
    const std::string again = folder.Path("again.syx");
    ASSERT_EQ(Run("syx pack " + Quote(back) + " " + Quote(again)), 0) << Err();
    EXPECT_EQ(ReadBytes(again), ReadBytes(syx));
}

TEST_F(SyxCliTest, IncompleteOrForeignInputExitsOneWithOneLine) {
    const std::string syx = folder.Path("studio.syx");
    ASSERT_EQ(Run("syx pack " + Quote(kStudio) + " " + Quote(syx)), 0);
    // One message missing in the middle (preset 3, type 7), and the last half
    // missing: each is refused, naming the first message missing.
    const auto messages = Messages(ReadBytes(syx));
    std::string gap, half;
    for (size_t i = 0; i < messages.size(); i++) {
        const std::string m(messages[i].begin(), messages[i].end());
        if (i != 2 * 18 + 5) gap += m;
        if (i < messages.size() / 2) half += m;
    }
    const std::vector<uint8_t> bytes = ReadBytes(syx);
    const std::string all(bytes.begin(), bytes.end());
    const std::pair<std::string, const char*> cases[] = {
        {gap, "preset 3, message type 7 is missing (575 of 576 messages arrived)"},
        {half, "preset 17, message type 2 is missing (288 of 576 messages arrived)"},
        {all + all, "holds more than one bank (576 more data messages after the first dump)"},
    };
    for (const auto& c : cases) {
        folder.Write("cut.syx", c.first);
        EXPECT_EQ(
            Run("syx unpack " + Quote(folder.Path("cut.syx")) + " " + Quote(folder.Path("x.xml"))),
            1);
        const std::string err = Err();
        EXPECT_NE(err.find(c.second), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
        EXPECT_NE(access(folder.Path("x.xml").c_str(), F_OK), 0);
    }
    // Asked for, the presets that arrived whole make the bank.
    folder.Write("cut.syx", gap);
    EXPECT_EQ(Run("syx unpack --partial " + Quote(folder.Path("cut.syx")) + " " +
                  Quote(folder.Path("x.xml"))),
              0)
        << Err();
    const std::string partial = ReadText(folder.Path("x.xml"));
    EXPECT_NE(partial.find("<string>Memory Received 2</string>"), std::string::npos);
    EXPECT_EQ(partial.find("<string>Memory Received 3</string>"), std::string::npos);

    folder.Write("junk.syx", "not sysex at all");
    EXPECT_EQ(
        Run("syx unpack " + Quote(folder.Path("junk.syx")) + " " + Quote(folder.Path("x.xml"))), 1);
    EXPECT_NE(Err().find("no Corvanith data messages"), std::string::npos) << Err();
    EXPECT_EQ(
        Run("syx unpack " + Quote(folder.Path("missing.syx")) + " " + Quote(folder.Path("x.xml"))),
        1);
}

TEST_F(SyxCliTest, UsageErrorsExitTwo) {
    EXPECT_EQ(Run("syx pack --device 300 a b"), 2);
    EXPECT_EQ(Run("syx pack only-one"), 2);
    EXPECT_EQ(Run("syx unpack --pid x a b"), 2);
}

}  // namespace
