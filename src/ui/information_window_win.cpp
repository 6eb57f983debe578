#include "ui/information_window_win.h"

#include <string>

#include "base/scoped_win.h"
#include "quillora_version.h"
#include "ui/ids.h"
#include "ui/modal_window_win.h"
#include "ui/web_page_win.h"
#include "ui/window_base_win.h"

namespace quillora {
namespace {

constexpr char InformationWindowClass[] = "QuilloraInformation";
// A caption only: the window closes through its own buttons.
constexpr DWORD InformationWindowStyle = WS_OVERLAPPED | WS_CAPTION;
constexpr DWORD InformationWindowExStyle = WS_EX_CONTROLPARENT;
constexpr int ClientWidth = 280;
constexpr int ClientHeight = 225;

std::string VersionLine() {
    return "Quillora v." + std::to_string(QUILLORA_VERSION_MAJOR) + "." +
           std::to_string(QUILLORA_VERSION_MINOR);
}

// The website's host: the address without its scheme and trailing slash.
std::string WebsiteHost() {
    std::string host = QUILLORA_WEBSITE_URL;
    if (const auto scheme = host.find("://"); scheme != std::string::npos) host.erase(0, scheme + 3);
    while (!host.empty() && host.back() == '/')
        host.pop_back();
    return host;
}

std::string Credits() {
    const std::string host = WebsiteHost();
    return "Quillora team\ncontact@" + host + "\n" + host;
}

class InformationWindow : public ModalWindow<InformationWindow> {
public:
    InformationWindow() = default;

    void Run(HWND mainWindow) { RunModal(mainWindow); }

    [[nodiscard]] static StaticLook LookOfStatic(int id) {
        switch (id) {
            case InfoTitleId:
                return StaticLook::Title;
            case InfoFactsHeadingId:
            case InfoCreditsHeadingId:
                return StaticLook::Heading;
            case InfoVersionId:
            case InfoCreditsId:
                return StaticLook::Body;
            default:
                return StaticLook::Plain;
        }
    }

private:
    friend class ModalWindow<InformationWindow>;

    bool Create() {
        if (!CreateCentred(InformationWindowClass, "INFORMATION", InformationWindowStyle,
                           InformationWindowExStyle, ClientWidth, ClientHeight))
            return false;
        TakeWindowDpi();
        CreateControls();
        return true;
    }

    void CreateControls() {
        layout_.Create(Window(), InfoTitleId, "STATIC", "INFORMATION:", SS_CENTER | SS_CENTERIMAGE,
                       WS_EX_CLIENTEDGE, {0, 5, 280, 30}, FontRole::Title);
        layout_.Create(Window(), InfoFactsHeadingId, "STATIC", "Facts:", SS_CENTER, 0, {10, 45, 260, 18},
                       FontRole::Caption);
        layout_.Create(Window(), InfoCreditsHeadingId, "STATIC",
                       "Developing, Programing, Publishing:", SS_CENTER, 0, {10, 105, 260, 18},
                       FontRole::Caption);
        layout_.Create(Window(), InfoVersionId, "STATIC", VersionLine().c_str(), SS_CENTER, 0,
                       {45, 67, 190, 18});
        layout_.Create(Window(), InfoCreditsId, "STATIC", Credits().c_str(), SS_CENTER, 0,
                       {45, 127, 190, 45});
        layout_.Create(Window(), InfoWebsiteButtonId, "BUTTON", "WEBSITE", WS_TABSTOP | BS_PUSHBUTTON, 0,
                       {190, 195, 80, 25});
        layout_.Create(Window(), InfoCloseButtonId, "BUTTON", "CLOSE", WS_TABSTOP | BS_PUSHBUTTON, 0,
                       {10, 195, 80, 25});
    }

    void OnCommand(int id) {
        switch (id) {
            case InfoWebsiteButtonId:
                OpenWebPage(QUILLORA_WEBSITE_URL);
                Close();
                break;
            case InfoCloseButtonId:
                Close();
                break;
            default:
                break;
        }
    }
};

}  // namespace

void RunInformationWindow(HWND mainWindow) {
    InformationWindow window;
    window.Run(mainWindow);
}

}  // namespace quillora
