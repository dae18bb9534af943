// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws Zorbelin's pictures (the Melencolia plaque and the application icon)
// so they can be regenerated instead of being opaque binary blobs.
//
// Usage: drawpictures <output-dir>

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QtEndian>

#include <cstdio>

namespace {

constexpr int DurerSquare[4][4] = {
    {16, 3, 2, 13},
    {5, 10, 11, 8},
    {9, 6, 7, 12},
    {4, 15, 14, 1},
};

// All geometry is in units of the 220 x 229 picture; `scale` only sharpens it.
QImage drawPlaque(int scale)
{
    QImage image(220 * scale, 229 * scale, QImage::Format_RGB32);
    image.fill(QColor(0xF4, 0xF2, 0xEC));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);

    // Thin double frame, like the ruled edge of an engraved plate.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1.6));
    p.drawRect(QRectF(4, 4, 212, 221));
    p.setPen(QPen(Qt::black, 0.8));
    p.drawRect(QRectF(7.5, 7.5, 205, 214));

    const double cell = 46, left = 18, top = 16;
    p.setPen(QPen(Qt::black, 1.2));
    for (int i = 1; i < 4; ++i) {
        p.drawLine(QPointF(left + i * cell, top), QPointF(left + i * cell, top + 4 * cell));
        p.drawLine(QPointF(left, top + i * cell), QPointF(left + 4 * cell, top + i * cell));
    }
    p.setPen(QPen(Qt::black, 2.0));
    p.drawRect(QRectF(left, top, 4 * cell, 4 * cell));

    QFont serif(QStringLiteral("Liberation Serif"));
    serif.setStyleHint(QFont::Serif);
    serif.setPixelSize(24);
    p.setFont(serif);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            p.drawText(QRectF(left + c * cell, top + r * cell, cell, cell), Qt::AlignCenter,
                       QString::number(DurerSquare[r][c]));

    serif.setPixelSize(13);
    serif.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(serif);
    p.drawText(QRectF(left, top + 4 * cell, 4 * cell, 221 - (top + 4 * cell)), Qt::AlignCenter, QStringLiteral("1514"));
    p.end();
    return image.convertToFormat(QImage::Format_Grayscale8);
}

// A Lo Shu-like 3 x 3 grid of rounded tiles with an orange centre; the gaps and
// the rounded corners are transparent. Drawn on a 32-unit canvas.
QImage drawIcon(int scale)
{
    QImage image(32 * scale, 32 * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.setPen(QPen(QColor(0x40, 0x40, 0xA0), 1.0));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            QColor fill = ((r + c) % 2 == 0) ? QColor(0x80, 0x80, 0xFF) : QColor(0xC0, 0xC0, 0xFF);
            if (r == 1 && c == 1)
                fill = QColor(0xFF, 0xC0, 0x80);
            p.setBrush(fill);
            // Tiles 10 units wide with 1-unit gaps fill the canvas; the half-unit
            // inset keeps the 1-unit outline on whole pixels at 32 x 32.
            p.drawRoundedRect(QRectF(0.5 + c * 11, 0.5 + r * 11, 9, 9), 2.5, 2.5);
        }
    }
    p.end();
    return image;
}

void put16(QByteArray &out, quint16 v)
{
    out.append(char(v & 0xFF)).append(char(v >> 8));
}

