#include "platform/reportengine/ReportEngine.h"

#include "core/Clock.h"
#include "platform/reportengine/BandPainter.h"
#include "platform/reportengine/RecordBand.h"
#include "platform/reportengine/ReportSource.h"
#include "platform/reportengine/ReportUnits.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QPainter>
#include <cmath>

namespace reportengine {

namespace {
constexpr qreal kEpsilon = 0.01;

std::unique_ptr<BandPainter> bandPainter(const std::optional<ReportBand> &band,
                                         const ReportDefinition &definition) {
    if (!band)
        return {};
    return std::make_unique<BandPainter>(*band, definition.baseFont, definition.printableWidth());
}
} // namespace

ReportEngine::ReportEngine(ReportDefinition definition, const ReportSource &source, QObject *parent)
    : ReportPages(parent)
    , m_definition(std::move(definition))
    , m_source(source)
    , m_rowCount(qMax(0, source.rowCount()))
    , m_printTime(core::Clock::now())
    , m_printTimeText(printTimeText(m_printTime))
    , m_title(bandPainter(m_definition.title, m_definition))
    , m_header(bandPainter(m_definition.columnHeader, m_definition))
    , m_detail(bandPainter(m_definition.detail, m_definition))
    , m_footer(bandPainter(m_definition.pageFooter, m_definition)) {
    m_starts.push_back({0, 0});
    m_y = bodyTop(0);
}

ReportEngine::~ReportEngine() = default;

QString ReportEngine::printTimeText(const QDateTime &time) {
    const QLocale locale;
    QString text = locale.toString(time.date(), QLocale::ShortFormat);
    if (time.time() != QTime(0, 0)) {
        // The long format without the time zone, as a clock on the wall shows it.
        QString format = locale.timeFormat(QLocale::LongFormat);
        format.remove(QLatin1Char('t'));
        text += QLatin1Char(' ') + locale.toString(time.time(), format.trimmed());
    }
    return text;
}

QPageLayout ReportEngine::pageLayout() const {
    return m_definition.pageLayout();
}

int ReportEngine::pageCount() const {
    const int starts = int(m_starts.size());
    return m_complete ? starts : starts - 1;
}

bool ReportEngine::layoutFor(int msecs) {
    if (m_complete)
        return true;
    const int before = pageCount();
    QElapsedTimer timer;
    timer.start();
    do {
        layoutStep();
    } while (!m_complete && !timer.hasExpired(msecs));
    if (pageCount() != before)
        emit pagesAdded(pageCount());
    if (m_complete) {
        m_current.reset();
        emit layoutFinished();
    }
    return m_complete;
}

int ReportEngine::layoutProgress() const {
    if (m_complete || m_rowCount == 0)
        return 100;
    return int(qint64(m_record) * 100 / m_rowCount);
}

qreal ReportEngine::bodyTop(int page) const {
    qreal top = mmToUnits(m_definition.margins.top());
    if (page == 0 && m_title)
        top += m_title->height();
    if (m_header)
        top += m_header->height();
    return top;
}

qreal ReportEngine::bodyBottom() const {
    qreal bottom = mmToUnits(m_definition.paperSize().height() - m_definition.margins.bottom());
    if (m_footer)
        bottom -= m_footer->height();
    return bottom;
}

bool ReportEngine::pageIsEmpty() const {
    return m_y <= bodyTop(int(m_starts.size()) - 1) + kEpsilon;
}

void ReportEngine::startPage(int record, qreal offset) {
    m_starts.push_back({record, offset});
    m_y = bodyTop(int(m_starts.size()) - 1);
}

void ReportEngine::finishRecord(int count, qreal height) {
    m_record += count;
    m_offset = 0;
    m_y += height;
    m_current.reset();
}

void ReportEngine::layoutStep() {
    if (m_record >= m_rowCount || !m_detail) {
        m_complete = true;
        return;
    }
    const qreal room = bodyBottom() - m_y;
    if (!m_detail->hasRichText()) {
        // Every record takes the band's height: place a page's worth at once.
        const qreal height = m_detail->height();
        if (height <= kEpsilon) {
            finishRecord(m_rowCount - m_record, 0);
            return;
        }
        const int fit = qMin(m_rowCount - m_record, int(std::floor((room + kEpsilon) / height)));
        if (fit > 0)
            finishRecord(fit, fit * height);
        else if (pageIsEmpty())
            finishRecord(1, qMax(room, 0.0)); // taller than a page: printed cut off
        else
            startPage(m_record, 0);
        return;
    }

    if (!m_current)
        m_current = std::make_unique<RecordBand>(*m_detail, &m_source, m_record);
    const qreal rest = m_current->height() - m_offset;
    if (rest <= room + kEpsilon) {
        finishRecord(1, rest);
        return;
    }
    qreal cut = m_current->breakBefore(m_offset, m_offset + room);
    if (cut <= m_offset + kEpsilon) {
        if (!pageIsEmpty()) {
            startPage(m_record, m_offset);
            return;
        }
        if (room <= 1) {
            finishRecord(1, qMax(room, 0.0)); // no room at all: printed cut off
            return;
        }
        cut = m_offset + room; // a line taller than the page is cut
    }
    m_offset = cut;
    startPage(m_record, m_offset);
}

void ReportEngine::drawPage(QPainter &painter, int index) const {
    if (index < 0 || index >= pageCount())
        return;
    const PageStart start = m_starts[size_t(index)];
    const PageStart end = size_t(index) + 1 < m_starts.size() ? m_starts[size_t(index) + 1]
                                                              : PageStart{m_rowCount, 0};
    const qreal left = mmToUnits(m_definition.margins.left());
    qreal y = mmToUnits(m_definition.margins.top());
    ItemContext context{&m_source, -1, index, m_printTimeText};

    auto drawFixed = [&](const BandPainter &band, qreal top) {
        painter.save();
        painter.translate(left, top);
        band.drawLineItems(painter, context);
        painter.restore();
    };
    if (index == 0 && m_title) {
        drawFixed(*m_title, y);
        y += m_title->height();
    }
    if (m_header) {
        drawFixed(*m_header, y);
        y += m_header->height();
    }
    if (m_detail) {
        for (int row = start.record;
             row < m_rowCount && (row < end.record || (row == end.record && end.offset > 0));
             ++row) {
            context.row = row;
            if (!m_drawn || m_drawn->row() != row)
                m_drawn = std::make_unique<RecordBand>(*m_detail, &m_source, row);
            const RecordBand &band = *m_drawn;
            const qreal from = row == start.record ? start.offset : 0;
            qreal to = row == end.record ? end.offset : band.height();
            to = qMin(to, from + qMax(0.0, bodyBottom() - y)); // never into the footer
            painter.save();
            painter.translate(left, y);
            band.draw(painter, context, from, to);
            painter.restore();
            y += to - from;
        }
    }
    if (m_footer) {
        context.row = -1;
        drawFixed(*m_footer, bodyBottom());
    }
}

} // namespace reportengine
