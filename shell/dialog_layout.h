// Placement of the program's dialogs: centred on the main window, kept on the
// screen. Portable so that the rule is tested natively.
#pragma once

struct DialogPlace {
    int left;
    int top;
};

// The top-left corner of a dialog of size dialogW x dialogH centred on the main
// window (ownerLeft, ownerTop, ownerW x ownerH). A dialog that would reach past
// the work area's width (fullW) is moved left to end there, one that would reach
// past the caption height plus the work area's height (caption + fullH) is moved
// up to end there, and a negative coordinate becomes 0.
DialogPlace CentreDialog(int ownerLeft, int ownerTop, int ownerW, int ownerH, int dialogW,
                         int dialogH, int fullW, int fullH, int caption);
