// An FTP server in memory, behaving as the Windows Internet client shows one:
// text transfers turn LF into CR LF, a missing file fails and leaves nothing.
#pragma once

#include "update/ftp_session.h"

#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace update::testing {

struct FakeFtpServer {
    std::map<std::string, std::string> files;  // absolute remote path -> content
    std::string workingDirectory = "/";
    LoginFailure refuseWith = LoginFailure::kNone;
    // Listings of a path that report one byte more than the file has.
    std::map<std::string, int> wrongListings;
    // Fetches of these paths report success but write nothing.
    std::vector<std::string> silentFetches;
    // Fetches of these paths get no answer in time: the session has stalled.
    std::vector<std::string> stallingFetches;

    std::vector<FtpLogin> logins;
    std::vector<std::string> fetches;
    int openSessions = 0;
};

class FakeFtpSession : public FtpSession {
public:
    explicit FakeFtpSession(FakeFtpServer& server) : server_(server) { ++server_.openSessions; }
    ~FakeFtpSession() override { --server_.openSessions; }

    std::optional<std::string> CurrentDirectory() override { return server_.workingDirectory; }

    bool GetFile(std::string_view remote, const std::filesystem::path& local, TransferType type) override {
        server_.fetches.emplace_back(remote);
        for (const auto& silent : server_.silentFetches) {
            if (silent == remote) return true;
        }
        for (const auto& stalling : server_.stallingFetches) {
            if (stalling == remote) stalled_ = true;
        }
        if (stalled_) return false;
        auto file = server_.files.find(std::string(remote));
        if (file == server_.files.end()) return false;
        std::string content = file->second;
        if (type == TransferType::kText) content = WithCrLf(content);
        std::ofstream out(local, std::ios::binary | std::ios::trunc);
        out << content;
        return static_cast<bool>(out);
    }

    std::optional<std::uintmax_t> RemoteFileSize(std::string_view remote) override {
        auto file = server_.files.find(std::string(remote));
        if (file == server_.files.end()) return std::nullopt;
        int& wrong = server_.wrongListings[std::string(remote)];
        if (wrong > 0) {
            --wrong;
            return file->second.size() + 1;
        }
        return file->second.size();
    }

    bool Stalled() const override { return stalled_; }

private:
    static std::string WithCrLf(const std::string& text) {
        std::string out;
        for (char c : text) {
            if (c == '\n') out += '\r';
            out += c;
        }
        return out;
    }

    FakeFtpServer& server_;
    bool stalled_ = false;
};

class FakeFtpClient : public FtpClient {
public:
    explicit FakeFtpClient(FakeFtpServer& server) : server_(server) {}

    FtpOpenResult Open(const FtpLogin& login) override {
        server_.logins.push_back(login);
        if (server_.refuseWith != LoginFailure::kNone) return {nullptr, server_.refuseWith};
        return {std::make_unique<FakeFtpSession>(server_), LoginFailure::kNone};
    }

private:
    FakeFtpServer& server_;
};

} // namespace update::testing
