// The headless test double of the shell's message seams (base/platform.h):
// instead of showing anything it records what would have been shown, answers
// message boxes from a queue, and prints each message to stderr.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct RecordedMessageBox {
    void* owner;
    std::string text;
    std::string caption;
    unsigned type;
    int answer;
    int modalFlag;  // gModalBoxUp while the box was up
};

struct HeadlessMessageLog {
    std::vector<RecordedMessageBox> boxes;
    std::vector<std::string> statusTexts;  // each text drawn in the status display
    int statusClears = 0;                  // background-only redraws
    std::vector<std::string> popupsShown;  // text of each popup shown
    int popupCloses = 0;
    int popupUp = 0;            // 1 between a show and its close
    std::vector<int> answers;   // queued answers, used front first
    int allocationsToFail = 0;  // next N PlatformAllocBlock calls fail
    int allocationsMade = 0;
    int quiet = 0;  // 1: do not print to stderr
    // What the user does while the next box is up (run once, before it is
    // answered): a click on another window the box does not block.
    std::function<void()> whileBoxUp;
};

// The log. Tests normally call HeadlessMessagesReset() in SetUp.
HeadlessMessageLog& HeadlessMessages();

// Clears the log and puts the shell's message state back to its start
// (modal flag, settings-I/O counter, status flag, popup state and text).
void HeadlessMessagesReset();

// Queues the answer of the next message box. With the queue empty, a Yes/No
// or Yes/No/Cancel box answers No (the harmless choice) and any other box OK.
void HeadlessQueueAnswer(int answer);

// The last status text drawn, or "" when none.
std::string HeadlessLastStatus();
