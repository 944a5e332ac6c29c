#include "update/win32/wininet_ftp.h"

#include "update/ftp_reply.h"
#include "common/win32/text.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace {

// Every request carries this context value.
constexpr DWORD_PTR kContext = 1;
// An address that answers nothing must not hold the hidden updater, and the
// connector waiting for its word, for minutes.
constexpr DWORD kConnectTimeoutMs = 15000;
constexpr DWORD kConnectRetries = 1;
// How far the tick count may lag behind a time-out that ran its course.
constexpr DWORD kClockSlackMs = 500;
// Bytes taken from the data connection per read.
constexpr DWORD kReceiveChunk = 64 * 1024;

DWORD TransferFlags(update::TransferType type) {
    DWORD mode = type == update::TransferType::kText ? FTP_TRANSFER_TYPE_ASCII : FTP_TRANSFER_TYPE_BINARY;
    return mode | INTERNET_FLAG_RELOAD;
}

// The Windows Internet functions' time-outs that a stalled server runs into.
constexpr DWORD kSilenceOptions[] = {INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                                     INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, INTERNET_OPTION_DATA_SEND_TIMEOUT};

// Copies what the server sends into local, replacing it; the error that
// stopped it, or ERROR_SUCCESS. lastHeard takes the tick count of each piece.
DWORD ReceiveInto(HINTERNET remote, const std::filesystem::path& local, DWORD& lastHeard) {
    HANDLE out = CreateFileW(local.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return GetLastError();
    std::vector<char> chunk(kReceiveChunk);
    DWORD error = ERROR_SUCCESS;
    for (;;) {
        DWORD got = 0;
        if (!InternetReadFile(remote, chunk.data(), kReceiveChunk, &got)) {
            error = GetLastError();
            break;
        }
        if (got == 0) break;  // the end of the file
        lastHeard = GetTickCount();
        DWORD written = 0;
        if (!WriteFile(out, chunk.data(), got, &written, nullptr) || written != got) {
            error = ERROR_WRITE_FAULT;
            break;
        }
    }
    CloseHandle(out);
    return error;
}

// The server answered but did not let us in.
bool IsLoginRefusal(DWORD error) {
    return error == ERROR_INTERNET_LOGIN_FAILURE || error == ERROR_INTERNET_INCORRECT_PASSWORD ||
           error == ERROR_INTERNET_INCORRECT_USER_NAME || error == ERROR_INTERNET_EXTENDED_ERROR;
}

// Remote names go out as the CP949 bytes they are, through the ANSI functions:
// the wide ones pass a name through the system's code page, which may have no
// Hangul. Local paths stay wide.
class WinInetFtpSession : public update::FtpSession {
public:
    explicit WinInetFtpSession(HINTERNET connection) : connection_(connection) {}
    ~WinInetFtpSession() override {
        // A stalled server gets no goodbye: its answer would be awaited as long again.
        if (!stalled_) InternetCloseHandle(connection_);
    }
    WinInetFtpSession(const WinInetFtpSession&) = delete;
    WinInetFtpSession& operator=(const WinInetFtpSession&) = delete;

    std::optional<std::string> CurrentDirectory() override {
        lastHeard_ = GetTickCount();
        std::array<char, MAX_PATH> directory{};
        DWORD length = static_cast<DWORD>(directory.size());
        if (!FtpGetCurrentDirectoryA(connection_, directory.data(), &length)) return Failed(std::nullopt);
        // Up to the terminator: some versions count it in length.
        return std::string(directory.data());
    }

    bool GetFile(std::string_view remote, const std::filesystem::path& local, update::TransferType type) override {
        lastHeard_ = GetTickCount();
        // Every transfer sets the server's mode first.
        binaryMode_ = type == update::TransferType::kBinary;
        HINTERNET file = FtpOpenFileA(connection_, std::string(remote).c_str(), GENERIC_READ, TransferFlags(type), kContext);
        if (!file) return Failed(false);
        DWORD error = ReceiveInto(file, local, lastHeard_);
        InternetCloseHandle(file);
        if (error == ERROR_SUCCESS) return true;
        // As a failed fetch of the Windows Internet functions: no local file.
        DeleteFileW(local.c_str());
        return Failed(false, error);
    }

    std::optional<std::uintmax_t> RemoteFileSize(std::string_view remote) override {
        // The server's SIZE answer is as fresh as a listing and costs one line,
        // while a listing may cost the whole directory; servers without SIZE
        // still get the listing.
        lastHeard_ = GetTickCount();
        if (auto size = SizeCommand(remote)) return size;
        if (stalled_) return std::nullopt;
        return ListedSize(remote);
    }

    bool Stalled() const override { return stalled_; }

private:
    std::optional<std::uintmax_t> SizeCommand(std::string_view remote) {
        // Many servers answer SIZE only in binary mode.
        if (!binaryMode_) {
            if (!FtpCommandA(connection_, FALSE, FTP_TRANSFER_TYPE_BINARY, "TYPE I", kContext, nullptr)) {
                return Failed(std::nullopt);
            }
            binaryMode_ = true;
        }
        std::string command = "SIZE " + std::string(remote);
        if (!FtpCommandA(connection_, FALSE, FTP_TRANSFER_TYPE_BINARY, command.c_str(), kContext, nullptr)) {
            return Failed(std::nullopt);
        }
        std::array<char, 512> reply{};
        DWORD length = static_cast<DWORD>(reply.size());
        DWORD code = 0;
        if (!InternetGetLastResponseInfoA(&code, reply.data(), &length)) return std::nullopt;
        return update::SizeFromReply(reply.data());
    }

    std::optional<std::uintmax_t> ListedSize(std::string_view remote) {
        // A listing travels as text.
        binaryMode_ = false;
        WIN32_FIND_DATAA found{};
        HINTERNET finder = FtpFindFirstFileA(connection_, std::string(remote).c_str(), &found, INTERNET_FLAG_RELOAD, kContext);
        if (!finder) return Failed(std::nullopt);
        // One finder at a time per connection: close it before the next transfer.
        InternetCloseHandle(finder);
        return (static_cast<std::uintmax_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    }

    // Passes result on. A failure that says it timed out, or that came only
    // once the server had been silent for the limit, is a stall: Wine's FTP
    // client waits 30 s for a reply line whatever the options say, and may
    // report it as another error.
    template <typename Result>
    Result Failed(Result result, DWORD error = GetLastError()) {
        DWORD waited = GetTickCount() - lastHeard_;
        if (error == ERROR_INTERNET_TIMEOUT || waited + kClockSlackMs >= update::kServerSilenceLimitMs) stalled_ = true;
        return result;
    }

    HINTERNET connection_;
    // When the server last answered or sent a piece of a file: each request starts the count.
    DWORD lastHeard_ = 0;
    bool binaryMode_ = false;
    bool stalled_ = false;
};

} // namespace

WinInetFtpClient::WinInetFtpClient()
    : internet_(InternetOpenW(L"Update", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)) {
    if (!internet_) return;
    DWORD timeout = kConnectTimeoutMs;
    InternetSetOptionW(internet_, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
    DWORD retries = kConnectRetries;
    InternetSetOptionW(internet_, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries);
    DWORD silence = update::kServerSilenceLimitMs;
    for (DWORD option : kSilenceOptions) InternetSetOptionW(internet_, option, &silence, sizeof silence);
}

WinInetFtpClient::~WinInetFtpClient() {
    if (internet_) InternetCloseHandle(internet_);
}

update::FtpOpenResult WinInetFtpClient::Open(const update::FtpLogin& login) {
    if (!internet_) return {nullptr, update::LoginFailure::kUnreachable};
    HINTERNET connection = InternetConnectW(internet_, win::Widen(login.address).c_str(), INTERNET_DEFAULT_FTP_PORT,
                                            win::Widen(login.user).c_str(), win::Widen(login.password).c_str(),
                                            INTERNET_SERVICE_FTP, 0, kContext);
    if (!connection) {
        DWORD error = GetLastError();
        return {nullptr, IsLoginRefusal(error) ? update::LoginFailure::kRefused : update::LoginFailure::kUnreachable};
    }
    return {std::make_unique<WinInetFtpSession>(connection), update::LoginFailure::kNone};
}
