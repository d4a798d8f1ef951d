#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "core/Clock.h"
#include "data/TableObject.h"
#include "platform/rtf/RtfReader.h"
#include "private/DiaryPage.h"
#include "private/HelpPage.h"
#include "private/TextCommands.h"
#include "tests/data/DataFixture.h"
#include "tests/support/ModalAnswerer.h"
#include "widgets/DBNavigator.h"
#include "widgets/DBRichEdit.h"
#include "widgets/FindDialog.h"
#include "widgets/FontDialog.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QClipboard>
#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QToolButton>
#include <QtTest>

class TestTextCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void helpTextCanBeReadButNotChanged();
    void insertDateGoesIntoTheDiaryWhateverThePage();
    void colourStartsAnEditButChangesNoText();
    void fontAppliesToTheSelection();
    void cutAndPasteStartEditingTheDiary();
    void findTextAnswersByPage();
    void findNextWalksForwardCaseSensitively();

private:
    void openForm(int page);
    QString diaryNotes() const;
    std::unique_ptr<DataFixture> m_fixture;
    std::unique_ptr<TForm1> m_form;
    TextCommands *commands() const { return m_form->textCommands(); }
};

void TestTextCommands::init() {
    tools::PrepareOptions options;
    options.helpList = QStringList{QStringLiteral("Help about a banana and an apple")};
    m_fixture = std::make_unique<DataFixture>(options);
    m_fixture->exec(QStringLiteral("UPDATE \"Diary\" SET \"Notes\" = 'aaaa Apple apple'"));
    core::Clock::setSource([] { return QDateTime(QDate(2026, 12, 9), QTime(9, 0)); });
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestTextCommands::cleanup() {
    m_form.reset();
    m_fixture.reset();
    core::Clock::setSource({});
    lifetime::reset();
}

void TestTextCommands::openForm(int page) {
    m_form = std::make_unique<TForm1>(m_fixture->directory());
    m_form->Timer1->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->PageControl1->setCurrentIndex(page);
    if (page == 2 || page == 3)
        m_form->OKpassword->click();
}

QString TestTextCommands::diaryNotes() const {
    QTextDocument page;
    platform::RtfReader().read(
        m_fixture->scalar(QStringLiteral("SELECT \"Notes\" FROM \"Diary\"")).toString(), &page);
    return page.toPlainText();
}

void TestTextCommands::helpTextCanBeReadButNotChanged() {
    openForm(4);
    m_form->PageControl1->setCurrentIndex(5);
    widgets::DBRichEdit *help = m_form->Help->DBRichEdit2;
    QCOMPARE(commands()->target(), help);
    m_form->ToolSelectAll->click();
    m_form->ToolCopy->click();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Help about a banana and an apple"));
    m_form->ToolCut->click();
    m_form->ToolPaste->click();
    m_form->ToolUndo->click();
    QCOMPARE(help->toPlainText(), QStringLiteral("Help about a banana and an apple"));
    QCOMPARE(m_form->ADOTable5->state(), data::TableObject::State::Browse);
    QCOMPARE(m_form->ADOTable3->state(), data::TableObject::State::Browse);
}

void TestTextCommands::insertDateGoesIntoTheDiaryWhateverThePage() {
    openForm(5);
    const QString diaryBefore = m_form->Diary->DBRichEdit1->toPlainText();
    m_form->InsertDate1->trigger();
    QCOMPARE(m_form->Help->DBRichEdit2->toPlainText(),
             QStringLiteral("Help about a banana and an apple"));
    QCOMPARE(m_form->ADOTable3->state(), data::TableObject::State::Edit);
    QCOMPARE(m_form->Diary->DBRichEdit1->toPlainText(), QStringLiteral("12/9/26") + diaryBefore);
    // Saved with the next save of the page.
    m_form->PageControl1->setCurrentIndex(2);
    m_form->OKpassword->click(); // the check moves to the first page, saving it
    QCOMPARE(diaryNotes(), QStringLiteral("12/9/26aaaa Apple apple"));
}

void TestTextCommands::colourStartsAnEditButChangesNoText() {
    openForm(5);
    ModalAnswerer boxes;
    boxes.setDialogHandler([](QWidget *dialog) {
        if (auto *colours = qobject_cast<QColorDialog *>(dialog))
            colours->reject();
    });
    m_form->ToolColor->click();
    QCOMPARE(m_form->ADOTable3->state(), data::TableObject::State::Browse);

    boxes.setDialogHandler([](QWidget *dialog) {
        if (auto *colours = qobject_cast<QColorDialog *>(dialog)) {
            colours->setCurrentColor(QColor(0x12, 0x34, 0x56));
            colours->accept();
        }
    });
    m_form->Color1->trigger();
    QCOMPARE(m_form->Help->DBRichEdit2->palette().color(QPalette::Base), QColor(0x12, 0x34, 0x56));
    QCOMPARE(m_form->ADOTable3->state(), data::TableObject::State::Edit);
    QVERIFY(!m_form->ADOTable3->isModified());
    // Nothing changed: the next move drops the edit without saving.
    m_form->ADOTable3->first();
    QCOMPARE(m_form->ADOTable3->state(), data::TableObject::State::Browse);
    QCOMPARE(m_fixture->scalar(QStringLiteral("SELECT \"Notes\" FROM \"Diary\"")).toString(),
             QStringLiteral("aaaa Apple apple"));
}

void TestTextCommands::fontAppliesToTheSelection() {
    openForm(2);
    widgets::DBRichEdit *diary = m_form->Diary->DBRichEdit1;
    ModalAnswerer boxes;
    boxes.setDialogHandler([](QWidget *dialog) {
        if (auto *fonts = qobject_cast<widgets::FontDialog *>(dialog)) {
            QFont chosen(QStringLiteral("Liberation Serif"));
            chosen.setPointSize(20);
            chosen.setItalic(true);
            fonts->setCurrentFont(chosen);
            fonts->setColour(Qt::red);
            fonts->accept();
        }
    });
    m_form->SelectAll->trigger();
    m_form->Font1->trigger();
    QTextCursor cursor(diary->document());
    cursor.movePosition(QTextCursor::End);
    const QTextCharFormat last = cursor.charFormat();
    QCOMPARE(last.fontPointSize(), 20.0);
    QVERIFY(last.fontItalic());
    QCOMPARE(last.foreground().color(), QColor(Qt::red));
    QCOMPARE(last.fontFamilies().toStringList().value(0), QStringLiteral("Liberation Serif"));
    // The dialog keeps the choice for the next time.
    QCOMPARE(m_form->FontDialog1->currentFont().pointSize(), 20);
    QCOMPARE(diary->toPlainText(), QStringLiteral("aaaa Apple apple"));
}

void TestTextCommands::cutAndPasteStartEditingTheDiary() {
    openForm(2);
    widgets::DBRichEdit *diary = m_form->Diary->DBRichEdit1;
    QTextCursor first(diary->document());
    first.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
    diary->setTextCursor(first);
    m_form->Cut->trigger();
    QCOMPARE(m_form->ADOTable3->state(), data::TableObject::State::Edit);
    QCOMPARE(diary->toPlainText(), QStringLiteral("Apple apple"));
    diary->moveCursor(QTextCursor::End);
    m_form->Paste->trigger();
    QCOMPARE(diary->toPlainText(), QStringLiteral("Apple appleaaaa "));
    m_form->Diary->DBNavigator5->clickButton(widgets::DBNavigator::nbPost);
    QCOMPARE(diaryNotes(), QStringLiteral("Apple appleaaaa "));
}

void TestTextCommands::findTextAnswersByPage() {
    openForm(0);
    ModalAnswerer boxes;
    m_form->FindText->trigger();
    m_form->PageControl1->setCurrentIndex(3);
    m_form->FindText->trigger();
    m_form->PageControl1->setCurrentIndex(4);
    m_form->FindText->trigger();
    QCOMPARE(boxes.texts(), QStringList({"Use \"Search\" tool for this page.",
                                         "This feature is not for this page."}));
    QVERIFY(!m_form->FindDialog1->isVisible());
    m_form->PageControl1->setCurrentIndex(5);
    m_form->ToolFindText->click();
    QVERIFY(m_form->FindDialog1->isVisible());
    widgets::DBRichEdit *help = m_form->Help->DBRichEdit2;
    QCOMPARE(m_form->FindDialog1->pos(), help->mapToGlobal(QPoint(help->width(), 0)));
}

void TestTextCommands::findNextWalksForwardCaseSensitively() {
    openForm(2);
    widgets::DBRichEdit *diary = m_form->Diary->DBRichEdit1;
    m_form->FindText->trigger();
    widgets::FindDialog *find = m_form->FindDialog1;
    find->textEdit()->setText(QStringLiteral("aa"));
    QList<int> hits;
    for (int i = 0; i < 4; ++i) {
        find->findNextButton()->click();
        hits << diary->textCursor().selectionStart();
    }
    QCOMPARE(hits, QList<int>({0, 2, 2, 2})); // never overlapping, no wrap at the end

    find->textEdit()->setText(QStringLiteral("apple"));
    diary->moveCursor(QTextCursor::Start); // a caret alone does not count
    find->findNextButton()->click();
    QCOMPARE(diary->textCursor().selectedText(), QStringLiteral("apple"));
    QCOMPARE(diary->textCursor().selectionStart(), 11); // "Apple" is not "apple"
    QCOMPARE(m_form->focusWidget(), diary);

    // Behind the password the diary is not searched.
    m_form->PageControl1->setCurrentIndex(0);
    m_form->PageControl1->setCurrentIndex(2);
    diary->moveCursor(QTextCursor::Start);
    find->findNextButton()->click();
    QVERIFY(!diary->textCursor().hasSelection());
}

QTEST_MAIN(TestTextCommands)
#include "tst_textcommands.moc"
