// The updater's FTP client on the Windows Internet functions: the server's
// default port, anonymous login, active transfers, listings never cached.
#pragma once

#include "update/ftp_session.h"

#include <windows.h>
#include <wininet.h>

class WinInetFtpClient : public update::FtpClient {
public:
    WinInetFtpClient();
    ~WinInetFtpClient() override;
    WinInetFtpClient(const WinInetFtpClient&) = delete;
    WinInetFtpClient& operator=(const WinInetFtpClient&) = delete;

    update::FtpOpenResult Open(const update::FtpLogin& login) override;

private:
    HINTERNET internet_;
};
