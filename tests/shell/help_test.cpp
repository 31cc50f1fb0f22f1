// Help: every context leads to a page that exists, the pages' links hold, and
// F1 opens the page of the context it was asked for.
#include "shell/help.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "base/working_blocks.h"
#include "headless/help_headless.h"
#include "headless/messages_headless.h"
#include "shell/commands.h"
#include "shell/menu_table.h"
#include "tests/support/test_temp_dir.h"

namespace {

const std::string kHelpDir = std::string(OSTREL_SOURCE_DIR) + "/data/Help/";

std::string ReadPage(const std::string& page) {
    std::ifstream in(kHelpDir + page, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool PageExists(const std::string& page) {
    std::ifstream in(kHelpDir + page);
    return in.good();
}

bool PageHasAnchor(const std::string& page, const std::string& anchor) {
    return ReadPage(page).find("id=\"" + anchor + "\"") != std::string::npos;
}

std::set<std::string> AllPages() {
    std::set<std::string> pages;
    for (int i = 0; i < kHelpTopicCount; i++) pages.insert(kHelpTopics[i].page);
    return pages;
}

}  // namespace

TEST(HelpTopics, EveryTopicNamesAnExistingPageAndAnchor) {
    for (int i = 0; i < kHelpTopicCount; i++) {
        const HelpTopic& t = kHelpTopics[i];
        ASSERT_TRUE(PageExists(t.page)) << "context " << t.context << ": " << t.page;
        if (t.anchor[0] != '\0') {
            EXPECT_TRUE(PageHasAnchor(t.page, t.anchor))
                << "context " << t.context << ": " << t.page << "#" << t.anchor;
        }
    }
}

TEST(HelpTopics, TheProgramsContextsAllHaveTopics) {
    for (int context : {0,   8,   40,  41,  42,  700, 701, 703, 900, 901, 301, 302, 303,
                        304, 305, 306, 307, 308, 309, 310, 311, 312, 400, 401, 402, 404,
                        406, 407, 408, 409, 410, 501, 502, 503, 504, 505, 506}) {
        EXPECT_NE(nullptr, FindHelpTopic(context)) << context;
    }
    EXPECT_EQ(nullptr, FindHelpTopic(12345));
    EXPECT_STREQ("howto.html", FindHelpTopic(kHelpHowToUseHelp)->page);
    EXPECT_STREQ("index.html", FindHelpTopic(kHelpContents)->page);
    EXPECT_STREQ("midi-setup.html", FindHelpTopic(kHelpMidiSetup)->page);
    EXPECT_STREQ("about.html", FindHelpTopic(kHelpAbout)->page);
}

TEST(HelpTopics, MenuHelpTableGivesTheContextOfEachItem) {
    EXPECT_EQ(303, MenuHelpContext(kCmdSave));
    EXPECT_EQ(306, MenuHelpContext(kCmdDeleteBank));
    EXPECT_EQ(310, MenuHelpContext(kCmdQuit));
    EXPECT_EQ(404, MenuHelpContext(kCmdPaste));
    EXPECT_EQ(503, MenuHelpContext(kCmdLibraryWindow));
    EXPECT_EQ(504, MenuHelpContext(kCmdEditorWindow));
    EXPECT_EQ(505, MenuHelpContext(kCmdShowCcCh));
    EXPECT_EQ(700, MenuHelpContext(kCmdMidiSetup));
    EXPECT_EQ(703, MenuHelpContext(kCmdRefreshDevices));
    EXPECT_EQ(8, MenuHelpContext(kCmdHelpContents));
    EXPECT_EQ(40, MenuHelpContext(kCmdHelpMenus));
    EXPECT_EQ(42, MenuHelpContext(kCmdHelpKeyboard));
    EXPECT_EQ(900, MenuHelpContext(kCmdHelpOnHelp));
    EXPECT_EQ(0, MenuHelpContext(kCmdAbout));
    // "&Window" has no help of its own; nor has an id outside the menu.
    EXPECT_EQ(-1, MenuHelpContext(kCmdHelpWindow));
    EXPECT_EQ(-1, MenuHelpContext(15));
}

TEST(HelpTopics, EveryMenuItemButWindowHasAPage) {
    for (int i = 0; i < kMenuEntryCount; i++) {
        int id = kMenuEntries[i].id;
        if (id <= 0 || id == kCmdHelpWindow) continue;
        int context = MenuHelpContext(id);
        ASSERT_NE(-1, context) << "menu item " << id;
        EXPECT_NE(nullptr, FindHelpTopic(context)) << "menu item " << id;
    }
}

TEST(HelpPages, LinksBetweenPagesLeadSomewhere) {
    for (const std::string& page : AllPages()) {
        std::string html = ReadPage(page);
        size_t at = 0;
        while ((at = html.find("href=\"", at)) != std::string::npos) {
            at += 6;
            size_t end = html.find('"', at);
            ASSERT_NE(std::string::npos, end) << page;
            std::string link = html.substr(at, end - at);
            if (link.rfind("http", 0) == 0) continue;
            std::string target = link.substr(0, link.find('#'));
            std::string anchor =
                link.find('#') == std::string::npos ? "" : link.substr(link.find('#') + 1);
            if (target.empty()) target = page;
            EXPECT_TRUE(PageExists(target)) << page << " links to " << link;
            if (!anchor.empty() && PageExists(target)) {
                EXPECT_TRUE(PageHasAnchor(target, anchor)) << page << " links to " << link;
            }
        }
    }
}

TEST(HelpPages, PagesAreCompleteDocumentsForUsers) {
    for (const std::string& page : AllPages()) {
        std::string html = ReadPage(page);
        std::string lower;
        for (char c : html) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(std::string::npos, lower.find("<title>")) << page;
        EXPECT_NE(std::string::npos, lower.find("</html>")) << page;
        EXPECT_EQ(std::string::npos, lower.find("todo")) << page;
    }
}

TEST(HelpUrl, WindowsPathsBecomeFileUrlsWithTheirAnchor) {
    char url[512];
    ASSERT_EQ(1, BuildHelpFileUrl("C:\\Program Files\\Ostrel\\Help\\menus.html", "save", url,
                                  sizeof url));
    EXPECT_STREQ("file:///C:/Program%20Files/Ostrel/Help/menus.html#save", url);
    ASSERT_EQ(1, BuildHelpFileUrl("C:\\Ostrel\\Help\\index.html", "", url, sizeof url));
    EXPECT_STREQ("file:///C:/Ostrel/Help/index.html", url);
}

TEST(HelpUrl, OtherPathKindsAndSpecialCharacters) {
    char url[512];
    ASSERT_EQ(1, BuildHelpFileUrl("/opt/ostrel/Help/a b#c%.html", nullptr, url, sizeof url));
    EXPECT_STREQ("file:///opt/ostrel/Help/a%20b%23c%25.html", url);
    ASSERT_EQ(1, BuildHelpFileUrl("\\\\server\\share\\Help\\x.html", "k", url, sizeof url));
    EXPECT_STREQ("file://server/share/Help/x.html#k", url);
    ASSERT_EQ(1, BuildHelpFileUrl("C:\\M\xfcsik\\x.html", "", url, sizeof url));
    EXPECT_STREQ("file:///C:/M%FCsik/x.html", url);
}

TEST(HelpUrl, TooSmallABufferGivesNothing) {
    char url[16];
    EXPECT_EQ(0, BuildHelpFileUrl("C:\\Ostrel\\Help\\index.html", "", url, sizeof url));
    EXPECT_STREQ("", url);
    EXPECT_EQ(0, BuildHelpFileUrl("", "", url, sizeof url));
    EXPECT_EQ(0, BuildHelpFileUrl("C:\\x", "", url, 0));
}

class ShowHelpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessMessagesReset();
        HeadlessMessages().quiet = 1;
        saved_ = gProgramDir;
        std::snprintf(dir_, sizeof dir_, "%s/data/", OSTREL_SOURCE_DIR);
        gProgramDir = dir_;
        opened_ = gHeadlessHelpOpenCount;
    }
    void TearDown() override { gProgramDir = saved_; }
    char dir_[kPathSize];
    char* saved_ = nullptr;
    int opened_ = 0;
};

