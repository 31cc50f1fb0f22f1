// Bank files set aside: what deleting a bank does to its file while the
// deletion can still be undone.
//
// The file is renamed beside itself, to its own name followed by ".deleted"
// (then ".deleted-2", ".deleted-3"... while a name is taken). Discovery and
// the file dialogs look for names ending in ".xml" only, so the file is
// hidden from them, yet it keeps every byte and key the user had: undo
// renames it back rather than writing the bank again from memory. The undo
// entry that can bring the bank back owns the file set aside and removes it
// for good when the entry is dropped.
//
// Each failure shows its message (the file stays where it was) and answers 0.
#pragma once

#include <string>

// Renames path aside; the new name into *aside. Message 80 when it cannot.
int SetBankFileAside(const char* path, std::string* aside);
// Renames aside back to path; message 81 when path is taken or the rename
// fails.
int PutBankFileBack(const char* aside, const char* path);
// Removes a file set aside for good; message 80 when it cannot.
int RemoveBankFileAside(const char* aside);
// Whether something (file or folder) has that name; an answer the file
// system cannot give counts as yes, so that nothing is renamed over it.
bool PathTaken(const char* path);
