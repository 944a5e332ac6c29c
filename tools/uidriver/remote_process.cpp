#include "tools/uidriver/remote_process.h"

#include "tools/uidriver/failure.h"
#include "tools/uidriver/window_search.h"

#include <string>

namespace uidriver {

ProcessAccess::ProcessAccess(HWND window) : pid_(ProcessOf(window)) {
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION |
                               SYNCHRONIZE,
                           FALSE, pid_);
    if (!process_) throw Failure("cannot open process " + std::to_string(pid_));
}

ProcessAccess::~ProcessAccess() { CloseHandle(process_); }

RemoteBuffer::RemoteBuffer(const ProcessAccess& process, std::size_t size)
    : process_(process.Handle()),
      address_(VirtualAllocEx(process.Handle(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      size_(size) {
    if (!address_) throw Failure("cannot allocate memory in process " + std::to_string(process.Id()));
}

RemoteBuffer::~RemoteBuffer() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }

void RemoteBuffer::Write(const void* data, std::size_t size, std::size_t offset) {
    SIZE_T written = 0;
    if (offset + size > size_ || !WriteProcessMemory(process_, Address(offset), data, size, &written) ||
        written != size) {
        throw Failure("cannot write into the other process");
    }
}

void RemoteBuffer::Read(void* data, std::size_t size, std::size_t offset) const {
    SIZE_T read = 0;
    if (offset + size > size_ || !ReadProcessMemory(process_, Address(offset), data, size, &read) || read != size) {
        throw Failure("cannot read from the other process");
    }
}

void RequireSameBitness(const ProcessAccess& process) {
    BOOL ownWow64 = FALSE;
    BOOL otherWow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &ownWow64);
    IsWow64Process(process.Handle(), &otherWow64);
    if (ownWow64 != otherWow64) throw Failure("the window's process has another bitness than the driver");
}

} // namespace uidriver
