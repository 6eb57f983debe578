// Any bytes read as a VCard import (see exchange_check.h for what is checked).
#include <cstddef>
#include <cstdint>

#include "exchange_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quillora::fuzz::CheckImport(quillora::ExchangeFormat::VCard, data, size);
    return 0;
}
