// Reading another process's list views, headers and tab controls. Their
// messages take pointers, so the structures and text buffers are placed in
// the owning process and read back from there.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "driver.h"

namespace quillora::e2e {

bool LoadLibraryInto(HWND window, const std::string& dllPath) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return LoadLibraryInto(processId, dllPath);
}

bool LoadLibraryInto(DWORD processId, const std::string& dllPath) {
    const UniqueKernelHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
    if (!process) return false;
    void* remotePath =
        VirtualAllocEx(process.Get(), nullptr, dllPath.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    bool ran = false;
    if (remotePath &&
        WriteProcessMemory(process.Get(), remotePath, dllPath.c_str(), dllPath.size() + 1, nullptr)) {
        auto* loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
        const UniqueKernelHandle thread(
            CreateRemoteThread(process.Get(), nullptr, 0, loadLibrary, remotePath, 0, nullptr));
        ran = thread && WaitForSingleObject(thread.Get(), 10000) == WAIT_OBJECT_0;
    }
    if (remotePath) VirtualFreeEx(process.Get(), remotePath, 0, MEM_RELEASE);
    return ran;
}

RemoteMemory::RemoteMemory(HWND window, std::size_t size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_.Reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process_) return;
    address_ = VirtualAllocEx(process_.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (address_) size_ = size;
}

void RemoteMemory::Free() {
    if (address_ && process_) VirtualFreeEx(process_.Get(), address_, 0, MEM_RELEASE);
    address_ = nullptr;
    size_ = 0;
}

bool RemoteMemory::Write(std::size_t offset, const void* data, std::size_t size) const {
    if (!address_ || offset + size > size_) return false;
    SIZE_T done = 0;
    return WriteProcessMemory(process_.Get(), At(offset), data, size, &done) && done == size;
}

bool RemoteMemory::Read(std::size_t offset, void* data, std::size_t size) const {
    if (!address_ || offset + size > size_) return false;
    SIZE_T done = 0;
    return ReadProcessMemory(process_.Get(), At(offset), data, size, &done) && done == size;
}

std::string RemoteMemory::ReadText(std::size_t offset, std::size_t capacity) const {
    std::string text(capacity, '\0');
    if (!Read(offset, text.data(), capacity)) return {};
    text.resize(std::min(text.find('\0'), capacity));
    return text;
}

namespace {

constexpr UINT SendTimeoutMs = 5000;
constexpr std::size_t FirstTextCapacity = 256;
// Far beyond any text a control of the program could hold; only a guard
// against looping for ever on a control that misreports lengths.
constexpr std::size_t MaxTextCapacity = 1 << 24;

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, SendTimeoutMs, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

// Asks `window` for a structure `Item` whose text pointer the caller sets;
// the text buffer lies right behind the structure in the other process, and
// grows until the text fits.
template <typename Item, typename Prepare>
std::string ReadTextThrough(HWND window, UINT message, WPARAM wParam, Prepare prepare) {
    for (std::size_t capacity = FirstTextCapacity; capacity <= MaxTextCapacity; capacity *= 4) {
        RemoteMemory memory(window, sizeof(Item) + capacity);
        if (!memory.Valid()) return {};
        Item item{};
        prepare(item, static_cast<char*>(memory.At(sizeof(Item))), static_cast<int>(capacity));
        std::string zeros(capacity, '\0');
        if (!memory.Write(item) || !memory.Write(sizeof(Item), zeros.data(), zeros.size())) return {};
        Send(window, message, wParam, reinterpret_cast<LPARAM>(memory.At()));
        std::string text = memory.ReadText(sizeof(Item), capacity);
        if (text.size() + 1 < capacity) return text;
    }
    return {};
}

// A rectangle that a message fills in place; `seed` is what the message
// expects in it beforehand (LVM_GETITEMRECT reads the wanted part from
// rect.left).
RECT ReadRectThrough(HWND window, UINT message, WPARAM wParam, RECT seed = {}) {
    RemoteMemory memory(window, sizeof(RECT));
    RECT rect = seed;
    if (!memory.Write(rect)) return RECT{};
    if (!Send(window, message, wParam, reinterpret_cast<LPARAM>(memory.At()))) return RECT{};
    memory.Read(rect);
    return rect;
}

}  // namespace

int ListViewReader::ItemCount() const {
    return static_cast<int>(Send(listView_, LVM_GETITEMCOUNT, 0, 0));
}

std::string ListViewReader::Text(int item, int column) const {
    return ReadTextThrough<LVITEMA>(listView_, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                                    [&](LVITEMA& lvItem, char* buffer, int capacity) {
                                        lvItem.iSubItem = column;
                                        lvItem.pszText = buffer;
                                        lvItem.cchTextMax = capacity;
                                    });
}

std::vector<std::string> ListViewReader::Row(int item) const {
    std::vector<std::string> cells;
    const int columns = ColumnCount();
    for (int column = 0; column < columns; ++column)
        cells.push_back(Text(item, column));
    return cells;
}

std::vector<std::vector<std::string>> ListViewReader::Rows() const {
    std::vector<std::vector<std::string>> rows;
    const int count = ItemCount();
    for (int item = 0; item < count; ++item)
        rows.push_back(Row(item));
    return rows;
}

int ListViewReader::SelectedItem() const {
    return static_cast<int>(Send(listView_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool ListViewReader::Checked(int item) const {
    const LRESULT state = Send(listView_, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_STATEIMAGEMASK);
    return (static_cast<UINT>(state) & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

RECT ListViewReader::ItemRect(int item, int part) const {
    RECT seed{};
    seed.left = part;
    return ReadRectThrough(listView_, LVM_GETITEMRECT, static_cast<WPARAM>(item), seed);
}

HWND ListViewReader::Header() const {
    return reinterpret_cast<HWND>(Send(listView_, LVM_GETHEADER, 0, 0));
}

int ListViewReader::ColumnCount() const {
    HWND header = Header();
    return header ? static_cast<int>(Send(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::vector<std::string> ListViewReader::ColumnTitles() const {
    std::vector<std::string> titles;
    HWND header = Header();
    const int columns = ColumnCount();
    for (int column = 0; column < columns; ++column) {
        titles.push_back(ReadTextThrough<HDITEMA>(header, HDM_GETITEMA, static_cast<WPARAM>(column),
                                                  [](HDITEMA& item, char* buffer, int capacity) {
                                                      item.mask = HDI_TEXT;
                                                      item.pszText = buffer;
                                                      item.cchTextMax = capacity;
                                                  }));
    }
    return titles;
}

RECT ListViewReader::HeaderItemRect(int column) const {
    return ReadRectThrough(Header(), HDM_GETITEMRECT, static_cast<WPARAM>(column));
}

int TabReader::Count() const {
    return static_cast<int>(Send(tab_, TCM_GETITEMCOUNT, 0, 0));
}

int TabReader::Selected() const {
    return static_cast<int>(Send(tab_, TCM_GETCURSEL, 0, 0));
}

std::string TabReader::Caption(int tab) const {
    return ReadTextThrough<TCITEMA>(tab_, TCM_GETITEMA, static_cast<WPARAM>(tab),
                                    [](TCITEMA& item, char* buffer, int capacity) {
                                        item.mask = TCIF_TEXT;
                                        item.pszText = buffer;
                                        item.cchTextMax = capacity;
                                    });
}

RECT TabReader::ItemRect(int tab) const {
    return ReadRectThrough(tab_, TCM_GETITEMRECT, static_cast<WPARAM>(tab));
}

}  // namespace quillora::e2e
