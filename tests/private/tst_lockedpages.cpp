// Every way of running a command that could reach a private page's contents,
// walked while the password gate stands before Diary and Privacy, and again once
// the password has been given.
#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/TableObject.h"
#include "platform/desktop/GlobalHotKeys.h"
#include "platform/reportengine/ReportPages.h"
#include "platform/reportengine/ReportPreview.h"
#include "private/PasswordGate.h"
#include "tests/data/DataFixture.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/DBNavigator.h"
#include "widgets/DBRichEdit.h"
#include "widgets/FindDialog.h"
#include "widgets/PageControl.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QColorDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using widgets::Page;

namespace {

const QString kPassword = QStringLiteral("secret");
const QString kClipboardMark = QStringLiteral("on the clipboard before");
const char *const kHotKeyPrint = "hot key 4";

// A command and every sender that runs it: menu items, tool buttons, context
// menu items (by object name) and the Print Screen hot key.
struct Command {
    const char *name;
    QList<const char *> senders;
};

const QList<Command> kTextCommands = {
    {"Select All", {"SelectAll", "ToolSelectAll", "pSelectAll"}},
    {"Copy", {"Copy", "ToolCopy", "pCopy"}},
    {"Cut", {"Cut", "ToolCut", "pCut"}},
    {"Paste", {"Paste", "ToolPaste", "pPaste"}},
    {"Undo", {"Undo", "ToolUndo", "pUndo"}},
    {"Font", {"Font1", "ToolFont", "pFont"}},
    {"Color", {"Color1", "ToolColor"}},
    {"Insert Date", {"InsertDate1", "ToolDateInsert", "pInsertDate"}},
    {"Find Text", {"FindText", "ToolFindText", "pFindText"}},
};
const Command kPrint = {"Print", {"Print1", "ToolPrint", kHotKeyPrint}};
const Command kZoomIn = {"Zoom In", {"ToolZoomIn"}};

// What a command can be seen to have done.
struct Seen {
    QString clipboard;
    QString diaryText;
    QString diarySelection;
    bool diaryEditing = false;
    int dialogs = 0;
    int popups = 0;
    int previews = 0;
    bool findDialogShown = false;
    bool enlarged = false;
    bool operator==(const Seen &) const = default;
};

QString describe(const Seen &s) {
    return QStringLiteral("clipboard '%1', diary '%2', selected '%3', editing %4, dialogs %5, "
                          "popups %6, previews %7, find %8, enlarged %9")
        .arg(s.clipboard, s.diaryText, s.diarySelection)
        .arg(s.diaryEditing)
        .arg(s.dialogs)
        .arg(s.popups)
        .arg(s.previews)
        .arg(s.findDialogShown)
        .arg(s.enlarged);
}

} // namespace

class TestLockedPages : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void lockedPagesGiveNothingAway_data();
    void lockedPagesGiveNothingAway();

private:
    void perform(const char *sender);
    Seen seen() const;
    QString storedRows() const;
    void typePassword(const QString &text);
    void writeAndLeaveADiaryPage();
    void commandsWorkOnTheOpenedDiary();

    std::unique_ptr<DataFixture> m_fixture;
    std::unique_ptr<app::TForm1> m_form;
    std::unique_ptr<ModalAnswerer> m_answerer;
    QTimer m_closer;
    int m_dialogs = 0;
    int m_popups = 0;
    int m_previews = 0;
};

