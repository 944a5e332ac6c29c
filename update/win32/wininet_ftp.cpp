#include "wininet_ftp.h"

#include "ftp_reply.h"
#include "text.h"

#include <array>
#include <memory>

namespace {

// Every request carries this context value.
constexpr DWORD_PTR kContext = 1;
// An address that answers nothing must not hold the hidden updater, and the
// connector waiting for its word, for minutes.
constexpr DWORD kConnectTimeoutMs = 15000;
constexpr DWORD kConnectRetries = 1;

DWORD TransferFlags(update::TransferType type) {
    DWORD mode = type == update::TransferType::kText ? FTP_TRANSFER_TYPE_ASCII : FTP_TRANSFER_TYPE_BINARY;
    return mode | INTERNET_FLAG_RELOAD;
}

// The server answered but did not let us in.
bool IsLoginRefusal(DWORD error) {
    return error == ERROR_INTERNET_LOGIN_FAILURE || error == ERROR_INTERNET_INCORRECT_PASSWORD ||
           error == ERROR_INTERNET_INCORRECT_USER_NAME || error == ERROR_INTERNET_EXTENDED_ERROR;
}

class WinInetFtpSession : public update::FtpSession {
public:
    explicit WinInetFtpSession(HINTERNET connection) : connection_(connection) {}
    ~WinInetFtpSession() override { InternetCloseHandle(connection_); }
    WinInetFtpSession(const WinInetFtpSession&) = delete;
    WinInetFtpSession& operator=(const WinInetFtpSession&) = delete;

    std::optional<std::string> CurrentDirectory() override {
        std::array<wchar_t, MAX_PATH> directory{};
        DWORD length = static_cast<DWORD>(directory.size());
        if (!FtpGetCurrentDirectoryW(connection_, directory.data(), &length)) return std::nullopt;
        // Up to the terminator: some versions count it in length.
        return win::Narrow(std::wstring_view(directory.data()));
    }

    bool GetFile(std::string_view remote, const std::filesystem::path& local, update::TransferType type) override {
        // Every transfer sets the server's mode first.
        binaryMode_ = type == update::TransferType::kBinary;
        return FtpGetFileW(connection_, win::Widen(remote).c_str(), local.c_str(), FALSE, FILE_ATTRIBUTE_NORMAL,
                           TransferFlags(type), kContext) != FALSE;
    }

    std::optional<std::uintmax_t> RemoteFileSize(std::string_view remote) override {
        // The server's SIZE answer is as fresh as a listing and costs one line,
        // while a listing may cost the whole directory; servers without SIZE
        // still get the listing.
        if (auto size = SizeCommand(remote)) return size;
        return ListedSize(remote);
    }

private:
    std::optional<std::uintmax_t> SizeCommand(std::string_view remote) {
        // Many servers answer SIZE only in binary mode.
        if (!binaryMode_) {
            if (!FtpCommandW(connection_, FALSE, FTP_TRANSFER_TYPE_BINARY, L"TYPE I", kContext, nullptr)) {
                return std::nullopt;
            }
            binaryMode_ = true;
        }
        std::wstring command = L"SIZE " + win::Widen(remote);
        if (!FtpCommandW(connection_, FALSE, FTP_TRANSFER_TYPE_BINARY, command.c_str(), kContext, nullptr)) {
            return std::nullopt;
        }
        std::array<wchar_t, 512> reply{};
        DWORD length = static_cast<DWORD>(reply.size());
        DWORD code = 0;
        if (!InternetGetLastResponseInfoW(&code, reply.data(), &length)) return std::nullopt;
        return update::SizeFromReply(win::Narrow(reply.data()));
    }

    std::optional<std::uintmax_t> ListedSize(std::string_view remote) {
        // A listing travels as text.
        binaryMode_ = false;
        WIN32_FIND_DATAW found{};
        HINTERNET finder = FtpFindFirstFileW(connection_, win::Widen(remote).c_str(), &found, INTERNET_FLAG_RELOAD, kContext);
        if (!finder) return std::nullopt;
        // One finder at a time per connection: close it before the next transfer.
        InternetCloseHandle(finder);
        return (static_cast<std::uintmax_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    }

    HINTERNET connection_;
    bool binaryMode_ = false;
};

} // namespace

WinInetFtpClient::WinInetFtpClient()
    : internet_(InternetOpenW(L"Update", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)) {
    if (!internet_) return;
    DWORD timeout = kConnectTimeoutMs;
    InternetSetOptionW(internet_, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
    DWORD retries = kConnectRetries;
    InternetSetOptionW(internet_, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries);
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
