#include "PdfText.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {
constexpr double kPointsToMm = 25.4 / 72.0;
}

PdfText PdfText::read(const QString &pdfFile) {
    PdfText result;
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), pdfFile, QStringLiteral("-")});
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return result;
    QXmlStreamReader xml(process.readAllStandardOutput());
    int page = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attributes = xml.attributes();
        auto number = [&](const char *name) {
            return attributes.value(QLatin1String(name)).toDouble() * kPointsToMm;
        };
        if (xml.name() == QLatin1String("page")) {
            ++page;
            result.pageSizes.append(QSizeF(number("width"), number("height")));
        } else if (xml.name() == QLatin1String("word")) {
            const QRectF box(QPointF(number("xMin"), number("yMin")),
                             QPointF(number("xMax"), number("yMax")));
            result.words.append({page, box, xml.readElementText()});
        }
    }
    return result;
}

QList<PdfWord> PdfText::onPage(int page) const {
    QList<PdfWord> result;
    for (const PdfWord &word : words)
        if (word.page == page)
            result.append(word);
    return result;
}

QList<PdfWord> PdfText::find(const QString &text, int page) const {
    QList<PdfWord> result;
    for (const PdfWord &word : words)
        if (word.text == text && (page < 0 || word.page == page))
            result.append(word);
    return result;
}

QString PdfText::pageText(int page) const {
    QStringList texts;
    for (const PdfWord &word : onPage(page))
        texts.append(word.text);
    return texts.join(QLatin1Char(' '));
}

int pdfInfoPages(const QString &pdfFile) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdfFile});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return -1;
    const auto match =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(process.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

int pdfInkPixels(const QString &pdfFile, int page, const QRectF &areaMm) {
    constexpr double kDpi = 300;
    const QRect area(QPointF(areaMm.topLeft() * kDpi / 25.4).toPoint(),
                     QPointF(areaMm.bottomRight() * kDpi / 25.4).toPoint());
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(kDpi),
                   QStringLiteral("-f"), QString::number(page + 1), QStringLiteral("-l"),
                   QString::number(page + 1), QStringLiteral("-x"), QString::number(area.x()),
                   QStringLiteral("-y"), QString::number(area.y()), QStringLiteral("-W"),
                   QString::number(area.width()), QStringLiteral("-H"),
                   QString::number(area.height()), pdfFile});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return -1;
    const QImage image = QImage::fromData(process.readAllStandardOutput(), "PGM");
    if (image.isNull())
        return -1;
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}
