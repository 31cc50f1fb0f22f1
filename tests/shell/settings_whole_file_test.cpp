// Whole-file reading and the write-then-replace writing that the settings file
// and the SysEx Librarian files use.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/whole_file.h"
#include "headless/whole_file_headless.h"

namespace {

class WholeFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/ostrel-wholefile-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        dir_ = pattern;
        path_ = dir_ + "/data.bin";
        gHeadlessReplaceFailures = 0;
    }
    void TearDown() override {
        std::remove(path_.c_str());
        rmdir((path_ + ".new").c_str());
        std::remove((path_ + ".new").c_str());
        rmdir(dir_.c_str());
    }

    std::vector<unsigned char> Contents() {
        std::vector<unsigned char> out;
        FILE* f = std::fopen(path_.c_str(), "rb");
        if (f == nullptr) return out;
        int c;
        while ((c = std::fgetc(f)) != EOF) out.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
        return out;
    }

    std::string dir_;
    std::string path_;
};

std::vector<unsigned char> Pattern(size_t n) {
    std::vector<unsigned char> v(n);
    for (size_t i = 0; i < n; i++) v[i] = static_cast<unsigned char>(i * 7 + 3);
    return v;
}

}  // namespace

TEST_F(WholeFileTest, WriteThenReadGivesTheSameBytes) {
    std::vector<unsigned char> data = Pattern(70000);
    ASSERT_EQ(1, WriteWholeFile(path_.c_str(), data.data(), data.size()));
    EXPECT_EQ(70000, WholeFileSize(path_.c_str()));
    std::vector<unsigned char> back(data.size());
    size_t got = 0;
    ASSERT_EQ(1, ReadWholeFile(path_.c_str(), back.data(), back.size(), &got));
    EXPECT_EQ(data.size(), got);
    EXPECT_EQ(data, back);
}

TEST_F(WholeFileTest, ReadNeverPassesTheBuffersEnd) {
    std::vector<unsigned char> data = Pattern(500);
    ASSERT_EQ(1, WriteWholeFile(path_.c_str(), data.data(), data.size()));
    std::vector<unsigned char> buffer(110, 0xCD);
    size_t got = 0;
    ASSERT_EQ(1, ReadWholeFile(path_.c_str(), buffer.data(), 100, &got));
    EXPECT_EQ(100u, got);
    EXPECT_TRUE(std::equal(data.begin(), data.begin() + 100, buffer.begin()));
    for (size_t i = 100; i < buffer.size(); i++) EXPECT_EQ(0xCD, buffer[i]);
}

TEST_F(WholeFileTest, MissingFileIsAFailure) {
    unsigned char buffer[4];
    size_t got = 99;
    EXPECT_EQ(-1, WholeFileSize(path_.c_str()));
    EXPECT_EQ(0, ReadWholeFile(path_.c_str(), buffer, sizeof buffer, &got));
    EXPECT_EQ(0u, got);
    EXPECT_EQ(0, ReadWholeFile("", buffer, sizeof buffer, nullptr));
    EXPECT_EQ(-1, WholeFileSize(nullptr));
    EXPECT_EQ(-1, WholeFileSize(dir_.c_str()));  // a folder is not a file
}

TEST_F(WholeFileTest, NewContentReplacesTheOldWhole) {
    std::vector<unsigned char> big = Pattern(1000);
    std::vector<unsigned char> small = {1, 2, 3};
    ASSERT_EQ(1, WriteWholeFile(path_.c_str(), big.data(), big.size()));
    ASSERT_EQ(1, WriteWholeFile(path_.c_str(), small.data(), small.size()));
    EXPECT_EQ(small, Contents());
    ASSERT_EQ(1, WriteWholeFile(path_.c_str(), nullptr, 0));
    EXPECT_EQ(0, WholeFileSize(path_.c_str()));
}

TEST_F(WholeFileTest, FailedReplaceKeepsTheOldFileAndRemovesTheTemporaryOne) {
    std::vector<unsigned char> old = Pattern(300);
    ASSERT_EQ(1, WriteWholeFile(path_.c_str(), old.data(), old.size()));
    gHeadlessReplaceFailures = 1;
    std::vector<unsigned char> fresh = Pattern(20);
    EXPECT_EQ(0, WriteWholeFile(path_.c_str(), fresh.data(), fresh.size()));
    EXPECT_EQ(old, Contents());
    EXPECT_EQ(-1, WholeFileSize((path_ + ".new").c_str()));
}

TEST_F(WholeFileTest, TemporaryFileThatCannotBeCreatedKeepsTheOldFile) {
    std::vector<unsigned char> old = Pattern(64);
    ASSERT_EQ(1, WriteWholeFile(path_.c_str(), old.data(), old.size()));
    ASSERT_EQ(0, mkdir((path_ + ".new").c_str(), 0700));
    int calls = gHeadlessReplaceCalls;
    EXPECT_EQ(0, WriteWholeFile(path_.c_str(), old.data(), 10));
    EXPECT_EQ(calls, gHeadlessReplaceCalls);  // never got as far as replacing
    EXPECT_EQ(old, Contents());
}

TEST_F(WholeFileTest, UnusablePathsAreRefused) {
    unsigned char byte = 1;
    std::string tooLong = dir_ + "/" + std::string(kWholeFileMaxPath, 'n');
    EXPECT_EQ(0, WriteWholeFile(tooLong.c_str(), &byte, 1));
    EXPECT_EQ(0, WriteWholeFile("", &byte, 1));
    EXPECT_EQ(0, WriteWholeFile(nullptr, &byte, 1));
    EXPECT_EQ(0, WriteWholeFile(path_.c_str(), nullptr, 5));
    EXPECT_EQ(0, WriteWholeFile((dir_ + "/no-such-folder/x").c_str(), &byte, 1));
}
