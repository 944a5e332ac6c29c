#include "gatelog/new_server.h"

#include "common/cp949.h"
#include "gatelog/strip_blanks.h"

namespace gatelog {

ServerEntry CleanNewServer(std::string name, std::string address) {
    StripBlanks(name);
    StripBlanks(address);
    return {std::string(cp949::CutToBytes(name, kMaxNameBytes)),
            std::string(cp949::CutToBytes(address, kMaxAddressBytes))};
}

std::optional<std::string_view> RefuseNewServer(const ServerEntry& entry, const std::filesystem::path& file) {
    if (entry.name.empty()) return kNameMissing;
    if (entry.address.empty()) return kAddressMissing;
    if (ServerRecordExists(file, entry.address)) return kAddressExists;
    return std::nullopt;
}

std::optional<std::string_view> StoreFailureText(AppendResult result) {
    switch (result) {
    case AppendResult::kStored:
        return std::nullopt;
    case AppendResult::kCreateFailed:
        return kFileCreateFailed;
    case AppendResult::kWriteFailed:
        return kFileWriteFailed;
    }
    return kFileWriteFailed;
}

} // namespace gatelog
