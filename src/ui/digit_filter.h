#pragma once
#include <string>
#include <string_view>

namespace quillora {

// The text's ASCII digits in their order: every match of the regular
// expression "\D" is replaced by the empty text.
std::string StripNonDigits(std::string_view text);

}  // namespace quillora
