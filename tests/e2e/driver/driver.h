#pragma once
// The end-to-end driver: runs the real Quillora.exe inside a scenario of its
// own (fresh per-user folders, its own working folder and environment) and
// drives it from another process the way a user would: it finds windows,
// reads what they show, clicks and types with real input, and reads and
// writes the files on disk as exact bytes.
//
// Everything here runs under Wine in the test process; the program under
// test is never changed for the tests.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "handles.h"

namespace quillora::e2e {

using Millis = std::chrono::milliseconds;
// Long enough for a cold start of a program under Wine on a loaded machine.
inline constexpr Millis DefaultTimeout{20000};
// For waits that normally end in a moment: generous, as the machine running
// the tests may be busy; passing waits end early.
inline constexpr Millis ShortWait{10000};
// How long a test watches for a message box that must not appear: a box
// follows its command within this on a loaded machine.
inline constexpr Millis NoBoxWatch{700};

// Calls `condition` until it returns true or `timeout` has passed; returns
// whether it held. The condition is always tried at least once.
bool WaitUntil(const std::function<bool()>& condition, Millis timeout = DefaultTimeout);

// ---------------------------------------------------------------------------
// Files and folders (Windows paths, no trailing backslash needed).

std::optional<std::string> ReadBytes(const std::string& path);  // nullopt when it can't be read
bool WriteBytes(const std::string& path, std::string_view bytes);
bool Exists(const std::string& path);
bool IsFolder(const std::string& path);
bool MakeFolders(const std::string& path);  // with every missing parent
bool DeleteTree(const std::string& path);   // true when nothing is left
// The same for a path that the ANSI code page cannot hold (a folder of a
// user named "Łukasz"); WriteBytes makes no folders here.
std::optional<std::string> ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, std::string_view bytes);
// A shell folder of the user (CSIDL_...) as Windows names it, without a
// trailing backslash; empty when the shell has none.
std::wstring UserShellFolder(int csidl);

// What a shortcut file says, read through the shell-link object.
struct ShortcutView {
    std::string target;
    std::string workingFolder;
    std::string arguments;
};
std::optional<ShortcutView> ReadShortcut(const std::wstring& path);
std::optional<ShortcutView> ReadShortcut(const std::string& path);

// Names of the entries in a folder, without "." and "..", sorted.
std::vector<std::string> FolderEntries(const std::string& path);

// A file held open with no sharing at all, as another program locking it
// would; every other open fails until it is released.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    // Held open for reading with the given sharing (FILE_SHARE_...), as a
    // scanner or a sync client holds a file for a moment.
    FileLock(const std::string& path, DWORD shareMode);
    [[nodiscard]] bool Held() const { return file_.Valid(); }
    void Release() { file_ = UniqueKernelHandle(); }

private:
    UniqueKernelHandle file_;
};

// ---------------------------------------------------------------------------
// Windows of other processes.

std::string ClassNameOf(HWND window);
// The text of any window, also another process's edit control (WM_GETTEXT;
// waits while the owning program is busy).
std::string TextOf(HWND window);
// The caption of a top-level window as the system keeps it; never waits for
// the owning program.
std::string TitleOf(HWND window);
// Visible top-level windows of process `processId` (0: of every process).
std::vector<HWND> TopLevelWindows(DWORD processId);
// The first visible top-level window of the process with that title and, when
// given, that class; null when there is none.
HWND FindTopLevel(DWORD processId, std::string_view title, std::string_view className = {});
HWND WaitForTopLevel(DWORD processId, std::string_view title, std::string_view className = {},
                     Millis timeout = DefaultTimeout);
// The top-level window of that class of the process, also a hidden one;
// null when there is none.
HWND FindWindowOfClass(DWORD processId, std::string_view className);
// The icons of the notification area as Wine shows them on a display with no
// tray of its own: one window each in the "Wine System Tray". A right click
// on one reaches the icon's owner as the shell's callback message.
std::vector<HWND> NotificationAreaIcons();

HWND Control(HWND parent, int id);
// A control anywhere below `parent` (a list view inside a tab page, say) with
// that id and window class; null when there is none.
HWND FindDescendant(HWND parent, int id, std::string_view className);
// A child's rectangle in the client coordinates of its parent.
RECT RectInParent(HWND child);
SIZE ClientSize(HWND window);
// The middle of a top-level window's close box, in screen coordinates, as
// the window's own hit test finds it along its caption.
POINT CloseBoxOf(HWND window);
bool IsShown(HWND window);  // visible, with every ancestor visible
// True when neither the window nor any of its descendants waits to be
// painted: what a screenshot takes then is what the user sees.
bool IsFullyDrawn(HWND window);
bool IsEnabledWindow(HWND window);
// The control that has the keyboard focus in the thread of `window`; null
// when none.
HWND FocusedControl(HWND window);

