// The portable side of the command table: menu states and the title text.
// The table itself (RunCommand) is in commands_win32.cpp, next to the windows
// its commands show, hide and destroy.
#include "shell/commands.h"

#include "base/menu.h"
#include "base/text_format.h"
#include "shell/joins.h"
#include "views/view_state.h"

int gLastCommand = 0;
int gCommandsRun = 0;

void FormatTitle(char* buffer, int size, const char* deviceName) {
    const char* name = deviceName != nullptr && deviceName[0] != '\0' ? deviceName : "(Untitled)";
    FormatText2(buffer, size, "%s - %s", kAppName, name);
}

