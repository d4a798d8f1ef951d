#pragma once

#include "platform/reportengine/ReportDefinition.h"
#include "platform/reportengine/ReportPages.h"

#include <QDateTime>
#include <memory>
#include <vector>

namespace reportengine {

class BandPainter;
class RecordBand;
class ReportSource;

// Lays out a report definition over a source, page by page, keeping only where
// each page starts; pages are drawn from the source when asked for.
class ReportEngine : public ReportPages {
    Q_OBJECT
public:
    // The source must outlive the engine; its row count is taken now.
    ReportEngine(ReportDefinition definition, const ReportSource &source,
                 QObject *parent = nullptr);
    ~ReportEngine() override;

    const ReportDefinition &definition() const { return m_definition; }
    QDateTime printTime() const { return m_printTime; }

    QPageLayout pageLayout() const override;
    int pageCount() const override;
    bool isComplete() const override { return m_complete; }
    bool layoutFor(int msecs) override;
    int layoutProgress() const override;
    void drawPage(QPainter &painter, int index) const override;

    // The date in the short format, a blank and the time in the long format
    // (the time is left out at exactly midnight).
    static QString printTimeText(const QDateTime &time);

private:
    struct PageStart {
        int record = 0;
        qreal offset = 0; // part of the record's band already printed
    };

    void layoutStep();
    void startPage(int record, qreal offset);
    void finishRecord(int count, qreal height);
    qreal bodyTop(int page) const;
    qreal bodyBottom() const;
    bool pageIsEmpty() const;

    ReportDefinition m_definition;
    const ReportSource &m_source;
    int m_rowCount = 0;
    QDateTime m_printTime;
    QString m_printTimeText;
    std::unique_ptr<BandPainter> m_title;
    std::unique_ptr<BandPainter> m_header;
    std::unique_ptr<BandPainter> m_detail;
    std::unique_ptr<BandPainter> m_footer;

    std::vector<PageStart> m_starts;
    int m_record = 0;
    qreal m_offset = 0;
    qreal m_y = 0;
    bool m_complete = false;
    std::unique_ptr<RecordBand> m_current;
    // The last record drawn: a record that runs over pages is laid out once.
    mutable std::unique_ptr<RecordBand> m_drawn;
};

} // namespace reportengine
