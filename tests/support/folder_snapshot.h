// Everything in a folder (names relative to it, with each file's contents), so
// a test can show that a failed write changed nothing at all.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace vorlin {

inline std::map<std::string, std::string> FolderSnapshot(const std::filesystem::path& folder) {
    std::map<std::string, std::string> snapshot;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        std::string content = "<folder>";
        if (!entry.is_directory()) {
            std::ifstream in(entry.path(), std::ios::binary);
            content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        snapshot[std::filesystem::relative(entry.path(), folder).string()] = content;
    }
    return snapshot;
}

}  // namespace vorlin