// The direct child windows of `parent`, in z order.
std::vector<HWND> ChildWindows(HWND parent);
// Lets the calling thread see every window in real pixels whatever its
// DPI (per-monitor aware), as a DPI-aware program sees its own.
void SeeRealPixels();
// The DPI a window is laid out for (the system's where Windows has no DPI
// per window).
int DpiOf(HWND window);
// Saves what the screen shows of a window (with its frame) as a BMP file.
bool SaveWindowPicture(HWND window, const std::string& bmpPath);
// The colours the screen shows in an area of a window's client area, the
// most frequent first; empty when it could not be read.
std::vector<COLORREF> ColoursShown(HWND window, RECT clientArea);

// Loads a DLL of the tests into the process that runs `window` (its
// DllMain runs there); false when the loading thread could not run.
bool LoadLibraryInto(HWND window, const std::string& dllPath);
bool LoadLibraryInto(DWORD processId, const std::string& dllPath);

// A block of shared memory holding a T under `name`, made by a test for a
// DLL loaded into the program to find; it starts zeroed and goes with the
// object (the program keeps its own view).
template <typename T>
class SharedBlock {
public:
    explicit SharedBlock(const std::string& name)
        : mapping_(
              CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(T), name.c_str())) {
        if (mapping_.Valid())
            view_ = static_cast<T*>(MapViewOfFile(mapping_.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    }
    SharedBlock(const SharedBlock&) = delete;
    SharedBlock& operator=(const SharedBlock&) = delete;
    ~SharedBlock() {
        if (view_) UnmapViewOfFile(view_);
    }
    [[nodiscard]] T* Get() const { return view_; }
    T* operator->() const { return view_; }

private:
    UniqueKernelHandle mapping_;
    T* view_ = nullptr;
};

void PostClose(HWND window);  // as the caption's close button does
// The end of the Windows session as an installer or the Restart Manager
// ends it for one window (WM_QUERYENDSESSION, then WM_ENDSESSION with
// `reason`, e.g. ENDSESSION_CLOSEAPP); true when the window agreed to end.
bool SendEndSession(HWND window, LPARAM reason);
// Ends the Wine session as a log-off or shutdown does
// (`wineboot --end-session --shutdown`); true when wineboot ran and ended.
bool EndWineSession();
void PostCommand(HWND window, int commandId);  // a menu command, as WM_COMMAND

// A message box as the user sees it.
struct ButtonView {
    int id = 0;
    std::string text;
};
struct MessageBoxView {
    HWND window = nullptr;
    std::string title;
    std::string text;
    std::vector<ButtonView> buttons;  // visible push buttons, in z order
    bool hasIcon = false;
};
MessageBoxView ReadMessageBox(HWND box);
// The first visible message box (dialog class #32770) of the process.
std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, Millis timeout = DefaultTimeout);
// The first visible message box of the process other than `previous` (one
// that has just been dismissed and may not have gone yet).
std::optional<MessageBoxView> WaitForNextMessageBox(DWORD processId, HWND previous,
                                                    Millis timeout = DefaultTimeout);
// Presses the dialog's button `id` (1 = OK) as a click would.
void PressDialogButton(HWND dialog, int id);

// ---------------------------------------------------------------------------
// Controls of another process, read through memory placed in it.

class ListViewReader {
public:
    explicit ListViewReader(HWND listView) : listView_(listView) {}

    [[nodiscard]] int ItemCount() const;
    [[nodiscard]] std::string Text(int item, int column) const;
    [[nodiscard]] std::vector<std::string> Row(int item) const;
    [[nodiscard]] std::vector<std::vector<std::string>> Rows() const;
    [[nodiscard]] int SelectedItem() const;      // -1 when none
    [[nodiscard]] bool Checked(int item) const;  // its check box ticked (LVS_EX_CHECKBOXES)
    // Client coordinates of the list view; `part` LVIR_BOUNDS (the whole
    // row), LVIR_LABEL (the first column's text), ...
    [[nodiscard]] RECT ItemRect(int item, int part = LVIR_BOUNDS) const;

    [[nodiscard]] HWND Header() const;
    [[nodiscard]] int ColumnCount() const;
    [[nodiscard]] std::vector<std::string> ColumnTitles() const;
    [[nodiscard]] RECT HeaderItemRect(int column) const;  // client coordinates of the header

private:
    HWND listView_;
};

class TabReader {
public:
    explicit TabReader(HWND tabControl) : tab_(tabControl) {}

