#include "ui/entry_dialog_win.h"

#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "base/scoped_win.h"
#include "storage/number_text.h"
#include "ui/accessible_names_win.h"
#include "ui/control_names.h"
#include "ui/digit_filter.h"
#include "ui/ids.h"
#include "ui/message_box_win.h"
#include "ui/modal_window_win.h"
#include "ui/window_base_win.h"

namespace quillora {
namespace {

constexpr char EntryDialogClass[] = "QuilloraEntryDialog";
constexpr DWORD EntryDialogStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Tab and Shift+Tab walk through the controls of this window.
constexpr DWORD EntryDialogExStyle = WS_EX_CONTROLPARENT;
constexpr int ClientWidth = 300;
constexpr int ClientHeight = 230;

struct DateFieldLayout {
    int id;
    int x;
    int width;
    int lowest;
    int highest;
};
// One label over the three fields, its words lined up by spaces.
constexpr char DateLabel[] = "Day:                   Month:                    Year:";
constexpr int DateFieldTop = 125;
constexpr int DateFieldHeight = 20;
constexpr std::array<DateFieldLayout, 3> DateFields = {{
    {DayFieldId, 65, 30, 1, 31},
    {MonthFieldId, 145, 30, 1, 12},
    {YearFieldId, 230, 40, 1900, 3000},
}};

class EntryDialog : public ModalWindow<EntryDialog> {
public:
    explicit EntryDialog(const EntryDialogRequest& request) : request_(request) {}

    std::optional<BirthdayEntry> Run(HWND mainWindow) {
        // Start in the name field with its text selected, so that typing
        // replaces it; the program moving the focus is no user event.
        RunModal(mainWindow, [this] {
            WithoutEvents([this] {
                HWND nameField = GetDlgItem(Window(), NameFieldId);
                SetFocus(nameField);
                SendMessageA(nameField, EM_SETSEL, 0, -1);
            });
        });
        return std::move(result_);
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_NOTIFY:
                OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
                return 0;
            case WM_VSCROLL:
                if (lParam != 0) OnFieldEvent(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
                return 0;
            default:
                return HandleModalMessage(message, wParam, lParam);
        }
    }

    [[nodiscard]] static StaticLook LookOfStatic(int id) {
        return id == DialogTitleId ? StaticLook::Title : StaticLook::Plain;
    }
    void OnDpiChanged() { SpaceDateLabel(); }

private:
    friend class ModalWindow<EntryDialog>;

    bool Create() {
        const char* title = request_.editMode ? "EDIT ENTRY" : "NEW ENTRY";
        if (!CreateCentred(EntryDialogClass, title, EntryDialogStyle, EntryDialogExStyle, ClientWidth,
                           ClientHeight))
            return false;
        TakeWindowDpi();
        WithoutEvents([this, title] {
            CreateControls(title);
            ShowRequest();
        });
        return true;
    }

    void CreateControls(const char* title) {
        layout_.Create(Window(), DialogTitleId, "STATIC", title, SS_CENTER | SS_CENTERIMAGE, WS_EX_CLIENTEDGE,
                       {0, 5, 300, 30}, FontRole::Title);
        // The frame's inside is never painted (an owner-drawn static that
        // draws nothing), so the controls inside it show through.
        layout_.Create(Window(), DialogFrameId, "STATIC", "", SS_OWNERDRAW,
                       WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT, {5, 35, 290, 155});
        layout_.Create(Window(), NameGroupId, "BUTTON", "Name:", BS_GROUPBOX, 0, {20, 45, 260, 50},
                       FontRole::Caption);
        layout_.Create(Window(), NameFieldId, "EDIT", "Name", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                       WS_EX_CLIENTEDGE, {30, 65, 240, 20});
        layout_.Create(Window(), BirthdayGroupId, "BUTTON", "Birthday:", BS_GROUPBOX, 0, {20, 105, 260, 50},
                       FontRole::Caption);
        layout_.Create(Window(), DateLabelId, "STATIC", DateLabel, SS_LEFT, 0, {30, 128, 240, 20});
        SpaceDateLabel();
        for (const DateFieldLayout& field : DateFields)
            CreateDateField(field);
        layout_.Create(Window(), RemindBoxId, "BUTTON", "Remind this birthday", WS_TABSTOP | BS_AUTOCHECKBOX,
                       0, {95, 165, 115, 20});
        layout_.Create(Window(), CancelButtonId, "BUTTON", "CANCEL", WS_TABSTOP | BS_PUSHBUTTON, 0,
                       {10, 200, 100, 25});
        layout_.Create(Window(), OkButtonId, "BUTTON", "OK", WS_TABSTOP | BS_PUSHBUTTON, 0,
                       {190, 200, 100, 25});
        for (const ControlName& field : EntryFieldNames)
            accessibleNames_.Name(GetDlgItem(Window(), field.id), field.name);
    }

    // At 96 DPI the label as designed; at another DPI its words start where
    // their 96-DPI places, scaled, are.
    void SpaceDateLabel() {
        HWND label = GetDlgItem(Window(), DateLabelId);
        if (!label) return;
        if (theme_.Dpi() == DesignDpi) {
            SetWindowTextA(label, DateLabel);
            return;
        }
        const WindowDC labelDC(label);
        if (!labelDC) return;
        HDC dc = labelDC.Get();
        const UniqueFont designFont = CreateGuiFont(DesignDpi);
        auto widthIn = [dc](HFONT font) {
            return [dc, font](const std::string& text) {
                const HGDIOBJ previous = SelectObject(dc, font);
                SIZE size{};
                GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
                SelectObject(dc, previous);
                return static_cast<int>(size.cx);
            };
        };
        const std::string text = DateLabel;
        const auto designWidth = widthIn(designFont.Get());
        const std::vector<int> starts = {0, theme_.Scale(designWidth(text.substr(0, text.find("Month:")))),
                                         theme_.Scale(designWidth(text.substr(0, text.find("Year:"))))};
        const std::string spaced =
            SpacedWords({"Day:", "Month:", "Year:"}, starts, widthIn(theme_.Font(FontRole::Gui)));
        SetWindowTextA(label, spaced.c_str());
    }

