// Process-wide handles recorded by start-up and the windows.
#include "base/app_state.h"

void* gInstance = nullptr;
WindowHandle gDesktopWindow = nullptr;
WindowHandle gMainWindow = nullptr;
WindowHandle gLibraryWindow = nullptr;
WindowHandle gEditorWindow = nullptr;
