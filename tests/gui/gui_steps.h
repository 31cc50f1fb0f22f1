// Small steps the GUI tests share: devices and banks put into a program
// folder before the start, banks, rows and controls found on the screen,
// commands sent as the menus send them, and the simulated device looked
// into. The demo data they copy lies beside the test program, in its
// working folder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "banks/bank_model.h"
#include "gui_harness.h"
#include "views/editor_pane_layout.h"
#include "views/pane.h"
#include "views/view_platform.h"

// ---- The program folder -----------------------------------------------------

// Writes a whole file; true when every byte was written.
bool WriteWholeFile(const std::string& path, const std::string& text);

// The bytes of a whole file; empty when it cannot be read.
std::string ReadFileText(const std::string& path);

// Replaces the first `from` in a text file by `to`; false when the file or
// `from` is not there.
bool ReplaceInFile(const std::string& path, const std::string& from, const std::string& to);

// An empty, writable user bank "<name>.xml" of the model with this PID.
bool WriteEmptyUserBank(const TempProgramFolder& folder, const char* name, int32_t pid);

// A demo device ("Meridian 49.eld") copied into the program folder, with an
// empty user bank "Live" of its model so that start-up selects that model,
// and the demo libraries when asked for. The model's PID; 0 when its
// definition can't be read.
int32_t InstallDeviceWithBank(const TempProgramFolder& folder, const char* device,
                              bool withLibraries = false);

// Only the definition of a demo device ("Meridian 49.eld"), without its
// pictures, libraries or banks. The model's PID; 0 when it can't be read.
int32_t InstallDefinitionOnly(const TempProgramFolder& folder, const char* device);

// The installed Meridian 49's picture bounds made 1400 wide instead of 578,
// far wider than the pane, so that its picture scrolls sideways with the
// controls spread over more than one page.
bool WidenMeridianPicture(const TempProgramFolder& folder);

// The whole demo data: devices, libraries and user banks.
void InstallDemoData(const TempProgramFolder& folder);

// ---- Finding things on the screen ------------------------------------------

LPARAM At(int x, int y);

// The client y of the middle of a list pane's row (a row number counted from
// the top of the list, not from the scroll position).
int RowMiddle(const Pane& pane, int row);

// The open bank with this title; -1 when none.
int BankNamed(const char* title);

// The names of a bank's first `count` presets; empty when it has no contents.
std::vector<std::string> PresetNames(int bank, int count = kMaxPresets);

// The client point in the middle of a control's overlay picture.
POINT ControlPoint(int control);

// The editor entry of that item, index and option (-1: any option).
const EditorEntry* FindEntry(const EditorLayout& layout, EditorItem item, int index, int option);

bool IsNavy(COLORREF c);

// ---- Acting on the windows -------------------------------------------------

// A menu or toolbar command, as the menu sends it.
void Command(HWND main, int id);

bool MenuEnabled(HWND main, int id);

// A mouse message sent to the window as the hand would make it: the scripted
// pointer moves to the message's client point and the scripted left button
// follows it (held from a press until a release, and on a move while the keys
// say so), so that what the program reads of the pointer and the button
// matches the message.
void SendMouse(HWND window, UINT message, WPARAM keys, LPARAM at);

// The scripted pointer put on a client point of the window, without a message
// (the real pointer goes there too, for the pictures).
void PointerTo(HWND window, int x, int y);

// `count` ticks of a main-window timer (101 drags, 102 the spinner, 100 the
// transfer and tooltip tick), each handled before the next is sent.
void Tick(HWND main, int timer, int count = 1);

// The left button pressed, moved with, and released at a client point of
// the window, as the mouse would send it (the release lets what it started
// run).
void LeftPress(HWND window, int x, int y, WPARAM keys = 0);
void LeftDragTo(HWND window, int x, int y);
void LeftRelease(HWND window, int x, int y, WPARAM keys = 0);

// A click on a bank's row of the bank list.
void ClickBankRow(HWND main, int bank);

// A client point inside the list view's cell of `column` and `row` (the row
// counted from the top shown).
POINT ListCellPoint(int column, int row);

// Everything of the window painted again now.
void Repaint(HWND window);

ULONG_PTR ClassCursor(HWND window);

// ---- The simulated device --------------------------------------------------

// How many data messages the device has taken; -1 when it can't be read.
int DeviceMessagesReceived();

// The device's memory, unpacked by the loaded model.
std::unique_ptr<BankData> DeviceMemory();
