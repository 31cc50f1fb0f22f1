// Recovery copies: what the end of a Windows session would otherwise cost.
//
// When Windows ends the session without the questions of Quit being answered
// (it does not wait, or it ends the program while a question is up), each
// changed user or device bank is written beside its file as its path +
// kRecoverySuffix. Discovery takes only ".xml" files, so the copies stay out
// of the bank list. The next start offers each copy whose bank is open, and
// each copy in "User Preset Banks" of a bank that never had a file:
//   Yes  the bank takes the kept content and counts as changed (asked about
//        again at Quit); a bank that never had a file comes back as such;
//   No   the copy is removed.
// Either way the copy is gone afterwards. A copy whose bank is not open (a
// device not connected, a bank loaded from elsewhere) waits: Load offers it
// too, and a later start with the device connected.
//
// User-interface thread only.
#pragma once

constexpr char kRecoverySuffix[] = ".recovery";

// Writes a copy of every changed user and device bank; the loaded device
// model is put back afterwards. Returns the number written.
int WriteRecoveryCopies();
// Removes the copies WriteRecoveryCopies wrote in this run (the questions
// were answered after all), and only those.
void RemoveRecoveryCopies();
// The offer for bank `bank` when a copy lies beside its file. Returns 1 when
// restored.
int OfferRecoveryCopy(int bank);
// Start-up: the offer for every open bank, then for the copies of banks that
// never had a file. The current bank stays current. Returns the number restored.
int OfferRecoveryCopies();
