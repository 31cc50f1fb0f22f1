// What the layers below the shell must make happen above them, without
// including it: a table of calls that the shell fills at start-up
// (InstallShellHooks, shell/joins.h) before anything can call one. The
// native tests' stand-in for the program (headless/) fills it the same way.
#pragma once

#include "base/messages.h"

struct ShellHooks {
    // The steps of a device load that belong to the views: the previous
    // device's pictures released, the new ones built, the panes laid out.
    void (*releaseDevicePictures)();
    void (*buildDevicePictures)();
    void (*layoutDeviceViews)();
    // After a device change: the title names the new device and the main
    // window is repainted.
    void (*redrawAfterDeviceChange)();
    // Bank `index` made current and shown, keeping the user's place in the
    // views (showBank) or starting it again at the top (showOtherBank).
    void (*showBank)(int index);
    void (*showOtherBank)(int index);
    // The device bank, or the model it belongs to, may have changed: the
    // exchange publishes the layout that a dump the device sends unasked is
    // read by (midi/transfer_state.h).
    void (*deviceBankChanged)();
    // The transfer commands' enable rules were applied to the menu again:
    // the toolbar's transfer buttons, drawn by the same rules, follow.
    void (*transferRulesApplied)();
    // Bank `index` was filled whole from outside the user's editing (a
    // download landed): an in-place editor open on it closes unread.
    void (*bankContentsReplaced)(int index);
    // The question before a whole-bank send; 1 to go ahead.
    int (*confirmWholeBankSend)(int bank);
    // A panel's button runs command `id` of the command table for `window`
    // (the Win32 start-up fills it; the native tests record the command).
    int (*runCommand)(WindowHandle window, int id);
};

extern ShellHooks gShellHooks;
