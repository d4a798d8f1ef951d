#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace core {

// An error that reaches the user as its text. Handlers throw it (or a subclass);
// the guard at the event boundary shows it in the general error report.
class Error : public std::exception {
public:
    explicit Error(QString text)
        : m_text(std::move(text))
        , m_utf8(m_text.toUtf8()) {}

    const QString &text() const noexcept { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

} // namespace core
