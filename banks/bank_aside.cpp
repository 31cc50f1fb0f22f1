// Setting bank files aside, putting them back and removing them for good.
#include "banks/bank_aside.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/messages.h"

namespace {

constexpr char kAsideSuffix[] = ".deleted";
// More files of one name set aside than anyone deletes in one run.
constexpr int kMaxAsideNumber = 1000;

}  // namespace

bool PathTaken(const char* path) {
    std::error_code code;
    std::filesystem::file_status status = std::filesystem::symlink_status(path, code);
    if (code && code != std::errc::no_such_file_or_directory) return true;
    return std::filesystem::exists(status);
}

int SetBankFileAside(const char* path, std::string* aside) {
    std::string name = std::string(path) + kAsideSuffix;
    for (int number = 2; PathTaken(name.c_str()); number++) {
        if (number > kMaxAsideNumber) {
            StatusMessage(kStrCouldNotDelete, path);
            return 0;
        }
        name = std::string(path) + kAsideSuffix + "-" + std::to_string(number);
    }
    // rename would replace a file on POSIX; the name was checked free above.
    if (std::rename(path, name.c_str()) != 0) {
        StatusMessage(kStrCouldNotDelete, path);
        return 0;
    }
    *aside = name;
    return 1;
}

int PutBankFileBack(const char* aside, const char* path) {
    if (PathTaken(path) || std::rename(aside, path) != 0) {
        StatusMessage(kStrCouldNotRestore, path);
        return 0;
    }
    return 1;
}

int RemoveBankFileAside(const char* aside) {
    if (std::remove(aside) != 0 && PathTaken(aside)) {
        StatusMessage(kStrCouldNotDelete, aside);
        return 0;
    }
    return 1;
}
