#include "update/verified_fetch.h"

#include <system_error>

namespace update {
namespace {

bool FetchOnce(FtpSession& session, std::string_view remote, const std::filesystem::path& local) {
    if (!session.GetFile(remote, local, TransferType::kBinary)) return false;
    auto listed = session.RemoteFileSize(remote);
    std::error_code error;
    std::uintmax_t arrived = std::filesystem::file_size(local, error);
    return listed && !error && *listed == arrived;
}

} // namespace

bool FetchVerified(FtpSession& session, std::string_view remote, const std::filesystem::path& local) {
    for (int fetch = 0; fetch <= kExtraFetches; ++fetch) {
        if (FetchOnce(session, remote, local)) return true;
        if (session.Stalled()) return false;
    }
    return false;
}

} // namespace update
