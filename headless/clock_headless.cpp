// Headless MilliClock: real steady time or a virtual clock (clock_headless.h).
// Atomic because the MIDI side reads the clock from its own thread.
#include "headless/clock_headless.h"

#include <atomic>
#include <chrono>

#include "base/platform.h"

namespace {
std::atomic<int> gVirtual{0};
std::atomic<unsigned> gNow{0};
std::atomic<unsigned> gStep{0};
std::atomic<void (*)(unsigned)> gReadHook{nullptr};
thread_local bool tInHook = false;

unsigned RealMilliseconds() {
    using namespace std::chrono;
    return static_cast<unsigned>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
}  // namespace

void HeadlessClockUseReal() {
    gVirtual = 0;
}

void HeadlessClockUseVirtual(unsigned start, unsigned stepPerRead) {
    gNow = start;
    gStep = stepPerRead;
    gVirtual = 1;
}

void HeadlessClockSet(unsigned now) {
    gNow = now;
}
void HeadlessClockAdvance(unsigned milliseconds) {
    gNow += milliseconds;
}
void HeadlessClockSetStep(unsigned stepPerRead) {
    gStep = stepPerRead;
}

unsigned HeadlessClockPeek() {
    return gVirtual ? gNow.load() : RealMilliseconds();
}

void HeadlessClockSetReadHook(void (*hook)(unsigned now)) {
    gReadHook = hook;
}

unsigned MilliClock() {
    if (!gVirtual) return RealMilliseconds();
    const unsigned now = gNow.fetch_add(gStep.load());
    void (*hook)(unsigned) = gReadHook.load();
    if (hook && !tInHook) {
        tInHook = true;
        hook(now);
        tInHook = false;
    }
    return now;
}
