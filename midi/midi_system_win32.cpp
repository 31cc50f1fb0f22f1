// The MIDI system seam on WinMM (midi_system.h).
//
// Input is received on a thread of our own (CALLBACK_THREAD): WinMM posts
// MM_MIM_LONGDATA to it for every filled SysEx buffer. The documentation forbids
// calling multimedia functions inside a callback function (it can deadlock), so
// the buffers are queued again on this thread instead, where that is allowed.
// Each input has kInputBufferCount buffers of its own, so two inputs never
// write into the same memory, and a reassembler that joins messages spanning
// buffers. A buffer returned with MM_MIM_LONGERROR (an incomplete message) is
// queued again too, so the input goes on receiving.
//
// Output: each message is copied into a header of its own, sent, and the
// header is released only once the driver has finished with it (bounded by
// kSendDoneWaitMs), so the memory the driver reads stays valid.
#include <windows.h>
// mmsystem.h needs windows.h first.
#include <mmsystem.h>

#include <cstring>
#include <mutex>

#include "midi/midi_ports.h"
#include "midi/midi_system.h"
#include "midi/sysex_assembler.h"
#include "midi/sysex_parser.h"

namespace {

constexpr int kInputBufferCount = 4;
constexpr int kInputBufferSize = 4096;
constexpr DWORD kSendDoneWaitMs = 2000;

struct WinInput {
    HMIDIIN handle = nullptr;
    bool queued = false;   // buffers are prepared and handed to the driver
    unsigned opening = 0;  // counts the openings (user-interface thread, under the lock)
    MIDIHDR headers[kInputBufferCount];
    char buffers[kInputBufferCount][kInputBufferSize];
    // Receive thread only: the reassembler, and the opening whose bytes it holds.
    SysExAssembler assembler;
    unsigned assembled = 0;
};

// Indexed by system device id. Static: a buffer the driver hands back late
// (after a reset) still points at memory that exists.
WinInput gInputs[kMaxMidiPorts];
HMIDIOUT gOutputs[kMaxMidiPorts];

// Guards gInputs' handles and queued flags between the user-interface thread
// and the receive thread.
std::mutex gInputLock;

HANDLE gReceiveThread = nullptr;
DWORD gReceiveThreadId = 0;

void Deliver(const uint8_t* message, int length) {
    DeliverSysExMessage(message, length);
}

int InputOf(HMIDIIN handle) {
    for (int i = 0; i < kMaxMidiPorts; i++)
        if (gInputs[i].handle == handle) return i;
    return -1;
}

// MIM_LONGDATA / MIM_LONGERROR, on the receive thread: the returned buffer's
// bytes through the reassembler, then the buffer back to the driver unless the
// input is being closed or its buffers were taken back. A buffer of 0 bytes
// (as a reset returns them) is not parsed.
void MidiInputCallback(HMIDIIN handle, MIDIHDR* header, bool error) {
    std::unique_lock<std::mutex> hold(gInputLock);
    const int id = InputOf(handle);
    if (id < 0) return;
    WinInput& input = gInputs[id];
    const int recorded = (int)header->dwBytesRecorded;
    // A new opening starts with an empty reassembler. It is reset here, never
    // by the user-interface thread: this thread may be feeding it unlocked.
    if (error || input.assembled != input.opening) {
        ResetSysExAssembler(&input.assembler);
        input.assembled = input.opening;
    }
    if (!error && recorded > 0 && recorded <= kInputBufferSize) {
        // Delivery answers the device through the send path; it must not run
        // under the input lock, which the user-interface thread takes while
        // closing. The assembler is only touched on this thread.
        hold.unlock();
        FeedSysExAssembler(&input.assembler, (const uint8_t*)header->lpData, recorded, Deliver);
        hold.lock();
    }
    if (input.queued && input.handle == handle && !gMidiPorts.closing) {
        header->dwBytesRecorded = 0;
        midiInAddBuffer(handle, header, sizeof(MIDIHDR));
    }
}

DWORD WINAPI ReceiveThread(LPVOID ready) {
    MSG message;
    // Creates this thread's message queue before anyone posts to it.
    PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    SetEvent((HANDLE)ready);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        switch (message.message) {
            case MM_MIM_LONGDATA:
                MidiInputCallback((HMIDIIN)message.wParam, (MIDIHDR*)message.lParam, false);
                break;
            case MM_MIM_LONGERROR:
                MidiInputCallback((HMIDIIN)message.wParam, (MIDIHDR*)message.lParam, true);
                break;
            default:  // short messages, open and close notices: not ours
                break;
        }
    }
    return 0;
}

bool EnsureReceiveThread() {
    if (gReceiveThread) return true;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!ready) return false;
    gReceiveThread = CreateThread(nullptr, 0, ReceiveThread, ready, 0, &gReceiveThreadId);
    if (gReceiveThread) WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
    return gReceiveThread != nullptr;
}

bool ValidId(int id) {
    return id >= 0 && id < kMaxMidiPorts;
}

}  // namespace

int MidiSystemOutputCount() {
    return (int)midiOutGetNumDevs();
}

int MidiSystemInputCount() {
    return (int)midiInGetNumDevs();
}

int MidiSystemOutputCaps(int id, char* name, int* technology) {
    MIDIOUTCAPSA caps;
    memset(&caps, 0, sizeof caps);
    const MMRESULT result = midiOutGetDevCapsA((UINT_PTR)id, &caps, sizeof caps);
    if (result != MMSYSERR_NOERROR) return (int)result;
    memcpy(name, caps.szPname, kMidiSystemNameLen);
    name[kMidiSystemNameLen - 1] = '\0';
    *technology = caps.wTechnology;
    return 0;
}

