// The program's modal dialogs, as the command table starts them. Implemented by
// shell/dialogs_win32.cpp; headless/dialogs_headless.cpp only counts the calls
// (no dialog can run without a screen).
#pragma once

// Command 31 "&MIDI Setup...": 1 when closed with OK, 0 otherwise.
int ShowMidiSetupDialog();
// Command 32 " &Preferences...": 1 when closed with OK, 0 otherwise. When the
// ROM banks preference changed, command 26 is then sent to the main window.
int ShowPreferencesDialog();
// Command 56 "&About Ostrel...".
int ShowAboutDialog();
// The question before a whole-bank send, with Yes, No and a "Don't ask
// again" box: 1 for Yes; *dontAskAgain is 1 when the box was ticked.
int AskSendWholeBank(const char* question, int* dontAskAgain);
// Command 18 "Co&mpare with...": 1 when closed with OK (the comparison then
// started, shell/dialog_compare.h), 0 otherwise.
int ShowCompareDialog();

// Shutdown: releases what the dialogs keep for the life of the program (their
// texture brushes). Safe to call when no dialog ever ran.
void ReleaseDialogResources();
