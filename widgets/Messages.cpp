#include "widgets/Messages.h"

#include "core/Error.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace widgets {

namespace {

int runBox(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons,
           const QString &title = QString::fromLatin1(kApplicationTitle)) {
    QMessageBox box(icon, title, text, buttons, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageBox"));
    return box.exec();
}

} // namespace

void showMessage(const QString &text) {
    runBox(QMessageBox::NoIcon, text, QMessageBox::Ok);
}

bool confirm(const QString &text, const QString &title) {
    return runBox(QMessageBox::Question, text, QMessageBox::Ok | QMessageBox::Cancel, title) ==
           QMessageBox::Ok;
}

QString errorReportText(const QString &text) {
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void reportError(const QString &text) {
    runBox(QMessageBox::Critical, errorReportText(text), QMessageBox::Ok);
}

void reportCurrentException() {
    try {
        throw;
    } catch (const core::Error &e) {
        reportError(e.text());
    } catch (const std::bad_alloc &) {
        reportError(QStringLiteral("Out of memory"));
    } catch (const std::exception &e) {
        reportError(QString::fromUtf8(e.what()));
    } catch (...) {
        reportError(QStringLiteral("Unknown error"));
    }
}

} // namespace widgets
