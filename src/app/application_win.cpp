#include "app/application_win.h"

#include "app/startup_profile.h"
#include "quillora_version.h"
#include "storage/calendar.h"
#include "storage/files_win.h"
#include "storage/number_text.h"
#include "storage/paths.h"
#include "storage/safekeeping.h"
#include "storage/shortcut_win.h"
#include "storage/user_data_win.h"
#include "ui/entry_dialog_win.h"
#include "ui/import_preview_win.h"
#include "ui/information_window_win.h"
#include "ui/message_box_win.h"
#include "ui/message_loop_win.h"
#include "ui/modal_window_win.h"
#include "ui/web_page_win.h"

namespace quillora {

namespace {

// Counts a piece of work under way for as long as it lasts.
class BusyScope {
public:
    explicit BusyScope(int& busy) : busy_(busy) { ++busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ~BusyScope() { --busy_; }

private:
    int& busy_;
};

}  // namespace

Application::Application(UserData data) : settings_(std::move(data.settings)) {
    startNews_ = list_.Open(data.listBytes);
}

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
    listSettled_.Attach(mainWindow_.Window());
    Tell(startNews_);
    startNews_ = {};
    return true;
}

void Application::Run() {
    listFolder_.Watch(FolderPart(ListFilePath()));
    // One look once the window is up catches what changed between the load
    // and the start of the watch.
    listSettled_.Restart();
    OfferConflictCopies();
    RunMessageLoop([] { return false; },
                   [this](const MSG& message) { return mainWindow_.HandleKey(message); },
                   WaitsOf({&listFolder_, 1}, listSettled_));
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
    // At any moment, a message of the quit's open included: what is not
    // saved yet is saved, or goes to the rescue copy. No message box: it
    // would hold up the end of the session. What an open dialog holds was
    // never confirmed and is dropped.
    SaveAll(false);
    // Windows ends the program once this returns; it ends itself as well,
    // also from within a message of the quit.
    quitting_ = true;
    PostQuitMessage(0);
}

void Application::OnKeyCommand(MainAction action) {
    Dispatch(action, 0);
}

void Application::OnNewDay() {
    if (quitting_) return;
    // The visible list gets today's figures; the other lists are refilled
    // before they are shown anyway.
    RefillVisibleTab([](int row) { return row; });
}

void Application::OnListFolderSettled() {
    listSettled_.Stop();
    CheckListFolder();
}

void Application::RefillVisibleTab(const std::function<int(int)>& newRowOf) {
    const int tab = mainWindow_.SelectedTab();
    const int selected = mainWindow_.TableIndexOfRow(tab, mainWindow_.SelectedRow(tab));
    const bool sorted = sorter_.ShowsSortedOrder(mainWindow_.ListView(tab));
    FillTab(tab);
    if (sorted) sorter_.SortAgain(mainWindow_.ListView(tab));
    mainWindow_.SelectRowOfTableIndex(tab, selected < 0 ? -1 : newRowOf(selected));
}

void Application::CheckListFolder() {
    if (quitting_) return;
    if (busy_ > 0 || !IsWindowEnabled(mainWindow_.Window())) {
        // Looked at again once the main window takes input.
        (void)listSettled_.LookAgain(false);
        return;
    }
    const BusyScope busy(busy_);
    // A folder that was gone is watched again once it is back.
    listFolder_.Watch(FolderPart(ListFilePath()));
    const std::optional<ListDocument::Look> look = list_.LookAtFile();
    if (!look) {
        // Held by its writer, or half written: looked at again in a moment.
        (void)listSettled_.LookAgain();
    } else {
        listSettled_.Settled();
        if (look->changed) {
            RefillVisibleTab([&](int row) {
                return row < static_cast<int>(look->rowOfOurs.size())
                           ? look->rowOfOurs[static_cast<std::size_t>(row)]
                           : -1;
            });
        }
        Tell(look->news);
    }
    OfferConflictCopies();
}

void Application::Tell(const ListNews& news) {
    const HWND owner = mainWindow_.Window();
    if (news.recovered) {
        ShowError(owner,
                  "QUILLORA WAS NOT QUIT PROPERLY LAST TIME. THE CHANGES OF THAT RUN ARE BACK IN THE LIST"
                  " (CTRL+Z TAKES THEM BACK).",
                  false);
    }
    if (news.unreadableJournal) {
        ShowError(owner,
                  "THE CHANGES OF THE LAST RUN COULD NOT BE READ AND ARE NOT APPLIED; " +
                      (news.unreadableJournalCopy ? "THEY ARE KEPT AS: " + *news.unreadableJournalCopy
                                                  : std::string("NO COPY OF THEM COULD BE KEPT.")),
                  false);
    }
    if (news.unreadableList) {
        ShowError(
            owner,
            "ANOTHER PROGRAM REPLACED THE BIRTHDAY-LIST WITH A FILE THAT CANNOT BE READ! YOUR LIST IS KEPT"
            " AS IT IS" +
                (news.unreadableListCopy ? "; THE FILE IS KEPT AS: " + *news.unreadableListCopy
                                         : std::string("; NO COPY OF THE FILE COULD BE KEPT.")),
            false);
    }
    if (!news.keptAside.empty()) {
        ShowError(owner,
                  "ANOTHER PROGRAM CHANGED THE BIRTHDAY-LIST TOO. " +
                      NumberToText(static_cast<int>(news.keptAside.size())) +
                      (news.keptAside.size() == 1 ? " ENTRY" : " ENTRIES") +
                      " OF THE OTHER VERSION (CHANGED HERE TOO, OR WITHOUT ROOM IN THE LIST) " +
                      (news.keptAsideCopy ? "ARE KEPT AS: " + *news.keptAsideCopy
                                          : std::string("COULD NOT BE KEPT.")),
                  false);
    }
}

void Application::OfferConflictCopies() {
    const std::string folder = ListDir();
    if (folder.empty()) return;
    for (const std::string& name : FolderEntryNames(folder)) {
        const ConflictCopyName form = ConflictCopyNameForm(name);
        if (form == ConflictCopyName::None || offeredCopies_.contains(name)) continue;
        // One its writer still holds is looked at again at the next change.
        const std::optional<std::string> bytes = ReadWholeFile(folder + name, ShareWith::Everyone);
        if (!bytes) continue;
        offeredCopies_.insert(name);
        const bool readable = !bytes->empty() && !IsUnreadableList(*bytes);
        const BirthdayTable copy = readable ? ParseList(*bytes) : BirthdayTable();
        const std::vector<OtherChange> changes =
            readable ? list_.ChangesOfCopy(copy) : std::vector<OtherChange>();
        const CopyFacts facts{form, readable, list_.CopyAnswered(name, *bytes), list_.HasSharedBase(),
                              readable && changes.empty()};
        switch (ActionForCopy(facts)) {
            case CopyAction::Ignore:
                break;
            case CopyAction::TellUnreadable:
                list_.RememberCopyAnswered(name, *bytes);
                ShowError(
                    mainWindow_.Window(),
                    "A COPY OF THE BIRTHDAY-LIST THAT A SYNC CLIENT KEPT CANNOT BE READ: " + folder + name,
                    false);
                break;
            case CopyAction::MoveAway:
                (void)MoveIntoBackups(name);
                break;
            case CopyAction::MergeAtOnce: {
                const ListNews news = list_.MergeCopy(copy);
                (void)MoveIntoBackups(name);
                ReturnToAllTab();
                ShowError(
                    mainWindow_.Window(),
                    "ANOTHER COMPUTER'S VERSION OF THE BIRTHDAY-LIST, KEPT BY A SYNC CLIENT AS " + name +
                        ", IS MERGED INTO THE LIST (CTRL+Z TAKES IT BACK). THE COPY IS NOW IN THE BACKUPS"
                        " FOLDER.",
                    false);
                Tell(news);
                break;
            }
            case CopyAction::PreviewChanges: {
                const int freePlaces = std::max(0, TableCapacity - list_.Table().Count());
                const auto ticks = RunImportPreview(mainWindow_.Window(), PlanOfChanges(changes, freePlaces),
                                                    "CHANGES IN: " + name);
                // The end of the session closed it: asked again next time.
                if (quitting_) return;
                if (ticks) {
                    list_.TakeChanges(changes, *ticks);
                    (void)MoveIntoBackups(name);
                } else {
                    list_.RememberCopyAnswered(name, *bytes);
                }
                ReturnToAllTab();
                break;
            }
            case CopyAction::PreviewAsImport: {
                const ExchangeCommands::Answer answer =
                    exchange_.ImportFile(mainWindow_.Window(), list_, folder + name,
                                         ExchangeFormat::BirthdayList, "FROM: " + name);
                if (quitting_) return;
                if (answer == ExchangeCommands::Answer::Imported) (void)MoveIntoBackups(name);
                if (answer == ExchangeCommands::Answer::Declined) list_.RememberCopyAnswered(name, *bytes);
                ReturnToAllTab();
                break;
            }
        }
    }
}

void Application::Dispatch(MainAction action, int id) {
    if (quitting_) return;
    const BusyScope busy(busy_);
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
            exchange_.Import(mainWindow_.Window(), list_);
            ReturnToAllTab();
            break;
        case MainAction::Export:
            exchange_.Export(mainWindow_.Window(), list_.Table(), settings_);
            break;
        case MainAction::RefillSelectedTab:
            FillTab(tab);
            break;
        case MainAction::NextTab:
        case MainAction::PreviousTab:
        case MainAction::TabRight:
        case MainAction::TabLeft:
            if (mainWindow_.StepTab(action)) FillTab(mainWindow_.SelectedTab());
            break;
        case MainAction::FocusNext:
        case MainAction::FocusPrevious:
            mainWindow_.MoveFocus(action == MainAction::FocusPrevious);
            break;
        case MainAction::Undo:
        case MainAction::Redo:
            UndoOrRedo(action == MainAction::Redo);
            break;
        case MainAction::ShowPopupMenu:
            menus_.EnableUndoRedo(list_.CanUndo(), list_.CanRedo());
            menus_.ShowPopupMenu(mainWindow_.Window());
            break;
        case MainAction::ShowPopupMenuAtSelection:
            menus_.EnableUndoRedo(list_.CanUndo(), list_.CanRedo());
            menus_.ShowPopupMenu(mainWindow_.Window(), mainWindow_.PopupPoint());
            break;
        case MainAction::None:
            break;
    }
}

