#include "tests/platform/imaging/BmpBuilder.h"

#include <QtEndian>

namespace fixtures {

void putU16(QByteArray &bytes, int at, quint16 value) {
    qToLittleEndian(value, bytes.data() + at);
}

void putU32(QByteArray &bytes, int at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}

namespace {

void appendU16(QByteArray &bytes, quint16 value) {
    bytes.append(char(value & 0xFF)).append(char(value >> 8));
}

void appendU32(QByteArray &bytes, quint32 value) {
    appendU16(bytes, quint16(value & 0xFFFF));
    appendU16(bytes, quint16(value >> 16));
}

QByteArray packRow(const BmpSpec &shape, const quint32 *row, int width) {
    QByteArray out;
    const int bpp = shape.bitsPerPixel;
    if (bpp < 8) {
        const int perByte = 8 / bpp;
        for (int x = 0; x < width; x += perByte) {
            int byte = 0;
            for (int k = 0; k < perByte; ++k)
                byte |= (x + k < width ? int(row[x + k]) : 0) << (8 - bpp * (k + 1));
            out.append(char(byte));
        }
    } else {
        for (int x = 0; x < width; ++x) {
            const quint32 v = row[x];
            if (bpp == 8)
                out.append(char(v));
            else if (bpp == 16)
                appendU16(out, quint16(v));
            else if (bpp == 24)
                out.append(char(qBlue(v))).append(char(qGreen(v))).append(char(qRed(v)));
            else
                appendU32(out, v);
        }
    }
    while (out.size() % 4)
        out.append('\0');
    return out;
}

// Runs of three or more equal pixels as runs, other stretches as literal runs (of at
// least three pixels) or as short runs.
QByteArray rleRow(const quint32 *row, int width, bool four) {
    QByteArray out;
    int x = 0;
    while (x < width) {
        int run = 1;
        while (x + run < width && run < 255 && row[x + run] == row[x])
            ++run;
        if (run >= 3 || width - x < 3) {
            out.append(char(run)).append(char(four ? (row[x] << 4 | row[x]) : row[x]));
            x += run;
            continue;
        }
        int end = x + 1;
        while (end < width && end - x < 254 &&
               !(end + 2 < width && row[end] == row[end + 1] && row[end] == row[end + 2]))
            ++end;
        const int count = end - x;
        if (count < 3) {
            for (int i = 0; i < count; ++i)
                out.append(char(1)).append(char(four ? row[x + i] << 4 : row[x + i]));
            x = end;
            continue;
        }
        out.append(char(0)).append(char(count));
        QByteArray literal;
        for (int i = 0; i < count; ++i) {
            if (!four)
                literal.append(char(row[x + i]));
            else if (i % 2 == 0)
                literal.append(char(row[x + i] << 4));
            else
                literal[literal.size() - 1] = char(literal.back() | char(row[x + i]));
        }
        if (literal.size() % 2)
            literal.append('\0');
        out.append(literal);
        x = end;
    }
    out.append(char(0)).append(char(0));
    return out;
}

} // namespace

QByteArray buildBmp(const BmpSpec &shape, int width, int height,
                    const std::vector<quint32> &pixels) {
    const bool core = shape.infoSize == 12;
    const bool rle = shape.compression == 1 || shape.compression == 2;
    QByteArray data;
    for (int i = 0; i < height; ++i) {
        const int y = shape.topDown ? i : height - 1 - i;
        const quint32 *row = pixels.data() + qsizetype(y) * width;
        data.append(rle ? rleRow(row, width, shape.compression == 2) : packRow(shape, row, width));
    }
    if (rle)
        data.append(char(0)).append(char(1));

    QByteArray info;
    appendU32(info, quint32(shape.infoSize));
    if (core) {
        appendU16(info, quint16(width));
        appendU16(info, quint16(height));
        appendU16(info, 1);
        appendU16(info, quint16(shape.bitsPerPixel));
    } else {
        appendU32(info, quint32(width));
        appendU32(info, quint32(shape.topDown ? -height : height));
        appendU16(info, 1);
        appendU16(info, quint16(shape.bitsPerPixel));
        appendU32(info, quint32(shape.compression));
        appendU32(info, quint32(data.size()));
        appendU32(info, shape.pixelsPerMetre);
        appendU32(info, shape.pixelsPerMetre);
        appendU32(info, quint32(shape.coloursUsed >= 0 ? shape.coloursUsed : shape.palette.size()));
        appendU32(info, 0);
        if (shape.infoSize > 40)
            for (quint32 mask : shape.masks)
                appendU32(info, mask);
        while (info.size() < shape.infoSize)
            info.append('\0');
    }
    QByteArray tables;
    if (shape.compression == 3 && shape.infoSize == 40)
        for (quint32 mask : shape.masks)
            appendU32(tables, mask);
    for (QRgb colour : shape.palette) {
        tables.append(char(qBlue(colour))).append(char(qGreen(colour))).append(char(qRed(colour)));
        if (!core)
            tables.append('\0');
    }

    QByteArray file("BM");
    const int offBits = 14 + int(info.size() + tables.size());
    appendU32(file, quint32(offBits + data.size()));
    appendU32(file, 0);
    appendU32(file, quint32(offBits));
    return file + info + tables + data;
}

} // namespace fixtures
