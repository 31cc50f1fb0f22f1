// The GUI test runner: a console program under Wine with GoogleTest's usual
// command line. Its summary reaches the terminal (and CI) on stdout.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
