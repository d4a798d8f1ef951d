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
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
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

using widgets::Page;

class TestTextCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void helpTextCanBeReadButNotChanged();
    void insertDateGoesOnlyIntoTheOpenedDiary();
    void colourStartsAnEditButChangesNoText();
    void fontAppliesToTheSelection();
    void cutAndPasteStartEditingTheDiary();
    void findTextAnswersByPage();
    void findNextWalksForwardCaseSensitively();

private:
    void openForm(Page page);
    QString diaryNotes() const;
    std::unique_ptr<DataFixture> m_fixture;
    std::unique_ptr<app::TForm1> m_form;
    privatepages::TextCommands *commands() const {
        return m_form->findChild<privatepages::TextCommands *>();
    }
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
    app::lifetime::reset();
}

void TestTextCommands::openForm(Page page) {
    m_form = std::make_unique<app::TForm1>(m_fixture->directory());
    named<QTimer>(*m_form, "Timer1")->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    pageControl(*m_form)->setCurrentPage(page);
    if (page == Page::Diary || page == Page::Privacy)
        named<QPushButton>(*m_form, "OKpassword")->click();
}

QString TestTextCommands::diaryNotes() const {
    QTextDocument page;
    platform::RtfReader().read(
        m_fixture->scalar(QStringLiteral("SELECT \"Notes\" FROM \"Diary\"")).toString(), &page);
    return page.toPlainText();
}

void TestTextCommands::helpTextCanBeReadButNotChanged() {
    openForm(Page::Utilities);
    pageControl(*m_form)->setCurrentPage(Page::Help);
    widgets::DBRichEdit *help = named<widgets::DBRichEdit>(*m_form, "DBRichEdit2");
    QCOMPARE(commands()->target(), help);
    named<QToolButton>(*m_form, "ToolSelectAll")->click();
    named<QToolButton>(*m_form, "ToolCopy")->click();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Help about a banana and an apple"));
    named<QToolButton>(*m_form, "ToolCut")->click();
    named<QToolButton>(*m_form, "ToolPaste")->click();
    named<QToolButton>(*m_form, "ToolUndo")->click();
    QCOMPARE(help->toPlainText(), QStringLiteral("Help about a banana and an apple"));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable5")->state(),
             data::TableObject::State::Browse);
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable3")->state(),
             data::TableObject::State::Browse);
}

void TestTextCommands::insertDateGoesOnlyIntoTheOpenedDiary() {
    openForm(Page::Help);
    widgets::DBRichEdit *diary = named<widgets::DBRichEdit>(*m_form, "DBRichEdit1");
    const QString diaryBefore = diary->toPlainText();
    // On Help neither the read-only help text nor the hidden diary takes the date.
    named<QAction>(*m_form, "InsertDate1")->trigger();
    QCOMPARE(named<widgets::DBRichEdit>(*m_form, "DBRichEdit2")->toPlainText(),
             QStringLiteral("Help about a banana and an apple"));
    QCOMPARE(diary->toPlainText(), diaryBefore);
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable3")->state(),
             data::TableObject::State::Browse);

    pageControl(*m_form)->setCurrentPage(Page::Diary);
    named<QPushButton>(*m_form, "OKpassword")->click();
    named<QAction>(*m_form, "InsertDate1")->trigger();
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable3")->state(),
             data::TableObject::State::Edit);
    QCOMPARE(diary->toPlainText(), QStringLiteral("12/9/26") + diaryBefore);
    // Saved with the next save of the page.
    named<widgets::DBNavigator>(*m_form, "DBNavigator5")->clickButton(widgets::DBNavigator::nbPost);
    QCOMPARE(diaryNotes(), QStringLiteral("12/9/26aaaa Apple apple"));
}

void TestTextCommands::colourStartsAnEditButChangesNoText() {
    openForm(Page::Help);
    ModalAnswerer boxes;
    boxes.setDialogHandler([](QWidget *dialog) {
        if (auto *colours = qobject_cast<QColorDialog *>(dialog))
            colours->reject();
    });
    named<QToolButton>(*m_form, "ToolColor")->click();
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable3")->state(),
             data::TableObject::State::Browse);

    boxes.setDialogHandler([](QWidget *dialog) {
        if (auto *colours = qobject_cast<QColorDialog *>(dialog)) {
            colours->setCurrentColor(QColor(0x12, 0x34, 0x56));
            colours->accept();
        }
    });
    named<QAction>(*m_form, "Color1")->trigger();
    QCOMPARE(named<widgets::DBRichEdit>(*m_form, "DBRichEdit2")->palette().color(QPalette::Base),
             QColor(0x12, 0x34, 0x56));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable3")->state(),
             data::TableObject::State::Edit);
    QVERIFY(!named<data::TableObject>(*m_form, "ADOTable3")->isModified());
    // Nothing changed: the next move drops the edit without saving.
    named<data::TableObject>(*m_form, "ADOTable3")->first();
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable3")->state(),
             data::TableObject::State::Browse);
    QCOMPARE(m_fixture->scalar(QStringLiteral("SELECT \"Notes\" FROM \"Diary\"")).toString(),
             QStringLiteral("aaaa Apple apple"));
}

