// Numbers of the string-table entries (resources/string_table.inc holds the
// texts). Every text the program shows is addressed by one of these.
#pragma once

constexpr int kStrClipboardEmpty = 0;      // "The Clipboard is Empty"
constexpr int kStrClipboardContains = 1;   // "The Clipboard Contains "
constexpr int kStrClipboardContents = 2;   // "Clipboard Contents" (caption)
constexpr int kStrShortOfMemory = 3;       // "Running short of memory"
constexpr int kStrNothingOnClipboard = 5;  // "There is nothing on the Clipboard"
constexpr int kStrControlsFrom = 6;        // "%d Controls from "
constexpr int kStrOneControlFrom = 7;      // "1 Control from "
constexpr int kStrPresetsFrom = 8;         // "%d Presets from "
constexpr int kStrOnePresetFrom = 9;       // "1 Preset from "
constexpr int kStrCannotPasteAcross = 10;  // "Cannot paste data from one window into another"
constexpr int kStrAskSendChanged = 16;  // "%s has changed. Do you want to send it to the device?"
constexpr int kStrAskSaveChanged = 17;  // "%s has changed. Do you want to save it?"
constexpr int kStrAskReplaceExisting = 18;  // "Replace existing %s"
constexpr int kStrAskRevert = 19;           // "Are you sure you want to revert to ... %s?"
constexpr int kStrAlreadyLoaded = 23;       // "%s is already loaded"
constexpr int kStrCannotOpenFile = 24;      // "Cannot open file %s"
constexpr int kStrCannotCreateFile = 25;    // "Cannot create file %s"
constexpr int kStrCannotWriteFile = 26;     // "Cannot Write file %s to disk"
constexpr int kStrNotSxlFile = 27;          // "%s is not an Corvanith SysEx Librarian File"
constexpr int kStrNotSettingsFile = 28;     // "%s is not an Corvanith Settings File"
constexpr int kStrNotEditorFile = 29;       // "%s is not an Corvanith SysEx Editor File"
constexpr int kStrCannotModifyReadOnly =
    30;                                      // "Cannot Modify %s because it is marked as Read Only"
constexpr int kStrCannotSaveReadOnly = 31;   // "Cannot Save %s because it is marked as Read Only"
constexpr int kStrCouldNotRename = 32;       // "Could not Rename %s"
constexpr int kStrSxlNeedsDevice = 33;       // "You need to have an Corvanith Device connected ..."
constexpr int kStrCannotCopyWrongBank = 34;  // "Cannot Copy %s to the device because ... bank"
constexpr int kStrDeviceNotResponding = 35;  // "The device is not responding"
constexpr int kStrDeviceCancelled = 36;      // "The device cancelled the operation"
constexpr int kStrDeviceDidNotReceive = 37;  // "The device did not receive the data"
constexpr int kStrCannotSendWrongBank = 38;  // "Cannot Send %s to the device because ... bank"
constexpr int kStrCcOutOfRange = 39;         // "That Library Control cannot be used because ..."
constexpr int kStrOutputUnavailable = 41;    // "This output device is not currently available"
constexpr int kStrInputUnavailable = 42;     // "This input device is not currently available"
constexpr int kStrNoOutputPorts = 44;        // "No Output Ports are Available"
constexpr int kStrPortInUse = 47;            // "An attempt to open the %s has failed because ..."
constexpr int kStrOpenInAndOut = 48;         // "Please open an Input and an Output Device"
constexpr int kStrSysExReceived = 49;        // "SysEx Received"
constexpr int kStrSysExSent = 50;            // "SysEx Sent"
constexpr int kStrReading = 51;              // "Reading %s"
constexpr int kStrWriting = 52;              // "Writing %s"
constexpr int kStrWrongControlType = 54;     // "Can not drag %s to %s.  It is the wrong type ..."
constexpr int kStrCouldNotSave = 70;         // "Could not Save %s. %s" (bank name, why)
constexpr int kStrCouldNotSend = 71;         // "Could not Send %s to the device. %s"
constexpr int kStrUnknownModel = 72;         // "Cannot Load %s because its device model ..."
constexpr int kStrAskRestoreKept = 73;       // "The changes to %s were kept when Windows ..."
constexpr int kStrDifferences = 74;          // "%d differences from %s" (count, compared preset)
constexpr int kStrOneDifference = 75;        // "1 difference from %s"
constexpr int kStrNoDifferences = 76;        // "No differences from %s"
constexpr int kStrNoDeviceBankToCompare = 77;  // "No device bank of %s is open to compare with"
constexpr int kStrSheetTitle = 78;             // "Preset %d: %s" (number, name)
constexpr int kStrSheetBank = 79;              // "Bank: %s - %s" (bank, device)
constexpr int kStrSheetCc = 80;                // "CC %d"
constexpr int kStrSheetChannel = 81;           // "Ch %d"
constexpr int kStrSheetZones = 82;             // "Zones"
constexpr int kStrSheetZone = 83;              // "Zone %d:"
constexpr int kStrExportSheetTitle = 84;       // "Export Preset Sheet" (the save dialog's title)
constexpr int kStrPngFilter = 85;              // "PNG Picture" (the save dialog's file type)

constexpr int kStrFirstTooltip = 128;   // tooltip text = 128 + the item's tooltip index
constexpr int kStrFirstTabLabel = 160;  // "Control Details", "Extra Variables", "Zone Data"

// Resource names. Cursors and bitmaps are fixed runs; the PNG runs are read
// upward until an entry that begins with "!".
constexpr int kStrFirstCursor = 384;
constexpr int kCursorNameCount = 4;
constexpr int kStrFirstBitmap = 401;
constexpr int kBitmapNameCount = 8;
constexpr int kStrFirstButtonImage = 432;
constexpr int kStrFirstLogoImage = 464;
constexpr int kStrFirstFileIcon = 480;
