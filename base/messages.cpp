// The message functions (messages.h): string loading and formatting, message
// boxes, the status display and the status popup. The platform draws; this
// file decides what is shown and when.
#include "base/messages.h"

#include <cstring>

#include "base/platform.h"
#include "base/string_table.h"

int gModalBoxUp = 0;
int gSettingsIo = 0;
int gStatusShown = 0;
char gLastStatusText[kMaxMessageText + 1];
char gPopupText[kPopupTextSize];
int gPopupShown = 0;
unsigned gPopupShownAt = 0;
unsigned gPopupMinimumMs = kPopupMinimumMs;

namespace {

// Copies at most `limit` characters of `text` into buffer (capacity size).
int CopyLimited(char* buffer, int size, const char* text, int limit) {
    if (buffer == nullptr || size <= 0) return 0;
    int length = 0;
    int max = size - 1 < limit ? size - 1 : limit;
    while (length < max && text[length] != '\0') {
        buffer[length] = text[length];
        ++length;
    }
    buffer[length] = '\0';
    return length;
}

// The entry's text cut to `limit` characters, into `format` (limit + 1).
// Returns 0 when there is no entry.
int LoadFormat(int id, char* format, int limit) {
    const char* text = FindString(id);
    if (text == nullptr) return 0;
    CopyLimited(format, limit + 1, text, limit);
    return 1;
}

}  // namespace

int LoadStringById(int id, char* buffer, int size) {
    const char* text = FindString(id);
    if (text == nullptr) {
        if (buffer != nullptr && size > 0) buffer[0] = '\0';
        return 0;
    }
    return CopyLimited(buffer, size, text, 0x7fffffff);
}

int CopyStringById(char* buffer, int size, int id) {
    const char* text = FindString(id);
    if (text == nullptr) return 0;
    CopyLimited(buffer, size, text, kMaxShortText);
    return 1;
}

int FormatStringById(char* buffer, int size, int id, FormatArg argument) {
    char format[kMaxShortText + 1];
    if (!LoadFormat(id, format, kMaxShortText)) return 0;
    FormatText1(buffer, size, format, argument);
    return 1;
}

int ShowMessageBox(WindowHandle owner, const char* text, const char* caption, unsigned type) {
    // A box shown from inside a dialog must not end the dialog's own modal
    // state when it closes: the flag goes back to what it was.
    int previous = gModalBoxUp;
    gModalBoxUp = 1;
    int answer = PlatformMessageBox(owner, text, caption, type);
    gModalBoxUp = previous;
    return answer;
}

int MessageBoxById(WindowHandle owner, const char* caption, unsigned type, int id) {
    if (gSettingsIo != 0) return 0;
    char text[kMaxMessageText + 1];
    if (!LoadFormat(id, text, kMaxMessageText)) return 0;
    return ShowMessageBox(owner, text, caption, type);
}

int MessageBoxFormat(WindowHandle owner, int id, FormatArg argument, unsigned type) {
    return MessageBoxFormat2(owner, id, argument, FormatArg(), type);
}

int MessageBoxFormat2(WindowHandle owner, int id, FormatArg argument1, FormatArg argument2,
                      unsigned type) {
    char format[kMaxMessageText + 1];
    if (!LoadFormat(id, format, kMaxMessageText)) return 0;
    char text[kMaxMessageText + 1];
    FormatText2(text, sizeof text, format, argument1, argument2);
    return ShowMessageBox(owner, text, kAppName, type);
}

void StatusMessage(int id, FormatArg argument) {
    StatusMessage2(id, argument, FormatArg());
}

void StatusMessage2(int id, FormatArg argument1, FormatArg argument2) {
    StatusMessage3(id, argument1, argument2, FormatArg());
}

void StatusMessage3(int id, FormatArg argument1, FormatArg argument2, FormatArg argument3) {
    char format[kMaxMessageText + 1];
    if (!LoadFormat(id, format, kMaxMessageText)) return;
    char text[kMaxMessageText + 1];
    const FormatArg arguments[] = {argument1, argument2, argument3};
    FormatText(text, sizeof text, format, arguments, 3);
    CopyLimited(gLastStatusText, sizeof gLastStatusText, text, kMaxMessageText);
    PlatformDrawStatus(text);
    gStatusShown = 1;
}

void ClearStatus() {
    if (!gStatusShown) return;
    PlatformDrawStatus(nullptr);
    gStatusShown = 0;
}

void SetStatusPopupText(int id, FormatArg argument) {
    gPopupText[0] = '\0';
    FormatStringById(gPopupText, kPopupTextSize, id, argument);
}

void ShowStatusPopup(int show) {
    if (gSettingsIo != 0) return;
    if (show) {
        if (gPopupShown) PlatformClosePopup();
        gPopupText[kPopupTextSize - 1] = '\0';
        PlatformShowPopup(gPopupText);
        gPopupShownAt = MilliClock();
        gPopupShown = 1;
        return;
    }
    if (!gPopupShown) return;
    // A deliberate busy wait: the popup must stay readable even when the
    // operation behind it was instant, and nothing else may run meanwhile.
    while (MilliClock() - gPopupShownAt < gPopupMinimumMs) {
    }
    PlatformClosePopup();
    gPopupShown = 0;
}

void BeginSettingsIo() {
    ++gSettingsIo;
    gPopupMinimumMs = kPopupMinimumSettingsMs;
}

void EndSettingsIo() {
    if (gSettingsIo > 0) --gSettingsIo;
    if (gSettingsIo == 0) gPopupMinimumMs = kPopupMinimumMs;
}
