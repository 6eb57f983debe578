#include "text_fit.h"

#include "driver.h"

namespace quillora::test {

std::optional<TextFit> MeasureTexts(HWND window, const std::string& probeCopy) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const std::string name = TextFitMappingName(processId);
    UniqueKernelHandle mapping(
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(TextFit), name.c_str()));
    if (!mapping) return std::nullopt;
    auto* shared = static_cast<TextFit*>(MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!shared) return std::nullopt;
    std::optional<TextFit> result;
    shared->done = 0;
    const std::string probe = e2e::OwnFolder() + "\\quillora_text_fit_probe.dll";
    if (CopyFileA(probe.c_str(), probeCopy.c_str(), FALSE) && e2e::LoadLibraryInto(window, probeCopy) &&
        e2e::WaitUntil([&] { return shared->done != 0; }, e2e::Millis{10000})) {
        result = *shared;
    }
    UnmapViewOfFile(shared);
    return result;
}

}  // namespace quillora::test
