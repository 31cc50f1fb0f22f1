// The headless millisecond clock (MilliClock of base/platform.h).
//
// By default it is real time (a steady clock in milliseconds), which is what
// the command-line tool and threaded tests with real latencies need. Tests of
// waits and time-outs switch it to virtual time, where it moves only when the
// test says so, or by a fixed step at every read, so that a busy wait of a
// second ends after a thousand reads instead of a second.
#pragma once

// Real time (the default).
void HeadlessClockUseReal();

// Virtual time starting at `start`; every read returns the current time and
// then moves it on by `stepPerRead` milliseconds (0: only Set/Advance move it;
// never use 0 around code that busy-waits).
void HeadlessClockUseVirtual(unsigned start, unsigned stepPerRead);

// Virtual time: set it, move it on, change the step.
void HeadlessClockSet(unsigned now);
void HeadlessClockAdvance(unsigned milliseconds);
void HeadlessClockSetStep(unsigned stepPerRead);

// The current time without moving it (in either mode).
unsigned HeadlessClockPeek();

// Virtual time: called after every read with the time read, on the reading
// thread; nullptr for none. A single-threaded test or tool steps the rest of
// its world with it (a simulated device's wire), so that code that busy-waits
// on the clock sees answers arrive in virtual time. The hook may read the
// clock itself; such reads do not call it again.
void HeadlessClockSetReadHook(void (*hook)(unsigned now));
