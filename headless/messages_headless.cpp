// Headless message seams: record, answer from a queue, print to stderr.
#include "headless/messages_headless.h"

#include <cstdio>
#include <cstdlib>

#include "base/messages.h"
#include "base/platform.h"

namespace {
HeadlessMessageLog gLog;
}

HeadlessMessageLog& HeadlessMessages() {
    return gLog;
}

void HeadlessMessagesReset() {
    int quiet = gLog.quiet;
    gLog = HeadlessMessageLog();
    gLog.quiet = quiet;
    gModalBoxUp = 0;
    gSettingsIo = 0;
    gStatusShown = 0;
    gPopupShown = 0;
    gPopupShownAt = 0;
    gPopupMinimumMs = kPopupMinimumMs;
    gPopupText[0] = '\0';
    gLastStatusText[0] = '\0';
}

void HeadlessQueueAnswer(int answer) {
    gLog.answers.push_back(answer);
}

std::string HeadlessLastStatus() {
    return gLog.statusTexts.empty() ? std::string() : gLog.statusTexts.back();
}

int PlatformMessageBox(WindowHandle owner, const char* text, const char* caption, unsigned type) {
    if (gLog.whileBoxUp) {
        std::function<void()> meanwhile = std::move(gLog.whileBoxUp);
        gLog.whileBoxUp = nullptr;
        meanwhile();
    }
    int answer;
    if (!gLog.answers.empty()) {
        answer = gLog.answers.front();
        gLog.answers.erase(gLog.answers.begin());
    } else {
        unsigned buttons = type & 0xF;
        answer = buttons == kMbYesNo || buttons == kMbYesNoCancel ? kIdNo : kIdOk;
    }
    gLog.boxes.push_back(RecordedMessageBox{owner, text ? text : "", caption ? caption : "", type,
                                            answer, gModalBoxUp});
    if (!gLog.quiet) {
        std::fprintf(stderr, "[%s] %s\n", caption ? caption : "", text ? text : "");
    }
    return answer;
}

void PlatformDrawStatus(const char* text) {
    if (text == nullptr) {
        ++gLog.statusClears;
        return;
    }
    gLog.statusTexts.push_back(text);
    if (!gLog.quiet) std::fprintf(stderr, "status: %s\n", text);
}

void PlatformShowPopup(const char* text) {
    gLog.popupsShown.push_back(text ? text : "");
    gLog.popupUp = 1;
    if (!gLog.quiet) std::fprintf(stderr, "popup: %s\n", text ? text : "");
}

void PlatformClosePopup() {
    ++gLog.popupCloses;
    gLog.popupUp = 0;
}

void* PlatformAllocBlock(size_t size) {
    if (gLog.allocationsToFail > 0) {
        --gLog.allocationsToFail;
        return nullptr;
    }
    ++gLog.allocationsMade;
    return std::calloc(size ? size : 1, 1);
}

void PlatformFreeBlock(void* block) {
    std::free(block);
}
