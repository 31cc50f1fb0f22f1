// How long the main window takes to paint itself: the real program started
// against a temporary program folder with the Meridian 49 demo device and a
// user bank of it selected, then whole repaints timed in the graphic view and
// the list view, and the graphic view's pictures rebuilt as after a resize.
// Runs under Wine (make bench-win); the figures are wall-clock times of the
// whole paint through Windows' own WM_PAINT path.
#include <benchmark/benchmark.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "devices/device_definition.h"
#include "banks/discovery.h"
#include "bench/bench_folder_win32.h"
#include "shell/commands.h"
#include "tests/gui/gui_harness.h"
#include "tests/gui/gui_steps.h"
#include "views/editor_document.h"
#include "views/graphic_pictures.h"
#include "views/view_state.h"

namespace {

const char kDemoDevice[] = "Meridian 49.eld";
const int kWideWidth = 1200;
const int kWideHeight = 900;
const int kNarrowWidth = 900;
const int kNarrowHeight = 700;

HWND gBenchMain = nullptr;

// The demo device and a user bank of it, so that start-up selects that model.
bool InstallDemoDevice(const TempProgramFolder& folder) {
    std::string from = BenchProgramFolder() + "Devices\\" + kDemoDevice;
    std::string device = folder.path("Devices\\") + kDemoDevice;
    CopyFolder(from, device);
    int32_t pid = 0;
    if (!ReadDeviceIdentity((device + "\\").c_str(), &pid)) {
        std::fprintf(stderr, "paint bench: no demo device at %s\n", from.c_str());
        return false;
    }
    return WriteEmptyUserBank(folder, "Live", pid);
}

void Command(int id) {
    SendMessageA(gBenchMain, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpMessages();
}

void Resize(int width, int height) {
    SetWindowPos(gBenchMain, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
}

// One whole repaint: everything invalid, then painted now through WM_PAINT
// (panel background, toolbar items and every pane into the off-screen
// bitmap, then copied to the window).
void RepaintWhole() {
    InvalidateRect(gBenchMain, nullptr, FALSE);
    UpdateWindow(gBenchMain);
}

void RepaintIn(benchmark::State& state, int command) {
    Resize(kWideWidth, kWideHeight);
    Command(command);
    RepaintWhole();  // the first one may build what later ones reuse
    for (auto _ : state) RepaintWhole();
    state.SetLabel(std::to_string(gDevice.controlCount) + " controls");
    Command(kCmdGraphicView);
}

void BM_RepaintGraphicView(benchmark::State& state) {
    RepaintIn(state, kCmdGraphicView);
}
BENCHMARK(BM_RepaintGraphicView)->Unit(benchmark::kMillisecond);

void BM_RepaintListView(benchmark::State& state) {
    RepaintIn(state, kCmdListView);
}
BENCHMARK(BM_RepaintListView)->Unit(benchmark::kMillisecond);

// The pictures alone: decoded, scaled and placed again for the view's size.
void BM_BuildGraphicPictures(benchmark::State& state) {
    Resize(kWideWidth, kWideHeight);
    Command(kCmdGraphicView);
    RepaintWhole();
    for (auto _ : state) BuildGraphicPictures();
    state.SetLabel(gDocument.hasPictures ? "pictures" : "no pictures");
}
BENCHMARK(BM_BuildGraphicPictures)->Unit(benchmark::kMillisecond);

// A resize as the user drags the frame: the new size laid out, the pictures
// refitted and the whole window painted, alternating between two sizes.
void BM_ResizeAndRepaint(benchmark::State& state) {
    Command(kCmdGraphicView);
    bool wide = false;
    for (auto _ : state) {
        wide = !wide;
        Resize(wide ? kWideWidth : kNarrowWidth, wide ? kWideHeight : kNarrowHeight);
        UpdateWindow(gBenchMain);
    }
}
BENCHMARK(BM_ResizeAndRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    int status = 0;
    {
        TempProgramFolder folder;
        if (!InstallDemoDevice(folder)) return 1;
        RunningProgram program(folder);
        gBenchMain = program.main();
        PumpMessages(100);
        if (gBenchMain == nullptr || std::string(gDevice.name) != "Corvanith Meridian 49" ||
            !gDocument.hasPictures) {
            std::fprintf(stderr, "paint bench: the program did not start with the demo device\n");
            status = 1;
        } else {
            benchmark::RunSpecifiedBenchmarks();
        }
        gViewMode = ViewMode::kGraphic;
    }
    benchmark::Shutdown();
    return status;
}
