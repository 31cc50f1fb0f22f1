// The question before a whole-bank send: it replaces every preset in the
// device, which no undo in the program can take back.
#pragma once

// Asks (while the preference is on) whether bank `bank` is to be sent to the
// device; 1 to go ahead. "Don't ask again" turns the preference off, whatever
// the answer; the Preferences dialog turns it on again.
int ConfirmWholeBankSend(int bank);
