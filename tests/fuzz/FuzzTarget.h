#pragma once
// A fuzz target: one entry function that takes arbitrary bytes and hands them to a reader of
// outside input, checking what the reader makes of them. The same function runs in two
// programs: a libFuzzer program of its own (clang, `make fuzz`) and the regression test of the
// normal build, which replays the seed corpus and every input that once found a fault.
//
//     KQ9_FUZZ_TARGET(comma_text) {
//         QStringList items = SplitCommaText(DecodeText(FuzzBytes(data, size)));
//         FUZZ_CHECK(SplitCommaText(JoinCommaText(items)) == items);
//     }
//
// The name is the target's name in `make fuzz`, its corpus folder and its regression folder.

#include <cstddef>
#include <cstdint>
#include <vector>

struct TFuzzTarget {
    const char* Name;
    void (*Run)(const uint8_t* data, size_t size);
};

// The targets linked into this program, in no particular order.
const std::vector<TFuzzTarget>& FuzzTargets();
bool RegisterFuzzTarget(const TFuzzTarget& target);

// A failed check: reports the condition, where it is and which input was running, then aborts,
// so that libFuzzer keeps the input and the regression test fails.
[[noreturn]] void FuzzCheckFailed(const char* condition, const char* file, int line);
// The name of the input being replayed, for the report of a failed check or a sanitizer.
void SetFuzzInputName(const char* name);

#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? static_cast<void>(0) : FuzzCheckFailed(#condition, __FILE__, __LINE__))

#define KQ9_FUZZ_TARGET(name)                                                                      \
    static void Kq9Fuzz_##name(const uint8_t* data, size_t size);                                  \
    [[maybe_unused]] static const bool Kq9FuzzRegistered_##name =                                  \
        RegisterFuzzTarget({#name, &Kq9Fuzz_##name});                                              \
    static void Kq9Fuzz_##name([[maybe_unused]] const uint8_t* data, [[maybe_unused]] size_t size)
