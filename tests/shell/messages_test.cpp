// The message functions against the headless platform: what would be shown,
// when it is suppressed, and how long the popup stays up.
#include "base/messages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/app_state.h"
#include "base/memory.h"
#include "base/working_blocks.h"
#include "headless/clock_headless.h"
#include "headless/messages_headless.h"

namespace {

class MessagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessMessages().quiet = 1;
        HeadlessMessagesReset();
        gFatal = 0;
    }
    void TearDown() override {
        HeadlessClockUseReal();
        HeadlessMessagesReset();
        gFatal = 0;
    }
};

}  // namespace

TEST_F(MessagesTest, LoadStringTruncatesAndReportsMissingEntries) {
    char buffer[8];
    EXPECT_EQ(LoadStringById(kStrSysExSent, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "SysEx S");
    char full[64];
    EXPECT_EQ(LoadStringById(kStrSysExSent, full, sizeof full), 10);
    EXPECT_STREQ(full, "SysEx Sent");
    EXPECT_EQ(LoadStringById(4, full, sizeof full), 0);
    EXPECT_STREQ(full, "");
}

TEST_F(MessagesTest, CopyAndFormatLeaveTheBufferAloneWithoutAnEntry) {
    char buffer[32] = "keep me";
    EXPECT_EQ(CopyStringById(buffer, 4), 0);
    EXPECT_STREQ(buffer, "keep me");
    EXPECT_EQ(FormatStringById(buffer, 11, "x"), 0);
    EXPECT_STREQ(buffer, "keep me");

    EXPECT_EQ(CopyStringById(buffer, kStrClipboardContains), 1);
    EXPECT_STREQ(buffer, "The Clipboard Contains ");
    EXPECT_EQ(FormatStringById(buffer, kStrPresetsFrom, 3), 1);
    EXPECT_STREQ(buffer, "3 Presets from ");

    // A long entry cut to the caller's buffer, never past it.
    char small[12];
    std::memset(small, 'z', sizeof small);
    CopyStringById(small, kStrCcOutOfRange);
    EXPECT_STREQ(small, "That Librar");
}

TEST_F(MessagesTest, CopyStringStopsAt255Characters) {
    char buffer[400];
    CopyStringById(buffer, kStrCcOutOfRange);
    EXPECT_EQ(
        std::strlen(buffer),
        std::strlen("That Library Control cannot be used because the MIDICC is out of range of the "
                    "Controller you dragged it to."));
    char path[300];
    std::memset(path, 'a', sizeof path);
    path[299] = '\0';
    // The format is cut to 255 characters, the result to the buffer.
    FormatStringById(buffer, kStrCannotOpenFile, path);
    EXPECT_EQ(std::strlen(buffer), std::strlen("Cannot open file ") + 299);
}

TEST_F(MessagesTest, MessageBoxSetsTheModalFlagOnlyWhileUp) {
    HeadlessQueueAnswer(kIdYes);
    int answer = MessageBoxFormat(nullptr, kStrAskSaveChanged, "Bank 1", kMbYesNoQuestion);
    EXPECT_EQ(answer, kIdYes);
    ASSERT_EQ(HeadlessMessages().boxes.size(), 1u);
    const RecordedMessageBox& box = HeadlessMessages().boxes[0];
    EXPECT_EQ(box.text, "Bank 1 has changed. Do you want to save it?");
    EXPECT_EQ(box.caption, "Ostrel");
    EXPECT_EQ(box.type, 36u);
    EXPECT_EQ(box.modalFlag, 1);
    EXPECT_EQ(gModalBoxUp, 0);
    // A box from inside a dialog leaves the dialog's modal state in force.
    gModalBoxUp = 1;
    MessageBoxFormat(nullptr, kStrAskReplaceExisting, "a.xml", kMbYesNoQuestion);
    EXPECT_EQ(gModalBoxUp, 1);
    gModalBoxUp = 0;
    // Unanswered questions are answered No, the harmless choice.
    HeadlessMessages().answers.clear();
    EXPECT_EQ(MessageBoxFormat(nullptr, kStrAskSendChanged, "Dev", kMbYesNoQuestion), kIdNo);
}

TEST_F(MessagesTest, MessageBoxByIdIsSuppressedDuringSettingsIo) {
    BeginSettingsIo();
    EXPECT_EQ(MessageBoxById(nullptr, kAppName, kMbIconHand, kStrShortOfMemory), 0);
    EndSettingsIo();
    EXPECT_TRUE(HeadlessMessages().boxes.empty());
    EXPECT_EQ(MessageBoxById(nullptr, kAppName, kMbIconHand, kStrShortOfMemory), kIdOk);
    ASSERT_EQ(HeadlessMessages().boxes.size(), 1u);
    EXPECT_EQ(HeadlessMessages().boxes[0].text, "Running short of memory");
    // A missing entry shows nothing.
    EXPECT_EQ(MessageBoxById(nullptr, kAppName, kMbIconHand, 4), 0);
    EXPECT_EQ(MessageBoxFormat(nullptr, 4, "x", kMbIconHand), 0);
    EXPECT_EQ(HeadlessMessages().boxes.size(), 1u);
}

TEST_F(MessagesTest, StatusDisplayShowsFormattedTextsAndClearsOnlyWhenShown) {
    ClearStatus();
    EXPECT_EQ(HeadlessMessages().statusClears, 0);
    StatusMessage(kStrCannotOpenFile, "C:\\x.xml");
    EXPECT_EQ(HeadlessLastStatus(), "Cannot open file C:\\x.xml");
    EXPECT_EQ(gStatusShown, 1);
    StatusMessage2(kStrWrongControlType, "Knob 1", "Pad 2");
    EXPECT_EQ(HeadlessLastStatus(),
              "Can not drag Knob 1 to Pad 2.  It is the wrong type of control.");
    ClearStatus();
    ClearStatus();
    EXPECT_EQ(HeadlessMessages().statusClears, 1);
    EXPECT_EQ(gStatusShown, 0);
    StatusMessage(4, "x");  // no entry: nothing drawn
    EXPECT_EQ(HeadlessMessages().statusTexts.size(), 2u);
    EXPECT_EQ(gStatusShown, 0);
}

TEST_F(MessagesTest, PopupClosedEarlyWaitsForTheRestOfTheMinimumTime) {
    HeadlessClockUseVirtual(10000, 0);
    SetStatusPopupText(kStrReading, "C:\\bank.xml");
    ShowStatusPopup(1);
    EXPECT_EQ(HeadlessMessages().popupsShown.back(), "Reading C:\\bank.xml");
    EXPECT_EQ(gPopupShownAt, 10000u);
    HeadlessClockSet(10400);
    HeadlessClockSetStep(1);
    ShowStatusPopup(0);
    // It waited until 1000 ms after the show: 600 more.
    EXPECT_GE(HeadlessClockPeek(), 11000u);
    EXPECT_LE(HeadlessClockPeek(), 11002u);
    EXPECT_EQ(HeadlessMessages().popupCloses, 1);
    EXPECT_EQ(gPopupShown, 0);
}

TEST_F(MessagesTest, PopupClosedLateDoesNotWait) {
    HeadlessClockUseVirtual(5000, 0);
    SetStatusPopupText(kStrSysExReceived);
    ShowStatusPopup(1);
    HeadlessClockSet(9000);
    ShowStatusPopup(0);  // step 0: any wait would never end
    EXPECT_EQ(HeadlessMessages().popupCloses, 1);
    ShowStatusPopup(0);  // not up: nothing
    EXPECT_EQ(HeadlessMessages().popupCloses, 1);
}

TEST_F(MessagesTest, PopupWaitSurvivesTheClockWrapping) {
    HeadlessClockUseVirtual(0xFFFFFF00u, 0);
    ShowStatusPopup(1);
    HeadlessClockSetStep(1);
    ShowStatusPopup(0);
    EXPECT_EQ(HeadlessClockPeek() - 0xFFFFFF00u, 1001u);
}

TEST_F(MessagesTest, ShowingAgainReplacesTheOpenPopup) {
    HeadlessClockUseVirtual(0, 0);
    SetStatusPopupText(kStrSysExSent);
    ShowStatusPopup(1);
    SetStatusPopupText(kStrSysExReceived);
    ShowStatusPopup(1);
    EXPECT_EQ(HeadlessMessages().popupCloses, 1);
    EXPECT_EQ(HeadlessMessages().popupsShown.size(), 2u);
    EXPECT_EQ(HeadlessMessages().popupUp, 1);
}

TEST_F(MessagesTest, SettingsIoSuppressesThePopupAndShortensItsMinimum) {
    HeadlessClockUseVirtual(0, 0);
    BeginSettingsIo();
    BeginSettingsIo();  // nested
    EXPECT_EQ(gPopupMinimumMs, 100u);
    ShowStatusPopup(1);
    EXPECT_TRUE(HeadlessMessages().popupsShown.empty());
    EndSettingsIo();
    EXPECT_EQ(gSettingsIo, 1);
    EXPECT_EQ(gPopupMinimumMs, 100u);
    EndSettingsIo();
    EXPECT_EQ(gPopupMinimumMs, 1000u);
    EndSettingsIo();  // unbalanced: stays at zero
    EXPECT_EQ(gSettingsIo, 0);
}

TEST_F(MessagesTest, PopupTextIsBoundedByItsBuffer) {
    std::string path(2000, 'q');
    SetStatusPopupText(kStrWriting, path.c_str());
    EXPECT_EQ(std::strlen(gPopupText), static_cast<size_t>(kPopupTextSize - 1));
    EXPECT_EQ(std::string(gPopupText).substr(0, 8), "Writing ");
}

TEST_F(MessagesTest, AllocBlockFailureSetsFatalAndSaysSoOnce) {
    void* ok = AllocBlock(64);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(static_cast<unsigned char*>(ok)[63], 0);
    FreeBlock(ok);
    FreeBlock(nullptr);

    HeadlessMessages().allocationsToFail = 1;
    EXPECT_EQ(AllocBlock(64), nullptr);
    EXPECT_EQ(gFatal, 1);
    ASSERT_EQ(HeadlessMessages().boxes.size(), 1u);
    EXPECT_EQ(HeadlessMessages().boxes[0].text, "Running short of memory");
    EXPECT_EQ(HeadlessMessages().boxes[0].caption, "Ostrel");
    EXPECT_EQ(HeadlessMessages().boxes[0].type, kMbIconHand);
    EXPECT_EQ(HeadlessMessages().boxes[0].owner, gDesktopWindow);
}

TEST_F(MessagesTest, MemoryFailureWhileSettingsAreReadShowsNoBox) {
    BeginSettingsIo();
    HeadlessMessages().allocationsToFail = 1;
    EXPECT_EQ(AllocBlock(143), nullptr);
    EndSettingsIo();
    EXPECT_EQ(gFatal, 1);
    EXPECT_TRUE(HeadlessMessages().boxes.empty());
}

TEST_F(MessagesTest, WorkingBlocksAreAllAttemptedAfterAFailure) {
    HeadlessMessages().allocationsToFail = 2;
    EXPECT_EQ(AllocWorkingBlocks(), 0);
    EXPECT_EQ(gFatal, 1);
    EXPECT_EQ(HeadlessMessages().boxes.size(), 2u);  // once per failed block
    EXPECT_EQ(HeadlessMessages().allocationsMade, 5);
    EXPECT_EQ(gFileIo, nullptr);
    EXPECT_EQ(gSysexInput, nullptr);
    EXPECT_NE(gLastBankName, nullptr);
    FreeWorkingBlocks();

    gFatal = 0;
    ASSERT_EQ(AllocWorkingBlocks(), 1);
    EXPECT_EQ(gFatal, 0);
    EXPECT_EQ(gFileIo->fileSize, 0);
    EXPECT_EQ(gSysexInput[kSysexInputBufferSize - 1], 0);
    FreeWorkingBlocks();
}

TEST_F(MessagesTest, ProgramPathsKeepTheTrailingBackslash) {
    ASSERT_EQ(AllocWorkingBlocks(), 1);
    ComputeProgramPaths("C:\\Program Files\\Ostrel\\Ostrel.exe");
    EXPECT_STREQ(gProgramDir, "C:\\Program Files\\Ostrel\\");
    EXPECT_STREQ(gFileIo->initialDir, "C:\\Program Files\\Ostrel\\User Preset Banks");

    ComputeProgramPaths("Ostrel.exe");
    EXPECT_STREQ(gProgramDir, "");
    EXPECT_STREQ(gFileIo->initialDir, "User Preset Banks");

    std::string deep = "C:\\" + std::string(300, 'd') + "\\Ostrel.exe";
    ComputeProgramPaths(deep.c_str());
    EXPECT_EQ(std::strlen(gProgramDir), static_cast<size_t>(kPathSize - 1));
    EXPECT_EQ(std::strlen(gFileIo->initialDir), static_cast<size_t>(kPathSize - 1));
    FreeWorkingBlocks();
}
