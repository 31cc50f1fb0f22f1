// Test view of the headless help seam: the pages the program asked to open.
#pragma once

constexpr int kHeadlessHelpUrlSize = 1024;

extern int gHeadlessHelpOpenCount;                        // pages asked for so far
extern int gHeadlessHelpOpenResult;                       // what opening answers (1: opened)
extern char gHeadlessHelpLastUrl[kHeadlessHelpUrlSize];   // the last URL
extern char gHeadlessHelpLastPath[kHeadlessHelpUrlSize];  // the last page path
