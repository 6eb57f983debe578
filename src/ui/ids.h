#pragma once
// Every window number, control id and command id of the program, in one
// place. Handlers dispatch on these, never on captions.

namespace quillora {

// Controls of the main window.
inline constexpr int FrameId = 0;
inline constexpr int AddEntryButtonId = 1;
inline constexpr int EditEntryButtonId = 2;
inline constexpr int DeleteEntryButtonId = 3;
inline constexpr int TabStripId = 4;
inline constexpr int FirstListViewId = 5;  // list view of tab t is FirstListViewId + t
inline constexpr int MonthTabCount = 13;   // "ALL" and the twelve months
inline constexpr int LastListViewId = FirstListViewId + MonthTabCount - 1;
inline constexpr int AllTab = 0;

// The main window's timers: due when the next local day begins, and once the
// list's folder has been quiet for a moment after a change.
inline constexpr int NewDayTimerId = 1;
inline constexpr int ListFolderSettledTimerId = 2;

constexpr int ListViewIdOfTab(int tab) {
    return FirstListViewId + tab;
}

// Commands of the menu bar and the popup menu (one id space; 4 is unused).
inline constexpr int NewEntryCommand = 0;
inline constexpr int EditEntryCommand = 1;
inline constexpr int DeleteEntryCommand = 2;
inline constexpr int ClearListCommand = 3;
inline constexpr int FirstDaysBeforeRemindCommand = 5;  // code = command - 5
inline constexpr int LastDaysBeforeRemindCommand = 13;
inline constexpr int InformationCommand = 14;
inline constexpr int DonateCommand = 15;
inline constexpr int PlayMusicCommand = 16;
inline constexpr int QuitCommand = 17;
inline constexpr int ImportCommand = 18;
inline constexpr int ExportCommand = 19;
inline constexpr int UndoCommand = 20;  // popup menu, below "Clear List"
inline constexpr int RedoCommand = 21;

// Controls of the entry dialog.
inline constexpr int DialogTitleId = 100;
inline constexpr int DialogFrameId = 101;
inline constexpr int NameGroupId = 102;
inline constexpr int NameFieldId = 103;
inline constexpr int BirthdayGroupId = 104;
inline constexpr int DateLabelId = 105;
inline constexpr int DayFieldId = 106;
inline constexpr int MonthFieldId = 107;
inline constexpr int YearFieldId = 108;
inline constexpr int RemindBoxId = 109;
inline constexpr int CancelButtonId = 110;
inline constexpr int OkButtonId = 111;

// Controls of the information window.
inline constexpr int InfoTitleId = 1001;
inline constexpr int InfoFactsHeadingId = 1002;
inline constexpr int InfoCreditsHeadingId = 1003;
inline constexpr int InfoVersionId = 1004;
inline constexpr int InfoCreditsId = 1005;
inline constexpr int InfoWebsiteButtonId = 1006;
inline constexpr int InfoCloseButtonId = 1007;

// The import preview: its window class and controls.
inline constexpr char ImportPreviewClass[] = "QuilloraImportPreview";
inline constexpr int ImportTitleId = 1101;
inline constexpr int ImportListId = 1102;
inline constexpr int ImportCountId = 1103;
inline constexpr int ImportCancelButtonId = 1104;
inline constexpr int ImportButtonId = 1105;

}  // namespace quillora
