// The headless double of the MIDI system seam (midi/midi_system.h): a set of
// pretend ports the tests describe, which record what was opened, queued and
// sent, and an input path that feeds bytes through the same reassembly and
// parser a real input uses.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct HeadlessMidiPort {
    std::string name;
    int technology = 1;  // MOD_MIDIPORT unless the test says otherwise
    int openError = 0;   // what opening it answers (0: it opens)
};

struct HeadlessMidiSent {
    int id;  // output device index
    std::vector<uint8_t> bytes;
};

struct HeadlessMidiLog {
    std::vector<int> outputsOpened, outputsClosed;
    std::vector<int> inputsOpened, inputsClosed;
    std::vector<int> inputsQueued, inputsUnqueued;
    std::vector<HeadlessMidiSent> sent;
};

// Replaces the pretend ports (and clears the log); no ports by default.
void HeadlessMidiSetPorts(const std::vector<HeadlessMidiPort>& outputs,
                          const std::vector<HeadlessMidiPort>& inputs);
// A copy of the log (the send path may write it from another thread).
HeadlessMidiLog HeadlessMidiLogCopy();
void HeadlessMidiClearLog();

// Called, inside the send path, for every message sent on a pretend output.
// It must not send in turn (the send path is not re-entrant); queue answers and
// deliver them with HeadlessMidiReceive from another thread instead.
void HeadlessMidiOnSend(std::function<void(int id, const uint8_t* bytes, int length)> hook);

// Bytes arriving on pretend input `id`, in one receive buffer: reassembled and
// delivered to the parser when the input is open and its buffers are queued.
// Returns the number of complete messages delivered.
int HeadlessMidiReceive(int id, const uint8_t* bytes, int length);
