#include "RtfTestSupport.h"

#include "platform/rtf/RtfFormat.h"
#include "platform/rtf/RtfReader.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>

namespace rtftest {

std::unique_ptr<QTextDocument> read(const QByteArray &bytes, const QTextCharFormat &defaultFormat) {
    auto document = std::make_unique<QTextDocument>();
    platform::RtfReader reader;
    reader.setDefaultCharFormat(defaultFormat);
    reader.read(bytes, document.get());
    return document;
}

namespace {

QString charAttributes(const QTextCharFormat &format, const QFont &defaultFont) {
    const QFont font = format.font().resolve(defaultFont);
    QStringList parts;
    parts << font.family();
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    parts << QString::number(points) + "pt";
    if (font.weight() >= QFont::DemiBold)
        parts << "bold";
    if (font.italic())
        parts << "italic";
    const int underline = format.hasProperty(QTextFormat::TextUnderlineStyle)
                              ? format.underlineStyle()
                              : (font.underline() ? 1 : 0);
    if (underline)
        parts << "ul" + QString::number(underline);
    if (font.strikeOut())
        parts << "strike";
    if (font.capitalization() != QFont::MixedCase)
        parts << "caps" + QString::number(font.capitalization());
    if (format.verticalAlignment() != QTextCharFormat::AlignNormal)
        parts << "valign" + QString::number(format.verticalAlignment());
    if (format.foreground().style() != Qt::NoBrush)
        parts << "fg" + format.foreground().color().name();
    if (format.background().style() != Qt::NoBrush)
        parts << "bg" + format.background().color().name();
    if (format.hasProperty(platform::CharSetProperty))
        parts << "charset" + QString::number(format.intProperty(platform::CharSetProperty));
    if (format.hasProperty(platform::PitchProperty))
        parts << "pitch" + QString::number(format.intProperty(platform::PitchProperty));
    if (format.hasProperty(QTextFormat::FontStyleHint))
        parts << "hint" + QString::number(format.fontStyleHint());
    return parts.join(' ');
}

QString blockAttributes(const QTextBlockFormat &f) {
    QStringList parts;
    parts << "align" + QString::number(int(f.alignment() & Qt::AlignHorizontal_Mask));
    for (const auto &[name, value] :
         {std::pair{"left", f.leftMargin()}, std::pair{"right", f.rightMargin()},
          std::pair{"indent", f.textIndent()}, std::pair{"top", f.topMargin()},
          std::pair{"bottom", f.bottomMargin()}}) {
        if (value != 0)
            parts << QString("%1=%2").arg(name).arg(value);
    }
    for (const QTextOption::Tab &tab : f.tabPositions())
        parts << QString("tab%1@%2").arg(tab.type).arg(tab.position);
    if (f.layoutDirection() == Qt::RightToLeft)
        parts << "rtl";
    if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        parts << "pagebreak";
    return parts.join(' ');
}

QString escaped(const QString &text) {
    QString out;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F)
            out += QString("<%1>").arg(c.unicode(), 4, 16, QChar('0'));
        else
            out += c;
    }
    return out;
}

} // namespace

QString describe(const QTextDocument &document) {
    const QFont defaultFont = document.defaultFont();
    QString out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        out += "[" + blockAttributes(block.blockFormat()) + " | " +
               charAttributes(block.charFormat(), defaultFont) + "]\n";
        QString runAttributes;
        QString runText;
        const auto flush = [&] {
            if (!runText.isEmpty())
                out += "  {" + runAttributes + "} \"" + escaped(runText) + "\"\n";
            runText.clear();
        };
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString attributes = charAttributes(fragment.charFormat(), defaultFont);
            if (attributes != runAttributes)
                flush();
            runAttributes = attributes;
            runText += fragment.text();
        }
        flush();
    }
    return out;
}

QStringList comparableLines(const QString &text) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"),
                                           QRegularExpression::UseUnicodePropertiesOption);
    QStringList lines;
    QString normalized = text;
    normalized.replace(QChar::LineSeparator, QLatin1Char('\n'));
    normalized.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    for (QString line : normalized.split(QLatin1Char('\n'))) {
        line.replace(blanks, QStringLiteral(" "));
        line = line.trimmed();
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

QByteArray randomBytes(quint32 seed, int size, const QByteArray &alphabet) {
    QRandomGenerator generator(seed);
    QByteArray out(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i) {
        const quint32 r = generator.generate();
        out[i] = alphabet.isEmpty() ? char(r) : alphabet.at(int(r % quint32(alphabet.size())));
    }
    return out;
}

} // namespace rtftest
