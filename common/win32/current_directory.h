// The process's current directory, which started programs and the file-open
// dialog move or inherit: saved before something moves it, put back after.
#pragma once

#include <string>

class SavedCurrentDirectory {
public:
    SavedCurrentDirectory();
    ~SavedCurrentDirectory() { Restore(); }
    SavedCurrentDirectory(const SavedCurrentDirectory&) = delete;
    SavedCurrentDirectory& operator=(const SavedCurrentDirectory&) = delete;

    void Restore() const;

private:
    std::wstring saved_;
};
