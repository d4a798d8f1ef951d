#pragma once

#include "platform/reportengine/ReportPages.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <vector>

namespace reportengine {

// A report laid out earlier and saved: it replays the saved pages exactly,
// without the data they came from. Pages are read from the file when drawn.
//
// File: the 8 bytes "HLREPORT", then big-endian: format version (quint32),
// page size id, orientation, paper width and height in millimetres (double),
// page count (quint32), and for each page its length (quint32), the MD5 of its
// bytes (16 bytes) and the bytes of a QPicture drawn in layout units.
class PreparedReport : public ReportPages {
    Q_OBJECT
public:
    static constexpr quint32 kFormatVersion = 1;

    // Opens a saved report; throws core::Error with a clear message when the
    // file cannot be read, is not a prepared report or is damaged.
    explicit PreparedReport(const QString &fileName, QObject *parent = nullptr);

    // Lays out the rest of the pages and writes them all; throws core::Error.
    static void save(ReportPages &pages, const QString &fileName);

    QString fileName() const { return m_file.fileName(); }
    QPageLayout pageLayout() const override { return m_layout; }
    int pageCount() const override { return int(m_pages.size()); }
    bool isComplete() const override { return true; }
    void drawPage(QPainter &painter, int index) const override;

private:
    struct Page {
        qint64 offset;
        quint32 length;
        QByteArray digest;
    };

    [[noreturn]] void damaged() const;

    mutable QFile m_file;
    QPageLayout m_layout;
    std::vector<Page> m_pages;
};

} // namespace reportengine