void Application::FillTab(int tab) {
    // One reading of the clock per fill, so every row agrees on today.
    const CalendarDay today = Today();
    const BirthdayTable& table = list_.Table();
    std::vector<ListRow> rows;
    rows.reserve(static_cast<std::size_t>(table.Count()));
    for (int index = 0; index < table.Count(); ++index) {
        const BirthdayEntry& entry = table.Row(index);
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

std::optional<int> Application::FindSelectedEntry() const {
    // Each list row carries the table row it shows, so two entries of the
    // same name each lead to their own.
    const int tab = mainWindow_.SelectedTab();
    const int index = mainWindow_.TableIndexOfRow(tab, mainWindow_.SelectedRow(tab));
    if (index < 0 || index >= list_.Table().Count()) return std::nullopt;
    return index;
}

void Application::DeleteSelectedEntry() {
    // A row that leads to no entry deletes nothing rather than whatever row
    // an earlier lookup left behind.
    const std::optional<int> entry = FindSelectedEntry();
    if (entry) (void)list_.Delete(*entry);
}

void Application::ClearList() {
    list_.Clear();
}

void Application::UndoOrRedo(bool redo) {
    const std::optional<ChangedRows> changed = redo ? list_.Redo() : list_.Undo();
    if (!changed) return;
    const int tab = mainWindow_.SelectedTab();
    FillTab(tab);
    mainWindow_.SelectRowOfTableIndex(tab, changed->count > 0 ? changed->first : -1);
}

void Application::OpenEntryDialog(bool editMode) {
    EntryDialogRequest request;
    request.editMode = editMode;
    // The row being edited; a merge waits until the dialog is closed, so it
    // stays the row it was.
    std::optional<int> entry;
    if (editMode) {
        // Nothing to edit when the selected row leads to no entry.
        entry = FindSelectedEntry();
        if (!entry) return;
        request.shown = list_.Table().Row(*entry);
    } else {
        if (list_.Table().IsFull()) {
            ShowError(mainWindow_.Window(), "THE LIST IS FULL!", false);
            return;
        }
        const CalendarDay now = Today();
        request.shown = BirthdayEntry{
            "Name", FormatDate("%dd", now), FormatDate("%mm", now), FormatDate("%yyyy", now), "1", "1"};
        request.nameTaken = [this](const std::string& name) { return list_.Table().ContainsName(name); };
    }
    const auto stored = RunEntryDialog(mainWindow_.Window(), request);
    if (stored) (void)(editMode ? list_.Edit(*entry, *stored) : list_.Add(*stored));
    ReturnToAllTab();
}

void Application::OpenInformationWindow() {
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
    // What another program wrote since the last look is merged first; a list
    // that cannot be saved is in its rescue copy before the user is told, and
    // the end of the session during a message saves the settings itself.
    const ListDocument::SaveOutcome outcome = list_.Save();
    if (tellUser) {
        Tell(outcome.news);
        if (!outcome.saved) {
            ShowError(mainWindow_.Window(), "COULDNT SAVE THE BIRTHDAY-LIST!", true);
            if (outcome.rescueCopy)
                ShowError(mainWindow_.Window(), "THE BIRTHDAY-LIST IS KEPT AS: " + *outcome.rescueCopy,
                          false);
        }
    }
    SaveSettings(settings_);
}

}  // namespace quillora
