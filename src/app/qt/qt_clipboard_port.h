// The system clipboard for the tools: bitmaps travel as "image/bmp" (a file header in front
// of the packed bitmap) plus a plain image for other programs; the program's marker format is
// the MIME type application/x-vorlin.
#pragma once

#include <QMimeData>
#include <memory>

#include "tools/tool_host.h"

namespace vorlin {

inline constexpr const char* kBmpMime = "image/bmp";
inline constexpr const char* kPrivateMime = "application/x-vorlin";

class QtClipboardPort : public ClipboardPort {
  public:
    bool Open() override;
    void Close() override;
    void Empty() override;
    bool Has(ClipFormat format) const override;
    void Put(ClipFormat format, std::vector<std::uint8_t> bytes) override;
    bool Get(ClipFormat format, std::vector<std::uint8_t>& bytes) override;

  private:
    std::unique_ptr<QMimeData> pending_;  // what Put collected, handed over on Close
    bool emptied_ = false;
};

// A packed bitmap with the 14-byte file header in front, as a .bmp file holds it.
QByteArray BmpFileFromPackedDib(const std::vector<std::uint8_t>& dib);

}  // namespace vorlin
