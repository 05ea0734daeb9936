#include "platform/atomic_write.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/replacement_file.h"

namespace vorlin {

bool WriteFileAtomically(const std::string& path, std::string_view content) {
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    const std::filesystem::path target(path);
    std::error_code ec;
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
    ReplacementFile file;
    return file.Open(path) && file.Write(content) && file.Commit();
}

}  // namespace vorlin
