// Discovery: everything the program works with is found by walking folders
// beside it ("Devices", "Library", "User Preset Banks"); nothing is registered.
// This file finds device folders by USB product number, scans for user and
// ROM banks and for control libraries. Loading what is found belongs to the
// definition loader, the library reader and the bank files.
#pragma once

#include <cstdint>
#include <string>

#include "devices/device_definition.h"
#include "devices/program_folder.h"


// Reads folder + "definition.xml": 1 when it parses and `device` has a `name`;
// *pid is `device` / `PID` (-1 when missing). A file with an XML error is not
// a definition, however much of it was read: 0, with *pid as far as it was
// read, and the parser's report (message and line) in *problem when given.
int ReadDeviceIdentity(const char* deviceFolder, int32_t* pid, std::string* problem = nullptr);

// Finds the first folder under "Devices" (enumeration order) whose name ends in
// ".eld", whose identity is valid and whose PID is pid. folderPath (kPathLen)
// gets the path with a trailing separator, folderName (kPathLen, may be null)
// the folder's name without ".eld". Returns 1 when found. When none is found
// and a definition that does not parse may have been the one (its PID, as far
// as it was read, is pid or unknown), the status display names that file and
// the parser's report.
int FindDeviceFolder(int32_t pid, char* folderPath, char* folderName);

// Loads the device with this PID when its folder is found; else nothing changes.
int SwitchDevice(int32_t pid);
// A device answered the identity request: adds its device bank when its folder is found.
int DeviceConnected(int32_t pid, int32_t connection);

// Start-up bank scan (fileKind 0: ".xml"): user banks, then ROM banks, then
// makes bank 0 current and switches to its device.
void ScanUserAndRomBanks(int fileKind);
void ScanRomBanks();
// Fills gLibraryList.
void ScanLibraries();
