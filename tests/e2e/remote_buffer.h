// Memory inside another process. Windows copies the pointer arguments of the plain window messages
// (WM_GETTEXT, WM_SETTEXT) between processes, but not those of the common controls (SB_GETTEXTW,
// LVM_GETITEMTEXTW, CB_GETLBTEXT, SB_GETPARTS ...): for those the buffer must live in the process
// that owns the control, and the driver reads it back from there afterwards.
#pragma once

#include <windows.h>

#include <cstddef>
#include <stdexcept>
#include <string>

class RemoteBuffer {
public:
    // Allocates `bytes` zeroed bytes in the process that owns `window`.
    RemoteBuffer(HWND window, std::size_t bytes) : size_(bytes) {
        DWORD pid = 0;
        if (!GetWindowThreadProcessId(window, &pid) || pid == 0)
            throw std::runtime_error("no such window");
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                   PROCESS_QUERY_INFORMATION,
                               FALSE, pid);
        if (!process_)
            throw std::runtime_error("cannot open the window's process");
        address_ = VirtualAllocEx(process_, nullptr, size_, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!address_) {
            CloseHandle(process_);
            throw std::runtime_error("cannot allocate memory in the window's process");
        }
    }

    ~RemoteBuffer() {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }

    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    // The buffer's address as the other process sees it, to pass as a message parameter.
    LPARAM pointer() const { return reinterpret_cast<LPARAM>(address_); }

    // Fills the start of the buffer, for messages that read a structure the driver prepares.
    void write(const void* from, std::size_t bytes) {
        if (bytes > size_)
            throw std::runtime_error("write past the remote buffer");
        SIZE_T done = 0;
        if (!WriteProcessMemory(process_, address_, from, bytes, &done) || done != bytes)
            throw std::runtime_error("cannot write the window's process memory");
    }

    // The address of a byte offset into the buffer, as the other process sees it.
    LPARAM pointerAt(std::size_t offset) const {
        return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset);
    }

    void read(void* into, std::size_t bytes) const {
        if (bytes > size_)
            throw std::runtime_error("read past the remote buffer");
        SIZE_T done = 0;
        if (!ReadProcessMemory(process_, address_, into, bytes, &done) || done != bytes)
            throw std::runtime_error("cannot read the window's process memory");
    }

    // The first `chars` UTF-16 units, cut at a terminating zero if the control wrote a shorter text.
    std::wstring readText(std::size_t chars) const {
        std::wstring text(chars, L'\0');
        read(text.data(), chars * sizeof(wchar_t));
        text.resize(wcsnlen(text.c_str(), chars));
        return text;
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    std::size_t size_;
};
