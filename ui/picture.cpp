#include "picture.h"

#include <QFile>
#include <QImageReader>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <future>
#include <vector>

namespace vornak {

namespace {

// Maps in a big image's memory in one call before it is written. Left to
// fault in page by page, a table's picture (some 430 pages) costs several
// milliseconds of the start on a virtual machine, where each fault is dear.
// Kernels before 5.14 refuse the call, and the pages come as they are used.
void populate(QImage& image) {
    if (image.isNull()) return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(image.bits()) & ~(page - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(image.bits()) +
                     static_cast<std::uintptr_t>(image.sizeInBytes());
#ifdef MADV_POPULATE_WRITE
    madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#endif
}

// An image of the given size that Qt's readers would also allocate, its
// memory populated; null when it would be larger than they allow (a limit
// of 0 allows any size).
QImage allocate(QSize size, QImage::Format format) {
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    if (!size.isValid() || size.isEmpty() || size.width() > SHRT_MAX || size.height() > SHRT_MAX ||
        (limit > 0 && bytes > limit))
        return {};
    QImage image(size, format);
    populate(image);
    return image;
}

std::uint32_t le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const unsigned char* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}

enum class Kind { Unknown, Bmp, Jpeg, Png };

Kind kindOf(const unsigned char* head, qint64 got) {
    if (got >= 2 && head[0] == 'B' && head[1] == 'M') return Kind::Bmp;
    if (got >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return Kind::Jpeg;
    static constexpr unsigned char kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (got >= 8 && std::equal(kPng, kPng + 8, head)) return Kind::Png;
    return Kind::Unknown;
}

// An uncompressed 24-bit BMP, read in blocks of rows straight into the
// image: Qt's reader converts it a pixel at a time through its device,
// several milliseconds for a table. Null when the file is not of that kind
// or is cut short.
QImage readPlainBmp(QFile& file, const unsigned char* head, qint64 got) {
    if (got < 54 || le32(head + 14) < 40 || le16(head + 26) != 1 || le16(head + 28) != 24 ||
        le32(head + 30) != 0)
        return {};
    const auto width = static_cast<std::int32_t>(le32(head + 18));
    const auto signedHeight = static_cast<std::int32_t>(le32(head + 22));
    if (width <= 0 || signedHeight == 0 || signedHeight == INT32_MIN) return {};
    const bool topDown = signedHeight < 0;
    const int height = topDown ? -signedHeight : signedHeight;
    if (width > SHRT_MAX || height > SHRT_MAX) return {};  // left to Qt's reader
    const qint64 stride = (qint64(width) * 3 + 3) & ~qint64(3);
    const qint64 offset = le32(head + 10);
    if (offset < 54 || offset + stride * height > file.size()) return {};
    QImage image = allocate(QSize(width, height), QImage::Format_RGB32);
    if (image.isNull() || !file.seek(offset)) return {};

    const int rowsPerBlock = int(qMax<qint64>(1, (64 * 1024) / stride));
    std::vector<char> block(static_cast<std::size_t>(stride * rowsPerBlock));
    for (int row = 0; row < height; row += rowsPerBlock) {
        const int rows = qMin(rowsPerBlock, height - row);
        if (file.read(block.data(), stride * rows) != stride * rows) return {};
        for (int i = 0; i < rows; ++i) {
            const int y = topDown ? row + i : height - 1 - (row + i);
            const auto* src = reinterpret_cast<const unsigned char*>(block.data()) + stride * i;
            auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x, src += 3) dst[x] = qRgb(src[2], src[1], src[0]);
        }
    }
    return image;
}

// Reads any picture file; see readPicture().
QImage decode(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    unsigned char head[54] = {};
    const qint64 got = file.read(reinterpret_cast<char*>(head), sizeof head);
    const Kind kind = kindOf(head, got);
    if (kind == Kind::Bmp) {
        QImage plain = readPlainBmp(file, head, got);
        if (!plain.isNull()) return plain;
    }
    if (!file.seek(0)) return {};

    static const char* const kFormats[] = {"", "bmp", "jpeg", "png"};
    QImageReader reader(&file, kFormats[static_cast<int>(kind)]);
    // The reader fills an image of the size and format it produces in place.
    QImage image = allocate(reader.size(), reader.imageFormat());
    if (!reader.read(&image)) return {};
    if (image.hasAlphaChannel()) image.convertTo(QImage::Format_ARGB32_Premultiplied);
    return image;
}

// The picture being read ahead, if any. Only the main thread touches this.
struct ReadAhead {
    std::string path;
    std::future<QImage> image;
};

ReadAhead& readAhead() {
    static ReadAhead ahead;
    return ahead;
}

}  // namespace

void readPictureAhead(const std::string& path) {
    ReadAhead& ahead = readAhead();
    if (path.empty() || ahead.image.valid()) return;
    ahead.path = path;
    ahead.image = std::async(std::launch::async, decode, path);
}

QImage readPicture(const std::string& path) {
    ReadAhead& ahead = readAhead();
    if (ahead.image.valid()) {
        QImage image = ahead.image.get();  // waits while it is still being read
        if (ahead.path == path) return image;
    }
    return decode(path);
}

}  // namespace vornak
