#pragma once

#include <QImage>
#include <QtGlobal>

#include <array>
#include <vector>

class QIODevice;

namespace platform {

// A Windows bitmap file read as 24-bit RGB rows, top row first, without holding the
// picture whole: uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel stored top-down or
// bottom-up, RLE4 and RLE8, bit-field masks, and the OS/2 core header. Palettes are
// flattened to their colours; an alpha channel is ignored. Every size, offset and count
// of the header is checked against the file before anything is read or allocated: a
// header that does not fit throws core::Error "Bitmap image is not valid".
class BitmapReader {
public:
    // `device` is open for reading and random access, and stays in use while reading.
    explicit BitmapReader(QIODevice *device);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int bitsPerPixel() const { return m_bitsPerPixel; }

    // Reads `count` rows from row `y` (0 is the top) as width * 3 bytes of RGB each,
    // `stride` bytes apart. Throws core::Error "Stream read error" when the file no
    // longer holds them.
    void readRows(int y, int count, uchar *rgb, qsizetype stride);

    // The whole picture (24-bit RGB).
    QImage toImage();

    // The largest width and height accepted (the largest a JPEG file can hold).
    static constexpr int kMaxDimension = 65500;
    // The largest number of pixels of a run-length encoded bitmap, which is unpacked
    // whole because its rows are stored bottom-up.
    static constexpr qint64 kMaxRlePixels = qint64(1) << 26;

private:
    enum class Compression { None, Rle8, Rle4, BitFields };
    struct Channel {
        quint32 mask = 0;
        int shift = 0;
        quint32 max = 0;
    };

    void parse();
    void readMasks(qint64 pos, int count);
    void readPalette(qint64 pos, int count, int entrySize);
    void unpackRle();
    void convertRow(const uchar *src, uchar *rgb) const;
    void convertIndices(const uchar *indices, uchar *rgb) const;

    QIODevice *m_device;
    qint64 m_fileSize = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_topDown = false;
    int m_bitsPerPixel = 0;
    Compression m_compression = Compression::None;
    qint64 m_dataOffset = 0;
    qint64 m_dataSize = 0;
    qint64 m_stride = 0;
    std::array<Channel, 3> m_channels{}; // red, green, blue
    std::array<uchar, 256 * 3> m_palette{};
    std::vector<uchar> m_indices; // unpacked run-length data, top row first
    std::vector<uchar> m_raw;     // rows read from the file
};

} // namespace platform
