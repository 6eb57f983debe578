#pragma once
// Small move-only owners for Windows handles and COM pointers, so that every
// handle the program opens is released on every path.
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace quillora {

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    [[nodiscard]] Handle Get() const { return handle_; }
    [[nodiscard]] bool Valid() const { return Traits::IsValid(handle_); }
    explicit operator bool() const { return Valid(); }
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid()) {
        if (Traits::IsValid(handle_)) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

// A handle that is null when there is none, closed by `close`.
template <typename Handle, auto close>
struct NullHandleTraits {
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { close(h); }
};
// A kernel handle: functions that open one say "none" with
// INVALID_HANDLE_VALUE, some with null too.
template <auto close, bool nullIsValid = false>
struct KernelTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && (nullIsValid || h != nullptr); }
    static void Close(HANDLE h) { close(h); }
};

using UniqueKernelHandle = UniqueHandle<HANDLE, KernelTraits<CloseHandle>>;
using UniqueFind = UniqueHandle<HANDLE, KernelTraits<FindClose, true>>;
using UniqueChangeNotification = UniqueHandle<HANDLE, KernelTraits<FindCloseChangeNotification>>;
using UniqueFont = UniqueHandle<HFONT, NullHandleTraits<HFONT, DeleteObject>>;
using UniqueBrush = UniqueHandle<HBRUSH, NullHandleTraits<HBRUSH, DeleteObject>>;
using UniqueModule = UniqueHandle<HMODULE, NullHandleTraits<HMODULE, FreeLibrary>>;
using UniqueMenu = UniqueHandle<HMENU, NullHandleTraits<HMENU, DestroyMenu>>;
using UniqueRegistryKey = UniqueHandle<HKEY, NullHandleTraits<HKEY, RegCloseKey>>;
using UniqueCoTaskMem = UniqueHandle<void*, NullHandleTraits<void*, CoTaskMemFree>>;

// A window that is destroyed unless something destroyed it already.
inline void DestroyIfWindow(HWND window) {
    if (IsWindow(window)) DestroyWindow(window);
}
using UniqueWindow = UniqueHandle<HWND, NullHandleTraits<HWND, DestroyIfWindow>>;

// A window's device context (the screen's for no window), released with the
// window it came from.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    [[nodiscard]] HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// A COM interface pointer that releases its reference.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* operator->() const { return ptr_; }
    [[nodiscard]] Interface* Get() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    // For functions that hand out a new reference.
    Interface** Put() {
        Reset();
        return &ptr_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    void Reset() {
        if (ptr_) std::exchange(ptr_, nullptr)->Release();
    }

private:
    Interface* ptr_ = nullptr;
};

// COM for the calling thread, uninitialised only when initialising worked.
class ComInit {
public:
    ComInit() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComInit() {
        if (initialised_) CoUninitialize();
    }
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;

private:
    bool initialised_;
};

}  // namespace quillora
