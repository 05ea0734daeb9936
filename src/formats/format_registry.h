// The five format handlers in their fixed order, lookup by file name or
// extension, and the current format (the handler of the document's file).
#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "formats/file_format.h"

namespace vorlin {

class FormatRegistry {
  public:
    static constexpr std::size_t kCount = 5;

    FormatRegistry();

    std::span<FileFormat* const> Formats() const { return pointers_; }
    FileFormat& Bmp() { return *handlers_[0]; }
    // The handler of the document's file; starts as the BMP handler.
    FileFormat& Current() { return *current_; }
    void SetCurrent(FileFormat& format) { current_ = &format; }
    // Replaces the BMP handler by a fresh one and makes it current.
    void ResetToBmp();

  private:
    std::array<std::unique_ptr<FileFormat>, kCount> handlers_;
    std::array<FileFormat*, kCount> pointers_{};
    FileFormat* current_ = nullptr;
};

// The program-wide registry, created on first use and kept until exit.
FormatRegistry& Formats();

// The text after the last "." of a name, the whole name when it has none.
std::string_view ExtensionForLookup(std::string_view name);
// The text after the last "." of a path; empty when the file name has no ".".
std::string PathExtension(std::string_view path);
std::string ToLower(std::string_view text);
// The file-name part of a path.
std::string FileNamePart(std::string_view path);

// The handler whose extension list holds the name's extension (case-insensitive),
// first in registry order; null when none does.
FileFormat* FindFormat(std::span<FileFormat* const> list, std::string_view name);

}  // namespace vorlin
