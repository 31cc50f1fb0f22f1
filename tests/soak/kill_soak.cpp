// The kill test of the bank save: a helper process saves a large bank over
// and over through the program's own save (WriteBankFile, hence the durable
// write of base/durable_file.h) and is killed with SIGKILL at a random moment;
// each time the file on disk must be one of the two banks it alternates
// between, whole, byte for byte. Not part of ctest: it runs on the real
// clock. `make soak` runs it 200 times.
//
//   ostrel_kill_soak [KILLS [SEED]]
//
// Prints one line with the counts; exits 0 when no kill left a torn file.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "banks/bank_commands.h"
#include "banks/bank_file.h"
#include "banks/bank_model.h"
#include "base/durable_file.h"
#include "banks/discovery.h"
#include "headless/messages_headless.h"
#include "tests/midi/transfer_test_support.h"

namespace {

constexpr int kPid = 0x0777;

std::string ReadAll(const std::string& path) {
    std::string bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return "<missing>";
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    fclose(f);
    return bytes;
}

// Every field of every preset differs between the two versions, so a file
// mixing them is caught by the byte comparison.
void Fill(BankData* data, int version) {
    for (int p = 0; p < kMaxPresets; p++) {
        PresetRecord& preset = data->presets[p];
        snprintf(preset.name, sizeof preset.name, "Version %c preset %d", 'A' + version, p + 1);
        for (int c = 0; c < kMaxControls; c++) {
            PresetControl& control = preset.controls[c];
            control.channel = (p + c + version) % 16;
            control.midiCc = (p * 7 + c * 13 + version * 5) % 128;
            control.msb = (p + 2 * c + version) % 128;
            control.lsb = (3 * p + c + version) % 128;
            snprintf(control.desc, sizeof control.desc, "%c%d.%d", 'A' + version, p, c);
        }
        for (int v = 0; v < kMaxVariables; v++) preset.variables[v] = (p * 5 + v + version) % 100;
    }
}

// The helper process: saves version B, then A, then B... until it is killed.
[[noreturn]] void SaveForever(int bank, const BankData& a, const BankData& b) {
    for (int i = 1;; i++) {
        memcpy(gBanks.entries[bank].data, i % 2 ? &b : &a, sizeof(BankData));
        WriteBankFile(bank);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int kills = argc > 1 ? atoi(argv[1]) : 200;
    const unsigned seed =
        argc > 2 ? (unsigned)strtoul(argv[2], nullptr, 10) : std::random_device{}();
    HeadlessMessages().quiet = 1;

    TransferTestFolder folder;
    folder.Write("Devices/Big.eld/definition.xml",
                 TestDefinitionXml("Big", kPid, 60, 40, kMaxVariables, 8, kMaxPresets));
    folder.Write("User Preset Banks/readme.txt", "");
    DiscoverySetProgramFolder(folder.Folder().c_str());
    ResetBankList();
    if (!SwitchDevice(kPid)) {
        fprintf(stderr, "kill test: the device definition did not load\n");
        return 2;
    }
    const int bank = NewUserBank();
    if (bank < 0) {
        fprintf(stderr, "kill test: no bank\n");
        return 2;
    }
    const std::string path = gBanks.entries[bank].path;

    // The two versions, made once: their unique id and creation text are
    // fixed by the first write, so each version always writes the same bytes.
    std::unique_ptr<BankData> version[2] = {std::make_unique<BankData>(),
                                            std::make_unique<BankData>()};
    std::string bytes[2];
    auto start = std::chrono::steady_clock::now();
    for (int v = 0; v < 2; v++) {
        Fill(gBanks.entries[bank].data, v);
        if (!WriteBankFile(bank)) {
            fprintf(stderr, "kill test: %s cannot be written\n", path.c_str());
            return 2;
        }
        memcpy(version[v].get(), gBanks.entries[bank].data, sizeof(BankData));
        bytes[v] = ReadAll(path);
    }
    const double saveUs =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count() /
        2;

    std::mt19937 random(seed);
    // Up to three saves' time: most kills land inside a save, some between.
    std::uniform_int_distribution<int> delay(0, (int)(3 * saveUs));
    int whole[2] = {0, 0}, torn = 0, midWrite = 0;
    for (int k = 0; k < kills; k++) {
        const pid_t child = fork();
        if (child < 0) {
            perror("kill test: fork");
            return 2;
        }
        if (child == 0) SaveForever(bank, *version[0], *version[1]);
        usleep((useconds_t)delay(random));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        const std::string now = ReadAll(path);
        if (now == bytes[0]) {
            whole[0]++;
        } else if (now == bytes[1]) {
            whole[1]++;
        } else {
            torn++;
            fprintf(stderr, "kill %d: the file holds %zu bytes, neither version\n", k, now.size());
        }
        // Left by a kill inside a write: the next write starts it afresh.
        const std::string temp = path + kDurableTempSuffix;
        if (remove(temp.c_str()) == 0) midWrite++;
    }
    printf(
        "kill test: %d kills, %d left the old or the new bank whole (A %d, B %d), %d torn; "
        "%d inside a write; one save %.1f ms; bank file %zu bytes; seed %u\n",
        kills, whole[0] + whole[1], whole[0], whole[1], torn, midWrite, saveUs / 1000,
        bytes[0].size(), seed);
    ResetBankList();
    DiscoverySetProgramFolder(nullptr);
    return torn == 0 ? 0 : 1;
}