int MidiSystemInputCaps(int id, char* name) {
    MIDIINCAPSA caps;
    memset(&caps, 0, sizeof caps);
    const MMRESULT result = midiInGetDevCapsA((UINT_PTR)id, &caps, sizeof caps);
    if (result != MMSYSERR_NOERROR) return (int)result;
    memcpy(name, caps.szPname, kMidiSystemNameLen);
    name[kMidiSystemNameLen - 1] = '\0';
    return 0;
}

int MidiSystemOpenOutput(int id) {
    if (!ValidId(id)) return MMSYSERR_BADDEVICEID;
    HMIDIOUT handle = nullptr;
    const MMRESULT result = midiOutOpen(&handle, (UINT)id, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) return (int)result;
    gOutputs[id] = handle;
    return 0;
}

void MidiSystemCloseOutput(int id) {
    if (!ValidId(id) || !gOutputs[id]) return;
    midiOutReset(gOutputs[id]);
    midiOutClose(gOutputs[id]);
    gOutputs[id] = nullptr;
}

int MidiSystemOpenInput(int id) {
    if (!ValidId(id)) return MMSYSERR_BADDEVICEID;
    if (!EnsureReceiveThread()) return MMSYSERR_NOMEM;
    HMIDIIN handle = nullptr;
    const MMRESULT result =
        midiInOpen(&handle, (UINT)id, (DWORD_PTR)gReceiveThreadId, 0, CALLBACK_THREAD);
    if (result != MMSYSERR_NOERROR) return (int)result;
    {
        std::lock_guard<std::mutex> hold(gInputLock);
        gInputs[id].handle = handle;
        gInputs[id].queued = false;
        gInputs[id].opening++;
    }
    midiInReset(handle);
    midiInStart(handle);
    return 0;
}

// Takes the buffers back: the driver returns them on reset; only then can they
// be unprepared. Their late MM_MIM_LONGDATA notices find queued cleared.
static void TakeBuffersBack(WinInput& input) {
    HMIDIIN handle;
    {
        std::lock_guard<std::mutex> hold(gInputLock);
        if (!input.handle || !input.queued) return;
        input.queued = false;
        handle = input.handle;
    }
    midiInReset(handle);
    for (MIDIHDR& header : input.headers) midiInUnprepareHeader(handle, &header, sizeof header);
}

void MidiSystemCloseInput(int id) {
    if (!ValidId(id) || !gInputs[id].handle) return;
    WinInput& input = gInputs[id];
    TakeBuffersBack(input);
    midiInStop(input.handle);
    midiInReset(input.handle);
    midiInClose(input.handle);
    std::lock_guard<std::mutex> hold(gInputLock);
    input.handle = nullptr;
}

void MidiSystemQueueInput(int id) {
    if (!ValidId(id) || !gInputs[id].handle) return;
    WinInput& input = gInputs[id];
    std::lock_guard<std::mutex> hold(gInputLock);
    if (input.queued) return;
    for (int b = 0; b < kInputBufferCount; b++) {
        MIDIHDR& header = input.headers[b];
        memset(&header, 0, sizeof header);
        header.lpData = input.buffers[b];
        header.dwBufferLength = kInputBufferSize;
        if (midiInPrepareHeader(input.handle, &header, sizeof header) == MMSYSERR_NOERROR)
            midiInAddBuffer(input.handle, &header, sizeof header);
    }
    input.queued = true;
    midiInStart(input.handle);
}

void MidiSystemUnqueueInput(int id) {
    if (!ValidId(id)) return;
    TakeBuffersBack(gInputs[id]);
}

void MidiSystemSendLong(int id, const uint8_t* bytes, int length) {
    if (!ValidId(id) || !gOutputs[id] || length <= 0) return;
    // A copy: the driver may read the bytes after midiOutLongMsg returns. One
    // buffer serves every send; the port tables' send lock serialises them.
    static char buffer[kMaxIncomingSysEx];
    if (length > (int)sizeof buffer) return;
    memcpy(buffer, bytes, length);
    MIDIHDR header;
    memset(&header, 0, sizeof header);
    header.lpData = buffer;
    header.dwBufferLength = (DWORD)length;
    header.dwBytesRecorded = (DWORD)length;
    HMIDIOUT handle = gOutputs[id];
    if (midiOutPrepareHeader(handle, &header, sizeof header) != MMSYSERR_NOERROR) return;
    if (midiOutLongMsg(handle, &header, sizeof header) == MMSYSERR_NOERROR) {
        const DWORD start = timeGetTime();
        while (!(header.dwFlags & MHDR_DONE) && timeGetTime() - start < kSendDoneWaitMs) Sleep(0);
        if (!(header.dwFlags & MHDR_DONE)) midiOutReset(handle);  // gives the header back
    }
    midiOutUnprepareHeader(handle, &header, sizeof header);
}

int MidiSystemErrorText(int input, int code, char* text, int size) {
    if (size <= 0) return 1;
    const MMRESULT result = input ? midiInGetErrorTextA((MMRESULT)code, text, (UINT)size)
                                  : midiOutGetErrorTextA((MMRESULT)code, text, (UINT)size);
    return result == MMSYSERR_NOERROR ? 0 : 1;
}
