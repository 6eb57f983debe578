#include "menu_marks.h"

#include "driver.h"

namespace quillora::test {

std::optional<MenuMarks> ReadMenuMarksWhenIdle(DWORD processId) {
    const UniqueKernelHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
    if (!process.Valid()) return std::nullopt;
    WaitForInputIdle(process.Get(), 5000);
    const e2e::SharedBlock<MenuMarks> shared(MenuMarksMappingName(processId));
    if (!shared.Get()) return std::nullopt;
    std::optional<MenuMarks> marks;
    e2e::WaitUntil(
        [&] {
            *shared.Get() = MenuMarks{};
            if (e2e::LoadLibraryInto(processId, e2e::OwnFolder() + "\\quillora_menu_probe.dll") &&
                shared->read)
                marks = *shared.Get();
            return marks.has_value();
        },
        e2e::Millis{5000});
    return marks;
}

}  // namespace quillora::test