void put32(QByteArray &out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

// One 8-bit paletted image: ICONDIR, one ICONDIRENTRY, BITMAPINFOHEADER,
// 256-entry palette, bottom-up XOR bitmap, bottom-up 1-bit AND mask.
QByteArray encodeIco(const QImage &argb)
{
    const int w = argb.width(), h = argb.height();
    // Pixels count as opaque from half coverage up; the colour of an edge pixel
    // is its straight (unpremultiplied) colour so edges are not darkened.
    QImage rgb(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb px = argb.pixel(x, y);
            rgb.setPixel(x, y, qAlpha(px) >= 128 ? (px | 0xFF000000u) : qRgb(0, 0, 0));
        }
    const QImage idx = rgb.convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither);
    QList<QRgb> palette = idx.colorTable();
    palette.resize(256, qRgb(0, 0, 0));

    const int xorStride = (w + 3) & ~3;
    const int andStride = ((w + 31) / 32) * 4;
    const quint32 bitmapBytes = 40 + 256 * 4 + quint32(h) * (xorStride + andStride);

    QByteArray out;
    put16(out, 0); // reserved
    put16(out, 1); // type: icon
    put16(out, 1); // image count
    out.append(char(w & 0xFF)); // 256 would be stored as 0
    out.append(char(h & 0xFF));
    out.append(char(0)); // colour count: 0 means 256
    out.append(char(0)); // reserved
    put16(out, 1); // planes
    put16(out, 8); // bits per pixel
    put32(out, bitmapBytes);
    put32(out, 6 + 16); // offset of the bitmap

    put32(out, 40); // biSize
    put32(out, quint32(w));
    put32(out, quint32(2 * h)); // XOR and AND bitmaps stacked
    put16(out, 1); // biPlanes
    put16(out, 8); // biBitCount
    put32(out, 0); // BI_RGB
    put32(out, quint32(h) * (xorStride + andStride));
    put32(out, 0);
    put32(out, 0);
    put32(out, 256); // biClrUsed
    put32(out, 0);
    for (QRgb c : palette) {
        out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(0));
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(xorStride, '\0');
        for (int x = 0; x < w; ++x)
            row[x] = char(idx.pixelIndex(x, y));
        out.append(row);
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(andStride, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(argb.pixel(x, y)) < 128)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        out.append(row);
    }
    Q_ASSERT(quint32(out.size()) == 6 + 16 + bitmapBytes);
    return out;
}

// Qt's own ico reader must see the same picture we meant to write.
bool icoReadsBack(const QString &path, const QImage &argb)
{
    const QImage back = QImage(path).convertToFormat(QImage::Format_ARGB32);
    if (back.size() != argb.size())
        return false;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb want = argb.pixel(x, y), got = back.pixel(x, y);
            const bool opaque = qAlpha(want) >= 128;
            if ((qAlpha(got) == 255) != opaque)
                return false;
            if (opaque && (got & 0xFFFFFFu) != (want & 0xFFFFFFu))
                return false;
        }
    return true;
}

bool save(const QImage &image, const QString &path, const char *format, int quality = -1)
{
    if (image.save(path, format, quality))
        return true;
    std::fprintf(stderr, "drawpictures: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    // Fonts need a GUI application, but never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawpictures <output-dir>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "drawpictures: cannot create %s\n", argv[1]);
        return 1;
    }

    bool ok = save(drawPlaque(1), dir.filePath(QStringLiteral("melencolia.jpg")), "JPG", 90)
        && save(drawPlaque(2), dir.filePath(QStringLiteral("melencolia@2x.jpg")), "JPG", 90)
        && save(drawIcon(1), dir.filePath(QStringLiteral("zorbelin.png")), "PNG")
        && save(drawIcon(8), dir.filePath(QStringLiteral("zorbelin-256.png")), "PNG");
    if (!ok)
        return 1;

    const QImage icon = drawIcon(1);
    const QString icoPath = dir.filePath(QStringLiteral("zorbelin.ico"));
    QFile ico(icoPath);
    const QByteArray bytes = encodeIco(icon);
    if (!ico.open(QIODevice::WriteOnly) || ico.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "drawpictures: cannot write %s\n", qPrintable(icoPath));
        return 1;
    }
    ico.close();
    if (!icoReadsBack(icoPath, icon)) {
        std::fprintf(stderr, "drawpictures: %s does not read back as drawn\n", qPrintable(icoPath));
        return 1;
    }
    return 0;
}
