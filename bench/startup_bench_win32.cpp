// How long the program takes to start under Wine: Ostrel.exe with the demo
// data and the virtual device, from process start until its first frame is
// painted and it ends (OSTREL_QUIT_WHEN_STARTED), against a bare Win32
// program that opens one window and does the same (ostrel_bare_window.exe).
// Both are whole processes started the same way from this one, so what Wine
// costs to start any process is on both sides of the ratio. The work is done
// in the children, so the figure is in wall-clock time (make bench-win).
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/bench_figures.h"
#include "bench/bench_folder_win32.h"

namespace {

// Runs `exe` of the program folder to its end; seconds from CreateProcess
// until the process has ended, or a negative number when it could not run or
// failed.
double RunToEnd(const char* exe) {
    const std::string folder = BenchProgramFolder();
    std::string commandLine = "\"" + folder + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    QueryPerformanceCounter(&end);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (exitCode != 0) return -1;
    return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

void TimeRuns(benchmark::State& state, const char* exe) {
    for (auto _ : state) {
        const double seconds = RunToEnd(exe);
        if (seconds < 0) {
            state.SkipWithError((std::string(exe) + " did not run to its end").c_str());
            return;
        }
        state.SetIterationTime(seconds);
    }
}

void BM_StartOstrelUnderWine(benchmark::State& state) {
    SetEnvironmentVariableA("OSTREL_VIRTUAL_DEVICE", "1");
    SetEnvironmentVariableA("OSTREL_QUIT_WHEN_STARTED", "1");
    TimeRuns(state, "Ostrel.exe");
}
BENCHMARK(BM_StartOstrelUnderWine)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_StartBareWindowUnderWine(benchmark::State& state) {
    TimeRuns(state, "ostrel_bare_window.exe");
}
BENCHMARK(BM_StartBareWindowUnderWine)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

const figures::Row kRows[] = {
    {2,
     "start-up under Wine with the demo data and the virtual device ÷ a bare Win32 program that "
     "opens one window (wall clock)",
     "BM_StartOstrelUnderWine", "BM_StartBareWindowUnderWine", "≤ 1.3", true},
};

}  // namespace

OSTREL_BENCH_MAIN(kRows)