void TestLockedPages::init() {
    m_fixture = std::make_unique<DataFixture>();
    m_fixture->exec(QStringLiteral("UPDATE \"Diary\" SET \"Notes\" = 'the key is under the mat', "
                                   "\"Password\" = ?"),
                    {privatepages::PasswordGate::ScramblePassword(kPassword)});
    m_fixture->exec(QStringLiteral("INSERT INTO \"Privacy\" (\"Account Number\", \"Secret Place\") "
                                   "VALUES ('12-3456-78', 'behind the clock')"));
    m_form = std::make_unique<app::TForm1>(m_fixture->directory());
    named<QTimer>(*m_form, "Timer1")->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));

    m_dialogs = m_popups = m_previews = 0;
    m_answerer = std::make_unique<ModalAnswerer>();
    m_answerer->setDialogHandler([this](QWidget *dialog) {
        ++m_dialogs;
        if (auto *colours = qobject_cast<QColorDialog *>(dialog))
            colours->setCurrentColor(Qt::yellow);
        if (auto *modal = qobject_cast<QDialog *>(dialog))
            modal->accept();
    });
    // Context menus and report previews block until closed: close them, counted.
    connect(&m_closer, &QTimer::timeout, this, [this] {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            ++m_popups;
            popup->close();
        }
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *preview = qobject_cast<reportengine::ReportPreview *>(widget);
            if (preview && preview->isVisible() && preview->pages().isComplete()) {
                ++m_previews;
                preview->close();
            }
        }
    });
    m_closer.start(10);
}

void TestLockedPages::cleanup() {
    m_closer.stop();
    m_closer.disconnect();
    m_answerer.reset();
    m_form.reset();
    m_fixture.reset();
    app::lifetime::destroyAdopted();
    app::lifetime::reset();
}

void TestLockedPages::perform(const char *sender) {
    if (qstrcmp(sender, kHotKeyPrint) == 0) {
        auto *hotKeys = m_form->findChild<platform::GlobalHotKeys *>();
        QVERIFY(hotKeys);
        emit hotKeys->hotKey(m_form->hotKeyIds()[3]);
        return;
    }
    QObject *object = m_form->findChild<QObject *>(QString::fromLatin1(sender));
    QVERIFY2(object, sender);
    if (auto *action = qobject_cast<QAction *>(object))
        action->trigger();
    else if (auto *button = qobject_cast<QAbstractButton *>(object))
        button->click();
    else
        QFAIL(sender);
}

Seen TestLockedPages::seen() const {
    QApplication::processEvents();
    auto *diary = named<widgets::DBRichEdit>(*m_form, "DBRichEdit1");
    Seen s;
    s.clipboard = QApplication::clipboard()->text();
    s.diaryText = diary->toPlainText();
    s.diarySelection = diary->textCursor().selectedText();
    s.diaryEditing = named<data::TableObject>(*m_form, "ADOTable3")->isEditing();
    s.dialogs = m_dialogs;
    s.popups = m_popups;
    s.previews = m_previews;
    s.findDialogShown = named<widgets::FindDialog>(*m_form, "FindDialog1")->isVisible();
    s.enlarged = !named<QPushButton>(*m_form, "GoBack")->isHidden();
    return s;
}

// The stored private rows, read past the program's own connection.
QString TestLockedPages::storedRows() const {
    return m_fixture->scalar(QStringLiteral("SELECT group_concat(\"Notes\", '|') FROM \"Diary\""))
               .toString() +
           QLatin1Char('#') +
           m_fixture
               ->scalar(QStringLiteral("SELECT group_concat(\"Account Number\" || \"Secret "
                                       "Place\" || ifnull(\"Notes\", ''), '|') FROM \"Privacy\""))
               .toString();
}

void TestLockedPages::typePassword(const QString &text) {
    named<QLineEdit>(*m_form, "txtPassword")->setText(text);
    named<QPushButton>(*m_form, "OKpassword")->click();
}

// A page written and saved, with its last change still to undo and a word
// selected, then left: the state a locked page must not give away.
void TestLockedPages::writeAndLeaveADiaryPage() {
    pageControl(*m_form)->setCurrentPage(Page::Diary);
    typePassword(kPassword);
    auto *diary = named<widgets::DBRichEdit>(*m_form, "DBRichEdit1");
    QTest::keyClicks(diary, QStringLiteral("Note: "));
    named<widgets::DBNavigator>(*m_form, "DBNavigator5")->clickButton(widgets::DBNavigator::nbPost);
    QTextCursor word(diary->document());
    word.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    diary->setTextCursor(word);
    pageControl(*m_form)->setCurrentPage(Page::Household);
}

