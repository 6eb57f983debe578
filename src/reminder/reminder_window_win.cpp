#include "reminder/reminder_window_win.h"

#include <utility>

#include "reminder/reminder_ids.h"
#include "storage/number_text.h"
#include "ui/list_view_win.h"

namespace quillora {
namespace {

constexpr char ReminderWindowClass[] = "QuilloraReminder";
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD WindowExStyle = WS_EX_CONTROLPARENT;
constexpr int ClientWidth = 380;
constexpr int ClientHeight = 262;

// Widths add up to the list's inside, so no sideways scrolling is needed.
constexpr ListColumnLayout Columns[] = {{"NAME", 120}, {"BIRTHDAY", 95}, {"TURNS", 50}, {"WHEN", 91}};

}  // namespace

ReminderWindow::ReminderWindow(std::vector<DueReminder> due) : due_(std::move(due)) {}

bool ReminderWindow::Open(int showCommand) {
    if (!CreateCentred(ReminderWindowClass, ReminderWindowTitle, WindowStyle, WindowExStyle, ClientWidth,
                       ClientHeight))
        return false;
    TakeWindowDpi();
    CreateControls();
    ShowWindow(Window(), showCommand);
    UpdateWindow(Window());
    if (HWND close = GetDlgItem(Window(), ReminderCloseButtonId)) SetFocus(close);
    // Started at logon, the window may be refused the foreground; then its
    // taskbar button asks for attention instead.
    if (!SetForegroundWindow(Window())) {
        FLASHWINFO flash{sizeof flash, Window(), FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
        FlashWindowEx(&flash);
    }
    return true;
}

void ReminderWindow::CreateControls() {
    layout_.Create(Window(), ReminderTitleId, "STATIC", ReminderWindowTitle, SS_CENTER | SS_CENTERIMAGE,
                   WS_EX_CLIENTEDGE, {0, 5, ClientWidth, 30}, FontRole::Title);
    layout_.Create(Window(), ReminderCaptionId, "STATIC", "Birthdays to remember:", SS_CENTER, 0,
                   {10, 45, 360, 18}, FontRole::Caption);
    HWND list = layout_.Create(Window(), ReminderListId, WC_LISTVIEWA, "",
                               WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER, WS_EX_CLIENTEDGE,
                               {10, 68, 360, 150});
    if (list) FillList(list);
    layout_.Create(Window(), ReminderCloseButtonId, "BUTTON", "CLOSE", WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
                   {140, 228, 100, 25});
}

void ReminderWindow::FillList(HWND list) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    AddListColumns(list, Columns, theme_);
    for (const DueReminder& reminder : due_) {
        const std::string cells[] = {reminder.name, reminder.birthday, AgeText(reminder.turningAge),
                                     WhenText(reminder.daysAway)};
        AppendListRow(list, cells);
    }
}

void ReminderWindow::SetColumnWidths() const {
    ScaleListColumns(GetDlgItem(Window(), ReminderListId), Columns, theme_);
}

LRESULT ReminderWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // CLOSE, and Enter or Esc through the dialog keys.
            if (LOWORD(wParam) == ReminderCloseButtonId || LOWORD(wParam) == IDOK) Destroy();
            return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->idFrom == ReminderListId && header->code == NM_CUSTOMDRAW) {
                return OnListCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
            }
            return 0;
        }
        case WM_DESTROY:
            OnDestroyed();
            return 0;
        default:
            return HandleThemeMessage(message, wParam, lParam);
    }
}

StaticLook ReminderWindow::LookOfStatic(int id) {
    return id == ReminderTitleId     ? StaticLook::Title
           : id == ReminderCaptionId ? StaticLook::Heading
                                     : StaticLook::Plain;
}

LRESULT ReminderWindow::OnListCustomDraw(NMLVCUSTOMDRAW& draw) const {
    return DrawTodayRows(
        draw,
        [this](int row, LPARAM) {
            return row >= 0 && static_cast<std::size_t>(row) < due_.size() &&
                   due_[static_cast<std::size_t>(row)].IsToday();
        },
        theme_);
}

void ReminderWindow::OnDestroyed() {
    if (closed_) closed_();
}

}  // namespace quillora
