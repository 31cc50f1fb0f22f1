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
constexpr int kStrDumpIncomplete = 60;  // "Only %d of the %d presets were received; the device ..."
constexpr int kStrDumpDamaged = 61;  // "The device sent damaged data; the download was cancelled"
constexpr int kStrDumpNotStored =
    62;  // "The received presets could not be stored in the device bank"
constexpr int kStrDefinitionBroken = 70;     // "The device definition %s cannot be used: %s"
constexpr int kStrHelpNotShown = 71;         // "The help page %s could not be shown. ... in %s"
constexpr int kStrNotXmlFile = 72;           // "%s is not a readable XML file (%s)"
constexpr int kStrUnknownModel = 73;         // "%s belongs to a device model (PID %d) ..."
constexpr int kStrTooManyBanks = 74;         // "%s was not opened: 64 banks are open ..."
constexpr int kStrSendingPreset = 75;        // "Sending preset %d of %d to %s"
constexpr int kStrPresetsSent = 76;          // "%d presets sent to %s"
constexpr int kStrAskingForDump = 77;        // "Asking %s for its presets"
constexpr int kStrReceivingPreset = 78;      // "Receiving preset %d of %d from %s"
constexpr int kStrPresetsReceived = 79;      // "%d presets received from %s"
constexpr int kStrOnePresetSent = 81;        // "1 preset sent to %s"
constexpr int kStrCouldNotSave = 82;         // "Could not Save %s. %s" (bank name, why)
constexpr int kStrCouldNotSend = 83;         // "Could not Send %s to the device. %s"
constexpr int kStrAskRestoreKept = 84;       // "The changes to %s were kept when Windows ..."
constexpr int kStrAskSendWholeBank = 85;     // "Send %s to %s? It replaces every preset ..."
constexpr int kStrCouldNotDelete = 86;       // "Could not delete %s"
constexpr int kStrCouldNotRestore = 87;      // "Could not put back %s because ... in the way"
constexpr int kStrTooManyBanksToRestore = 88;  // "Cannot bring back %s because 64 banks are open"
constexpr int kStrBankNoLongerOpen = 89;       // "Cannot Undo or Redo ... %s ... no longer open"
constexpr int kStrDifferences = 90;          // "%d differences from %s" (count, compared preset)
constexpr int kStrOneDifference = 91;        // "1 difference from %s"
constexpr int kStrNoDifferences = 92;        // "No differences from %s"
constexpr int kStrNoDeviceBankToCompare = 93;  // "No device bank of %s is open to compare with"
constexpr int kStrSheetTitle = 94;             // "Preset %d: %s" (number, name)
constexpr int kStrSheetBank = 95;              // "Bank: %s - %s" (bank, device)
constexpr int kStrSheetCc = 96;                // "CC %d"
constexpr int kStrSheetChannel = 97;           // "Ch %d"
constexpr int kStrSheetZones = 98;             // "Zones"
constexpr int kStrSheetZone = 99;              // "Zone %d:"
constexpr int kStrExportSheetTitle = 100;       // "Export Preset Sheet" (the save dialog's title)
constexpr int kStrPngFilter = 101;              // "PNG Picture" (the save dialog's file type)
constexpr int kStrExportSyxTitle = 102;         // "Export as SysEx" (the save dialog's title)
constexpr int kStrSyxFilter = 103;              // "SysEx File (*.syx)" (load and save dialogs)
constexpr int kStrAskExportSelected = 104;      // "Export only the %d selected presets? ..."
constexpr int kStrAskImportPartial = 105;       // "%s holds %d whole presets, not a whole bank..."
constexpr int kStrSyxNothingUsable = 106;       // "Nothing to import from %s: %s" (path, 107)
constexpr int kStrSyxFound = 107;               // "%d SysEx messages: %d Corvanith data ..." (5)
constexpr int kStrSyxUnknownModel = 108;        // "%s holds data messages for Group ID %d, ..."
constexpr int kStrSyxTooLarge = 109;            // "%s is larger than 1 MB, too large for a ..."
constexpr int kStrSyxWaitForDevice = 110;       // "Wait until the exchange with the device ..."
constexpr int kStrOtherModelsBank = 111;        // "%s holds a bank of another device model, ..."
constexpr int kStrLibraryValueOutOfRange = 112;  // "That Library Control cannot be used ... range ..."
constexpr int kStrLibraryOfOtherModel = 113;     // "%s was made for another device model, ..."
constexpr int kStrDeviceStillSending = 114;      // "The device is still sending its presets."
constexpr int kStrNewBankNeedsModel = 115;       // "A new bank is made for a device model: ..."
constexpr int kStrSyxMoreThanOneBank = 116;      // "Only the first bank in %s was read: ..."

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
