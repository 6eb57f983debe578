// Quillora: a birthday list for Windows.
#include <windows.h>
#include <commctrl.h>

#include "app/application_win.h"
#include "app/startup_profile.h"
#include "app/startup_win.h"
#include "base/scoped_win.h"
#include "ui/modal_window_win.h"
#include "ui/single_instance_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    quillora::MarkStartupStep("entry");
    INITCOMMONCONTROLSEX controls{
        sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    quillora::MarkStartupStep("controls");
    // COM stays initialised for the whole run; the autostart shortcut needs it.
    const quillora::ComInit com;
    quillora::MarkStartupStep("com");

    // A second start touches no file: the copy that runs comes forward.
    quillora::SingleInstance instance;
    if (!instance.Claim("Quillora")) {
        // Its main window, or the dialog or message box open over it.
        if (HWND running = quillora::RunningCopysWindow(quillora::MainWindow::ClassName)) {
            quillora::BringToFront(quillora::WindowTakingInput(running));
        }
        return 0;
    }

    quillora::MarkStartupStep("instance");
    auto userData = quillora::PrepareUserData();
    quillora::MarkStartupStep("files");
    if (!userData) return 0;
    quillora::Application application(std::move(*userData));
    if (application.Start()) application.Run();
    // The exit code is 0 after a failed start as after a normal quit.
    return 0;
}
