#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <memory>

namespace platform {

// A JPEG picture for display. Its header is read when it is made; pixels are decoded
// only when asked for, and only the region asked for, at full scale with the
// floating-point inverse DCT and block smoothing. The pixels of a region are those of a
// full decode, bit for bit. Copies share the stream and the decoded pixels.
class JpegPicture {
public:
    enum class ColourSpace { Grey, Colour, Cmyk };

    struct Pixels {
        QImage image;  // 24-bit RGB, or 8-bit grey for a greyscale picture
        QPoint origin; // where the image's top-left pixel lies in the picture
    };

    JpegPicture() = default;
    // The JPEG stream is `bytes` from `offset` to the end. Throws core::Error "Stream read
    // error" when `offset` lies outside `bytes` (as -1 from jpegStartsInBlob does), and
    // "JPEG error #%d" (libjpeg's message code) when the header is rejected, also when the
    // picture would need more memory than the decoder may take (libjpeg's code for that,
    // JERR_NO_BACKING_STORE), as a progressive picture of more than about 44 megapixels
    // with full colour, or 89 with 4:2:0 chroma, would.
    explicit JpegPicture(const QByteArray &bytes, qsizetype offset = 0);

    bool isNull() const { return !d; }
    QSize size() const;
    int width() const { return size().width(); }
    int height() const { return size().height(); }
    ColourSpace colourSpace() const;
    bool isProgressive() const;

    // Decoded pixels covering `region` (picture coordinates, clipped to the picture); the
    // image may cover more. Decodes on first use and keeps the result. Throws core::Error
    // "JPEG error #%d" for damaged pixel data; a stream cut short is no error (grey fill).
    Pixels pixels(const QRect &region) const;
    // The whole picture.
    QImage toImage() const;

private:
    struct Data;
    std::shared_ptr<Data> d;
};

} // namespace platform
