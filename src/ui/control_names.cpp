#include "ui/control_names.h"

namespace quillora {

std::string_view ListViewName(int tab) {
    return tab >= 0 && tab < MonthTabCount ? MonthTabCaptions[static_cast<std::size_t>(tab)]
                                           : std::string_view();
}

}  // namespace quillora
