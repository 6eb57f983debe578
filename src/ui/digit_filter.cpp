#include "ui/digit_filter.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <memory>

namespace quillora {

namespace {

struct CodeDeleter {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};

}  // namespace

std::string StripNonDigits(std::string_view text) {
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    const std::unique_ptr<pcre2_code, CodeDeleter> nonDigit(pcre2_compile(
        reinterpret_cast<PCRE2_SPTR>("\\D"), PCRE2_ZERO_TERMINATED, 0, &errorCode, &errorOffset, nullptr));
    // Compiling a fixed pattern fails only when memory runs out; the field
    // then keeps its text rather than losing it.
    if (!nonDigit) return std::string(text);

    // PCRE2 wants a real pointer even for an empty subject.
    const auto subject = reinterpret_cast<PCRE2_SPTR>(text.empty() ? "" : text.data());
    const auto emptyReplacement = reinterpret_cast<PCRE2_SPTR>("");

    // Removing bytes never lengthens the text, so the first try fits; the
    // retry with the size PCRE2 reports is there in case that ever changes.
    std::string result(text.size() + 1, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        PCRE2_SIZE length = result.size();
        const int rc =
            pcre2_substitute(nonDigit.get(), subject, text.size(), 0,
                             PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH, nullptr, nullptr,
                             emptyReplacement, 0, reinterpret_cast<PCRE2_UCHAR*>(result.data()), &length);
        if (rc >= 0) {
            result.resize(length);
            return result;
        }
        if (rc != PCRE2_ERROR_NOMEMORY) break;
        result.assign(length, '\0');
    }
    return std::string(text);
}

}  // namespace quillora