    // A text part with its arrows at the right end of the field's rectangle,
    // as wide as half the field's height. The arrows carry the field's id,
    // so that their events are the field's events.
    void CreateDateField(const DateFieldLayout& field) {
        const int arrowsWidth = DateFieldHeight / 2;
        HWND text = layout_.Create(Window(), field.id, "EDIT", "", WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL,
                                   WS_EX_CLIENTEDGE,
                                   {field.x, DateFieldTop, field.width - arrowsWidth, DateFieldHeight});
        // Plain digits when stepping, no wrap-around at the ends; the Up and
        // Down keys step too. The arrows read the number from the text at
        // every step, so what the user typed is where they start.
        const Box arrowsBox{field.x + field.width - arrowsWidth, DateFieldTop, arrowsWidth, DateFieldHeight};
        HWND arrows = layout_.Create(Window(), field.id, UPDOWN_CLASSA, "",
                                     UDS_SETBUDDYINT | UDS_NOTHOUSANDS | UDS_ARROWKEYS, 0, arrowsBox);
        if (!text || !arrows) return;
        // No margins, so that a four-digit year fits the narrow text part.
        SendMessageA(text, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
        SendMessageA(arrows, UDM_SETRANGE32, field.lowest, field.highest);
        SendMessageA(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(text), 0);
        // Taking a buddy may give the arrows a width of their own choosing.
        layout_.Place(arrows, arrowsBox);
    }

    void ShowRequest() {
        const BirthdayEntry& shown = request_.shown;
        SetText(NameFieldId, shown.Name);
        SetText(DayFieldId, shown.Day);
        SetText(MonthFieldId, shown.Month);
        SetText(YearFieldId, shown.Year);
        const bool ticked = NumberFromText(shown.Remind) != 0;
        SendDlgItemMessageA(Window(), RemindBoxId, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    void OnCommand(int id) {
        switch (id) {
            case NameFieldId:
            case DayFieldId:
            case MonthFieldId:
            case YearFieldId:
                OnFieldEvent(id);
                break;
            case CancelButtonId:
                Close();
                break;
            case OkButtonId:
                OnOk();
                break;
            default:
                break;
        }
    }

    void OnNotify(const NMHDR& header) {
        if (header.code == UDN_DELTAPOS) OnFieldEvent(static_cast<int>(header.idFrom));
    }

    void OnFieldEvent(int id) {
        if (quiet_) return;
        if (id == NameFieldId || id == DayFieldId || id == MonthFieldId || id == YearFieldId)
            CleanDateFields(id);
    }

    // Every date field but the source keeps only its digits. The source is
    // left alone, so the user's caret there isn't disturbed.
    void CleanDateFields(int source) {
        for (const DateFieldLayout& field : DateFields) {
            if (field.id != source) CleanDateField(field.id);
        }
    }

    // Writing the text back puts the caret at the start; the focus may be
    // on its way into this very field (Tab from the name field selects its
    // text first), so the selection is kept where the text stays the same.
    void CleanDateField(int id) {
        const std::string text = Text(id);
        const std::string digits = StripNonDigits(text);
        DWORD start = 0;
        DWORD end = 0;
        HWND field = GetDlgItem(Window(), id);
        SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        SetText(id, digits);
        if (digits == text) SendMessageA(field, EM_SETSEL, start, end);
    }

    void OnOk() {
        CleanDateFields(OkButtonId);
        BirthdayEntry entry{Text(NameFieldId),
                            Text(DayFieldId),
                            Text(MonthFieldId),
                            Text(YearFieldId),
                            IsDlgButtonChecked(Window(), RemindBoxId) == BST_CHECKED ? "1" : "0",
                            "1"};
        if (!request_.editMode && request_.nameTaken && request_.nameTaken(entry.Name)) {
            ShowError(Window(), "THIS PERSON IS ALREADY IN THE LIST!", false);
            return;
        }
        result_ = std::move(entry);
        Close();
    }

    [[nodiscard]] std::string Text(int id) const {
        HWND control = GetDlgItem(Window(), id);
        const int length = GetWindowTextLengthA(control);
        if (length <= 0) return {};
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        const int copied = GetWindowTextA(control, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
        return text;
    }

    // The program's own changes to a field are not the user's typing: the
    // field reports them (EN_CHANGE) but they raise no event.
    void SetText(int id, const std::string& text) {
        WithoutEvents([&] { SetDlgItemTextA(Window(), id, text.c_str()); });
    }

    template <typename Action>
    void WithoutEvents(Action action) {
        const bool wasQuiet = quiet_;
        quiet_ = true;
        action();
        quiet_ = wasQuiet;
    }

    const EntryDialogRequest& request_;
    bool quiet_ = false;
    std::optional<BirthdayEntry> result_;
    AccessibleNames accessibleNames_;
};

}  // namespace

std::optional<BirthdayEntry> RunEntryDialog(HWND mainWindow, const EntryDialogRequest& request) {
    EntryDialog dialog(request);
    return dialog.Run(mainWindow);
}

}  // namespace quillora
