#include "app/TForm1.h"

#include "widgets/Emblem.h"
#include "widgets/PageControl.h"

#include <QColorDialog>
#include <QDateEdit>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace {

const QColor kSkyBlue(0xA6, 0xCA, 0xF0);

template <class W> W *named(W *widget, const char *name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QWidget *addPage(QTabWidget *pages, const char *name, const char *caption) {
    auto *page = named(new QWidget, name);
    pages->addTab(page, QString::fromUtf8(caption));
    return page;
}

void paintBackground(QWidget *widget, const QColor &color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel *label(QWidget *parent, const char *name, const char *text, int left, int top) {
    auto *l = named(new QLabel(QString::fromUtf8(text), parent), name);
    l->move(left, top);
    l->adjustSize();
    return l;
}

} // namespace

void TForm1::buildPages() {
    PageControl1 = named(new widgets::PageControl(QSize(85, 30), m_client), "PageControl1");
    PageControl1->setGeometry(8, 40, 673, 417);

    Household = addPage(PageControl1, "Household", "Household Items");
    People = addPage(PageControl1, "People", "People");
    Diary = addPage(PageControl1, "Diary", "Diary");
    Privacy = addPage(PageControl1, "Privacy", "Privacy");
    Utilities = addPage(PageControl1, "Utilities", "Utilities");
    Help = addPage(PageControl1, "Help", "Help");
    PageControl1->setCurrentIndex(5);

    DateTimePicker1 = named(new QDateEdit(QDate(2003, 1, 1), m_client), "DateTimePicker1");
    DateTimePicker1->setGeometry(521, 48, 159, 20);
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    DateTimePicker1->raise();
}

void TForm1::buildOverlays() {
    GoBack = named(new QPushButton(QStringLiteral("Go Back"), m_client), "GoBack");
    GoBack->setGeometry(600, 432, 70, 20);
    GoBack->hide();

    Searching = named(new QGroupBox(QStringLiteral("Searching"), m_client), "Searching");
    Searching->setGeometry(208, 104, 257, 97);
    paintBackground(Searching, kSkyBlue);
    Searching->setStyleSheet(
        QStringLiteral("QGroupBox#Searching { font-weight: bold; color: blue; }"));
    Searching->hide();

    Password = named(new QGroupBox(QStringLiteral("Password"), m_client), "Password");
    Password->setGeometry(240, 168, 185, 73);
    paintBackground(Password, kSkyBlue);
    txtPassword = named(new QLineEdit(Password), "txtPassword");
    txtPassword->setGeometry(8, 24, 89, 21);
    txtPassword->setEchoMode(QLineEdit::Password);
    Label32 = label(Password, "Label32", "Enter password:", 8, 48);
    OKpassword = named(new QPushButton(QStringLiteral("OK"), Password), "OKpassword");
    OKpassword->setGeometry(120, 40, 59, 25);
    OKpassword->setAutoDefault(false);
    Password->hide();

    ChangePassword =
        named(new QGroupBox(QStringLiteral("Change Password"), m_client), "ChangePassword");
    ChangePassword->setGeometry(192, 168, 289, 121);
    paintBackground(ChangePassword, palette().color(QPalette::Button));
    txtChange1 = named(new QLineEdit(ChangePassword), "txtChange1");
    txtChange1->setGeometry(8, 24, 121, 21);
    Label34 = label(ChangePassword, "Label34", "Enter new password:", 8, 48);
    txtChange2 = named(new QLineEdit(ChangePassword), "txtChange2");
    txtChange2->setGeometry(152, 24, 121, 21);
    txtChange2->setEchoMode(QLineEdit::Password);
    Label35 = label(ChangePassword, "Label35", "Enter new password again:", 152, 48);
    btnChange = named(new QPushButton(QStringLiteral("OK"), ChangePassword), "btnChange");
    btnChange->setGeometry(104, 80, 75, 25);
    ChangePassword->hide();

    for (QWidget *overlay :
         {static_cast<QWidget *>(GoBack), static_cast<QWidget *>(Searching),
          static_cast<QWidget *>(Password), static_cast<QWidget *>(ChangePassword)})
        overlay->raise();
}

void TForm1::buildDialogs() {
    OpenDialog1 = named(new QFileDialog(this), "OpenDialog1");
    OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog1->setOption(QFileDialog::ReadOnly, false);
    OpenDialog1->setFileMode(QFileDialog::AnyFile);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setNameFilters(
        {QStringLiteral("Bitmap format (*.bmp)"), QStringLiteral("Jpeg format (*.jpg)")});

    ColorDialog1 = named(new QColorDialog(this), "ColorDialog1");
    FontDialog1 = named(new QFontDialog(this), "FontDialog1");

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(3000);
    Timer1->start();
}
