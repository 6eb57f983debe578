#include "app/application_win.h"

#include "app/startup_profile.h"
#include "calc/calendar.h"
#include "quillora_version.h"
#include "storage/number_text.h"
#include "storage/paths.h"
#include "storage/shortcut_win.h"
#include "storage/user_data_win.h"
#include "ui/child_window_win.h"
#include "ui/entry_dialog_win.h"
#include "ui/information_window_win.h"
#include "ui/message_box_win.h"
#include "ui/message_loop_win.h"
#include "ui/web_page_win.h"

namespace quillora {

Application::Application(UserData data)
    : settings_(std::move(data.settings)), table_(std::move(data.table)) {}

Application::~Application() = default;

bool Application::Start() {
    // The main window registers each list with the sorter as it makes it.
    if (!mainWindow_.Create()) return false;
    MarkStartupStep("window");
    menus_.AttachMenuBar(mainWindow_.Window());
    menus_.MarkMusic(Low32(NumberFromText(settings_.Get(PlayMusicAtRemind))) != 0);
    MarkStartupStep("menubar");
    menus_.CreatePopupMenu();
    menus_.SyncDaysMarks(settings_.Get(DaysBeforeRemind));
    MarkStartupStep("popup");
    WriteAutostartOnce();
    MarkStartupStep("shortcut");
    mainWindow_.SelectTab(AllTab);
    FillTab(AllTab);
    MarkStartupStep("fill");
    // Shown once complete: attached after a first showing, the menu bar would
    // push every control down in front of the user, and early clicks would
    // miss.
    mainWindow_.Show();
    MarkStartupStep("shown");
    WriteStartupProfile();
    return true;
}

void Application::Run() {
    RunMessageLoop([] { return false; },
                   [this](const MSG& message) { return mainWindow_.HandleKey(message); });
    // A WM_QUIT that another program posted ends the loop too; the run's
    // changes are saved all the same.
    Quit();
}

void Application::OnMenuEvent(int commandId) {
    Dispatch(ActionForCommand(commandId), commandId);
}

void Application::OnControlEvent(int controlId, ControlEventType type) {
    Dispatch(ActionForControl(controlId, type), controlId);
}

void Application::OnCloseEvent() {
    Quit();
}

void Application::OnEndSession() {
    if (quitting_) return;
    quitting_ = true;
    // No message box: it would hold up the end of the session. What an open
    // dialog holds was never confirmed and is dropped; a list that cannot
    // be saved still goes to its rescue copy.
    SaveAll(false);
    PostQuitMessage(0);
}

void Application::OnKeyCommand(MainAction action) {
    Dispatch(action, 0);
}

void Application::OnNewDay() {
    if (quitting_) return;
    // The visible list gets today's figures and keeps its order (table order
    // after a refill, the user's after a header click) and selection; the
    // other lists are refilled before they are shown anyway.
    const int tab = mainWindow_.SelectedTab();
    const int selected = mainWindow_.TableIndexOfRow(tab, mainWindow_.SelectedRow(tab));
    const bool sorted = sorter_.ShowsSortedOrder(mainWindow_.ListView(tab));
    FillTab(tab);
    if (sorted) sorter_.SortAgain(mainWindow_.ListView(tab));
    mainWindow_.SelectRowOfTableIndex(tab, selected);
}

void Application::Dispatch(MainAction action, int id) {
    if (quitting_) return;
    const int tab = mainWindow_.SelectedTab();
    switch (action) {
        case MainAction::NewEntry:
            OpenEntryDialog(false);
            break;
        case MainAction::EditEntryFromMenu:
            if (mainWindow_.SelectedRow(tab) < 0) mainWindow_.SelectRow(tab, mainWindow_.RowCount(tab) - 1);
            OpenEntryDialog(true);
            break;
        case MainAction::EditEntry:
            OpenEntryDialog(true);
            break;
        case MainAction::DeleteEntry:
            if (mainWindow_.SelectedRow(tab) < 0) break;
            DeleteSelectedEntry();
            ReturnToAllTab();
            break;
        case MainAction::ClearList:
            ClearList();
            ReturnToAllTab();
            break;
        case MainAction::SetDaysBeforeRemind:
            SetDaysBeforeRemind(id);
            break;
        case MainAction::ToggleMusic:
            ToggleMusic();
            break;
        case MainAction::Information:
            OpenInformationWindow();
            break;
        case MainAction::Donate:
            OpenWebPage(QUILLORA_DONATE_URL);
            break;
        case MainAction::Quit:
            Quit();
            break;
        case MainAction::Import:
            exchange_.Import(mainWindow_.Window(), table_, history_);
            ReturnToAllTab();
            break;
        case MainAction::Export:
            exchange_.Export(mainWindow_.Window(), table_, settings_);
            break;
        case MainAction::RefillSelectedTab:
            FillTab(tab);
            break;
        case MainAction::Undo:
        case MainAction::Redo:
            UndoOrRedo(action == MainAction::Redo);
            break;
        case MainAction::ShowPopupMenu:
            menus_.EnableUndoRedo(history_.CanUndo(), history_.CanRedo());
            menus_.ShowPopupMenu(mainWindow_.Window());
            break;
        case MainAction::ShowPopupMenuAtSelection:
            menus_.EnableUndoRedo(history_.CanUndo(), history_.CanRedo());
            menus_.ShowPopupMenu(mainWindow_.Window(), mainWindow_.PopupPoint());
            break;
        default:  // None, and what the main window handles itself
            break;
    }
}

void Application::FillTab(int tab) {
    // One reading of the clock per fill, so every row agrees on today.
    const CalendarDay today = DayFromDate(Today());
    std::vector<ListRow> rows;
    rows.reserve(static_cast<std::size_t>(table_.Count()));
    for (int index = 0; index < table_.Count(); ++index) {
        const BirthdayEntry& entry = table_.Row(index);
        if (tab != AllTab && !IsInMonth(entry, tab)) continue;
        rows.push_back(BuildRow(entry, today));
        rows.back().tableIndex = index;
    }
    mainWindow_.FillList(tab, rows);
}

void Application::ReturnToAllTab() {
    mainWindow_.SelectTab(AllTab);
    FillTab(AllTab);
}

void Application::WriteAutostartOnce() {
    StartupShortcut shortcut;
    if (WriteAutostartIfDue(settings_, shortcut)) SaveSettings(settings_);
}

void Application::SetDaysBeforeRemind(int commandId) {
    settings_.Set(DaysBeforeRemind, DaysCodeOfCommand(commandId));
    menus_.SyncDaysMarks(settings_.Get(DaysBeforeRemind));
    SaveSettings(settings_);
}

void Application::ToggleMusic() {
    // The mark, not the stored text, decides the new state.
    const bool on = !menus_.MusicMarked();
    menus_.MarkMusic(on);
    settings_.Set(PlayMusicAtRemind, on ? "1" : "0");
    SaveSettings(settings_);
}

bool Application::FindSelectedEntry() {
    // Each list row carries the table row it shows, so two entries of the
    // same name each lead to their own.
    const int tab = mainWindow_.SelectedTab();
    const int index = mainWindow_.TableIndexOfRow(tab, mainWindow_.SelectedRow(tab));
    if (index < 0 || index >= table_.Count()) return false;
    currentEntryIndex_ = index;
    return true;
}

void Application::DeleteSelectedEntry() {
    // A row that leads to no entry deletes nothing rather than whatever row
    // an earlier lookup left behind.
    if (!FindSelectedEntry()) return;
    const RecordedChange change(history_, table_);
    table_.Remove(currentEntryIndex_);
}

void Application::ClearList() {
    const RecordedChange change(history_, table_);
    table_.Clear();
}

void Application::UndoOrRedo(bool redo) {
    const std::optional<ChangedRows> changed = redo ? history_.Redo(table_) : history_.Undo(table_);
    if (!changed) return;
    const int tab = mainWindow_.SelectedTab();
    FillTab(tab);
    mainWindow_.SelectRowOfTableIndex(tab, changed->count > 0 ? changed->first : -1);
}

void Application::OpenEntryDialog(bool editMode) {
    EntryDialogRequest request;
    request.editMode = editMode;
    if (editMode) {
        // Nothing to edit when the selected row leads to no entry: the
        // dialog would otherwise write over whatever row an earlier lookup
        // left behind.
        if (!FindSelectedEntry()) return;
        request.shown = table_.Row(currentEntryIndex_);
    } else {
        if (table_.IsFull()) {
            ShowError(mainWindow_.Window(), "THE LIST IS FULL!", false);
            return;
        }
        const DateValue now = Today();
        request.shown = BirthdayEntry{
            "Name", FormatDate("%dd", now), FormatDate("%mm", now), FormatDate("%yyyy", now), "1", "1"};
        request.nameTaken = [this](const std::string& name) { return table_.ContainsName(name); };
    }
    mainWindow_.Enable(false);
    const auto stored = RunEntryDialog(mainWindow_.Window(), request);
    if (stored) {
        const RecordedChange change(history_, table_);
        if (editMode) {
            (void)table_.Replace(currentEntryIndex_, *stored);
        } else {
            (void)table_.Append(*stored);
        }
    }
    ReturnToAllTab();
}

void Application::OpenInformationWindow() {
    mainWindow_.Enable(false);
    RunInformationWindow(mainWindow_.Window());
    ReturnToAllTab();
}

void Application::Quit() {
    if (quitting_) return;
    // A close request while the entry dialog or the information window is
    // open would destroy it with what it holds: that window comes to the
    // front instead, and nothing else happens.
    HWND takingInput = WindowTakingInput(mainWindow_.Window());
    if (takingInput != mainWindow_.Window()) {
        BringToFront(takingInput);
        return;
    }
    quitting_ = true;
    SaveAll(true);
    mainWindow_.Destroy();
    PostQuitMessage(0);
}

void Application::SaveAll(bool tellUser) {
    if (!SaveList(table_)) {
        if (tellUser) ShowError(mainWindow_.Window(), "COULDNT SAVE THE BIRTHDAY-LIST!", true);
        // The run's changes are never thrown away.
        const auto rescue = SaveRescueCopy(table_);
        if (tellUser && rescue)
            ShowError(mainWindow_.Window(), "THE BIRTHDAY-LIST IS KEPT AS: " + *rescue, false);
    }
    SaveSettings(settings_);
}

}  // namespace quillora
