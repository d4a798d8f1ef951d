#include "core/Error.h"
#include "tests/support/ModalAnswerer.h"
#include "widgets/Messages.h"

#include <QtTest>

class TestMessages : public QObject {
    Q_OBJECT
private slots:
    void fullStopRule_data();
    void fullStopRule();
    void boxesCarryTitleIconAndText();
    void guardedHandlerReportsAndCarriesOn();
};

void TestMessages::fullStopRule_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "Stream read error"
                            << "Stream read error.";
    QTest::newRow("digit") << "JPEG error #53"
                           << "JPEG error #53.";
    QTest::newRow("full stop") << "Done."
                               << "Done.";
    QTest::newRow("exclamation") << "Incomplete Data entries ! "
                                 << "Incomplete Data entries ! ";
    QTest::newRow("bang") << "Stop!"
                          << "Stop!";
    QTest::newRow("paren") << "(x)"
                           << "(x)";
    QTest::newRow("quote") << "'abc' is not a valid date and time"
                           << "'abc' is not a valid date and time.";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("slash sorts after dot") << "a/"
                                           << "a/.";
    QTest::newRow("comma sorts before dot") << "a,"
                                            << "a,";
}

void TestMessages::fullStopRule() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(widgets::errorReportText(text), shown);
}

void TestMessages::boxesCarryTitleIconAndText() {
    ModalAnswerer answerer;
    widgets::showMessage(QStringLiteral("No picture is added"));
    widgets::reportError(QStringLiteral("Stream read error"));
    answerer.queue(QMessageBox::Cancel);
    const bool ok = widgets::confirm(QStringLiteral("Delete record?"), QStringLiteral("Confirm"));

    QVERIFY(!ok);
    QCOMPARE(answerer.boxes().size(), 3);
    QCOMPARE(answerer.boxes()[0].title, QStringLiteral("Hearthledger"));
    QCOMPARE(answerer.boxes()[0].icon, QMessageBox::NoIcon);
    QCOMPARE(answerer.boxes()[1].text, QStringLiteral("Stream read error."));
    QCOMPARE(answerer.boxes()[1].icon, QMessageBox::Critical);
    QCOMPARE(answerer.boxes()[2].title, QStringLiteral("Confirm"));
    QCOMPARE(answerer.boxes()[2].icon, QMessageBox::Question);
}

void TestMessages::guardedHandlerReportsAndCarriesOn() {
    ModalAnswerer answerer;
    int stepsDone = 0;
    auto handler = widgets::guarded([&](int step) {
        stepsDone = step;
        throw core::Error(QStringLiteral("Cannot open file a.bmp"));
    });
    handler(1);
    handler(2);
    QCOMPARE(stepsDone, 2);
    QCOMPARE(answerer.texts(), QStringList({QStringLiteral("Cannot open file a.bmp."),
                                            QStringLiteral("Cannot open file a.bmp.")}));
}

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