void TestLockedPages::lockedPagesGiveNothingAway_data() {
    QTest::addColumn<Page>("page");
    QTest::newRow("Diary") << Page::Diary;
    QTest::newRow("Privacy") << Page::Privacy;
}

void TestLockedPages::lockedPagesGiveNothingAway() {
    QFETCH(Page, page);
    writeAndLeaveADiaryPage();
    pageControl(*m_form)->setCurrentPage(page);
    QVERIFY(!named<QWidget>(*m_form, "Password")->isHidden());
    const QString stored = storedRows();
    QVERIFY(stored.contains(QLatin1String("Note: the key")));
    QApplication::clipboard()->setText(kClipboardMark);
    const Seen before = seen();
    QCOMPARE(before.diarySelection, QStringLiteral("Note"));

    QList<Command> commands = kTextCommands;
    commands << kPrint << kZoomIn;
    for (const Command &command : commands) {
        for (const char *sender : command.senders) {
            perform(sender);
            const Seen after = seen();
            QVERIFY2(after == before, qPrintable(QStringLiteral("%1 by %2: %3")
                                                     .arg(QLatin1String(command.name),
                                                          QLatin1String(sender), describe(after))));
        }
    }
    // The text's own context menu and keys cannot reach it either.
    auto *diary = named<widgets::DBRichEdit>(*m_form, "DBRichEdit1");
    emit diary->customContextMenuRequested(QPoint(4, 4));
    const QList<QKeySequence> keys = {QKeySequence::SelectAll, QKeySequence::Copy,
                                      QKeySequence::Paste,     QKeySequence::Undo,
                                      QKeySequence::Delete,    QKeySequence(Qt::Key_A)};
    for (const QKeySequence &key : keys) {
        QWidget *focused = m_form->focusWidget();
        QVERIFY(focused && focused != diary);
        QTest::keySequence(focused, key);
    }
    QVERIFY2(seen() == before, qPrintable(describe(seen())));
    QCOMPARE(app::lifetime::adoptedCount(), 0); // no report object was made

    // Nothing is pending for the password attempts to save.
    typePassword(QStringLiteral("wrong"));
    QCOMPARE(m_answerer->lastText(), QStringLiteral("Wrong password ....."));
    QCOMPARE(storedRows(), stored);
    typePassword(kPassword);
    QVERIFY(named<QWidget>(*m_form, "Password")->isHidden());
    QCOMPARE(storedRows(), stored);

    // Opened, the page's commands work again.
    for (const char *sender : kPrint.senders) {
        const int previews = seen().previews;
        perform(sender);
        QTRY_COMPARE(seen().previews, previews + 1);
    }
    if (page == Page::Privacy) {
        perform("ToolZoomIn");
        QVERIFY(seen().enlarged);
        named<QPushButton>(*m_form, "GoBack")->click();
    } else {
        commandsWorkOnTheOpenedDiary();
    }
}

// Each sender of each text command, from a state where its effect shows.
void TestLockedPages::commandsWorkOnTheOpenedDiary() {
    auto *diary = named<widgets::DBRichEdit>(*m_form, "DBRichEdit1");
    auto *find = named<widgets::FindDialog>(*m_form, "FindDialog1");
    for (const Command &command : kTextCommands) {
        for (const char *sender : command.senders) {
            QTextCursor start(diary->document());
            start.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, 3);
            diary->setTextCursor(start);
            QApplication::clipboard()->setText(kClipboardMark);
            find->hide();
            if (qstrcmp(command.name, "Undo") == 0)
                perform("Paste");
            const Seen before = seen();
            perform(sender);
            QVERIFY2(!(seen() == before),
                     qPrintable(QStringLiteral("%1 by %2 did nothing")
                                    .arg(QLatin1String(command.name), QLatin1String(sender))));
        }
    }
}

QTEST_MAIN(TestLockedPages)
#include "tst_lockedpages.moc"
