#include "text_fit.h"

#include "driver.h"

namespace quillora::test {

std::optional<TextFit> MeasureTexts(HWND window, const std::string& probeCopy) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const e2e::SharedBlock<TextFit> shared(TextFitMappingName(processId));
    if (!shared.Get()) return std::nullopt;
    std::optional<TextFit> result;
    shared->done = 0;
    const std::string probe = e2e::OwnFolder() + "\\quillora_text_fit_probe.dll";
    if (CopyFileA(probe.c_str(), probeCopy.c_str(), FALSE) && e2e::LoadLibraryInto(window, probeCopy) &&
        e2e::WaitUntil([&] { return shared->done != 0; }, e2e::Millis{10000})) {
        result = *shared.Get();
    }
    return result;
}

}  // namespace quillora::test
