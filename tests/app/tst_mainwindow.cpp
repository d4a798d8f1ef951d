#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "platform/imaging/JpegPicture.h"
#include "tests/data/DataFixture.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/PageControl.h"
#include "widgets/PictureView.h"

#include <QAction>
#include <QBuffer>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using widgets::Page;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void namedObjectsExist();
    void designStates();
    void menusInOrder();
    void resizingKeepsControlsInPlace();
    void focusChainFollowsTheWindowsOrder();
    void dateBoxShowsTheWholeLongDate_data();
    void dateBoxShowsTheWholeLongDate();
    void toolBarCoversTheLargePicture();

    void cleanup() { app::lifetime::reset(); }

private:
    DataFixture m_data;
};

void TestMainWindow::namedObjectsExist() {
    app::TForm1 form(m_data.directory());
    QCOMPARE(form.objectName(), QStringLiteral("Form1"));
    const char *names[] = {"MainMenu1",      "File1",        "Print1",
                           "PrintScreen1",   "Exit1",        "Edit3",
                           "Undo",           "Cut",          "Copy",
                           "Paste",          "SelectAll",    "FindText",
                           "Format1",        "Color1",       "Font1",
                           "InsertDate1",    "Help1",        "About1",
                           "PopupMenu1",     "pUndo",        "pCut",
                           "pPaste",         "pCopy",        "pSelectAll",
                           "pFindText",      "pFont",        "pInsertDate",
                           "ToolBar1",       "ImageList",    "ToolUndo",
                           "ToolExit",       "PageControl1", "Household",
                           "People",         "Diary",        "Privacy",
                           "Utilities",      "Help",         "DateTimePicker1",
                           "GoBack",         "Searching",    "Password",
                           "ChangePassword", "txtPassword",  "OKpassword",
                           "btnChange",      "OpenDialog1",  "ColorDialog1",
                           "FontDialog1",    "Timer1"};
    for (const char *name : names)
        QVERIFY2(form.findChild<QObject *>(QString::fromLatin1(name)), name);
}

void TestMainWindow::designStates() {
    app::TForm1 form(m_data.directory());
    QCOMPARE(pageControl(form)->currentPage(), widgets::Page::Help);
    const QList<QToolButton *> enabled = {named<QToolButton>(form, "ToolPrint"),
                                          named<QToolButton>(form, "ToolAbout"),
                                          named<QToolButton>(form, "ToolExit")};
    for (QToolButton *button : named<QWidget>(form, "ToolBar1")->findChildren<QToolButton *>())
        QCOMPARE(button->isEnabled(), enabled.contains(button));
    for (QMenu *menu : {named<QMenu>(form, "File1"), named<QMenu>(form, "Edit3"),
                        named<QMenu>(form, "Format1"), named<QMenu>(form, "Help1")}) {
        QVERIFY(menu->menuAction()->isEnabled());
        for (QAction *item : menu->actions())
            QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
    }
    for (widgets::Page page : widgets::kPages)
        QVERIFY(!pageControl(form)->isTabHighlighted(page));
    for (QWidget *overlay : {static_cast<QWidget *>(named<QPushButton>(form, "GoBack")),
                             static_cast<QWidget *>(named<QGroupBox>(form, "Searching")),
                             static_cast<QWidget *>(named<QGroupBox>(form, "Password")),
                             static_cast<QWidget *>(named<QGroupBox>(form, "ChangePassword"))})
        QVERIFY(overlay->isHidden());
    QVERIFY(named<QTimer>(form, "Timer1")->isActive());
    QCOMPARE(named<QTimer>(form, "Timer1")->interval(), 3000);
    QCOMPARE(named<QToolButton>(form, "ToolExit")->toolTip(), QString());
    QCOMPARE(named<QToolButton>(form, "ToolZoomOut")->toolTip(), QStringLiteral("Image Zoom Out"));
}

