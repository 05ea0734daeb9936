// A new version of a file, written beside it and put in its place only when
// complete and on disk. Every failure leaves the old file as it was, removes
// what was written and keeps the system's error number (also left in errno).
#pragma once

#include <string>
#include <string_view>

namespace vorlin {

class ReplacementFile {
  public:
    ReplacementFile() = default;
    // Discards anything not installed.
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Prepares to replace `path`. A symbolic link is followed, so the file it
    // ends at is replaced and the link stays. A folder, a special file or a file
    // without write permission is refused. The new file gets the old one's
    // permission bits and, where the system allows, its owner. Where the file
    // system can, the file has no name until it is installed, so nothing is
    // left behind if the program is killed while writing. Such a file is put
    // in place through a hard link; should the file system refuse links all
    // the same, Install copies it to a hidden name and renames that, and a
    // program killed during that copy leaves the partial copy behind. FAT and
    // exFAT, which have no hard links, make no such files either: there the
    // hidden file is written from the start.
    bool Open(const std::string& path);
    // Appends `bytes`; false once any write has failed.
    bool Write(std::string_view bytes);
    // Flushes the contents to disk; nothing is replaced yet. Several files can
    // be finished first and installed together once all of them succeeded.
    bool Finish();
    // Puts the finished file in place of the target and flushes the folder.
    bool Install();
    // True once the new file has taken the target's place, even when the
    // folder flush after it failed.
    bool Installed() const { return installed_; }
    // Finish, then Install.
    bool Commit();
    // Forgets everything written; the target is untouched.
    void Discard();

    // The file that Install replaces (after symbolic links).
    const std::string& Target() const { return target_; }
    // The system's error number of the first failure, 0 while none.
    int Error() const { return error_; }

    // For tests: every hard link Install would make fails with `error`, as on
    // a file system without them.
    void InjectLinkError(int error) { linkFault_ = error; }

  private:
    bool Fail(int error);
    bool OpenUnnamed(unsigned mode);
    std::string SelfLink() const;
    bool InstallUnnamed();
    void CloseDescriptor();

    int fd_ = -1;
    bool unnamed_ = false;   // created without a name (O_TMPFILE)
    bool finished_ = false;  // contents flushed, ready to install
    bool installed_ = false;  // renamed over the target
    std::string target_;
    std::string folder_;
    std::string temp_;  // the name of the new file while it has one
    int error_ = 0;
    int linkFault_ = 0;
};

// Creates the hidden temporary file (see platform/sibling_names.h) that stands
// in for `target` where a file cannot be made without a name, with the
// permission bits and owner the replacement should have. Returns its
// descriptor (and sets `tempPath`), or -1 (errno set) when the folder cannot
// be written.
int OpenReplacementFile(const std::string& target, std::string& tempPath);

}  // namespace vorlin
