#include "common/replace_file.h"

#include <fstream>
#include <system_error>

namespace files {

bool ReplaceFile(const std::filesystem::path& target,
                 const std::function<bool(const std::filesystem::path& beside)>& writeBeside) {
    std::filesystem::path beside = target;
    beside += ".partial";
    std::error_code error;
    if (writeBeside(beside)) {
        std::filesystem::rename(beside, target, error);
        if (!error) return true;
    }
    std::filesystem::remove(beside, error);
    return false;
}

bool ReplaceWithBytes(const std::filesystem::path& target, std::string_view bytes) {
    return ReplaceFile(target, [bytes](const std::filesystem::path& beside) {
        std::ofstream out(beside, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        return !out.fail();
    });
}

bool CopyOver(const std::filesystem::path& source, const std::filesystem::path& target) {
    return ReplaceFile(target, [&source](const std::filesystem::path& beside) {
        std::error_code error;
        std::filesystem::copy_file(source, beside, std::filesystem::copy_options::overwrite_existing, error);
        return !error;
    });
}

bool MoveOver(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::rename(source, target, error);
    if (!error) return true;
    if (!CopyOver(source, target)) return false;
    std::filesystem::remove(source, error);
    return true;
}

} // namespace files
