// DevicesPane: the main window's list of open banks, "Devices and Files":
// device banks, user preset banks and ROM banks, each with its kind's icon.
#pragma once

#include "views/pane.h"

// The name of a row starts this far right of the pane's left edge, after
// the icon; a press within kBankIconHit pixels of the edge is on the icon.
constexpr int kBankNameLeft = 16;
constexpr int kBankIconHit = 12;

class DevicesPane : public Pane {
  public:
    void Paint(PaneDc dc) override;
    int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) override;
};

extern DevicesPane gDevicesPane;

// The icon a bank row shows: 0 device bank, 1 the active device bank,
// 2 user bank, 3 ROM bank (the order of the file icons).
int BankRowIcon(int bank);
// The name a bank row shows: the entry's display name (a file's name, the
// device's name), which the title of the device view, the renamer and the
// questions at Quit use too; two files holding banks of the same name stay
// apart. A bank without one shows its own name.
const char* BankRowName(int bank);
// Opens the renamer over the current bank's name when it is a user bank.
void RenameCurrentBank();