    [[nodiscard]] int Count() const;
    [[nodiscard]] int Selected() const;
    [[nodiscard]] std::string Caption(int tab) const;
    [[nodiscard]] RECT ItemRect(int tab) const;  // client coordinates of the tab control

private:
    HWND tab_;
};

// ---------------------------------------------------------------------------
// Real input: the window is brought to the foreground and the mouse and
// keyboard events go through the system's input queue. None of these wait
// for the program to react; poll for the effect.

enum class MouseButton { Left, Right };

bool BringToFront(HWND window);
// Waits until `window` can take a user's input as a user's would reach it:
// it and its top-level window shown and enabled, that window the foreground
// window and the active one of its thread, no mouse capture or menu loop
// there, and the thread done with everything sent to it before now (one
// round trip through its queue). Input sent earlier may meet a window that
// is not yet in the state a user sees. False, with a line on the error
// output naming what was missing, when it did not come to that in time.
bool WaitUntilTakesInput(HWND window, Millis timeout = ShortWait);
POINT ToScreen(HWND window, POINT clientPoint);
POINT CentreOf(const RECT& rect);
// The colour the screen shows at a point of a window's client area.
COLORREF ScreenPixel(HWND window, POINT clientPoint);
void ClickAt(POINT screen, MouseButton button = MouseButton::Left, int clicks = 1);
// Clicks at a point given in `window`'s client coordinates, once it takes
// input (see WaitUntilTakesInput).
void ClickIn(HWND window, POINT clientPoint, MouseButton button = MouseButton::Left, int clicks = 1);

// Types text as key strokes (letters, digits, punctuation, space).
void TypeText(std::string_view text);
// One key with optional modifiers held (VK_SHIFT, VK_CONTROL, VK_MENU).
void PressKey(WORD virtualKey, std::initializer_list<WORD> modifiers = {});

// Clicks a tab and returns once the program has handled the click.
void ClickTab(HWND tabControl, int tab);
void ClickHeader(HWND listView, int column);
void ClickItem(HWND listView, int item, MouseButton button = MouseButton::Left, int clicks = 1);
// A right click on row `item`, or below the last row when `item` is -1.
void RightClickList(HWND listView, int item = -1);
void ClickCentre(HWND control);
void ClickButton(HWND parent, int id);
// The popup menu (class #32768) that the process shows, or null.
HWND WaitForPopupMenu(DWORD processId, Millis timeout = DefaultTimeout);
// Chooses `path` in the process's common file dialog (open or save) titled
// `title`: types it into the dialog's file-name field and presses Enter.
// False when the dialog did not come, did not take the name or stayed open.
bool ChooseInFileDialog(DWORD processId, std::string_view title, const std::string& path,
                        Millis timeout = DefaultTimeout);
// The same for a path that cannot be typed in the ANSI code page: it is put
// into the field as Unicode text and the dialog's OK button is pressed.
bool ChooseInFileDialog(DWORD processId, std::string_view title, const std::wstring& path,
                        Millis timeout = DefaultTimeout);
// Types `path` into that dialog and presses Enter, without waiting for the
// dialog to close (it may ask a question first); the dialog, or null.
HWND EnterInFileDialog(DWORD processId, std::string_view title, const std::string& path,
                       Millis timeout = DefaultTimeout);

// ---------------------------------------------------------------------------
// The program under test and the scenario it runs in.

// A started process; ended forcibly when it is still running at the end of
// the test, so no scenario leaves a program behind.
class Program {
public:
    // Makes the process anew, for a start that never came to anything.
    using Starter = std::function<Program()>;

    Program() = default;
    Program(UniqueKernelHandle process, DWORD processId)
        : process_(std::move(process)), processId_(processId) {}
    // A start that failed with this system error code.
    explicit Program(DWORD startError) : startError_(startError) {}
    Program(Program&&) noexcept = default;
    Program& operator=(Program&& other) noexcept {
        if (this != &other) {
            Kill();
            process_ = std::move(other.process_);
            processId_ = std::exchange(other.processId_, 0);
            startError_ = other.startError_;
            starter_ = std::move(other.starter_);
        }
        return *this;
    }
    ~Program();

    // The way it was started; WaitForWindow uses it once when the program
    // never started at all.
    void SetStarter(Starter starter) { starter_ = std::move(starter); }

