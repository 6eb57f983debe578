#include "ui/scaling.h"

#include <cstdint>

namespace quillora {

int ScaleForDpi(int value, int dpi) {
    if (dpi == DesignDpi) return value;
    const std::int64_t product = static_cast<std::int64_t>(value) * dpi;
    const std::int64_t half = DesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / DesignDpi : -((-product + half) / DesignDpi));
}

Box ScaleForDpi(const Box& box, int dpi) {
    return {ScaleForDpi(box.x, dpi), ScaleForDpi(box.y, dpi), ScaleForDpi(box.width, dpi),
            ScaleForDpi(box.height, dpi)};
}

}  // namespace quillora
