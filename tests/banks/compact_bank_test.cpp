// Packed banks give back every byte, and share what did not change.
#include "banks/compact_bank.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

namespace {

// Runs of zeros of every length up to a few pieces' counts, between bytes
// that are not zero, up to the very last byte of each preset.
std::unique_ptr<BankData> PatternedBank(unsigned seed) {
    std::unique_ptr<BankData> bank(new BankData());
    std::mt19937 random(seed);
    unsigned char* bytes = reinterpret_cast<unsigned char*>(bank.get());
    size_t at = 0;
    while (at < sizeof(BankData)) {
        at += random() % 24;  // zeros
        size_t kept = 1 + random() % 5;
        for (size_t i = 0; i < kept && at < sizeof(BankData); i++) bytes[at++] = 1 + random() % 255;
    }
    bank->presets[kMaxPresets - 1].changed = 1;  // the last byte region not zero
    return bank;
}

TEST(CompactBank, ExpandsToTheVeryBytesAndSharesUnchangedPresets) {
    std::unique_ptr<BankData> bank = PatternedBank(7);
    std::unique_ptr<BankData> out(new BankData());
    size_t before = CompactBankBytesInUse();
    CompactBank* first = CompactBankOf(*bank, nullptr);
    ASSERT_NE(first, nullptr);
    memset(out.get(), 0xAB, sizeof *out);
    ExpandCompactBank(*first, out.get());
    EXPECT_EQ(memcmp(out.get(), bank.get(), sizeof *out), 0);
    EXPECT_STREQ(CompactBankName(*first), bank->name);
    size_t one = CompactBankBytesInUse() - before;

    // A second step that changed one preset holds that preset and little more.
    bank->presets[3].controls[0].midiCc ^= 0x40;
    CompactBank* second = CompactBankOf(*bank, first);
    ASSERT_NE(second, nullptr);
    EXPECT_LT(CompactBankBytesInUse() - before - one, one / 8);
    ExpandCompactBank(*second, out.get());
    EXPECT_EQ(memcmp(out.get(), bank.get(), sizeof *out), 0);

    // Shared presets outlive the bank they were first packed with.
    FreeCompactBank(first);
    const BankData* view = ExpandedView(*second);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(memcmp(view, bank.get(), sizeof *view), 0);
    FreeCompactBank(second);
    EXPECT_EQ(CompactBankBytesInUse(), before);

    // An empty bank costs next to nothing, and a full one less than itself.
    std::unique_ptr<BankData> empty(new BankData());
    CompactBank* blank = CompactBankOf(*empty, nullptr);
    EXPECT_LT(CompactBankBytesInUse() - before, sizeof(BankData) / 50);
    FreeCompactBank(blank);
    EXPECT_LT(one, sizeof(BankData));
}

}  // namespace
