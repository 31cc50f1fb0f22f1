// Preset bank files: one property-list document per bank (".xml", "XML Editor
// File"), used alike for user banks, ROM banks and each device folder's
// "rom.xml".
//
// Key tree, in the order the writer writes it:
//
//   preset                    dict
//     name                    string   bank name, UTF-8
//     created                 string   creation text "min:hour:day:month:year" (UTC)
//     PID, VID, Group ID      integer  the device model (Group ID at least 16)
//     unique id               integer  tells open banks apart
//     read only, ROM          bool     always false when written; missing = read only
//     presets                 array    one dict per preset of the device:
//       name                  string   UTF-8
//       created               string   read, not written
//       variables             array    element k: { value } of the variable whose target is k
//       zones                 array    zoneLimit dicts of SysexFieldTag("zones", f) integers
//       controls              array    element j: { origin, channel, MIDICC, program,
//                                                   msb, lsb, desc } of control j
//
// The reader also takes `device unique id`, which the writer does not write.
#pragma once

#include <cstddef>
#include <cstdint>

#include "banks/bank_model.h"

// The UTC time the creation text and the unique id are made from.
struct UtcTime {
    int year, month, day;  // month 1..12, day 1..31
    int hour, minute, second, millisecond;
};

UtcTime UtcNow();

// Reads path into target (cleared first). A bank of another model than the
// loaded one switches the loaded device to the bank's model first, so that
// the bank is always read against its own definition; a bank whose model has
// no device folder is refused. Returns 1 when read, 0 when the file cannot be
// read, does not parse, has no `preset` dictionary (message 29 when
// withMessages) or belongs to an unknown model (message 73, naming the PID,
// when withMessages). target may then be partly filled, and is of no use.
int ReadBankFile(const char* path, BankData* target, bool withMessages);

// Writes bank index to its entry's path through the durable write
// (base/durable_file.h): the file is the old or the new bank, whole.
// Returns 1 when written (the entry's hasFile becomes 1); 0 with message 26
// "Cannot Write file %s to disk", the old file untouched.
int WriteBankFile(int bank);
// The same document written to another path; the entry's path and hasFile
// stay as they were.
int WriteBankFileTo(int bank, const char* path);
// WriteBankFileTo for a copy that is no save (a recovery copy): the bank in
// memory keeps its name, creation text and every other field a save updates.
int WriteBankCopyTo(int bank, const char* path);

// The document WriteBankFile writes, written into sink (CR LF line ends);
// returns the sink's error code (5 for a bank that does not exist). Updates
// the bank exactly as WriteBankFile does.
struct PlistSink;
int WriteBankDocument(int bank, PlistSink* sink);
// The value a preset's file gives variable slot k: that of the first of the
// definition's variables aimed at it, 0 when none is.
int32_t VariableSlotValue(const PresetRecord& preset, int k);

// For Save As onto an existing file: refuses (message 31 with the path, and
// answers false) when the file parses and its `preset` is read only or ROM (a
// missing key counts as set). Unreadable files and files without `preset`
// are not refused.
bool CheckFileWritable(const char* path);

// "%u:%u:%u:%u:%u" of minute, hour, day, month and year in UTC.
void MakeCreatedText(char* out, size_t size);
void MakeCreatedTextAt(char* out, size_t size, const UtcTime& time);
// (hour * 60000 + second * 1000 + millisecond) mod 32768, raised past 0 and
// past the unique ids of open banks while any bank is open.
int MakeUniqueId();
int MakeUniqueIdAt(const UtcTime& time);

// Names: 8-bit Latin-1 in memory, UTF-8 in files. The reader takes at most
// 72 characters and keeps the low 8 bits of each, cut to the field. Comments
// (`desc`) and creation texts take the same way: in memory they are Latin-1,
// as every text typed in the program is, and written byte for byte a typed
// "é" would leave a file that is no UTF-8 document and no longer reads.
int NameToUtf8(const char* name, char* out, size_t size);
void NameFromUtf8(const char* utf8, char* out, size_t size);
