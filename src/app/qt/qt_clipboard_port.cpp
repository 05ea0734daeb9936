#include "app/qt/qt_clipboard_port.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "core/little_endian.h"

namespace vorlin {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

}  // namespace

QByteArray BmpFileFromPackedDib(const std::vector<std::uint8_t>& dib) {
    if (dib.size() < kInfoHeaderSize) return {};
    // Pixels start after the header and the colour table (biClrUsed entries, or 2^bits).
    const std::uint32_t headerSize = Le32(dib.data());
    const std::uint32_t bits = Le16(dib.data() + 14);
    std::uint32_t colours = Le32(dib.data() + 32);
    if (colours == 0 && bits <= 8) colours = 1u << bits;
    const std::uint64_t offset = kFileHeaderSize + std::uint64_t{headerSize} + 4ull * colours;
    if (offset > 0xFFFFFFFFull || dib.size() > 0xFFFFFFFFull - kFileHeaderSize) return {};
    std::uint8_t fileHeader[kFileHeaderSize] = {'B', 'M'};
    PutLe32(fileHeader + 2, static_cast<std::uint32_t>(kFileHeaderSize + dib.size()));
    PutLe32(fileHeader + 10, static_cast<std::uint32_t>(offset));
    QByteArray file(reinterpret_cast<const char*>(fileHeader), kFileHeaderSize);
    file.append(reinterpret_cast<const char*>(dib.data()), static_cast<qsizetype>(dib.size()));
    return file;
}

bool QtClipboardPort::Open() {
    pending_ = std::make_unique<QMimeData>();
    emptied_ = false;
    return QGuiApplication::clipboard() != nullptr;
}

void QtClipboardPort::Close() {
    if (pending_ && (emptied_ || !pending_->formats().isEmpty()))
        QGuiApplication::clipboard()->setMimeData(pending_.release());
    pending_.reset();
}

void QtClipboardPort::Empty() {
    pending_ = std::make_unique<QMimeData>();
    emptied_ = true;
}

bool QtClipboardPort::Has(ClipFormat format) const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return false;
    if (format == ClipFormat::Private) return data->hasFormat(kPrivateMime);
    return data->hasFormat(kBmpMime) || data->hasImage();
}

void QtClipboardPort::Put(ClipFormat format, std::vector<std::uint8_t> bytes) {
    if (!pending_) pending_ = std::make_unique<QMimeData>();
    if (format == ClipFormat::Private) {
        pending_->setData(kPrivateMime, QByteArray());
        return;
    }
    const QByteArray file = BmpFileFromPackedDib(bytes);
    if (file.isEmpty()) return;
    pending_->setData(kBmpMime, file);
    QImage image;
    if (image.loadFromData(file, "BMP")) pending_->setImageData(image);
}

bool QtClipboardPort::Get(ClipFormat format, std::vector<std::uint8_t>& bytes) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || format != ClipFormat::Dib) return false;
    QByteArray file = data->data(kBmpMime);
    if (file.isEmpty() && data->hasImage()) {
        // Another program's image: hand it over as a bitmap file, which the paste reads.
        const QImage image = qvariant_cast<QImage>(data->imageData());
        QBuffer buffer(&file);
        buffer.open(QIODevice::WriteOnly);
        if (image.isNull() || !image.save(&buffer, "BMP")) return false;
    }
    if (file.isEmpty()) return false;
    bytes.assign(file.begin(), file.end());
    return true;
}

}  // namespace vorlin
