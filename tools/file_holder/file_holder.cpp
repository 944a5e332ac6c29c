// Holds a file open as a running program holds its own files (shared for
// reading only, so it cannot be replaced) until it is told to let go.
// Usage: file_holder <file> <marker>. Creates <marker> once the file is
// open; deleting <marker> makes it close the file and end.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    HANDLE held = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 1;
    HANDLE marker = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (marker == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(marker);
    while (GetFileAttributesW(argv[2]) != INVALID_FILE_ATTRIBUTES) Sleep(20);
    CloseHandle(held);
    return 0;
}
