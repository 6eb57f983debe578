#pragma once
// Writing a file's bytes in pieces, in order, without the whole file in
// memory.
#include <functional>
#include <string_view>

namespace quillora {

// Takes the next piece of a file's bytes; false stops the writing.
using ByteSink = std::function<bool(std::string_view piece)>;

// Hands a whole content to a sink, piece by piece; false when the sink
// refused a piece.
using ContentWriter = std::function<bool(const ByteSink& write)>;

}  // namespace quillora
