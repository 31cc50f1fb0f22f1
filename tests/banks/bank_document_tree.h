// The bank document built as a property-list tree, node by node through the
// public setters: the reference the tests hold the program's writer to (it
// writes element by element, banks/bank_file_write.cpp). Serialised with
// WritePlist it must give the very bytes of WriteBankDocument.
#pragma once

struct PlistNode;

// The tree of bank `bank` after the program's preparation for writing (the
// caller destroys it), null for a bank that does not exist.
PlistNode* BuildBankDocument(int bank);
