// The end of a Windows session (log off, shut down, restart): the main window
// gets WM_QUERYENDSESSION and then WM_ENDSESSION instead of the command Quit,
// and after WM_ENDSESSION the program may be ended at any moment. What Quit
// would ask must not be lost on the way:
//
//   WM_QUERYENDSESSION  QueryEndSession: recovery copies of the changed banks
//                       first (banks/bank_recovery.h), in case Windows ends the
//                       program while a question is up; then, where Windows
//                       waits, Quit's questions. Answered, the copies go again;
//                       a Cancel or a failed save or send answers "do not end".
//                       Where Windows does not wait (a critical end, or a box
//                       or transfer already holding the program), the copies
//                       stay for the next start to offer.
//   WM_ENDSESSION       EndSession: ending, the settings are written (and the
//                       copies, when no query came first); not ending (another
//                       program refused), the copies go: the banks are still
//                       in memory.
//
// User-interface thread only.
#pragma once

// Returns 1 when the session may end, 0 when it must not.
int QueryEndSession(int cannotAsk);
void EndSession(int ending);
