#pragma once
// The controls of the reminder window, by id.
namespace quillora {

inline constexpr char ReminderWindowTitle[] = "BIRTHDAY REMINDER";

inline constexpr int ReminderTitleId = 200;
inline constexpr int ReminderCaptionId = 201;
inline constexpr int ReminderListId = 202;
// The id Esc sends through the dialog keys, so Esc closes the window too.
inline constexpr int ReminderCloseButtonId = 2;  // IDCANCEL

enum ReminderColumn : int {
    ReminderNameColumn = 0,
    ReminderBirthdayColumn,
    ReminderAgeColumn,
    ReminderWhenColumn
};

}  // namespace quillora
