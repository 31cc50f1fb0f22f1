// Process-wide handles recorded by start-up's first step, as opaque portable
// values (HINSTANCE and HWND in the Windows build; null in the native tests).
#pragma once

#include "base/messages.h"

// The program's module instance: used for every resource load.
extern void* gInstance;

// The desktop window: owner of the memory-failure message box and parent of
// the main window.
extern WindowHandle gDesktopWindow;

// The three main windows, set by their creation handlers (null before and
// after they exist).
extern WindowHandle gMainWindow;
extern WindowHandle gLibraryWindow;
extern WindowHandle gEditorWindow;
