// The undo property run in the unit tests: a few thousand random steps over
// three seeds and three history lengths (one level, a short history that
// keeps dropping its oldest step, and a long one). make soak-undo runs it
// for a million steps.
#include "tests/banks/undo_property.h"

#include <gtest/gtest.h>

namespace {

void RunSeed(uint64_t seed, int levels, long steps) {
    UndoPropertyConfig config;
    config.seed = seed;
    config.levels = levels;
    config.steps = steps;
    UndoPropertyOutcome outcome = RunUndoProperty(config);
    EXPECT_EQ(outcome.failure, "")
        << "seed " << seed << ", levels " << levels << "; " << outcome.summary;
    EXPECT_EQ(outcome.steps, steps);
}

TEST(UndoPropertyTest, OneLevel) {
    RunSeed(11, 1, 800);
}

TEST(UndoPropertyTest, AShortHistoryThatDropsItsOldestSteps) {
    RunSeed(12, 4, 1200);
}

// Every step undoes and redoes the whole history, so a long one takes fewer.
TEST(UndoPropertyTest, ALongHistory) {
    RunSeed(13, 16, 500);
}

}  // namespace
