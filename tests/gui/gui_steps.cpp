// The GUI tests' shared steps (gui_steps.h).
#include "gui_steps.h"

#include <cstdio>
#include <cstring>

#include <windowsx.h>

#include "banks/discovery.h"
#include "banks/bank_packing.h"
#include "banks/packed_image.h"
#include "midi/virtual_link.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/editor_document.h"
#include "views/graphic_geometry.h"
#include "views/input_script_win32.h"
#include "views/list_columns.h"
#include "views/list_rows.h"

// The packed-store slot the device's memory is unpacked from; the program
// itself never uses it.
constexpr int kSpareSlot = 4;

bool WriteWholeFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
}

std::string ReadFileText(const std::string& path) {
    std::string text;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return text;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    std::fclose(file);
    return text;
}

bool ReplaceInFile(const std::string& path, const std::string& from, const std::string& to) {
    std::string text = ReadFileText(path);
    size_t at = text.find(from);
    if (at == std::string::npos) return false;
    text.replace(at, from.size(), to);
    return WriteWholeFile(path, text);
}

bool WriteEmptyUserBank(const TempProgramFolder& folder, const char* name, int32_t pid) {
    std::string bank = std::string("<plist><dict><key>preset</key><dict><key>name</key><string>") +
                       name + "</string><key>PID</key><integer>" + std::to_string(pid) +
                       "</integer><key>read only</key><false/><key>ROM</key><false/>"
                       "<key>presets</key><array/></dict></dict></plist>";
    return WriteWholeFile(folder.path("User Preset Banks\\") + name + ".xml", bank);
}

int32_t InstallDeviceWithBank(const TempProgramFolder& folder, const char* name,
                              bool withLibraries) {
    std::string device = folder.path("Devices\\") + name;
    CopyFolder(std::string("Devices\\") + name, device);
    if (withLibraries) CopyFolder("Library", folder.path("Library"));
    int32_t pid = 0;
    if (!ReadDeviceIdentity((device + "\\").c_str(), &pid)) return 0;
    return WriteEmptyUserBank(folder, "Live", pid) ? pid : 0;
}

int32_t InstallDefinitionOnly(const TempProgramFolder& folder, const char* device) {
    std::string to = folder.path("Devices\\") + device;
    CreateDirectoryA(to.c_str(), nullptr);
    std::string from = std::string("Devices\\") + device + "\\definition.xml";
    if (!CopyFileA(from.c_str(), (to + "\\definition.xml").c_str(), FALSE)) return 0;
    int32_t pid = 0;
    return ReadDeviceIdentity((to + "\\").c_str(), &pid) ? pid : 0;
}

bool WidenMeridianPicture(const TempProgramFolder& folder) {
    return ReplaceInFile(folder.path("Devices\\Meridian 49.eld\\definition.xml"),
                         "<string>0, 0, 578, 236</string>", "<string>0, 0, 1400, 236</string>");
}

void InstallDemoData(const TempProgramFolder& folder) {
    CopyFolder("Devices", folder.path("Devices"));
    CopyFolder("Library", folder.path("Library"));
    CopyFolder("User Preset Banks", folder.path("User Preset Banks"));
}

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

int RowMiddle(const Pane& pane, int row) {
    return ListRowTop(pane, row - pane.vertical.position) + 6;
}

int BankNamed(const char* title) {
    for (int i = 0; i < gBanks.count; i++) {
        if (std::string(BankTitle(i)) == title) return i;
    }
    return -1;
}

std::vector<std::string> PresetNames(int bank, int count) {
    std::vector<std::string> names;
    const BankData* data = BankDataAt(bank);
    if (!data) return names;
    for (int i = 0; i < count; i++) names.push_back(data->presets[i].name);
    return names;
}

POINT ControlPoint(int control) {
    const DocControl& c = gDocument.controls[control];
    POINT p;
    p.x = gDeviceView.rect.x + kPictureMargin + gDocument.offX +
          (c.overlayRect.left + c.overlayRect.right) / 2;
    p.y = gDeviceView.rect.y + kPictureMargin + gDocument.offY +
          (c.overlayRect.top + c.overlayRect.bottom) / 2;
    return p;
}

const EditorEntry* FindEntry(const EditorLayout& layout, EditorItem item, int index, int option) {
    for (int i = 0; i < layout.count; ++i) {
        const EditorEntry& e = layout.entries[i];
        if (e.item == item && e.index == index && (option < 0 || e.option == option)) return &e;
    }
    return nullptr;
}

bool IsNavy(COLORREF c) {
    return GetRValue(c) < 40 && GetGValue(c) < 40 && GetBValue(c) > 90;
}

void Command(HWND main, int id) {
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpMessages(30);
}

bool MenuEnabled(HWND main, int id) {
    return (GetMenuState(GetMenu(main), id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

void SendMouse(HWND window, UINT message, WPARAM keys, LPARAM at) {
    POINT screen = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    ClientToScreen(window, &screen);
    gInputScript.pointer = screen;
    SetCursorPos(screen.x, screen.y);  // for the pictures; the program reads the script
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) gInputScript.leftHeld = 1;
    if (message == WM_LBUTTONUP) gInputScript.leftHeld = 0;
    if (message == WM_MOUSEMOVE) gInputScript.leftHeld = (keys & MK_LBUTTON) ? 1 : 0;
    SendMessageA(window, message, keys, at);
}

void PointerTo(HWND window, int x, int y) {
    POINT screen = {x, y};
    ClientToScreen(window, &screen);
    gInputScript.pointer = screen;
    SetCursorPos(screen.x, screen.y);
}

void Tick(HWND main, int timer, int count) {
    for (int i = 0; i < count; i++) SendMessageA(main, WM_TIMER, timer, 0);
}

void LeftPress(HWND window, int x, int y, WPARAM keys) {
    SendMouse(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, At(x, y));
}

void LeftDragTo(HWND window, int x, int y) {
    SendMouse(window, WM_MOUSEMOVE, MK_LBUTTON, At(x, y));
}

void LeftRelease(HWND window, int x, int y, WPARAM keys) {
    SendMouse(window, WM_LBUTTONUP, keys, At(x, y));
    PumpMessages(20);
}

void ClickBankRow(HWND main, int bank) {
    int x = gDevicesPane.rect.x + 60;
    LeftPress(main, x, RowMiddle(gDevicesPane, bank));
    LeftRelease(main, x, RowMiddle(gDevicesPane, bank));
}

POINT ListCellPoint(int column, int row) {
    LayoutListColumns(gDeviceView, gDeviceView.vertical.total > gDeviceView.vertical.page,
                      ListColumns);
    POINT p;
    p.x = ListColumns[column].x + 6;
    p.y = gDeviceView.rect.y + 2 + ListHeaderHeight() + row * kListViewRowHeight + 5;
    return p;
}

void Repaint(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages(30);
}

ULONG_PTR ClassCursor(HWND window) {
    return GetClassLongPtrA(window, GCLP_HCURSOR);
}

int DeviceMessagesReceived() {
    std::unique_ptr<VirtualDevice> device(new VirtualDevice);
    if (!VirtualLinkSnapshot(device.get())) return -1;
    return device->dataMessagesReceived;
}

std::unique_ptr<BankData> DeviceMemory() {
    std::unique_ptr<VirtualDevice> device(new VirtualDevice);
    VirtualLinkSnapshot(device.get());
    gPackedStore.slots[kSpareSlot] = device->memory;
    std::unique_ptr<BankData> bank(new BankData);
    std::memset(bank.get(), 0, sizeof *bank);
    UnpackBank(kSpareSlot, bank.get());
    return bank;
}
