#include <gtest/gtest.h>

#include <cstring>

#include "devices/control_library.h"
#include "devices/library_list.h"

namespace {

TEST(LibraryAssignment, PairsSeparatedByBlanks) {
    LibraryAssignment a;
    LibraryAssignmentParse(&a, "channel=2 midicc=74");
    EXPECT_TRUE(a.channelSet);
    EXPECT_EQ(a.channel, 2);
    EXPECT_TRUE(a.midiCcSet);
    EXPECT_EQ(a.midiCc, 74);
    EXPECT_FALSE(a.programSet);
    EXPECT_FALSE(a.msbSet);
    EXPECT_FALSE(a.lsbSet);
}

TEST(LibraryAssignment, KeysIgnoreCaseAndPairsMayRunTogether) {
    LibraryAssignment a;
    LibraryAssignmentParse(&a, "Program=12MSB = 3 lsb=4");
    EXPECT_TRUE(a.programSet);
    EXPECT_EQ(a.program, 12);
    EXPECT_TRUE(a.msbSet);
    EXPECT_EQ(a.msb, 3);
    EXPECT_TRUE(a.lsbSet);
    EXPECT_EQ(a.lsb, 4);
}

TEST(LibraryAssignment, LabelMapSeparatorsAreAccepted) {
    LibraryAssignment a;
    LibraryAssignmentParse(&a, "program=5:msb=0:lsb=1");
    EXPECT_EQ(a.program, 5);
    EXPECT_EQ(a.msb, 0);
    EXPECT_TRUE(a.msbSet);
    EXPECT_EQ(a.lsb, 1);
}

TEST(LibraryAssignment, UnknownKeysAndMissingValuesSetNothing) {
    LibraryAssignment a;
    LibraryAssignmentParse(&a, "velocity=100 channel= midicc=x 42 =7 =");
    EXPECT_FALSE(a.channelSet);
    EXPECT_FALSE(a.midiCcSet);
    EXPECT_FALSE(a.programSet);
    LibraryAssignmentParse(&a, nullptr);
    EXPECT_FALSE(a.channelSet);
    LibraryAssignmentParse(&a, "midicc=99999999999999999999");
    EXPECT_TRUE(a.midiCcSet);
    EXPECT_EQ(a.midiCc, INT32_MAX);
}

TEST(LibraryTypeFilter, EmptyFitsEveryControl) {
    EXPECT_TRUE(CtrlTypeFits("", "Knob"));
    EXPECT_TRUE(CtrlTypeFits(nullptr, "Knob"));
}

TEST(LibraryTypeFilter, NameAnywhereInTheText) {
    EXPECT_TRUE(CtrlTypeFits("Knob Fader", "Fader"));
    EXPECT_TRUE(CtrlTypeFits("Knob,Fader", "Knob"));
    EXPECT_FALSE(CtrlTypeFits("Knob Fader", "Pad"));
    EXPECT_FALSE(CtrlTypeFits("knob", "Knob"));  // exact case
}

TEST(LibraryTypeFilter, ExclamationReversesTheSense) {
    EXPECT_FALSE(CtrlTypeFits("!Button", "Button"));
    EXPECT_TRUE(CtrlTypeFits("!Button", "Knob"));
    EXPECT_TRUE(CtrlTypeFits("!Button", "Fader"));
}

LibraryData* MakeLibrary(const char* name, int priority, int uniqueId) {
    LibraryData* lib = AllocLibraryData();
    strcpy(lib->name, name);
    lib->priority = priority;
    lib->uniqueId = uniqueId;
    return lib;
}

TEST(LibraryList, SortsByPriorityThenNameInByteOrder) {
    LibraryList* list = new LibraryList();
    list->current = -1;
    LibraryListAdd(list, "p/a", kLibrarySourceLibrary, MakeLibrary("drums", 5, 1));
    LibraryListAdd(list, "p/b", kLibrarySourceLibrary, MakeLibrary("Synth", 1, 2));
    LibraryListAdd(list, "p/c", kLibrarySourceDevices, MakeLibrary("Drums", 5, 3));
    LibraryListAdd(list, "p/d", kLibrarySourceLibrary, MakeLibrary("Alpha", 5, 4));
    list->current = 0;  // "drums"
    LibraryListSort(list);
    ASSERT_EQ(list->count, 4);
    EXPECT_STREQ(list->entries[0].displayName, "Synth");
    EXPECT_STREQ(list->entries[1].displayName, "Alpha");
    EXPECT_STREQ(list->entries[2].displayName, "Drums");
    EXPECT_STREQ(list->entries[3].displayName, "drums");
    EXPECT_EQ(list->current, 3);  // followed its entry
    EXPECT_STREQ(list->entries[2].path, "p/c");
    EXPECT_EQ(list->entries[2].source, kLibrarySourceDevices);
    EXPECT_EQ(LibraryListFindUniqueId(list, 4), 1);
    EXPECT_EQ(LibraryListFindUniqueId(list, 99), -1);
    // An id beyond 16 bits is found by what a control's origin keeps of it.
    LibraryListAdd(list, "p/e", kLibrarySourceLibrary, MakeLibrary("Wide", 1, 70000));
    EXPECT_EQ(LibraryListFindUniqueId(list, OriginUniqueId(LibraryOrigin(70000, 1))), 4);
    LibraryListClear(list);
    EXPECT_EQ(list->count, 0);
    delete list;
}

TEST(LibraryList, RefusesEntriesBeyondItsCapacity) {
    LibraryList* list = new LibraryList();
    for (int i = 0; i < kMaxLibraries; ++i)
        ASSERT_EQ(LibraryListAdd(list, "x", kLibrarySourceLibrary, AllocLibraryData()), 1);
    EXPECT_EQ(LibraryListAdd(list, "x", kLibrarySourceLibrary, AllocLibraryData()), 0);
    EXPECT_EQ(list->count, kMaxLibraries);
    LibraryListClear(list);
    delete list;
}

}  // namespace
