// A temporary folder of this test process's own. ctest runs the tests in
// parallel, each in its own process, and two tests that wrote the same fixed
// name in the shared temporary folder read each other's files.
#pragma once

#include <string>

// The folder, with a trailing separator: made at the first call, removed
// with everything in it when the process ends.
const std::string& TestTempDir();
