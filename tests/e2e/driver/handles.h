#pragma once
// Memory placed in another process, owned like the program's own handles
// (kernel objects and registry keys come from base/scoped_win.h).
#include <windows.h>

#include <cstddef>
#include <string>
#include <utility>

#include "base/scoped_win.h"

namespace quillora::e2e {

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

    UniqueKernelHandle process_;
    void* address_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace quillora::e2e
