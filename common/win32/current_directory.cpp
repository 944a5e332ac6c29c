#include "common/win32/current_directory.h"

#include <windows.h>

SavedCurrentDirectory::SavedCurrentDirectory() {
    // Asked for its size first: the directory may be longer than MAX_PATH.
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return;
    saved_.resize(size);
    DWORD length = GetCurrentDirectoryW(size, saved_.data());
    saved_.resize(length < size ? length : 0);
}

void SavedCurrentDirectory::Restore() const {
    if (!saved_.empty()) SetCurrentDirectoryW(saved_.c_str());
}
