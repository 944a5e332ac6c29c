// Reaching into another process's memory, for the control messages whose
// arguments are pointers (list views) and for calls made inside that process.
#pragma once

#include <windows.h>

#include <cstddef>

namespace uidriver {

class ProcessAccess {
public:
    // Opens the process that owns window; throws when it cannot.
    explicit ProcessAccess(HWND window);
    ~ProcessAccess();
    ProcessAccess(const ProcessAccess&) = delete;
    ProcessAccess& operator=(const ProcessAccess&) = delete;

    HANDLE Handle() const { return process_; }
    DWORD Id() const { return pid_; }

private:
    DWORD pid_ = 0;
    HANDLE process_ = nullptr;
};

// Memory allocated inside another process, freed with the object.
class RemoteBuffer {
public:
    RemoteBuffer(const ProcessAccess& process, std::size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    void* Address(std::size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
    void Write(const void* data, std::size_t size, std::size_t offset = 0);
    void Read(void* data, std::size_t size, std::size_t offset = 0) const;

private:
    HANDLE process_;
    void* address_;
    std::size_t size_;
};

// Structures with pointers are laid out for the driver's own bitness; refuse
// a process of the other one.
void RequireSameBitness(const ProcessAccess& process);

} // namespace uidriver
