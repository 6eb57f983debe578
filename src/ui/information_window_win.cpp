#include "ui/information_window_win.h"

#include <string>

#include "base/scoped_win.h"
#include "quillora_version.h"
#include "ui/child_window_win.h"
#include "ui/ids.h"
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

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF DarkGrey = RGB(51, 51, 51);
constexpr COLORREF Grey = RGB(153, 153, 153);

std::string VersionLine() {
    return "Quillora v." + std::to_string(QUILLORA_VERSION_MAJOR) + "." +
           std::to_string(QUILLORA_VERSION_MINOR);
}

// A text's colours and the brush that paints its background.
struct TextColours {
    TextColours(COLORREF textColour, COLORREF backgroundColour)
        : text(textColour), background(backgroundColour), brush(CreateSolidBrush(backgroundColour)) {}
    COLORREF text;
    COLORREF background;
    UniqueBrush brush;
};

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

class InformationWindow : public WindowBase<InformationWindow> {
public:
    explicit InformationWindow(const SharedFonts& fonts)
        : fonts_(fonts), title_(White, Black), heading_(White, DarkGrey), body_(Black, Grey) {}

    void Run(HWND mainWindow) {
        if (Create()) {
            ShowWindow(window_, SW_SHOWNORMAL);
            UpdateWindow(window_);
        }
        RunChildWindowLoop(mainWindow, window_, closed_);
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_COMMAND:
                if (lParam != 0) OnCommand(LOWORD(wParam));  // the buttons; the window has no menu
                return 0;
            case WM_CTLCOLORSTATIC:
                return OnStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
            case WM_CLOSE:
                closed_ = true;
                return 0;
            default:
                return DefaultHandling(message, wParam, lParam);
        }
    }

private:
    bool Create() {
        if (!CreateCentred(InformationWindowClass, "INFORMATION", InformationWindowStyle,
                           InformationWindowExStyle, ClientWidth, ClientHeight))
            return false;
        CreateControls();
        return true;
    }

    void CreateControls() {
        SetFont(CreateControl(window_, InfoTitleId, "STATIC", "INFORMATION:", SS_CENTER | SS_CENTERIMAGE,
                              WS_EX_CLIENTEDGE, 0, 5, 280, 30),
                fonts_.title.Get());
        SetFont(CreateControl(window_, InfoFactsHeadingId, "STATIC", "Facts:", SS_CENTER, 0, 10, 45, 260, 18),
                fonts_.caption.Get());
        SetFont(CreateControl(window_, InfoCreditsHeadingId, "STATIC",
                              "Developing, Programing, Publishing:", SS_CENTER, 0, 10, 105, 260, 18),
                fonts_.caption.Get());
        CreateControl(window_, InfoVersionId, "STATIC", VersionLine().c_str(), SS_CENTER, 0, 45, 67, 190, 18);
        CreateControl(window_, InfoCreditsId, "STATIC", Credits().c_str(), SS_CENTER, 0, 45, 127, 190, 45);
        CreateControl(window_, InfoWebsiteButtonId, "BUTTON", "WEBSITE", WS_TABSTOP | BS_PUSHBUTTON, 0, 190,
                      195, 80, 25);
        CreateControl(window_, InfoCloseButtonId, "BUTTON", "CLOSE", WS_TABSTOP | BS_PUSHBUTTON, 0, 10, 195,
                      80, 25);
    }

    void OnCommand(int id) {
        switch (id) {
            case InfoWebsiteButtonId:
                OpenWebPage(QUILLORA_WEBSITE_URL);
                closed_ = true;
                break;
            case InfoCloseButtonId:
                closed_ = true;
                break;
            default:
                break;
        }
    }

    LRESULT OnStaticColour(HDC dc, HWND control, UINT message) {
        const TextColours* colours = ColoursOf(GetDlgCtrlID(control));
        if (!colours || !colours->brush)
            return DefaultHandling(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
        SetTextColor(dc, colours->text);
        SetBkColor(dc, colours->background);
        return reinterpret_cast<LRESULT>(colours->brush.Get());
    }

    [[nodiscard]] const TextColours* ColoursOf(int id) const {
        switch (id) {
            case InfoTitleId:
                return &title_;
            case InfoFactsHeadingId:
            case InfoCreditsHeadingId:
                return &heading_;
            case InfoVersionId:
            case InfoCreditsId:
                return &body_;
            default:
                return nullptr;
        }
    }

    static void SetFont(HWND control, HFONT font) {
        if (control && font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }

    const SharedFonts& fonts_;
    TextColours title_;
    TextColours heading_;
    TextColours body_;
    bool closed_ = false;
};

}  // namespace

void RunInformationWindow(HWND mainWindow, const SharedFonts& fonts) {
    InformationWindow window(fonts);
    window.Run(mainWindow);
}

}  // namespace quillora
