#include "tools/companion/Pictures.h"

#include "platform/imaging/JpegStart.h"

#include <QtEndian>

namespace tools {

namespace {

// The extension of a picture file that starts at the first byte.
QString signatureOf(const QByteArray &bytes) {
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return QStringLiteral("jpg");
    if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return QStringLiteral("png");
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return QStringLiteral("gif");
    if (bytes.startsWith("II*\0") || bytes.startsWith(QByteArray("MM\0*", 4)))
        return QStringLiteral("tif");
    if (bytes.size() >= 14 && bytes.startsWith("BM")) {
        const quint32 declared = qFromLittleEndian<quint32>(bytes.constData() + 2);
        if (declared >= 14 && declared <= quint32(bytes.size()))
            return QStringLiteral("bmp");
    }
    return QString();
}

quint32 word(const QByteArray &bytes, qsizetype at) {
    return at + 4 <= bytes.size() ? qFromLittleEndian<quint32>(bytes.constData() + at) : 0;
}

// The native data of an OLE object as a Jet file keeps it: a header of its
// own (signature 0x1C15 and its length), then an OLE 1.0 stream: version,
// format (2 = embedded), class, topic and item names, the data's length and
// the data.
QByteArray oleNativeData(const QByteArray &blob) {
    if (blob.size() < 4 || quint8(blob[0]) != 0x15 || quint8(blob[1]) != 0x1C)
        return QByteArray();
    qsizetype at = qFromLittleEndian<quint16>(blob.constData() + 2);
    if (word(blob, at + 4) != 2)
        return QByteArray();
    at += 8;
    for (int name = 0; name < 3; ++name) {
        const quint32 length = word(blob, at);
        if (length > quint32(blob.size()))
            return QByteArray();
        at += 4 + length;
    }
    const quint32 length = word(blob, at);
    at += 4;
    if (at + qsizetype(length) > blob.size())
        return QByteArray();
    return blob.mid(at, length);
}

} // namespace

PictureFile pictureFile(const QByteArray &blob) {
    const QString whole = signatureOf(blob);
    if (!whole.isEmpty())
        return {blob, whole};
    const int jpeg = platform::jpegStartsInBlob(blob);
    if (jpeg > 0 && signatureOf(blob.mid(jpeg, 3)) == QLatin1String("jpg"))
        return {blob.mid(jpeg), QStringLiteral("jpg")};
    const QByteArray native = oleNativeData(blob);
    const QString inner = signatureOf(native);
    if (!inner.isEmpty()) {
        if (inner == QLatin1String("bmp"))
            return {native.left(qFromLittleEndian<quint32>(native.constData() + 2)), inner};
        return {native, inner};
    }
    return {blob, QStringLiteral("bin")};
}

} // namespace tools
