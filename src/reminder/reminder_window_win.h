#pragma once
// The one window of the reminder: the due birthdays, soonest first, in the
// look of Quillora's own child windows.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

#include "calc/reminder_texts.h"
#include "calc/reminders.h"
#include "ui/theme_win.h"
#include "ui/themed_window_win.h"

namespace quillora {

class ReminderWindow : public ThemedWindow<ReminderWindow> {
public:
    explicit ReminderWindow(std::vector<DueReminder> due);
    ReminderWindow(const ReminderWindow&) = delete;
    ReminderWindow& operator=(const ReminderWindow&) = delete;
    // Going with its object is no close by the user: the window's end then
    // reaches no handler (see WindowBase), so the closed handler is not
    // called.
    ~ReminderWindow() = default;

    // Creates the window with its rows, shows it with `showCommand` and
    // brings it to the foreground; false when it could not be made.
    [[nodiscard]] bool Open(int showCommand);
    // Called when the user has closed the window (the object may then go).
    void SetClosedHandler(std::function<void()> handler) { closed_ = std::move(handler); }
    [[nodiscard]] const std::vector<DueReminder>& Due() const { return due_; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    [[nodiscard]] static StaticLook LookOfStatic(int id);
    void OnDpiChanged() const { SetColumnWidths(); }

private:
    void CreateControls();
    void FillList(HWND list);
    void SetColumnWidths() const;
    LRESULT OnListCustomDraw(NMLVCUSTOMDRAW& draw) const;
    void OnDestroyed();

    std::vector<DueReminder> due_;
    std::function<void()> closed_;
};

}  // namespace quillora
