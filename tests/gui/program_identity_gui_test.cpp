// Ostrel.exe as Windows sees it, read back from the program built beside the
// tests: the version resource that Explorer's Properties and Apps & features
// show, and the manifest that makes it start without asking for rights.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr char kProgram[] = "Ostrel.exe";

std::string StringValue(std::vector<char>& info, const char* name) {
    std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
        !value) {
        return "(missing)";
    }
    return value;
}

TEST(ProgramIdentity, VersionResourceCarriesTheProjectVersion) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(kProgram, &ignored);
    ASSERT_GT(size, 0u) << kProgram << " has no version resource";
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(kProgram, 0, size, info.data()));

    // The numeric fields hold four numbers; "1.2" is 1.2.0.0.
    unsigned n[4] = {0, 0, 0, 0};
    ASSERT_GE(sscanf(OSTREL_PROJECT_VERSION, "%u.%u.%u.%u", &n[0], &n[1], &n[2], &n[3]), 2);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, (n[0] << 16) | n[1]);
    EXPECT_EQ(fixed->dwFileVersionLS, (n[2] << 16) | n[3]);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);

    EXPECT_EQ(StringValue(info, "ProductVersion"), OSTREL_PROJECT_VERSION);
    EXPECT_EQ(StringValue(info, "FileVersion"), OSTREL_PROJECT_VERSION);
    EXPECT_EQ(StringValue(info, "ProductName"), "Ostrel");
    EXPECT_EQ(StringValue(info, "CompanyName"), "Lumetra");
    EXPECT_EQ(StringValue(info, "OriginalFilename"), kProgram);
    EXPECT_NE(StringValue(info, "FileDescription").find("Ostrel"), std::string::npos);
    EXPECT_NE(StringValue(info, "LegalCopyright").find("Lumetra"), std::string::npos);
}

TEST(ProgramIdentity, ManifestIsTheProgramsOwnAndAsksForNoRights) {
    HMODULE program = LoadLibraryExA(kProgram, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    // Resource 1 of type RT_MANIFEST is the one Windows reads at process start.
    HRSRC found = FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    std::string manifest;
    if (found) {
        const char* text = static_cast<const char*>(LockResource(LoadResource(program, found)));
        manifest.assign(text, SizeofResource(program, found));
    }
    FreeLibrary(program);
    ASSERT_FALSE(manifest.empty()) << kProgram << " has no application manifest";
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("<dpiAwareness"), std::string::npos);
}

}  // namespace
