// Process-wide handles and view state recorded by start-up and the windows.
#include "shell/app_state.h"

#include "shell/message_loop.h"
#include "shell/view_state.h"

void* gInstance = nullptr;
WindowHandle gDesktopWindow = nullptr;
WindowHandle gMainWindow = nullptr;
WindowHandle gLibraryWindow = nullptr;
WindowHandle gEditorWindow = nullptr;

WindowHandle gEditValueWindow = nullptr;
WindowHandle gRenamerWindow = nullptr;

int InPlaceEditActive() {
    return gEditValueWindow != nullptr || gRenamerWindow != nullptr;
}

ViewMode gViewMode = ViewMode::kGraphic;
int gLibraryShown = 0;
int gEditorShown = 0;
int gShowCcCh = 0;
int gFitMode = 0;
int gMainMinimised = 0;
int gLibraryMinimised = 0;
int gEditorMinimised = 0;
int gMenuOpen = 0;