TEST_F(ShowHelpTest, ContextOpensItsPageAtItsAnchor) {
    ASSERT_EQ(1, ShowHelpContext(303));
    EXPECT_EQ(opened_ + 1, gHeadlessHelpOpenCount);
    std::string url = gHeadlessHelpLastUrl;
    EXPECT_EQ(0u, url.find("file:///"));
    EXPECT_NE(std::string::npos, url.find("/data/Help/menus.html#save"));
    EXPECT_EQ(std::string(dir_) + "Help/menus.html", gHeadlessHelpLastPath);
}

TEST_F(ShowHelpTest, ContentsAndUnknownContextsOpenTheContentsPage) {
    ASSERT_EQ(1, ShowHelpContents());
    EXPECT_NE(std::string::npos, std::string(gHeadlessHelpLastUrl).find("Help/index.html"));
    ASSERT_EQ(1, ShowHelpContext(4242));
    EXPECT_NE(std::string::npos, std::string(gHeadlessHelpLastUrl).find("Help/index.html"));
    ASSERT_EQ(1, ShowHelpContext(kHelpHowToUseHelp));
    EXPECT_NE(std::string::npos, std::string(gHeadlessHelpLastUrl).find("Help/howto.html"));
}

TEST_F(ShowHelpTest, HelpThatCannotBeShownSaysWhereThePagesAre) {
    char missing[] = "/nonexistent-ostrel-folder/";
    gProgramDir = missing;
    EXPECT_EQ(0, ShowHelpContext(kHelpAbout));
    EXPECT_EQ(opened_, gHeadlessHelpOpenCount);
    EXPECT_EQ(
        "The help page /nonexistent-ostrel-folder/Help/about.html could not be shown. The help "
        "pages are in the folder /nonexistent-ostrel-folder/Help/",
        HeadlessLastStatus());

    // No browser takes the page.
    gProgramDir = dir_;
    gHeadlessHelpOpenResult = 0;
    EXPECT_EQ(0, ShowHelpContext(kHelpAbout));
    gHeadlessHelpOpenResult = 1;
    EXPECT_NE(std::string::npos, HeadlessLastStatus().find(std::string(dir_) + "Help/"));

    // A program folder with a letter beyond ASCII (Latin-1 e acute): the
    // address escapes its UTF-8 bytes.
    char accented[kPathSize];
    std::string folder = TestTempDir() + "Ostr\xE9l/";
    std::filesystem::create_directories(folder + "Help");
    std::FILE* page = std::fopen((folder + "Help/about.html").c_str(), "wb");
    ASSERT_NE(page, nullptr);
    std::fclose(page);
    std::snprintf(accented, sizeof accented, "%s", folder.c_str());
    gProgramDir = accented;
    EXPECT_EQ(1, ShowHelpContext(kHelpAbout));
    EXPECT_NE(std::string::npos,
              std::string(gHeadlessHelpLastUrl).find("Ostr%C3%A9l/Help/about.html"));
    std::filesystem::remove_all(folder);
}
