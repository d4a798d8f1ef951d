#include "platform/reportengine/PreparedReport.h"

#include "core/Error.h"
#include "platform/reportengine/ReportUnits.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QPaintDevice>
#include <QPainter>
#include <QPicture>
#include <QSaveFile>

namespace reportengine {

namespace {
const QByteArray kMagic = QByteArrayLiteral("HLREPORT");
constexpr quint32 kMaxPages = 10'000'000;
constexpr int kDigestSize = 16;

QByteArray digestOf(const QByteArray &bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5);
}

QString nativeName(const QString &fileName) {
    return QDir::toNativeSeparators(fileName);
}
} // namespace

void PreparedReport::save(ReportPages &pages, const QString &fileName) {
    pages.completeLayout();
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw core::Error(QStringLiteral("Cannot write the file %1").arg(nativeName(fileName)));
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_4);
    out.writeRawData(kMagic.constData(), int(kMagic.size()));
    const QPageLayout layout = pages.pageLayout();
    const QSizeF size = layout.pageSize().size(QPageSize::Millimeter);
    out << kFormatVersion << qint32(layout.pageSize().id()) << qint32(layout.orientation())
        << double(size.width()) << double(size.height()) << quint32(pages.pageCount());
    for (int index = 0; index < pages.pageCount(); ++index) {
        QPicture picture;
        {
            QPainter painter(&picture);
            pages.drawPage(painter, index);
        }
        const QByteArray bytes(picture.data(), int(picture.size()));
        out << quint32(bytes.size());
        out.writeRawData(digestOf(bytes).constData(), kDigestSize);
        out.writeRawData(bytes.constData(), int(bytes.size()));
    }
    if (out.status() != QDataStream::Ok || !file.commit())
        throw core::Error(QStringLiteral("Cannot write the file %1").arg(nativeName(fileName)));
}

PreparedReport::PreparedReport(const QString &fileName, QObject *parent)
    : ReportPages(parent)
    , m_file(fileName) {
    if (!m_file.open(QIODevice::ReadOnly))
        throw core::Error(QStringLiteral("Cannot open the file %1").arg(nativeName(fileName)));
    QDataStream in(&m_file);
    in.setVersion(QDataStream::Qt_6_4);
    QByteArray magic(int(kMagic.size()), '\0');
    if (in.readRawData(magic.data(), int(magic.size())) != magic.size() || magic != kMagic)
        throw core::Error(
            QStringLiteral("The file %1 is not a prepared report").arg(nativeName(fileName)));
    quint32 version = 0;
    qint32 sizeId = 0;
    qint32 orientation = 0;
    double width = 0;
    double height = 0;
    quint32 count = 0;
    in >> version;
    if (in.status() == QDataStream::Ok && version > kFormatVersion)
        throw core::Error(QStringLiteral("The prepared report %1 was written by a newer version "
                                         "of the program")
                              .arg(nativeName(fileName)));
    in >> sizeId >> orientation >> width >> height >> count;
    if (in.status() != QDataStream::Ok || version == 0 || count == 0 || count > kMaxPages ||
        (orientation != QPageLayout::Portrait && orientation != QPageLayout::Landscape) ||
        !(width > 1 && width < 10000 && height > 1 && height < 10000))
        damaged();
    const QPageSize pageSize = sizeId >= 0 && sizeId <= QPageSize::LastPageSize
                                   ? QPageSize(QPageSize::PageSizeId(sizeId))
                                   : QPageSize(QSizeF(width, height), QPageSize::Millimeter);
    m_layout = QPageLayout(pageSize, QPageLayout::Orientation(orientation), QMarginsF());

    m_pages.reserve(count);
    for (quint32 index = 0; index < count; ++index) {
        quint32 length = 0;
        in >> length;
        QByteArray digest(kDigestSize, '\0');
        if (in.status() != QDataStream::Ok ||
            in.readRawData(digest.data(), kDigestSize) != kDigestSize ||
            length > m_file.size() - m_file.pos())
            damaged();
        const qint64 offset = m_file.pos();
        const QByteArray bytes = m_file.read(length);
        if (bytes.size() != qsizetype(length) || digestOf(bytes) != digest)
            damaged();
        QPicture check;
        check.setData(bytes.constData(), uint(bytes.size()));
        if (check.isNull())
            damaged();
        m_pages.push_back({offset, length, digest});
    }
    if (!m_file.atEnd())
        damaged();
}

void PreparedReport::damaged() const {
    throw core::Error(QStringLiteral("The prepared report %1 is damaged and cannot be shown")
                          .arg(nativeName(m_file.fileName())));
}

void PreparedReport::drawPage(QPainter &painter, int index) const {
    if (index < 0 || index >= pageCount())
        return;
    const Page &page = m_pages[size_t(index)];
    if (!m_file.seek(page.offset))
        return;
    const QByteArray bytes = m_file.read(page.length);
    if (digestOf(bytes) != page.digest)
        return; // changed on disk since it was opened
    QPicture picture;
    picture.setData(bytes.constData(), uint(bytes.size()));
    // Replaying scales by the device's resolution over the picture's: undo that,
    // the painter already maps layout units to the device.
    const QPaintDevice *device = painter.device();
    painter.save();
    painter.scale(qreal(picture.logicalDpiX()) / device->logicalDpiX(),
                  qreal(picture.logicalDpiY()) / device->logicalDpiY());
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

} // namespace reportengine
