// The table of calls up into the shell, empty until the shell fills it.
#include "base/shell_hooks.h"

ShellHooks gShellHooks = {};
