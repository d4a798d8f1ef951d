#pragma once

#include <QByteArray>
#include <QString>
#include <QTextCharFormat>
#include <QTextDocument>

#include <memory>

namespace rtftest {

// Reads RTF (or a plain value) into a new document.
std::unique_ptr<QTextDocument> read(const QByteArray &bytes,
                                    const QTextCharFormat &defaultFormat = {});

// A description of everything a page keeps: per paragraph its format and
// the character format of its mark, then its text in runs of equal
// attributes, each attribute as it takes effect (unset ones from the
// document's default font), so that two documents that look the same
// describe the same.
QString describe(const QTextDocument &document);

// The text with paragraphs as lines, for comparison with other programs:
// white space runs become one blank, lines are trimmed and empty lines
// dropped.
QStringList comparableLines(const QString &text);

// Deterministic pseudo-random bytes.
QByteArray randomBytes(quint32 seed, int size, const QByteArray &alphabet = {});

} // namespace rtftest
