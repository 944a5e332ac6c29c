// The process's current directory, which every configuration path of the
// program is built from: saved before something moves it, put back after.
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
