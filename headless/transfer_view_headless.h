// The headless double of the transfer engine's window seam
// (midi/transfer_view.h): records the indicator frames drawn and the repaints
// asked for, for the native tests.
#pragma once

#include <vector>

struct HeadlessTransferViewLog {
    std::vector<int> frames;  // every DrawActivityIndicator frame, in order
    int mainRedraws = 0;
    int controlRedraws = 0;
};

HeadlessTransferViewLog& HeadlessTransferView();
void HeadlessTransferViewReset();
