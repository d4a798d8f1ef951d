#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

// What poppler reads from a PDF: the words with their boxes in millimetres
// (from the page's top-left corner), and the pages' sizes.
struct PdfWord {
    int page = 0; // from 0
    QRectF box;
    QString text;
};

struct PdfText {
    QList<QSizeF> pageSizes; // millimetres
    QList<PdfWord> words;

    // Runs pdftotext -bbox; an empty result when it fails.
    static PdfText read(const QString &pdfFile);

    QList<PdfWord> onPage(int page) const;
    // Words equal to text, on a page or anywhere when page < 0.
    QList<PdfWord> find(const QString &text, int page = -1) const;
    // Words of a page in reading order, joined by blanks.
    QString pageText(int page) const;
};

// The page count pdfinfo reports, or -1.
int pdfInfoPages(const QString &pdfFile);

// Pixels darker than mid-grey in an area of a page (millimetres from its
// top-left corner) as pdftoppm draws it at 300 dpi, or -1.
int pdfInkPixels(const QString &pdfFile, int page, const QRectF &areaMm);
