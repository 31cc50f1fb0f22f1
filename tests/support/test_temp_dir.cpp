#include "tests/support/test_temp_dir.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace {

struct ProcessFolder {
    std::string path;
    ProcessFolder() {
        path = testing::TempDir() + "ostrel-test-" + std::to_string(getpid()) + "/";
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);  // left by an earlier process of this number
        std::filesystem::create_directories(path, ignored);
    }
    ~ProcessFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

const std::string& TestTempDir() {
    static const ProcessFolder folder;
    return folder.path;
}
