// Records what the transfer engine would draw (transfer_view_headless.h).
#include "headless/transfer_view_headless.h"

#include "midi/transfer_view.h"

static HeadlessTransferViewLog gLog;

HeadlessTransferViewLog& HeadlessTransferView() {
    return gLog;
}

void HeadlessTransferViewReset() {
    gLog = HeadlessTransferViewLog();
}

void DrawActivityIndicator(int frame) {
    gLog.frames.push_back(frame);
}

void TransferRedrawMainWindow() {
    gLog.mainRedraws++;
}

void TransferRedrawControlWindow() {
    gLog.controlRedraws++;
}
