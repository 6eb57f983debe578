#pragma once
// Move-only owners for the handles the driver opens: kernel objects,
// registry keys and memory placed in another process.
#include <windows.h>

#include <cstddef>
#include <string>
#include <utility>

namespace quillora::e2e {

// A kernel object handle (process, thread, file); both null and
// INVALID_HANDLE_VALUE mean "none".
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { Reset(); }
    Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    [[nodiscard]] HANDLE Get() const { return handle_; }
    [[nodiscard]] bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    explicit operator bool() const { return Valid(); }
    void Reset(HANDLE handle = nullptr) {
        if (Valid()) CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_ = nullptr;
};

class RegKey {
public:
    RegKey() = default;
    explicit RegKey(HKEY key) : key_(key) {}
    ~RegKey() {
        if (key_) RegCloseKey(key_);
    }
    RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegKey& operator=(RegKey&& other) noexcept {
        if (this != &other) {
            if (key_) RegCloseKey(key_);
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    [[nodiscard]] HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

// A block of memory inside another process, for messages whose arguments
// point at structures or text buffers (list views, tabs, headers). Freed
// when the owner goes.
class RemoteMemory {
public:
    RemoteMemory() = default;
    // Opens the process that owns `window` and reserves `size` bytes in it.
    RemoteMemory(HWND window, std::size_t size);
    ~RemoteMemory() { Free(); }
    RemoteMemory(RemoteMemory&& other) noexcept
        : process_(std::move(other.process_)),
          address_(std::exchange(other.address_, nullptr)),
          size_(std::exchange(other.size_, 0)) {}
    RemoteMemory& operator=(RemoteMemory&& other) noexcept {
        if (this != &other) {
            Free();
            process_ = std::move(other.process_);
            address_ = std::exchange(other.address_, nullptr);
            size_ = std::exchange(other.size_, 0);
        }
        return *this;
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    [[nodiscard]] bool Valid() const { return address_ != nullptr; }
    [[nodiscard]] std::size_t Size() const { return size_; }
    // The address of byte `offset` as the other process sees it.
    [[nodiscard]] void* At(std::size_t offset = 0) const { return static_cast<char*>(address_) + offset; }

    bool Write(std::size_t offset, const void* data, std::size_t size) const;
    bool Read(std::size_t offset, void* data, std::size_t size) const;
    template <typename T>
    bool Write(const T& value, std::size_t offset = 0) const {
        return Write(offset, &value, sizeof value);
    }
    template <typename T>
    bool Read(T& value, std::size_t offset = 0) const {
        return Read(offset, &value, sizeof value);
    }
    // The zero-terminated text stored at `offset`, at most `capacity` bytes.
    [[nodiscard]] std::string ReadText(std::size_t offset, std::size_t capacity) const;

private:
    void Free();

    Handle process_;
    void* address_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace quillora::e2e
