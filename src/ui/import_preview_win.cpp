#include "ui/import_preview_win.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "ui/ids.h"
#include "ui/list_view_win.h"
#include "ui/message_box_win.h"
#include "ui/modal_window_win.h"
#include "ui/window_base_win.h"

namespace quillora {
namespace {

constexpr DWORD ImportPreviewStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD ImportPreviewExStyle = WS_EX_CONTROLPARENT;
constexpr int ClientWidth = 480;
constexpr int ClientHeight = 400;

constexpr std::array<ListColumnLayout, 5> Columns = {{
    {"NAME", 155},
    {"DAY", 45},
    {"MONTH", 60},
    {"YEAR", 50},
    {"STATE", 125},
}};

constexpr UINT CheckedImage = INDEXTOSTATEIMAGEMASK(2);
constexpr UINT UncheckedImage = INDEXTOSTATEIMAGEMASK(1);

class ImportPreview : public ModalWindow<ImportPreview> {
public:
    ImportPreview(const ImportPlan& plan, const std::string& heading) : plan_(plan), heading_(heading) {}

    std::optional<std::vector<bool>> Run(HWND mainWindow) {
        RunModal(
            mainWindow, [this] { SetFocus(List()); }, [this](const MSG& message) { return OnKey(message); });
        return std::move(result_);
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NOTIFY) return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return HandleModalMessage(message, wParam, lParam);
    }

    [[nodiscard]] static StaticLook LookOfStatic(int id) {
        return id == ImportTitleId ? StaticLook::Title : StaticLook::Plain;
    }
    void OnDpiChanged() { ScaleListColumns(List(), Columns, theme_); }

private:
    friend class ModalWindow<ImportPreview>;

    bool Create() {
        if (!CreateCentred(ImportPreviewClass, "IMPORT", ImportPreviewStyle, ImportPreviewExStyle,
                           ClientWidth, ClientHeight))
            return false;
        TakeWindowDpi();
        layout_.Create(Window(), ImportTitleId, "STATIC", heading_.c_str(), SS_CENTER | SS_CENTERIMAGE,
                       WS_EX_CLIENTEDGE, {0, 5, 480, 30}, FontRole::Title);
        HWND list =
            layout_.Create(Window(), ImportListId, WC_LISTVIEWA, "",
                           WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                           WS_EX_CLIENTEDGE, {10, 45, 460, 285});
        layout_.Create(Window(), ImportCountId, "STATIC", "", SS_LEFT, 0, {10, 338, 460, 18});
        layout_.Create(Window(), ImportCancelButtonId, "BUTTON", "CANCEL", WS_TABSTOP | BS_PUSHBUTTON, 0,
                       {10, 365, 100, 25});
        layout_.Create(Window(), ImportButtonId, "BUTTON", "IMPORT", WS_TABSTOP | BS_PUSHBUTTON, 0,
                       {370, 365, 100, 25});
        if (list) {
            SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                         LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
            AddListColumns(list, Columns, theme_);
            Fill(list);
        }
        ShowTickCount();
        return true;
    }

    // Redraw is off for the fill: a list view under Wine is slow to take
    // rows one by one while it paints.
    void Fill(HWND list) {
        filling_ = true;
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list, LVM_SETITEMCOUNT, plan_.rows.size(), 0);
        const std::vector<bool> ticks = plan_.InitialTicks();
        for (std::size_t row = 0; row < plan_.rows.size(); ++row) {
            const int at = AppendListRow(list, RowTexts(plan_.rows[row]), static_cast<LPARAM>(row));
            if (at < 0) continue;
            SetState(at, ticks[row] ? CheckedImage : UncheckedImage, LVIS_STATEIMAGEMASK);
        }
        if (!plan_.rows.empty()) SetState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        filling_ = false;
    }

    void SetState(int item, UINT state, UINT mask) const {
        LVITEMA change{};
        change.state = state;
        change.stateMask = mask;
        SendMessageA(List(), LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&change));
    }

    [[nodiscard]] HWND List() const { return GetDlgItem(Window(), ImportListId); }

    // One tick per row of the plan, as the list shows them; rows carry their
    // place in the plan.
    [[nodiscard]] std::vector<bool> Ticks() const {
        std::vector<bool> ticks(plan_.rows.size(), false);
        HWND list = List();
        const auto count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int item = 0; item < count; ++item) {
            const auto state =
                static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK));
            const std::size_t row = RowOf(item);
            if (row < ticks.size()) ticks[row] = state == CheckedImage;
        }
        return ticks;
    }

    [[nodiscard]] std::size_t RowOf(int item) const {
        const std::optional<LPARAM> row = ListRowKey(List(), item);
        return row ? static_cast<std::size_t>(*row) : plan_.rows.size();
    }

    [[nodiscard]] static int CountTicks(const std::vector<bool>& ticks) {
        int count = 0;
        for (const bool ticked : ticks)
            count += ticked ? 1 : 0;
        return count;
    }

    void ShowTickCount() {
        const std::string text = TickCountText(plan_.freePlaces, CountTicks(Ticks()));
        SetDlgItemTextA(Window(), ImportCountId, text.c_str());
    }

    LRESULT OnNotify(const NMHDR& header) {
        if (header.idFrom != ImportListId || filling_) return 0;
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const bool imageChanges = (change.uChanged & LVIF_STATE) != 0 &&
                                  ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) != 0;
        if (!imageChanges || change.iItem < 0) return 0;
        if (header.code == LVN_ITEMCHANGING) {
            // Only people who can be added take a tick.
            const std::size_t row = RowOf(change.iItem);
            const bool ticking = (change.uNewState & LVIS_STATEIMAGEMASK) == CheckedImage;
            return ticking && (row >= plan_.rows.size() || !CanTick(plan_.rows[row].state)) ? TRUE : FALSE;
        }
        if (header.code == LVN_ITEMCHANGED) ShowTickCount();
        return 0;
    }

    void OnCommand(int id) {
        if (id == ImportButtonId) OnImport();
        if (id == ImportCancelButtonId) Close();
    }

    // Enter imports (but presses CANCEL when that button has the focus),
    // Esc cancels; Space in the list ticks and unticks the focused row.
    bool OnKey(const MSG& message) {
        if (message.message != WM_KEYDOWN || GetAncestor(message.hwnd, GA_ROOT) != Window()) return false;
        if (message.wParam == VK_ESCAPE) {
            Close();
            return true;
        }
        if (message.wParam != VK_RETURN) return false;
        if (GetFocus() == GetDlgItem(Window(), ImportCancelButtonId)) {
            Close();
        } else {
            OnImport();
        }
        return true;
    }

    void OnImport() {
        std::vector<bool> ticks = Ticks();
        const std::string refusal = TooManyTickedText(plan_.freePlaces, CountTicks(ticks));
        if (!refusal.empty()) {
            ShowError(Window(), refusal, false);
            return;
        }
        result_ = std::move(ticks);
        Close();
    }

    const ImportPlan& plan_;
    const std::string& heading_;
    bool filling_ = false;
    std::optional<std::vector<bool>> result_;
};

}  // namespace

std::optional<std::vector<bool>> RunImportPreview(HWND mainWindow, const ImportPlan& plan,
                                                  const std::string& heading) {
    ImportPreview preview(plan, heading);
    return preview.Run(mainWindow);
}

}  // namespace quillora
