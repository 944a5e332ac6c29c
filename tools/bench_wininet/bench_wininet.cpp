// Fetches files from an FTP server as the updater does (default port,
// anonymous, active, binary, never from the cache) and nothing more, then
// prints the seconds from connecting to the last byte.
//
//   bench_wininet ADDRESS REMOTE_DIRECTORY LOCAL_DIRECTORY NAME...
#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) {
        std::fputs("usage: bench_wininet ADDRESS REMOTE_DIRECTORY LOCAL_DIRECTORY NAME...\n", stderr);
        return 2;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);

    HINTERNET internet = InternetOpenW(L"bench_wininet", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET connection = internet ? InternetConnectW(internet, argv[1], INTERNET_DEFAULT_FTP_PORT, L"anonymous",
                                                       L"bench@vorlo", INTERNET_SERVICE_FTP, 0, 1)
                                    : nullptr;
    if (!connection) {
        std::fprintf(stderr, "cannot log in: %lu\n", GetLastError());
        return 1;
    }
    int failures = 0;
    for (int i = 4; i < argc; ++i) {
        std::wstring remote = std::wstring(argv[2]) + L"/" + argv[i];
        std::wstring local = std::wstring(argv[3]) + L"\\" + argv[i];
        if (!FtpGetFileW(connection, remote.c_str(), local.c_str(), FALSE, FILE_ATTRIBUTE_NORMAL,
                         FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD, 1)) {
            std::fprintf(stderr, "cannot fetch %ls: %lu\n", remote.c_str(), GetLastError());
            ++failures;
        }
    }
    InternetCloseHandle(connection);
    InternetCloseHandle(internet);

    QueryPerformanceCounter(&end);
    std::printf("%.3f\n", static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    return failures == 0 ? 0 : 1;
}
