#include "app/MainWindowUi.h"
#include "app/TForm1.h"

#include "app/DateBox.h"
#include "loans/UtilitiesPage.h"
#include "private/DiaryPage.h"
#include "private/HelpPage.h"
#include "private/PasswordGate.h"
#include "private/PrivacyPage.h"
#include "private/TextCommands.h"
#include "records/HouseholdPage.h"
#include "records/PeoplePage.h"
#include "widgets/ColorDialog.h"
#include "widgets/DBEdit.h"
#include "widgets/DBNavigator.h"
#include "widgets/DBRichEdit.h"
#include "widgets/Emblem.h"
#include "widgets/FindDialog.h"
#include "widgets/FontDialog.h"
#include "widgets/FormBuilder.h"
#include "widgets/PageControl.h"
#include "widgets/PictureView.h"

#include "core/Error.h"
#include "data/DataSource.h"
#include "data/TableObject.h"
#include "records/EnlargedView.h"
#include "records/NameSearch.h"
#include "records/PictureCommands.h"
#include "records/RecordRoutines.h"
#include "widgets/Messages.h"

#include <QAction>
#include <QColorDialog>
#include <QDateEdit>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace app {

namespace {

const QColor kSkyBlue(0xA6, 0xCA, 0xF0);

template <class W> W *named(W *widget, const char *name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
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

void maskWithAsterisks(QLineEdit *entry) {
    entry->setEchoMode(QLineEdit::Password);
    entry->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
}

} // namespace

void TForm1::buildPages() {
    // The large pictures lie on the window itself, beneath the page control.
    auto largeImage = [this](const char *name, QRect geometry) {
        auto *image = named(new widgets::PictureView(m_ui->client), name);
        image->setGeometry(geometry);
        image->hide();
        return image;
    };
    m_ui->ADOImage2 = largeImage("ADOImage2", {0, 8, 681, 433});
    m_ui->PeopleImage2 = largeImage("PeopleImage2", {8, 16, 665, 425});
    m_ui->PrivacyImage2 = largeImage("PrivacyImage2", {8, 16, 673, 441});

    m_ui->PageControl1 =
        named(new widgets::PageControl(QSize(85, 30), m_ui->client), "PageControl1");
    m_ui->PageControl1->setGeometry(8, 40, 673, 417);

    m_ui->Household = new records::HouseholdPage(m_ui->DataSource1);
    m_ui->PageControl1->addTab(m_ui->Household, QStringLiteral("Household Items"));
    m_ui->People = new records::PeoplePage(m_ui->DataSource2);
    m_ui->PageControl1->addTab(m_ui->People, QStringLiteral("People"));
    m_ui->Diary = new privatepages::DiaryPage(m_ui->DataSource3);
    m_ui->PageControl1->addTab(m_ui->Diary, QStringLiteral("Diary"));
    m_ui->Privacy = new privatepages::PrivacyPage(m_ui->DataSource4);
    m_ui->PageControl1->addTab(m_ui->Privacy, QStringLiteral("Privacy"));
    m_ui->Utilities = new loans::UtilitiesPage;
    m_ui->PageControl1->addTab(m_ui->Utilities, QStringLiteral("Utilities"));
    m_ui->Help = new privatepages::HelpPage(m_ui->DataSource5, m_ui->DataSource6);
    m_ui->PageControl1->addTab(m_ui->Help, QStringLiteral("Help"));
    m_ui->DBEdit44 = m_ui->Help->DBEdit44;
    m_ui->PageControl1->setCurrentPage(widgets::Page::Help);

    m_ui->DateTimePicker1 =
        named(new QDateEdit(QDate(2003, 1, 1), m_ui->client), "DateTimePicker1");
    m_ui->DateTimePicker1->setGeometry(521, 48, 159, 20);
    m_ui->DateTimePicker1->setCalendarPopup(true);
    m_ui->DateTimePicker1->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    fitLongDates(m_ui->DateTimePicker1);
    m_ui->DateTimePicker1->raise();
}

void TForm1::buildOverlays() {
    auto viewNavigator = [this](const char *name, data::DataSource *source, bool hints) {
        auto *navigator = named(new widgets::DBNavigator(m_ui->client), name);
        navigator->setGeometry(16, 432, 128, 18);
        navigator->setVisibleButtons({widgets::DBNavigator::nbFirst, widgets::DBNavigator::nbPrior,
                                      widgets::DBNavigator::nbNext, widgets::DBNavigator::nbLast});
        navigator->setShowHints(hints);
        navigator->setDataSource(source);
        navigator->hide();
        return navigator;
    };
    m_ui->DBNavigator2 = viewNavigator("DBNavigator2", m_ui->DataSource1, false);
    m_ui->DBNavigator4 = viewNavigator("DBNavigator4", m_ui->DataSource2, false);
    m_ui->DBNavigator7 = viewNavigator("DBNavigator7", m_ui->DataSource4, true);
    auto keyField = [this](const char *name, data::DataSource *source, const char *column) {
        auto *edit = named(new widgets::DBEdit(m_ui->client), name);
        edit->setGeometry(16, 408, 49, 21);
        edit->setDataSource(source);
        edit->setDataField(QString::fromLatin1(column));
        edit->hide();
        return edit;
    };
    m_ui->DBEdit12 = keyField("DBEdit12", m_ui->DataSource1, "Household ID");
    m_ui->DBEdit26 = keyField("DBEdit26", m_ui->DataSource2, "People ID");
    m_ui->DBEdit41 = keyField("DBEdit41", m_ui->DataSource4, "Privacy ID");

    m_ui->GoBack = named(new QPushButton(QStringLiteral("Go Back"), m_ui->client), "GoBack");
    m_ui->GoBack->setGeometry(600, 432, 70, 20);
    m_ui->GoBack->hide();

    m_ui->Searching = named(new QGroupBox(QStringLiteral("Searching"), m_ui->client), "Searching");
    m_ui->Searching->setGeometry(208, 104, 257, 97);
    paintBackground(m_ui->Searching, kSkyBlue);
    m_ui->Searching->setStyleSheet(
        QStringLiteral("QGroupBox#Searching { font-weight: bold; color: blue; }"));
    m_ui->Searching->hide();

    m_ui->Password = named(new QGroupBox(QStringLiteral("Password"), m_ui->client), "Password");
    m_ui->Password->setGeometry(240, 168, 185, 73);
    paintBackground(m_ui->Password, kSkyBlue);
    m_ui->txtPassword = named(new QLineEdit(m_ui->Password), "txtPassword");
    m_ui->txtPassword->setGeometry(8, 24, 89, 21);
    maskWithAsterisks(m_ui->txtPassword);
    m_ui->Label32 = label(m_ui->Password, "Label32", "Enter password:", 8, 48);
    m_ui->OKpassword = named(new QPushButton(QStringLiteral("OK"), m_ui->Password), "OKpassword");
    m_ui->OKpassword->setGeometry(120, 40, 59, 25);
    m_ui->OKpassword->setAutoDefault(false);
    m_ui->Password->hide();

    m_ui->ChangePassword =
        named(new QGroupBox(QStringLiteral("Change Password"), m_ui->client), "ChangePassword");
    m_ui->ChangePassword->setGeometry(192, 168, 289, 121);
    paintBackground(m_ui->ChangePassword, palette().color(QPalette::Button));
    m_ui->txtChange1 = named(new QLineEdit(m_ui->ChangePassword), "txtChange1");
    m_ui->txtChange1->setGeometry(8, 24, 121, 21);
    m_ui->Label34 = label(m_ui->ChangePassword, "Label34", "Enter new password:", 8, 48);
    m_ui->txtChange2 = named(new QLineEdit(m_ui->ChangePassword), "txtChange2");
    m_ui->txtChange2->setGeometry(152, 24, 121, 21);
    maskWithAsterisks(m_ui->txtChange2);
    m_ui->Label35 = label(m_ui->ChangePassword, "Label35", "Enter new password again:", 152, 48);
    m_ui->btnChange =
        named(new QPushButton(QStringLiteral("OK"), m_ui->ChangePassword), "btnChange");
    m_ui->btnChange->setGeometry(104, 80, 75, 25);
    m_ui->ChangePassword->hide();

    for (QWidget *overlay :
         {static_cast<QWidget *>(m_ui->GoBack), static_cast<QWidget *>(m_ui->Searching),
          static_cast<QWidget *>(m_ui->Password), static_cast<QWidget *>(m_ui->ChangePassword)})
        overlay->raise();
}

void TForm1::buildDialogs() {
    m_ui->OpenDialog1 = named(new QFileDialog(this), "OpenDialog1");
    m_ui->OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
    m_ui->OpenDialog1->setOption(QFileDialog::ReadOnly, false);
    m_ui->OpenDialog1->setFileMode(QFileDialog::AnyFile);
    m_ui->OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    m_ui->OpenDialog1->setNameFilters(
        {QStringLiteral("Bitmap format (*.bmp)"), QStringLiteral("Jpeg format (*.jpg)")});

    m_ui->ColorDialog1 = named(new widgets::ColorDialog(this), "ColorDialog1");
    m_ui->FontDialog1 = named(new widgets::FontDialog(this), "FontDialog1");
    m_ui->FindDialog1 = named(new widgets::FindDialog(this), "FindDialog1");

    m_ui->Timer1 = named(new QTimer(this), "Timer1");
    m_ui->Timer1->setInterval(3000);
    m_ui->Timer1->start();
}

void TForm1::buildRecordPages() {
    using widgets::guarded;
    using widgets::Page;
    m_routines = new records::RecordRoutines([this] { return currentPage(); }, this);
    data::Field *itemPhoto = m_ui->ADOTable1->findField(QStringLiteral("Photograph"));
    data::Field *personPhoto = m_ui->ADOTable2->findField(QStringLiteral("Photograph"));
    data::Field *privatePhoto = m_ui->ADOTable4->findField(QStringLiteral("Photograph"));
    m_routines->setPage(Page::Household,
                        {m_ui->ADOTable1, itemPhoto, m_ui->Household->ADOImage1, m_ui->ADOImage2,
                         m_ui->Household->NoPicture1, m_ui->Household->Edit1});
    m_routines->setPage(Page::People,
                        {m_ui->ADOTable2, personPhoto, m_ui->People->PeopleImage1,
                         m_ui->PeopleImage2, m_ui->People->NoPicture2, m_ui->People->Edit2});
    m_routines->setPage(Page::Privacy, {m_ui->ADOTable4, privatePhoto, m_ui->Privacy->PrivacyImage1,
                                        m_ui->PrivacyImage2, m_ui->Privacy->NoPicture3,
                                        m_ui->Privacy->txtRecords});

    auto pageNavigatorClick =
        guarded([this](widgets::DBNavigator::Button b) { m_routines->navigatorClick(b); });
    connect(m_ui->Household->DBNavigator1, &widgets::DBNavigator::click, this, pageNavigatorClick);
    connect(m_ui->People->DBNavigator3, &widgets::DBNavigator::click, this, pageNavigatorClick);
    connect(m_ui->Privacy->DBNavigator6, &widgets::DBNavigator::click, this, pageNavigatorClick);

    m_view = new records::EnlargedView(m_ui->PageControl1, m_ui->GoBack, m_routines, this);
    m_view->setParts(Page::Household,
                     {m_ui->ADOImage2, m_ui->DBNavigator2, m_ui->DBEdit12, itemPhoto});
    m_view->setParts(Page::People,
                     {m_ui->PeopleImage2, m_ui->DBNavigator4, m_ui->DBEdit26, personPhoto});
    m_view->setParts(Page::Privacy,
                     {m_ui->PrivacyImage2, m_ui->DBNavigator7, m_ui->DBEdit41, privatePhoto});
    auto viewNavigatorClick =
        guarded([this](widgets::DBNavigator::Button b) { m_view->navigatorClick(b); });
    for (widgets::DBNavigator *navigator :
         {m_ui->DBNavigator2, m_ui->DBNavigator4, m_ui->DBNavigator7})
        connect(navigator, &widgets::DBNavigator::click, this, viewNavigatorClick);
    connect(m_ui->Household->ADOImage1, &widgets::PictureView::clicked, this,
            guarded([this] { m_view->ADOImage1Click(); }));
    connect(m_ui->People->PeopleImage1, &widgets::PictureView::clicked, this,
            guarded([this] { m_view->PeopleImage1Click(); }));
    connect(m_ui->Privacy->PrivacyImage1, &widgets::PictureView::clicked, this,
            guarded([this] { m_view->PrivacyImage1Click(); }));
    connect(m_ui->ToolZoomIn, &QToolButton::clicked, this, guarded([this] {
                // Private pictures stay covered while the password gate stands.
                if (!m_gate->privateContentsVisible())
                    return;
                m_view->ToolZoomInClick();
            }));
    connect(m_ui->GoBack, &QPushButton::clicked, this, guarded([this] { m_view->GoBackClick(); }));
    connect(m_ui->ToolZoomOut, &QToolButton::clicked, this,
            guarded([this] { m_view->GoBackClick(); }));

    m_search = new records::NameSearch(m_ui->Searching, m_ui->DataSource1, m_ui->DataSource2,
                                       m_routines, this);
    auto searchClick = guarded([this] { m_search->SearchClick(); });
    connect(m_ui->Household->Search, &QPushButton::clicked, this, searchClick);
    connect(m_ui->People->LookUp, &QPushButton::clicked, this, searchClick);
    connect(m_ui->ToolSearch, &QToolButton::clicked, this, searchClick);

    m_pictures = new records::PictureCommands(m_ui->OpenDialog1, m_routines, this);
    m_pictures->setTarget(Page::Household, {m_ui->ADOTable1, itemPhoto});
    m_pictures->setTarget(Page::People, {m_ui->ADOTable2, personPhoto});
    m_pictures->setTarget(Page::Privacy, {m_ui->ADOTable4, privatePhoto});
    auto addPictureClick = guarded([this] { m_pictures->AddPictureClick(); });
    connect(m_ui->Household->AddPicture, &QPushButton::clicked, this, addPictureClick);
    connect(m_ui->People->AddImage, &QPushButton::clicked, this, addPictureClick);
    connect(m_ui->Privacy->AddImages, &QPushButton::clicked, this, addPictureClick);

    buildPasswordGate();
    buildTextCommands();
    connect(m_ui->PageControl1, &QTabWidget::currentChanged, this,
            guarded([this] { PageControl1Change(); }));
    for (data::DataSource *source :
         {m_ui->DataSource1, m_ui->DataSource2, m_ui->DataSource3, m_ui->DataSource4})
        connect(source, &data::DataSource::dataChange, this,
                guarded([this] { DataSource1DataChange(); }));
    connect(m_ui->Timer1, &QTimer::timeout, this, [this] {
        // A phrase file that cannot be read now is tried again at the next tick.
        try {
            Timer1Timer();
        } catch (const core::Error &) {
        }
    });
}

void TForm1::setFocusOrder() {
    // After the pages come the window's own controls that can take the focus;
    // moving the focus skips what is hidden or disabled.
    QWidget *last = m_ui->PageControl1;
    for (QWidget *w = m_ui->PageControl1->nextInFocusChain(); m_ui->PageControl1->isAncestorOf(w);
         w = w->nextInFocusChain())
        last = w;
    widgets::FormBuilder::chainTabOrder(
        {last, m_ui->GoBack, m_ui->DBEdit12, m_ui->DateTimePicker1, m_search->ItemName,
         m_search->SearchClose, m_search->btnOK, m_ui->DBEdit26, m_ui->txtPassword,
         m_ui->OKpassword, m_ui->txtChange1, m_ui->txtChange2, m_ui->btnChange, m_ui->DBEdit41});
}

void TForm1::buildPasswordGate() {
    using widgets::guarded;
    privatepages::PasswordGate::Parts parts;
    parts.passwordBox = m_ui->Password;
    parts.txtPassword = m_ui->txtPassword;
    parts.changeBox = m_ui->ChangePassword;
    parts.txtChange1 = m_ui->txtChange1;
    parts.txtChange2 = m_ui->txtChange2;
    parts.diary = m_ui->DataSource3;
    parts.currentPage = [this] { return currentPage(); };
    parts.open = [this](widgets::Page page) {
        m_ui->Password->hide();
        if (page == widgets::Page::Diary) {
            m_ui->Diary->show();
            m_ui->Diary->DBRichEdit1->setFocus();
        } else {
            m_ui->Privacy->show();
            m_ui->Privacy->DBEdit30->setFocus();
        }
        setPrintEnabled(true);
    };
    m_gate = new privatepages::PasswordGate(parts, this);
    connect(m_ui->OKpassword, &QPushButton::clicked, this,
            guarded([this] { m_gate->OKpasswordClick(); }));
    auto changePasswordClick = guarded([this] { m_gate->btnChangePasswordClick(); });
    connect(m_ui->Diary->btnChangePassword, &QPushButton::clicked, this, changePasswordClick);
    connect(m_ui->Privacy->btnPasswordChange, &QPushButton::clicked, this, changePasswordClick);
    connect(m_ui->btnChange, &QPushButton::clicked, this,
            guarded([this] { m_gate->btnChangeClick(); }));
}

void TForm1::buildTextCommands() {
    using widgets::guarded;
    privatepages::TextCommands::Parts parts;
    parts.diaryText = m_ui->Diary->DBRichEdit1;
    parts.helpText = m_ui->Help->DBRichEdit2;
    parts.diary = m_ui->DataSource3;
    parts.fontDialog = m_ui->FontDialog1;
    parts.colourDialog = m_ui->ColorDialog1;
    parts.findDialog = m_ui->FindDialog1;
    parts.currentPage = [this] { return currentPage(); };
    parts.gate = m_gate;
    m_text = new privatepages::TextCommands(parts, this);

    // Menu item, tool button and context menu item of each command.
    auto wire = [this](auto command, std::initializer_list<QObject *> senders) {
        auto handler = guarded(command);
        for (QObject *sender : senders) {
            if (auto *action = qobject_cast<QAction *>(sender))
                connect(action, &QAction::triggered, this, handler);
            else if (auto *button = qobject_cast<QToolButton *>(sender))
                connect(button, &QToolButton::clicked, this, handler);
        }
    };
    wire([this] { m_text->UndoClick(); }, {m_ui->Undo, m_ui->ToolUndo, m_ui->pUndo});
    wire([this] { m_text->CutClick(); }, {m_ui->Cut, m_ui->ToolCut, m_ui->pCut});
    wire([this] { m_text->CopyClick(); }, {m_ui->Copy, m_ui->ToolCopy, m_ui->pCopy});
    wire([this] { m_text->PasteClick(); }, {m_ui->Paste, m_ui->ToolPaste, m_ui->pPaste});
    wire([this] { m_text->SelectAllClick(); },
         {m_ui->SelectAll, m_ui->ToolSelectAll, m_ui->pSelectAll});
    wire([this] { m_text->FindTextClick(); },
         {m_ui->FindText, m_ui->ToolFindText, m_ui->pFindText});
    wire([this] { m_text->Color1Click(); }, {m_ui->Color1, m_ui->ToolColor});
    wire([this] { m_text->Font1Click(); }, {m_ui->Font1, m_ui->ToolFont, m_ui->pFont});
    wire([this] { m_text->InsertDate1Click(); },
         {m_ui->InsertDate1, m_ui->ToolDateInsert, m_ui->pInsertDate});
    connect(m_ui->FindDialog1, &widgets::FindDialog::find, this,
            guarded([this] { m_text->FindDialog1Find(); }));

    for (widgets::DBRichEdit *text : {m_ui->Diary->DBRichEdit1, m_ui->Help->DBRichEdit2}) {
        text->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(text, &QWidget::customContextMenuRequested, this, [this, text](const QPoint &at) {
            if (m_text->target() == text)
                m_ui->PopupMenu1->exec(text->mapToGlobal(at));
        });
    }
}

} // namespace app