void TestMainWindow::menusInOrder() {
    app::TForm1 form(m_data.directory());
    auto names = [](QMenu *menu) {
        QStringList result;
        for (QAction *a : menu->actions())
            result << a->objectName();
        return result;
    };
    QCOMPARE(names(named<QMenu>(form, "Edit3")),
             QStringList({"Undo", "N2", "Cut", "Copy", "Paste", "N3", "SelectAll", "FindText"}));
    QCOMPARE(names(named<QMenu>(form, "PopupMenu1")),
             QStringList({"pUndo", "N4", "pCut", "pPaste", "pCopy", "N5", "pSelectAll", "pFindText",
                          "N6", "pFont", "pInsertDate"}));
    QCOMPARE(named<QAction>(form, "Exit1")->text(), QStringLiteral("E&xit"));
    QCOMPARE(named<QAction>(form, "SelectAll")->text(), QStringLiteral("Select &All"));
    for (QMenu *menu : form.menuBar()->findChildren<QMenu *>())
        for (QAction *a : menu->actions())
            QVERIFY(a->shortcut().isEmpty());
}

void TestMainWindow::resizingKeepsControlsInPlace() {
    app::TForm1 form(m_data.directory());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect pages = pageControl(form)->geometry();
    const QRect date = named<QDateEdit>(form, "DateTimePicker1")->geometry();
    form.resize(form.width() + 200, form.height() + 150);
    QCoreApplication::processEvents();
    QCOMPARE(pageControl(form)->geometry(), pages);
    QCOMPARE(named<QDateEdit>(form, "DateTimePicker1")->geometry(), date);
    QCOMPARE(pages, QRect(8, 40, 673, 417));
    QCOMPARE(date, QRect(521, 48, 159, 20));
}

void TestMainWindow::dateBoxShowsTheWholeLongDate_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("British") << QLocale(QLocale::English, QLocale::UnitedKingdom);
    QTest::newRow("American") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
}

void TestMainWindow::dateBoxShowsTheWholeLongDate() {
    QFETCH(QLocale, locale);
    const QLocale before;
    QLocale::setDefault(locale);
    app::TForm1 form(m_data.directory());
    QLocale::setDefault(before);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *box = form.findChild<QDateEdit *>(QStringLiteral("DateTimePicker1"));
    QVERIFY(box);
    auto *field = box->findChild<QLineEdit *>();
    QVERIFY(field);
    // Long weekday and month names with a two-digit day; a line edit keeps
    // two pixels on either side of its text.
    for (const QDate date : {QDate(2026, 9, 30), QDate(2026, 12, 9), QDate(2027, 2, 24)}) {
        box->setDate(date);
        const QString shown = field->text();
        QVERIFY2(shown.contains(QStringLiteral("2026")) || shown.contains(QStringLiteral("2027")),
                 qPrintable(shown));
        const int room = field->contentsRect().width() - 4;
        QVERIFY2(QFontMetrics(field->font()).horizontalAdvance(shown) <= room,
                 qPrintable(QStringLiteral("%1 in %2 px").arg(shown).arg(room)));
    }
    QCOMPARE(box->geometry(), QRect(521, 48, 159, 20));
}

void TestMainWindow::toolBarCoversTheLargePicture() {
    app::TForm1 form(m_data.directory());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QImage red(681, 433, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && red.save(&buffer, "JPG"));
    auto *large = form.findChild<widgets::PictureView *>(QStringLiteral("ADOImage2"));
    QVERIFY(large);
    large->setPicture(platform::JpegPicture(jpeg));
    large->show();
    auto *toolBar = form.findChild<QWidget *>(QStringLiteral("ToolBar1"));
    QVERIFY(toolBar);
    const QImage shot = form.centralWidget()->grab(toolBar->geometry()).toImage();
    // The separator before the first button, above a button, and the gap before Exit.
    for (const QPoint at : {QPoint(4, 12), QPoint(40, 0), QPoint(450, 12)})
        QCOMPARE(shot.pixelColor(at), toolBar->palette().color(QPalette::Window));
}

void TestMainWindow::focusChainFollowsTheWindowsOrder() {
    app::TForm1 form(m_data.directory());
    const QStringList expected = {"PageControl1", "DBEdit2",         "Search",      "GoBack",
                                  "DBEdit12",     "DateTimePicker1", "ItemName",    "SearchClose",
                                  "btnOK",        "DBEdit26",        "txtPassword", "OKpassword",
                                  "txtChange1",   "txtChange2",      "btnChange",   "DBEdit41"};
    QStringList seen;
    QWidget *w = pageControl(form);
    do {
        if (expected.contains(w->objectName()) && !seen.contains(w->objectName()))
            seen << w->objectName();
        w = w->nextInFocusChain();
    } while (w != pageControl(form) && seen.size() < expected.size());
    QCOMPARE(seen, expected);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
