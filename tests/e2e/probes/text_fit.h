#pragma once
// Whether the texts of a program's windows fit their controls, measured
// inside the program (with each control's own font) by a test-only DLL and
// handed to the test through shared memory named after the process.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace quillora::test {

struct TextFit {
    struct Item {
        int id;
        char className[32];
        char text[64];   // the widest line of the text
        int textWidth;   // of that line, in the control's font
        int textHeight;  // of all lines
        int roomWidth;   // the control's client width
        int roomHeight;
    };
    volatile LONG done = 0;
    int count = 0;
    Item items[160] = {};
};

inline std::string TextFitMappingName(DWORD processId) {
    return "Local\\QuilloraTextFit-" + std::to_string(processId);
}

// Loads the probe into the process of `window` under the file name
// `probeCopy` (a new name for each measuring, so that the DLL starts
// afresh) and returns what it measured; nothing when it failed.
std::optional<TextFit> MeasureTexts(HWND window, const std::string& probeCopy);

}  // namespace quillora::test
