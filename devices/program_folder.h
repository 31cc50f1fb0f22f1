// The program folder, where discovery finds the "Devices", "Library" and
// "User Preset Banks" folders (banks/discovery.h).
#pragma once

// The program folder with its trailing separator. Start-up sets it; every
// folder discovery walks is built from it.
void DiscoverySetProgramFolder(const char* folder);
const char* DiscoveryProgramFolder();
