// Table pictures: the quick BMP reading gives what Qt's readers give, every
// other kind of file still reads, and bad files read as nothing.
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

#include "picture.h"

using namespace vornak;

namespace {

// A picture with a different colour in every pixel, so that a row or
// channel read wrongly shows.
QImage patterned(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x * y + 3) % 256));
    return image;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void putLe32(QByteArray& bytes, int at, qint32 value) {
    const auto v = static_cast<quint32>(value);
    for (int i = 0; i < 4; ++i) bytes[at + i] = char((v >> (8 * i)) & 0xFF);
}

qint32 le32At(const QByteArray& bytes, int at) {
    quint32 v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | quint8(bytes[at + i]);
    return static_cast<qint32>(v);
}

}  // namespace

class PictureTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    std::string write(const QString& name, const QByteArray& bytes) {
        QFile file(dir_.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
        return file.fileName().toStdString();
    }

private slots:
    void plainBmpReadsAsQtReadsIt() {
        // Odd widths leave padding at the end of each row.
        for (const QSize size : {QSize(37, 23), QSize(1, 1), QSize(64, 3), QSize(3, 64)}) {
            const QImage source = patterned(size.width(), size.height());
            const QByteArray bmp = encoded(source, "BMP");
            QCOMPARE(quint8(bmp[28]), quint8(24));  // a 24-bit file, the quick kind
            const QImage read = readPicture(write("plain.bmp", bmp));
            QCOMPARE(read.format(), QImage::Format_RGB32);
            QCOMPARE(read, source);
        }

        // Rows stored from the top down, marked by a negative height.
        const QImage source = patterned(21, 9);
        QByteArray bmp = encoded(source, "BMP");
        const int offset = le32At(bmp, 10), stride = (21 * 3 + 3) & ~3;
        QByteArray flipped = bmp.left(offset);
        for (int row = 8; row >= 0; --row) flipped += bmp.mid(offset + row * stride, stride);
        putLe32(flipped, 22, -9);
        QCOMPARE(readPicture(write("topdown.bmp", flipped)), source);
    }

    void otherFilesReadThroughQt() {
        const QImage source = patterned(30, 20);
        // An 8-bit BMP with a colour table.
        const QImage indexed = source.convertToFormat(QImage::Format_Indexed8);
        const QImage fromIndexed = readPicture(write("indexed.bmp", encoded(indexed, "BMP")));
        QCOMPARE(fromIndexed.size(), source.size());
        QCOMPARE(fromIndexed.pixel(5, 5), indexed.pixel(5, 5));

        QCOMPARE(readPicture(write("plain.png", encoded(source, "PNG"))), source);
        const QImage jpeg = readPicture(write("plain.jpg", encoded(source, "JPEG")));
        QCOMPARE(jpeg.size(), source.size());
        QCOMPARE(jpeg.format(), QImage::Format_RGB32);

        // Transparency is premultiplied once, for drawing.
        QImage clear(8, 8, QImage::Format_ARGB32);
        clear.fill(qRgba(200, 100, 50, 128));
        const QImage fromPng = readPicture(write("clear.png", encoded(clear, "PNG")));
        QCOMPARE(fromPng.format(), QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(qAlpha(fromPng.pixel(3, 3)), 128);
    }

    void aPictureReadAheadIsTakenOverOnce() {
        const QImage first = patterned(33, 17), second = patterned(12, 40);
        const std::string a = write("ahead.bmp", encoded(first, "BMP"));
        const std::string b = write("other.png", encoded(second, "PNG"));
        readPictureAhead(a);
        QCOMPARE(readPicture(a), first);
        // Taken over once: the file is read again if it changed since.
        const std::string again = write("ahead.bmp", encoded(second, "BMP"));
        QCOMPARE(readPicture(again), second);
        // A picture read ahead in vain does not stand in for another file.
        readPictureAhead(a);
        QCOMPARE(readPicture(b), second);
        readPictureAhead("");
        QCOMPARE(readPicture(a), second);
    }

    void badFilesReadAsNothing() {
        QVERIFY(readPicture(dir_.filePath("missing.bmp").toStdString()).isNull());
        QVERIFY(readPicture(write("empty.bmp", QByteArray())).isNull());
        QVERIFY(readPicture(write("text.bmp", "BM this is not a picture")).isNull());

        // A header claiming a picture far larger than any reader allows is
        // refused without allocating it.
        QByteArray huge = encoded(patterned(4, 4), "BMP");
        putLe32(huge, 18, 100000);
        putLe32(huge, 22, 100000);
        QVERIFY(readPicture(write("huge.bmp", huge)).isNull());
        putLe32(huge, 18, INT32_MAX);
        putLe32(huge, 22, INT32_MIN + 1);
        QVERIFY(readPicture(write("huge.bmp", huge)).isNull());

        // A file cut short in its pixels gives no picture of the wrong size.
        const QByteArray whole = encoded(patterned(40, 40), "BMP");
        const QImage cut = readPicture(write("cut.bmp", whole.left(whole.size() / 2)));
        QVERIFY(cut.isNull() || cut.size() == QSize(40, 40));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    PictureTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "picture_test.moc"
