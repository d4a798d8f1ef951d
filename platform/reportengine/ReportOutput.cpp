#include "platform/reportengine/ReportOutput.h"

#include "core/Error.h"
#include "platform/reportengine/ReportPages.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>

namespace reportengine {

void setUpPrinter(QPrinter &printer, const ReportPages &pages) {
    const QPageLayout layout = pages.pageLayout();
    printer.setFullPage(true);
    printer.setPageSize(layout.pageSize());
    printer.setPageOrientation(layout.orientation());
    printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
}

void printPages(ReportPages &pages, QPrinter &printer, int currentPage) {
    pages.completeLayout();
    setUpPrinter(printer, pages);
    int first = 0;
    int last = pages.pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = qMax(first, printer.fromPage() - 1);
        last = qMin(last, printer.toPage() - 1);
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        first = last = qBound(0, currentPage, last);
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString target = printer.outputFileName().isEmpty()
                                   ? printer.printerName()
                                   : QDir::toNativeSeparators(printer.outputFileName());
        throw core::Error(QStringLiteral("Cannot print to %1").arg(target));
    }
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        pages.renderPage(painter, page);
    }
    if (!painter.end())
        throw core::Error(QStringLiteral("Printing did not finish"));
}

void exportPdf(ReportPages &pages, const QString &fileName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setCreator(QStringLiteral("Hearthledger"));
    QFile probe(fileName);
    if (!probe.open(QIODevice::WriteOnly))
        throw core::Error(
            QStringLiteral("Cannot write the file %1").arg(QDir::toNativeSeparators(fileName)));
    probe.close();
    printPages(pages, printer);
}

} // namespace reportengine
