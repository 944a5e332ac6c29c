// Fetching an update file until it arrived whole: its local size must match
// the size the server lists for it at that moment.
#pragma once

#include "update/ftp_session.h"

#include <filesystem>
#include <string_view>

namespace update {

// A file whose size still differs after the first fetch is fetched again at
// most this many times, unless the server has stalled.
inline constexpr int kExtraFetches = 5;

// True when remote arrived in local with the listed size. A failed fetch or a
// file the server does not list counts as a size that differs.
bool FetchVerified(FtpSession& session, std::string_view remote, const std::filesystem::path& local);

} // namespace update
