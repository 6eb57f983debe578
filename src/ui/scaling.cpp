#include "ui/scaling.h"

#include <cstdint>
#include <cstdlib>

namespace quillora {

int ScaleForDpi(int value, int dpi) {
    if (dpi == DesignDpi) return value;
    const std::int64_t product = static_cast<std::int64_t>(value) * dpi;
    const std::int64_t half = DesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / DesignDpi : -((-product + half) / DesignDpi));
}

std::string SpacedWords(const std::vector<std::string>& words, const std::vector<int>& starts,
                        const std::function<int(const std::string&)>& width) {
    std::string text = words.empty() ? std::string() : words.front();
    for (std::size_t i = 1; i < words.size() && i < starts.size(); ++i) {
        // One space at least; more while the next one brings the word nearer.
        text += ' ';
        for (int now = width(text);;) {
            const int further = width(text + ' ');
            if (further <= now || std::abs(further - starts[i]) >= std::abs(now - starts[i])) break;
            text += ' ';
            now = further;
        }
        text += words[i];
    }
    return text;
}

Box ScaleForDpi(const Box& box, int dpi) {
    return {ScaleForDpi(box.x, dpi), ScaleForDpi(box.y, dpi), ScaleForDpi(box.width, dpi),
            ScaleForDpi(box.height, dpi)};
}

}  // namespace quillora
