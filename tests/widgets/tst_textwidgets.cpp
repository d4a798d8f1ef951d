// The rich-text area and the dialogs of the text commands: a page shows the
// same before it is saved and after it is read back; the font and colour
// dialogs start on what the text shows and keep the last choice.

#include "data/DataSource.h"
#include "data/Field.h"
#include "data/TableFactory.h"
#include "data/TableObject.h"
#include "platform/rtf/RtfFormat.h"
#include "tests/data/DataFixture.h"
#include "tests/support/ModalAnswerer.h"
#include "widgets/ColorDialog.h"
#include "widgets/DBRichEdit.h"
#include "widgets/Emblem.h"
#include "widgets/FontDialog.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {

// The font that the character at the position is drawn in.
QFont shownFont(const QTextEdit &text, int position) {
    QTextCursor cursor(text.document());
    cursor.setPosition(position);
    return cursor.charFormat().font().resolve(text.document()->defaultFont());
}

} // namespace

class TestTextWidgets : public QObject {
    Q_OBJECT
private slots:
    void typedPageLooksTheSameWhenReadBack();
    void fontDialogStartsOnTheShownFaceAndKeepsTheChoice();
    void colourDialogStartsBlackAndKeepsTheChoice();
};

void TestTextWidgets::typedPageLooksTheSameWhenReadBack() {
    DataFixture fixture;
    fixture.exec(QStringLiteral("UPDATE \"Diary\" SET \"Notes\" = NULL"));
    auto connection = fixture.connect();
    std::unique_ptr<data::TableObject> diary(data::TableFactory::create(
        data::TableId::Diary, QStringLiteral("ADOTable3"), connection.get(), nullptr));
    data::DataSource source;
    source.setDataSet(diary.get());
    diary->open();

    const auto editor = [&] {
        auto text = std::make_unique<widgets::DBRichEdit>();
        text->setFont(widgets::windowFont(13));
        text->setDataSource(&source);
        text->setDataField(QStringLiteral("Notes"));
        text->resize(649, 321);
        return text;
    };
    const auto typing = editor();
    typing->show();
    QVERIFY(QTest::qWaitForWindowExposed(typing.get()));
    const QString words = QStringLiteral("Dear diary, typed today");
    QTest::keyClicks(typing.get(), words);
    diary->post();
    QVERIFY(platform::isRtf(diary->fieldByName(QStringLiteral("Notes"))->asString()));

    const auto reading = editor();
    QCOMPARE(reading->toPlainText(), words);
    const QFont before = shownFont(*typing, 1);
    const QFont after = shownFont(*reading, 1);
    QCOMPARE(QFontInfo(after).family(), QFontInfo(before).family());
    QCOMPARE(QFontInfo(after).pixelSize(), QFontInfo(before).pixelSize());
    QCOMPARE(QFontInfo(after).weight(), QFontInfo(before).weight());
    QCOMPARE(QFontInfo(after).italic(), QFontInfo(before).italic());
    QCOMPARE(QFontMetricsF(after).horizontalAdvance(words),
             QFontMetricsF(before).horizontalAdvance(words));
}

void TestTextWidgets::fontDialogStartsOnTheShownFaceAndKeepsTheChoice() {
    widgets::FontDialog dialog;
    const QFontInfo classic(widgets::windowFont(11));
    QCOMPARE(QFontInfo(dialog.currentFont()).family(), classic.family());
    QCOMPARE(QFontInfo(dialog.currentFont()).pixelSize(), 11);
    QVERIFY(!dialog.currentFont().bold() && !dialog.currentFont().italic());
    QCOMPARE(dialog.colour(), QColor(Qt::black));

    QFont serif(QStringLiteral("Liberation Serif"));
    serif.setPointSize(20);
    ModalAnswerer answers;
    QFont shownOnOpening;
    // what is changed and then cancelled is forgotten
    answers.setDialogHandler([&](QWidget *) {
        shownOnOpening = dialog.currentFont();
        dialog.setCurrentFont(serif);
        dialog.setColour(Qt::red);
        dialog.reject();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(QFontInfo(dialog.currentFont()).family(), classic.family());
    QCOMPARE(dialog.colour(), QColor(Qt::black));
    // a choice made is what the next opening shows
    answers.setDialogHandler([&](QWidget *) {
        dialog.setCurrentFont(serif);
        dialog.setColour(Qt::red);
        dialog.accept();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    answers.setDialogHandler([&](QWidget *) {
        shownOnOpening = dialog.currentFont();
        dialog.reject();
    });
    dialog.exec();
    QCOMPARE(shownOnOpening.family(), serif.family());
    QCOMPARE(shownOnOpening.pointSize(), 20);
    QCOMPARE(dialog.colour(), QColor(Qt::red));
}

void TestTextWidgets::colourDialogStartsBlackAndKeepsTheChoice() {
    widgets::ColorDialog dialog;
    QCOMPARE(dialog.currentColor(), QColor(Qt::black));
    ModalAnswerer answers;
    QColor shownOnOpening;
    answers.setDialogHandler([&](QWidget *) {
        dialog.setCurrentColor(Qt::red);
        dialog.reject();
    });
    dialog.exec();
    QCOMPARE(dialog.currentColor(), QColor(Qt::black));
    answers.setDialogHandler([&](QWidget *) {
        dialog.setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog.accept();
    });
    dialog.exec();
    answers.setDialogHandler([&](QWidget *) {
        shownOnOpening = dialog.currentColor();
        dialog.reject();
    });
    dialog.exec();
    QCOMPARE(shownOnOpening, QColor(0x12, 0x34, 0x56));
}

QTEST_MAIN(TestTextWidgets)
#include "tst_textwidgets.moc"