    [[nodiscard]] bool Started() const { return process_.Valid(); }
    [[nodiscard]] DWORD Id() const { return processId_; }
    [[nodiscard]] bool Running() const;
    // The exit code, or nullopt when it still runs after `timeout`.
    std::optional<DWORD> WaitForExit(Millis timeout = DefaultTimeout) const;
    // Its visible top-level window with that title; null when none came
    // within `timeout`, or when the process ended or showed a message box
    // first (so a failed start is seen at once). A process that never made
    // a window at all, hidden ones included, in that time, and ended or not,
    // never started: under Wine that happens very rarely (no output, a
    // tenth of a second). It is then started once more, as it was the first
    // time, and the error output says so; nothing else is ever done twice.
    HWND WaitForWindow(std::string_view title, Millis timeout = DefaultTimeout) const;
    [[nodiscard]] HWND FindWindowTitled(std::string_view title) const;
    std::optional<MessageBoxView> WaitForMessageBox(Millis timeout = DefaultTimeout) const;
    // What the process shows or how it ended, for failure messages.
    [[nodiscard]] std::string Describe() const;
    void Kill();

private:
    [[nodiscard]] bool MadeAnyWindow() const;

    // A start that never came to anything is replaced by a new one behind
    // the same object, also one held as const: the program it stands for is
    // the same.
    mutable UniqueKernelHandle process_;
    mutable DWORD processId_ = 0;
    mutable DWORD startError_ = 0;
    mutable Starter starter_;
};

// Starts any program with the test process's environment; for helper
// programs of the tests themselves.
Program StartProcess(const std::string& path, const std::string& workingFolder);
// The folder of the running test executable.
std::string OwnFolder();

// The two template files of an installation; nullopt leaves a file out.
struct Templates {
    std::optional<std::string> config;
    std::optional<std::string> list;
};

struct LaunchOptions {
    // The working folder; empty means the build's installation folder.
    std::string workingFolder;
    // APPDATA for the program: nullopt leaves it unset, empty means the
    // scenario's own AppData folder.
    std::optional<std::string> appData = std::string();
    // APPDATA set to the empty text (then `appData` is not used).
    bool emptyAppData = false;
    // The program; empty means the build's Quillora.exe.
    std::string program = {};
};

// Sets an environment variable of the test process, which the programs it
// starts inherit, for as long as it lives; the previous value comes back.
class EnvironmentOverride {
public:
    EnvironmentOverride(std::string name, const std::string& value);
    ~EnvironmentOverride();
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

// Points the current user's Documents and Startup shell folders (and the
// roaming AppData folder, when given) at other folders for as long as it
// lives, and puts the previous values back.
class ShellFolderRedirect {
public:
    ShellFolderRedirect(const std::string& documents, const std::string& startup,
                        const std::string& appData = {});
    ~ShellFolderRedirect();
    ShellFolderRedirect(const ShellFolderRedirect&) = delete;
    ShellFolderRedirect& operator=(const ShellFolderRedirect&) = delete;

private:
    struct Saved {
        std::string name;
        bool existed = false;
        DWORD type = 0;
        std::string data;
    };
    std::vector<Saved> saved_;
};

// One test's world: C:\quillora-e2e\<name>\ with fresh AppData, Documents
// and Startup folders, the shell's AppData, Documents and Startup folders
// pointed at them while the scenario lives.
class Scenario {
public:
    // `name` becomes a folder name; characters a folder name can't hold
    // are replaced.
    explicit Scenario(std::string_view name);
    Scenario(const Scenario&) = delete;
    Scenario& operator=(const Scenario&) = delete;

    [[nodiscard]] const std::string& Root() const { return root_; }
    [[nodiscard]] const std::string& AppData() const { return appData_; }
    [[nodiscard]] const std::string& Documents() const { return documents_; }
    [[nodiscard]] const std::string& Startup() const { return startup_; }

    // Where the program keeps its files, as it builds the paths.
    [[nodiscard]] std::string SettingsFolder() const { return appData_ + "\\Quillora\\data"; }
    [[nodiscard]] std::string ListFolder() const { return documents_ + "\\Quillora\\Saved-List"; }
    [[nodiscard]] std::string SettingsFile() const { return SettingsFolder() + "\\config.txt"; }
    [[nodiscard]] std::string ListFile() const { return ListFolder() + "\\list.txt"; }

    // Writes the user's own files before a start (folders made as needed).
    void GiveSettings(std::string_view bytes) const;
    void GiveList(std::string_view bytes) const;

    // A working folder of the scenario with the given templates in its data
    // sub-folder; returns its path.
    std::string MakeWorkingFolder(std::string_view name, const Templates& templates) const;

    Program Launch(const LaunchOptions& options = {}) const;

private:
    std::string root_;
    std::string appData_;
    std::string documents_;
    std::string startup_;
    std::optional<ShellFolderRedirect> redirect_;
};

// The build's installation folder (Quillora.exe with data\ beside it) and
// what its templates hold.
const std::string& InstalledProgramFolder();
std::string InstalledProgramPath();
Templates InstalledTemplates();

inline constexpr std::string_view MainWindowTitle = "QUILLORA";

}  // namespace quillora::e2e
