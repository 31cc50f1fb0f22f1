// The texts and numbers the bank writer makes itself: the creation text, the
// unique id, and the conversion of names between memory and file.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "banks/bank_file.h"
#include "plist/plist_xml.h"

// A name file text holds at most this many characters.
constexpr int kMaxFileNameChars = 72;

UtcTime UtcNow() {
    using namespace std::chrono;
    system_clock::time_point now = system_clock::now();
    time_t seconds = system_clock::to_time_t(now);
    long long ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    struct tm parts = {};
#ifdef _WIN32
    gmtime_s(&parts, &seconds);
#else
    gmtime_r(&seconds, &parts);
#endif
    UtcTime t;
    t.year = parts.tm_year + 1900;
    t.month = parts.tm_mon + 1;
    t.day = parts.tm_mday;
    t.hour = parts.tm_hour;
    t.minute = parts.tm_min;
    t.second = parts.tm_sec;
    t.millisecond = static_cast<int>(ms < 0 ? ms + 1000 : ms);
    return t;
}

void MakeCreatedTextAt(char* out, size_t size, const UtcTime& time) {
    if (size == 0) return;
    snprintf(out, size, "%u:%u:%u:%u:%u", static_cast<unsigned>(time.minute),
             static_cast<unsigned>(time.hour), static_cast<unsigned>(time.day),
             static_cast<unsigned>(time.month), static_cast<unsigned>(time.year));
}

void MakeCreatedText(char* out, size_t size) {
    MakeCreatedTextAt(out, size, UtcNow());
}

static bool UniqueIdTaken(int id) {
    for (int i = 0; i < gBanks.count; i++) {
        const BankData* data = gBanks.entries[i].data;
        if (data && data->uniqueId == id) return true;
    }
    return false;
}

int MakeUniqueIdAt(const UtcTime& time) {
    int id = (time.hour * 60000 + time.second * 1000 + time.millisecond) % 32768;
    // At most 64 banks can hold a number, so this ends within 65 steps.
    while (gBanks.count > 0 && (id < 1 || UniqueIdTaken(id))) id++;
    return id;
}

int MakeUniqueId() {
    return MakeUniqueIdAt(UtcNow());
}

int NameToUtf8(const char* name, char* out, size_t size) {
    if (!out || size == 0) return 0;
    // XML cannot hold control bytes, which a name from a device or a SysEx
    // Librarian file may carry: the file would drop them. They are written
    // as their control pictures (U+2401 to U+241F), whose low 8 bits, all
    // that a name keeps of a character, are the bytes themselves again.
    size_t length = 0;
    for (const char* p = name ? name : ""; *p; p++) {
        const unsigned char c = static_cast<unsigned char>(*p);
        char piece[4];
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            piece[0] = static_cast<char>(0xE2);
            piece[1] = static_cast<char>(0x90);
            piece[2] = static_cast<char>(0x80 | c);
            piece[3] = '\0';
        } else {
            const char one[2] = {*p, '\0'};
            ToUtf8(one, piece, sizeof piece);
        }
        const size_t need = strlen(piece);
        if (length + need >= size) break;  // a character that does not fit ends the text
        memcpy(out + length, piece, need);
        length += need;
    }
    out[length] = '\0';
    return static_cast<int>(length);
}

void NameFromUtf8(const char* utf8, char* out, size_t size) {
    char wide[kMaxFileNameChars + 1];
    FromUtf8(utf8 ? utf8 : "", wide, sizeof wide);
    CopyText(out, size, wide);
}
