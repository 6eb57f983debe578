#pragma once
// The one application object: it owns the user's data, the main window, the
// menus and the column sorter, and handles the main window's
// events.
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "app/startup_win.h"
#include "storage/list_document.h"
#include "storage/list_store_win.h"
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
    // Tells the user what a start, a look at the list file or the quit found
    // (kept-aside people, an unreadable file, a run brought back).
    void Tell(const ListNews& news);
    // Another computer's or another day's version of the list beside it:
    // a sync client's copy is merged at once, a copy a person may have made
    // is offered change by change; each moves into the backups folder only
    // once taken, and one the user declined is not offered again unchanged.
    void OfferConflictCopies();
    void Quit();
    // The quit sequence's saves: the list (or its rescue copy), what to tell
    // the user about it when `tellUser`, then the settings.
    void SaveAll(bool tellUser);

    Settings settings_;
    ListFilesOnDisk listFiles_;
    ListDocument list_{listFiles_};
    ListNews startNews_;  // told once the window is up
    FolderWatch listFolder_;
    SettleTimer listSettled_{ListFolderSettledTimerId};
    int busy_ = 0;  // commands and checks under way: a merge waits for them
    std::set<std::string> offeredCopies_;
    ColumnSorter sorter_;
    MainWindow mainWindow_{*this, sorter_};
    Menus menus_;
    ExchangeCommands exchange_;
    bool quitting_ = false;
};

}  // namespace quillora
