// make soak-undo: the undo property run (tests/banks/undo_property.h) for
// as many steps as asked, in runs of 10,000 steps with seeds from the one
// given and the history lengths taking turns, printing the count reached as
// it goes so that a run stopped early still says how far it got.
//
//   undo_soak [--steps N] [--seed S] [--levels L]
//       defaults: a million steps, seed 1, the levels 1, 4, 8 and 16 in turn
//
// Exit status 0 when every invariant held, 1 at the first failure (printed
// with the seed and the step, so that the run can be repeated).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/banks/undo_property.h"

int main(int argc, char** argv) {
    long total = 1000000;
    unsigned long long seed = 1;
    int levels = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (strcmp(argv[i], "--steps") == 0) total = atol(argv[i + 1]);
        if (strcmp(argv[i], "--seed") == 0) seed = strtoull(argv[i + 1], nullptr, 10);
        if (strcmp(argv[i], "--levels") == 0) levels = atoi(argv[i + 1]);
    }
    // Every step undoes and redoes the whole history: longer ones cost more
    // than they find.
    const int kLevels[] = {1, 4, 8, 16};
    const long kRun = 10000;
    long done = 0;
    for (int run = 0; done < total; run++, seed++) {
        UndoPropertyConfig config;
        config.seed = seed;
        config.levels = levels > 0 ? levels : kLevels[run % 4];
        config.steps = total - done < kRun ? total - done : kRun;
        config.progressEvery = 1000;
        long base = done;
        config.progress = [base](long steps) {
            printf("%ld steps\n", base + steps);
            fflush(stdout);
        };
        UndoPropertyOutcome outcome = RunUndoProperty(config);
        done += outcome.steps;
        printf("seed %llu, levels %d: %s\n", seed, config.levels, outcome.summary.c_str());
        if (!outcome.failure.empty()) {
            printf("FAILED after %ld steps in total: seed %llu, levels %d, %s\n%s\n", done, seed,
                   config.levels, outcome.failure.c_str(), outcome.summary.c_str());
            return 1;
        }
    }
    printf("undo soak: %ld steps, every invariant held\n", done);
    return 0;
}
