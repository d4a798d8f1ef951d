#include "tools/companion/Tar.h"

#include "core/Error.h"

#include <QFileDevice>

#include <cstring>

namespace tools::tar {

namespace {

// Offsets and widths of the header's fields.
constexpr int kName = 0, kNameWidth = 100;
constexpr int kMode = 100, kUid = 108, kGid = 116, kSize = 124, kMtime = 136;
constexpr int kChecksum = 148, kType = 156, kMagic = 257, kVersion = 263;
constexpr int kUname = 265, kGname = 297;
constexpr qint64 kLargestOctal = 077777777777LL; // 11 octal digits

void putOctal(QByteArray &block, int offset, int width, qint64 value) {
    const QByteArray digits = QByteArray::number(value, 8).rightJustified(width - 1, '0');
    std::memcpy(block.data() + offset, digits.constData(), size_t(width - 1));
    block[offset + width - 1] = '\0';
}

void putText(QByteArray &block, int offset, const QByteArray &text) {
    std::memcpy(block.data() + offset, text.constData(), size_t(text.size()));
}

qint64 checksumOf(const QByteArray &block) {
    qint64 sum = 0;
    for (int i = 0; i < kBlock; ++i)
        sum += (i >= kChecksum && i < kChecksum + 8) ? ' ' : quint8(block.at(i));
    return sum;
}

// An octal field (spaces or NULs around the digits), or a base-256 one.
bool number(const QByteArray &block, int offset, int width, qint64 *value) {
    if (quint8(block.at(offset)) == 0x80) {
        qint64 v = 0;
        for (int i = offset + 1; i < offset + width; ++i) {
            if (v > (qint64(1) << 55))
                return false;
            v = (v << 8) | quint8(block.at(i));
        }
        *value = v;
        return true;
    }
    const QByteArray field = block.mid(offset, width).replace('\0', ' ').trimmed();
    bool ok = false;
    *value = field.isEmpty() ? 0 : field.toLongLong(&ok, 8);
    return field.isEmpty() || ok;
}

core::Error damaged(const QString &what, qint64 offset) {
    return core::Error(
        QStringLiteral("The archive is damaged: %1 at byte %2").arg(what).arg(offset));
}

} // namespace

QByteArray header(const QString &name, qint64 size, qint64 modified) {
    const QByteArray utf8 = name.toUtf8();
    if (utf8.isEmpty() || utf8.size() >= kNameWidth)
        throw core::Error(QStringLiteral("The name '%1' does not fit a tar header").arg(name));
    QByteArray block(kBlock, '\0');
    putText(block, kName, utf8);
    putOctal(block, kMode, 8, 0644);
    putOctal(block, kUid, 8, 0);
    putOctal(block, kGid, 8, 0);
    if (size <= kLargestOctal) {
        putOctal(block, kSize, 12, size);
    } else {
        block[kSize] = char(0x80);
        for (int i = 11; i >= 1; --i, size >>= 8)
            block[kSize + i] = char(size & 0xff);
    }
    putOctal(block, kMtime, 12, qMax<qint64>(0, modified));
    block[kType] = '0';
    putText(block, kMagic, QByteArray("ustar\0", 6));
    putText(block, kVersion, QByteArray("00"));
    putText(block, kUname, QByteArray("root"));
    putText(block, kGname, QByteArray("root"));
    putOctal(block, kChecksum, 7, checksumOf(block));
    block[kChecksum + 7] = ' ';
    return block;
}

qint64 padding(qint64 size) {
    return (kBlock - size % kBlock) % kBlock;
}

QByteArray end() {
    return QByteArray(2 * kBlock, '\0');
}

QList<Entry> list(QFileDevice &archive) {
    QList<Entry> entries;
    const qint64 total = archive.size();
    qint64 offset = 0;
    while (true) {
        if (!archive.seek(offset))
            throw damaged(QStringLiteral("cannot seek"), offset);
        const QByteArray block = archive.read(kBlock);
        if (block.size() < kBlock)
            throw damaged(QStringLiteral("it ends without its closing blocks"), offset);
        if (block.count('\0') == kBlock) {
            const QByteArray next = archive.read(kBlock);
            if (next.size() == kBlock && next.count('\0') == kBlock)
                return entries;
            throw damaged(QStringLiteral("a lone zero block"), offset);
        }
        qint64 stored = 0;
        if (!number(block, kChecksum, 8, &stored) || stored != checksumOf(block))
            throw damaged(QStringLiteral("a header checksum does not match"), offset);
        Entry entry;
        entry.name = QString::fromUtf8(block.constData() + kName,
                                       qsizetype(qstrnlen(block.constData() + kName, kNameWidth)));
        entry.type = block.at(kType) == '\0' ? '0' : block.at(kType);
        if (!number(block, kSize, 12, &entry.size) || entry.size < 0 ||
            !number(block, kMtime, 12, &entry.modified))
            throw damaged(QStringLiteral("a header field is not a number"), offset);
        entry.dataOffset = offset + kBlock;
        if (entry.dataOffset + entry.size > total)
            throw damaged(QStringLiteral("'%1' runs past the end").arg(entry.name), offset);
        entries << entry;
        offset = entry.dataOffset + entry.size + padding(entry.size);
    }
}

} // namespace tools::tar
