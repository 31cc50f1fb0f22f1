// The message functions: every text the program shows reaches the user
// through these, addressed by its string-table number (base/string_ids.h).
//
// Three ways to show a text:
//  - a message box (errors that need acknowledging, Yes/No questions);
//  - the status display, a few lines drawn on the main window for file and
//    device problems that need no answer;
//  - the status popup, a small window saying what is going on ("Reading %s",
//    "Writing %s", "SysEx Sent", "SysEx Received").
// The platform side of each lives behind base/platform.h, so the native
// tests record what would be shown (headless/messages_headless.h).
//
// All of it runs on the user-interface thread.
#pragma once

#include <cstddef>

#include "base/string_ids.h"
#include "base/text_format.h"

// An opaque window handle (HWND in the Windows build).
using WindowHandle = void*;

// The application name: caption of every message box and the title prefix.
constexpr char kAppName[] = "Ostrel";

// Message box types and answers, with the platform's values.
constexpr unsigned kMbOk = 0;
constexpr unsigned kMbYesNo = 4;
constexpr unsigned kMbIconHand = 16;                               // stop icon: errors
constexpr unsigned kMbIconQuestion = 32;                           // question icon
constexpr unsigned kMbYesNoQuestion = kMbYesNo | kMbIconQuestion;  // 36: questions
constexpr unsigned kMbYesNoCancel = 3;
// Questions with a way back (Quit's): Cancel, and the box's close button, answer kIdCancel.
constexpr unsigned kMbYesNoCancelQuestion = kMbYesNoCancel | kMbIconQuestion;  // 35
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Longest text a message box or the status display shows, and the longest
// text CopyStringById/FormatStringById take from the table.
constexpr int kMaxMessageText = 1023;
constexpr int kMaxShortText = 255;

// ---------------------------------------------------------------------------
// Process-wide state (user-interface thread only).

// 1 while a message box or dialog is up: window procedures drop commands and
// mouse input meanwhile. Dialogs set and clear it too.
extern int gModalBoxUp;

// Nesting counter raised while the settings file is read or written: while it
// is nonzero MessageBoxById shows nothing and the status popup stays hidden,
// so settings problems appear only in the status display. Use
// BeginSettingsIo/EndSettingsIo rather than touching it directly.
extern int gSettingsIo;

// 1 while the status display shows a text (ClearStatus then repaints it).
extern int gStatusShown;

// The last text StatusMessage drew, so that a caller can repeat why an
// operation failed in a message box (Quit's failed save or send). Callers
// that want only their own operation's reason empty it first.
extern char gLastStatusText[kMaxMessageText + 1];

// The status popup's text. Callers put their text here (SetStatusPopupText)
// and then call ShowStatusPopup(1).
constexpr int kPopupTextSize = 512;
extern char gPopupText[kPopupTextSize];

// The popup's state: shown flag, tick count when it was shown, and the
// minimum time it stays up once shown.
extern int gPopupShown;
extern unsigned gPopupShownAt;
extern unsigned gPopupMinimumMs;
constexpr unsigned kPopupMinimumMs = 1000;
constexpr unsigned kPopupMinimumSettingsMs = 100;

// ---------------------------------------------------------------------------
// String loading.

// Copies the text of string `id` into `buffer` (truncated to size - 1
// characters, NUL terminated). Returns its length, 0 when there is no entry
// (the buffer then holds "").
int LoadStringById(int id, char* buffer, int size);

// The text of `id` (at most 255 characters, and at most size - 1) into the
// buffer. The buffer is untouched when there is no such entry. Returns 1 when
// the entry exists.
int CopyStringById(char* buffer, int size, int id);
template <size_t N>
int CopyStringById(char (&buffer)[N], int id) {
    return CopyStringById(buffer, static_cast<int>(N), id);
}

// The text of `id` (at most 255 characters) used as a format with one
// argument, written into the buffer (at most size - 1 characters). The buffer
// is untouched when there is no such entry. Returns 1 when the entry exists.
int FormatStringById(char* buffer, int size, int id, FormatArg argument);
template <size_t N>
int FormatStringById(char (&buffer)[N], int id, FormatArg argument) {
    return FormatStringById(buffer, static_cast<int>(N), id, argument);
}

// ---------------------------------------------------------------------------
// Message boxes. `owner` may be null (the desktop).

// Sets the modal-box flag, shows the platform message box, puts the flag back
// as it was (still set when the box came from a dialog) and returns the
// button pressed (kIdOk, kIdYes, kIdNo...).
int ShowMessageBox(WindowHandle owner, const char* text, const char* caption, unsigned type);

// The text of `id` in a message box. Shows nothing and answers 0 while the
// settings-I/O counter is nonzero or when the entry does not exist.
int MessageBoxById(WindowHandle owner, const char* caption, unsigned type, int id);

// The text of `id` formatted with one argument, in a message box captioned
// "Ostrel". Answers 0 without a box when the entry does not exist.
int MessageBoxFormat(WindowHandle owner, int id, FormatArg argument, unsigned type);
// The same with two arguments.
int MessageBoxFormat2(WindowHandle owner, int id, FormatArg argument1, FormatArg argument2,
                      unsigned type);

// ---------------------------------------------------------------------------
// The status display on the main window.

// Formats the text of `id` with its argument(s) and draws it in the status
// display, word-wrapped and centred. A missing entry draws nothing.
void StatusMessage(int id, FormatArg argument = FormatArg());
void StatusMessage2(int id, FormatArg argument1, FormatArg argument2);
void StatusMessage3(int id, FormatArg argument1, FormatArg argument2, FormatArg argument3);

// If the status display shows a text, draws its background only and resets
// the flag. Any mouse button press in the three main windows calls this.
void ClearStatus();

// ---------------------------------------------------------------------------
// The status popup.

// Formats the text of `id` with one argument into gPopupText.
void SetStatusPopupText(int id, FormatArg argument = FormatArg());

// show = 1: (re)creates the popup showing gPopupText and records the time.
// show = 0: waits, without handling messages, until the minimum display time
// has passed since it was shown, then destroys it. Both do nothing while the
// settings-I/O counter is nonzero; closing a popup that is not up does
// nothing.
void ShowStatusPopup(int show);

// Raise and lower the settings-I/O counter. Begin also sets the popup's
// minimum display time to 100 ms; End restores 1000 ms when the counter
// returns to zero.
void BeginSettingsIo();
void EndSettingsIo();
