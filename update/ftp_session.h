// The FTP client as the updater sees it. The shell implements it with the
// Windows Internet functions; the unit tests use one that serves from memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace update {

// A request that the server leaves unanswered this long fails, and the
// session counts as stalled: a server that stops answering ends the update
// within this time rather than holding the connector for minutes.
inline constexpr unsigned kServerSilenceLimitMs = 30000;

// Text transfers may change line ends; the update files travel as binary.
enum class TransferType { kText, kBinary };

// One logged-in connection. Remote paths are CP949 text.
class FtpSession {
public:
    virtual ~FtpSession() = default;
    // The server's working directory, e.g. "/"; nullopt when it cannot be asked.
    virtual std::optional<std::string> CurrentDirectory() = 0;
    // Fetches remote into local, replacing local; false leaves no promise about local.
    virtual bool GetFile(std::string_view remote, const std::filesystem::path& local, TransferType type) = 0;
    // The size the server lists for remote right now (never from a cache);
    // nullopt when the server lists no such file.
    virtual std::optional<std::uintmax_t> RemoteFileSize(std::string_view remote) = 0;
    // True once a request failed for want of an answer within
    // kServerSilenceLimitMs; every further request would wait as long.
    virtual bool Stalled() const = 0;
};

struct FtpLogin {
    std::string address;
    std::string user;
    std::string password;
};

enum class LoginFailure { kNone, kUnreachable, kRefused };

struct FtpOpenResult {
    std::unique_ptr<FtpSession> session;  // null on failure
    LoginFailure failure = LoginFailure::kNone;
};

class FtpClient {
public:
    virtual ~FtpClient() = default;
    // Connects to the server's default FTP port and logs in; active transfers.
    virtual FtpOpenResult Open(const FtpLogin& login) = 0;
};

} // namespace update
