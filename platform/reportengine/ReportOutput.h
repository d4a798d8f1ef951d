#pragma once

#include <QString>

class QPrinter;

namespace reportengine {

class ReportPages;

// Gives the printer the report's paper and orientation, drawing on the whole sheet.
void setUpPrinter(QPrinter &printer, const ReportPages &pages);

// Prints the printer's page range (all pages when none is chosen, currentPage
// when the current page is chosen); finishes the layout first. Throws
// core::Error when the printer cannot be used.
void printPages(ReportPages &pages, QPrinter &printer, int currentPage = 0);

// Writes every page into a PDF file. Throws core::Error when it cannot.
void exportPdf(ReportPages &pages, const QString &fileName);

} // namespace reportengine