void TestTextCommands::fontAppliesToTheSelection() {
    openForm(Page::Diary);
    widgets::DBRichEdit *diary = named<widgets::DBRichEdit>(*m_form, "DBRichEdit1");
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
    named<QAction>(*m_form, "SelectAll")->trigger();
    named<QAction>(*m_form, "Font1")->trigger();
    QTextCursor cursor(diary->document());
    cursor.movePosition(QTextCursor::End);
    const QTextCharFormat last = cursor.charFormat();
    QCOMPARE(last.fontPointSize(), 20.0);
    QVERIFY(last.fontItalic());
    QCOMPARE(last.foreground().color(), QColor(Qt::red));
    QCOMPARE(last.fontFamilies().toStringList().value(0), QStringLiteral("Liberation Serif"));
    // The dialog keeps the choice for the next time.
    QCOMPARE(named<widgets::FontDialog>(*m_form, "FontDialog1")->currentFont().pointSize(), 20);
    QCOMPARE(diary->toPlainText(), QStringLiteral("aaaa Apple apple"));
}

void TestTextCommands::cutAndPasteStartEditingTheDiary() {
    openForm(Page::Diary);
    widgets::DBRichEdit *diary = named<widgets::DBRichEdit>(*m_form, "DBRichEdit1");
    QTextCursor first(diary->document());
    first.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
    diary->setTextCursor(first);
    named<QAction>(*m_form, "Cut")->trigger();
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable3")->state(),
             data::TableObject::State::Edit);
    QCOMPARE(diary->toPlainText(), QStringLiteral("Apple apple"));
    diary->moveCursor(QTextCursor::End);
    named<QAction>(*m_form, "Paste")->trigger();
    QCOMPARE(diary->toPlainText(), QStringLiteral("Apple appleaaaa "));
    named<widgets::DBNavigator>(*m_form, "DBNavigator5")->clickButton(widgets::DBNavigator::nbPost);
    QCOMPARE(diaryNotes(), QStringLiteral("Apple appleaaaa "));
}

void TestTextCommands::findTextAnswersByPage() {
    openForm(Page::Household);
    ModalAnswerer boxes;
    named<QAction>(*m_form, "FindText")->trigger();
    pageControl(*m_form)->setCurrentPage(Page::Privacy);
    named<QAction>(*m_form, "FindText")->trigger();
    pageControl(*m_form)->setCurrentPage(Page::Utilities);
    named<QAction>(*m_form, "FindText")->trigger();
    QCOMPARE(boxes.texts(), QStringList({"Use \"Search\" tool for this page.",
                                         "This feature is not for this page."}));
    QVERIFY(!named<widgets::FindDialog>(*m_form, "FindDialog1")->isVisible());
    pageControl(*m_form)->setCurrentPage(Page::Help);
    named<QToolButton>(*m_form, "ToolFindText")->click();
    QVERIFY(named<widgets::FindDialog>(*m_form, "FindDialog1")->isVisible());
    widgets::DBRichEdit *help = named<widgets::DBRichEdit>(*m_form, "DBRichEdit2");
    QCOMPARE(named<widgets::FindDialog>(*m_form, "FindDialog1")->pos(),
             help->mapToGlobal(QPoint(help->width(), 0)));
}

void TestTextCommands::findNextWalksForwardCaseSensitively() {
    openForm(Page::Diary);
    widgets::DBRichEdit *diary = named<widgets::DBRichEdit>(*m_form, "DBRichEdit1");
    named<QAction>(*m_form, "FindText")->trigger();
    widgets::FindDialog *find = named<widgets::FindDialog>(*m_form, "FindDialog1");
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
    pageControl(*m_form)->setCurrentPage(Page::Household);
    pageControl(*m_form)->setCurrentPage(Page::Diary);
    diary->moveCursor(QTextCursor::Start);
    find->findNextButton()->click();
    QVERIFY(!diary->textCursor().hasSelection());
}

QTEST_MAIN(TestTextCommands)
#include "tst_textcommands.moc"
