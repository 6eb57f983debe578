#pragma once
// What every fuzz target uses to report a broken property: a message naming
// the check, then abort(), which libFuzzer records as a crash with its input.
#include <cstdio>
#include <cstdlib>

namespace quillora::fuzz {

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, condition);
    std::abort();
}

}  // namespace quillora::fuzz

// A macro, so that the message can quote the condition and its place.
#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::quillora::fuzz::Fail(#condition, __FILE__, __LINE__))
