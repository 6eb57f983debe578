// The window base owns its window: a window still open goes with its object,
// and the messages of that end never reach the half-destroyed object.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "ui/themed_window_win.h"

namespace quillora {
namespace {

class ProbeWindow : public ThemedWindow<ProbeWindow> {
public:
    explicit ProbeWindow(std::vector<UINT>& seen) : seen_(seen) {}
    bool Open() {
        if (!CreateCentred("QuilloraProbeWindow", "PROBE", WS_OVERLAPPEDWINDOW, 0, 100, 100)) return false;
        TakeWindowDpi();
        return layout_.Create(Window(), 1, "BUTTON", "OK", BS_PUSHBUTTON, 0, {10, 10, 50, 20}) != nullptr;
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_DESTROY) seen_.push_back(message);
        return HandleThemeMessage(message, wParam, lParam);
    }
    static StaticLook LookOfStatic(int) { return StaticLook::Plain; }

private:
    std::vector<UINT>& seen_;
};

TEST(WindowBase, OwnsItsWindowAndKeepsItsEndFromTheObjectOnlyWhenTheObjectGoes) {
    std::vector<UINT> seen;
    HWND window = nullptr;
    {
        ProbeWindow probe(seen);
        ASSERT_TRUE(probe.Open());
        window = probe.Window();
        ASSERT_TRUE(IsWindow(window));
    }
    EXPECT_FALSE(IsWindow(window)) << "the window outlived its object";
    EXPECT_TRUE(seen.empty()) << "a message of the window's end reached the object after it went";

    ProbeWindow probe(seen);
    ASSERT_TRUE(probe.Open());
    window = probe.Window();
    probe.Destroy();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(probe.Window(), nullptr);
    EXPECT_EQ(seen, std::vector<UINT>{WM_DESTROY}) << "a window closed by its object is seen going";
}

}  // namespace
}  // namespace quillora
