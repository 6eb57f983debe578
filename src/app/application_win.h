#pragma once
// The one application object: it owns the user's data, the main window, the
// menus and the column sorter, and handles the main window's
// events.
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "app/startup_win.h"
#include "storage/edit_history.h"
#include "storage/list_merge.h"
#include "ui/column_sorter_win.h"
#include "ui/exchange_win.h"
#include "ui/folder_watch_win.h"
#include "ui/main_window_win.h"
#include "ui/menus_win.h"

namespace quillora {

class Application final : public MainWindowEvents {
public:
    explicit Application(UserData data);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    // Builds the main window with its lists, sorting, menus and fonts, writes
    // the autostart shortcut on a first start and shows the "ALL" list.
    [[nodiscard]] bool Start();
    // The main event loop; returns when the program has quit, after the
    // quit sequence's saves, however the loop was ended.
    void Run();

    void OnMenuEvent(int commandId) override;
    void OnControlEvent(int controlId, ControlEventType type) override;
    void OnCloseEvent() override;
    void OnEndSession() override;
    void OnKeyCommand(MainAction action) override;
    void OnNewDay() override;
    void OnListFolderSettled() override;

private:
    void Dispatch(MainAction action, int id);
    void FillTab(int tab);
    // Refills the visible list and keeps what the user sees: its order (the
    // table's after a refill, the user's after a header click) and the
    // selected entry, whose new table row `newRowOf` gives.
    void RefillVisibleTab(const std::function<int(int)>& newRowOf);
    void ReturnToAllTab();
    void WriteAutostartOnce();

    void SetDaysBeforeRemind(int commandId);
    void ToggleMusic();
    // The table row of the visible list's selected row; nothing when none.
    [[nodiscard]] std::optional<int> FindSelectedEntry() const;
    void DeleteSelectedEntry();
    void ClearList();
    // Ctrl+Z and Ctrl+Y: the visible tab stays and is refilled, with the
    // rows brought back selected.
    void UndoOrRedo(bool redo);
    void OpenEntryDialog(bool editMode);
    void OpenInformationWindow();
    // Another program's change to the list: merged at once while the main
    // window takes input, otherwise once the command under way is done (the
    // entry dialog's row stays the row it was).
    void CheckListFolder();
    // Reads the list file and merges what another program changed into the
    // table; `tellUser` says what was kept aside. False when the file should
    // be looked at again in a moment (held by its writer, or half written).
    bool TakeInOutsideList(bool tellUser);
    void ApplyMerge(ListMerge merge, bool tellUser);
    // Offers what the sync clients' copies of the list hold that the list
    // lacks, each once; then the copy goes into the backups folder.
    void OfferConflictCopies();
    void Quit();
    // The quit sequence's saves: the list, then the settings. A list that
    // cannot be saved goes to a rescue copy; `tellUser` says both.
    void SaveAll(bool tellUser);

    Settings settings_;
    BirthdayTable table_;
    ListFileState listFile_;  // the list file as last read or written: the base of a merge
    FolderWatch listFolder_;
    int busy_ = 0;          // commands and checks under way: a merge waits for them
    int readAttempts_ = 0;  // looks at a file that was held or half written, in a row
    std::set<std::string> offeredCopies_;
    EditHistory history_;  // every change to table_ during this run
    ColumnSorter sorter_;
    MainWindow mainWindow_{*this, sorter_};
    Menus menus_;
    ExchangeCommands exchange_;
    bool quitting_ = false;
};

}  // namespace quillora
