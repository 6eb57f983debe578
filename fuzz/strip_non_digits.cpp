// The digit filter keeps exactly the bytes '0' to '9', in their order, for
// any bytes at all (PCRE2 reads the text as bytes, not as UTF-8).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "ui/digit_filter.h"

namespace {

std::string KeepDigits(std::string_view text) {
    std::string digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9') digits += c;
    }
    return digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string filtered = quillora::StripNonDigits(text);
    FUZZ_CHECK(filtered == KeepDigits(text));
    FUZZ_CHECK(quillora::StripNonDigits(filtered) == filtered);
    return 0;
}
