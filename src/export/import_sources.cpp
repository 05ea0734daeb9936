#include "export/import_sources.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "export/export_names.h"
#include "export/gbfs_archive.h"

namespace vorlin {

namespace {

struct BlockName {
    ImportFile ImportFiles::*slot;
    const char* binSuffix;
    const char* arraySuffix;  // the archive's name for it
    const char* otherArraySuffix;
};

const BlockName kBlockNames[] = {
    {&ImportFiles::palette, ".pal.bin", "Pal", nullptr},
    {&ImportFiles::graphics, ".img.bin", "Tiles", "Bitmap"},
    {&ImportFiles::map, ".map.bin", "Map", nullptr},
    {&ImportFiles::metaMap, ".meta.bin", "MetaMap", nullptr},
};

// Reads the whole file; false with errno set (EFBIG when it is too large).
bool ReadAll(std::FILE* file, std::vector<std::uint8_t>& out) {
    std::uint8_t chunk[1 << 16];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        if (out.size() + n > kImportMaxFileBytes) {
            errno = EFBIG;
            return false;
        }
        out.insert(out.end(), chunk, chunk + n);
    }
    if (!std::ferror(file)) return true;
    if (errno == 0) errno = EIO;
    return false;
}

// Like ReadImportFile, but a file that does not exist is simply absent.
bool ReadIfPresent(const std::string& path, ImportFile& out, std::string& error) {
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (!probe && errno == ENOENT) return true;
    if (probe) std::fclose(probe);
    return ReadImportFile(path, out, error);
}

const GbfsObject* FindObject(const std::vector<GbfsObject>& objects, const GbfsName& name) {
    for (const GbfsObject& object : objects)
        if (object.name == name) return &object;
    return nullptr;
}

// The object for one block under any of the names an export gives it.
const GbfsObject* FindBlock(const std::vector<GbfsObject>& objects, const std::string& title,
                            const BlockName& block, std::string& found) {
    for (const char* suffix : {block.arraySuffix, block.otherArraySuffix}) {
        if (!suffix) continue;
        if (const GbfsObject* object = FindObject(objects, GbfsEntryName(title, suffix))) {
            found = title.substr(0, 21) + suffix;
            return object;
        }
    }
    found = title + block.binSuffix;
    return FindObject(objects, GbfsEntryName(found, ""));
}

}  // namespace

bool ReadImportFile(const std::string& path, ImportFile& out, std::string& error) {
    out = ImportFile{};
    out.name = path;
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    bool ok = false;
    try {
        ok = ReadAll(file, out.bytes);
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
    }
    const int reason = errno;
    std::fclose(file);
    if (!ok) {
        error = path + ": " + (reason == EFBIG ? "too large for an import" : std::strerror(reason));
        out.bytes.clear();
        return false;
    }
    out.present = true;
    return true;
}

bool ReadImportArchive(const std::string& archive, const std::string& title, ImportFiles& out,
                       std::string& error) {
    ImportFile file;
    if (!ReadImportFile(archive, file, error)) return false;
    std::vector<GbfsObject> objects;
    std::string damage;
    if (!ReadGbfsDirectory(file.bytes, objects, &damage)) {
        error = archive + ": " + damage;
        return false;
    }
    for (const BlockName& block : kBlockNames) {
        std::string name;
        const GbfsObject* object = FindBlock(objects, title, block, name);
        if (!object) continue;
        ImportFile& slot = out.*block.slot;
        slot.name = archive + ":" + name;
        slot.present = true;
        slot.bytes.assign(object->data, object->data + object->size);
    }
    if (out.graphics.present) return true;
    error = archive + ": holds no graphics named " + title + "Tiles or " + title + "Bitmap";
    return false;
}

bool ReadImportPrefix(const std::string& prefix, ImportFiles& out, std::string& error) {
    for (const BlockName& block : kBlockNames)
        if (!ReadIfPresent(prefix + block.binSuffix, out.*block.slot, error)) return false;
    if (out.graphics.present) return true;
    error = prefix + ".img.bin: " + std::strerror(ENOENT);
    return false;
}

}  // namespace vorlin
