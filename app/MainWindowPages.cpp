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
#include "widgets/PageControl.h"
#include "widgets/PictureView.h"

#include "core/Error.h"
#include "data/DataSource.h"
#include "data/TableObject.h"
#include "records/EnlargedView.h"
#include "records/NameSearch.h"
#include "records/PictureCommands.h"
#include "records/PictureRoutines.h"
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

} // namespace

void TForm1::buildPages() {
    // The large pictures lie on the window itself, beneath the page control.
    auto largeImage = [this](const char *name, QRect geometry) {
        auto *image = named(new widgets::PictureView(m_client), name);
        image->setGeometry(geometry);
        image->hide();
        return image;
    };
    ADOImage2 = largeImage("ADOImage2", {0, 8, 681, 433});
    PeopleImage2 = largeImage("PeopleImage2", {8, 16, 665, 425});
    PrivacyImage2 = largeImage("PrivacyImage2", {8, 16, 673, 441});

    PageControl1 = named(new widgets::PageControl(QSize(85, 30), m_client), "PageControl1");
    PageControl1->setGeometry(8, 40, 673, 417);

    Household = new records::HouseholdPage(DataSource1);
    PageControl1->addTab(Household, QStringLiteral("Household Items"));
    People = new records::PeoplePage(DataSource2);
    PageControl1->addTab(People, QStringLiteral("People"));
    Diary = new DiaryPage(DataSource3);
    PageControl1->addTab(Diary, QStringLiteral("Diary"));
    Privacy = new PrivacyPage(DataSource4);
    PageControl1->addTab(Privacy, QStringLiteral("Privacy"));
    Utilities = new loans::UtilitiesPage;
    PageControl1->addTab(Utilities, QStringLiteral("Utilities"));
    Help = new HelpPage(DataSource5, DataSource6);
    PageControl1->addTab(Help, QStringLiteral("Help"));
    DBEdit44 = Help->DBEdit44;
    PageControl1->setCurrentIndex(5);

    DateTimePicker1 = named(new QDateEdit(QDate(2003, 1, 1), m_client), "DateTimePicker1");
    DateTimePicker1->setGeometry(521, 48, 159, 20);
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    fitLongDates(DateTimePicker1);
    DateTimePicker1->raise();
}

void TForm1::buildOverlays() {
    auto viewNavigator = [this](const char *name, data::DataSource *source, bool hints) {
        auto *navigator = named(new widgets::DBNavigator(m_client), name);
        navigator->setGeometry(16, 432, 128, 18);
        navigator->setVisibleButtons({widgets::DBNavigator::nbFirst, widgets::DBNavigator::nbPrior,
                                      widgets::DBNavigator::nbNext, widgets::DBNavigator::nbLast});
        navigator->setShowHints(hints);
        navigator->setDataSource(source);
        navigator->hide();
        return navigator;
    };
    DBNavigator2 = viewNavigator("DBNavigator2", DataSource1, false);
    DBNavigator4 = viewNavigator("DBNavigator4", DataSource2, false);
    DBNavigator7 = viewNavigator("DBNavigator7", DataSource4, true);
    auto keyField = [this](const char *name, data::DataSource *source, const char *column) {
        auto *edit = named(new widgets::DBEdit(m_client), name);
        edit->setGeometry(16, 408, 49, 21);
        edit->setDataSource(source);
        edit->setDataField(QString::fromLatin1(column));
        edit->hide();
        return edit;
    };
    DBEdit12 = keyField("DBEdit12", DataSource1, "Household ID");
    DBEdit26 = keyField("DBEdit26", DataSource2, "People ID");
    DBEdit41 = keyField("DBEdit41", DataSource4, "Privacy ID");

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

    ColorDialog1 = named(new widgets::ColorDialog(this), "ColorDialog1");
    FontDialog1 = named(new widgets::FontDialog(this), "FontDialog1");
    FindDialog1 = named(new widgets::FindDialog(this), "FindDialog1");

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(3000);
    Timer1->start();
}

void TForm1::buildRecordPages() {
    using widgets::guarded;
    m_routines = new records::RecordRoutines([this] { return pageIndex(); }, this);
    data::Field *itemPhoto = ADOTable1->findField(QStringLiteral("Photograph"));
    data::Field *personPhoto = ADOTable2->findField(QStringLiteral("Photograph"));
    data::Field *privatePhoto = ADOTable4->findField(QStringLiteral("Photograph"));
    m_routines->setPage(0, {ADOTable1, itemPhoto, Household->ADOImage1, ADOImage2,
                            Household->NoPicture1, Household->Edit1});
    m_routines->setPage(1, {ADOTable2, personPhoto, People->PeopleImage1, PeopleImage2,
                            People->NoPicture2, People->Edit2});
    m_routines->setPage(3, {ADOTable4, privatePhoto, Privacy->PrivacyImage1, PrivacyImage2,
                            Privacy->NoPicture3, Privacy->txtRecords});

    auto pageNavigatorClick =
        guarded([this](widgets::DBNavigator::Button b) { m_routines->navigatorClick(b); });
    connect(Household->DBNavigator1, &widgets::DBNavigator::click, this, pageNavigatorClick);
    connect(People->DBNavigator3, &widgets::DBNavigator::click, this, pageNavigatorClick);
    connect(Privacy->DBNavigator6, &widgets::DBNavigator::click, this, pageNavigatorClick);

    m_view = new records::EnlargedView(PageControl1, GoBack, m_routines, this);
    m_view->setParts(0, {ADOImage2, DBNavigator2, DBEdit12, itemPhoto});
    m_view->setParts(1, {PeopleImage2, DBNavigator4, DBEdit26, personPhoto});
    m_view->setParts(3, {PrivacyImage2, DBNavigator7, DBEdit41, privatePhoto});
    auto viewNavigatorClick =
        guarded([this](widgets::DBNavigator::Button b) { m_view->navigatorClick(b); });
    for (widgets::DBNavigator *navigator : {DBNavigator2, DBNavigator4, DBNavigator7})
        connect(navigator, &widgets::DBNavigator::click, this, viewNavigatorClick);
    connect(Household->ADOImage1, &widgets::PictureView::clicked, this,
            guarded([this] { m_view->ADOImage1Click(); }));
    connect(People->PeopleImage1, &widgets::PictureView::clicked, this,
            guarded([this] { m_view->PeopleImage1Click(); }));
    connect(Privacy->PrivacyImage1, &widgets::PictureView::clicked, this,
            guarded([this] { m_view->PrivacyImage1Click(); }));
    connect(ToolZoomIn, &QToolButton::clicked, this, guarded([this] {
                // Private pictures stay covered while the password gate stands.
                if (pageIndex() == 3 && !Password->isHidden())
                    return;
                m_view->ToolZoomInClick();
            }));
    connect(GoBack, &QPushButton::clicked, this, guarded([this] { m_view->GoBackClick(); }));
    connect(ToolZoomOut, &QToolButton::clicked, this, guarded([this] { m_view->GoBackClick(); }));

    m_search = new records::NameSearch(Searching, DataSource1, DataSource2, m_routines, this);
    auto searchClick = guarded([this] { m_search->SearchClick(); });
    connect(Household->Search, &QPushButton::clicked, this, searchClick);
    connect(People->LookUp, &QPushButton::clicked, this, searchClick);
    connect(ToolSearch, &QToolButton::clicked, this, searchClick);

    m_pictures = new records::PictureCommands(OpenDialog1, m_routines, this);
    m_pictures->setTarget(0, {ADOTable1, itemPhoto});
    m_pictures->setTarget(1, {ADOTable2, personPhoto});
    m_pictures->setTarget(3, {ADOTable4, privatePhoto});
    auto addPictureClick = guarded([this] { m_pictures->AddPictureClick(); });
    connect(Household->AddPicture, &QPushButton::clicked, this, addPictureClick);
    connect(People->AddImage, &QPushButton::clicked, this, addPictureClick);
    connect(Privacy->AddImages, &QPushButton::clicked, this, addPictureClick);

    buildPasswordGate();
    buildTextCommands();
    connect(PageControl1, &QTabWidget::currentChanged, this,
            guarded([this] { PageControl1Change(); }));
    for (data::DataSource *source : {DataSource1, DataSource2, DataSource3, DataSource4})
        connect(source, &data::DataSource::dataChange, this,
                guarded([this] { DataSource1DataChange(); }));
    connect(Timer1, &QTimer::timeout, this, [this] {
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
    QWidget *last = PageControl1;
    for (QWidget *w = PageControl1->nextInFocusChain(); PageControl1->isAncestorOf(w);
         w = w->nextInFocusChain())
        last = w;
    const QList<QWidget *> order = {last,
                                    GoBack,
                                    DBEdit12,
                                    DateTimePicker1,
                                    m_search->ItemName,
                                    m_search->SearchClose,
                                    m_search->btnOK,
                                    DBEdit26,
                                    txtPassword,
                                    OKpassword,
                                    txtChange1,
                                    txtChange2,
                                    btnChange,
                                    DBEdit41};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TForm1::buildPasswordGate() {
    using widgets::guarded;
    PasswordGate::Parts parts;
    parts.passwordBox = Password;
    parts.txtPassword = txtPassword;
    parts.changeBox = ChangePassword;
    parts.txtChange1 = txtChange1;
    parts.txtChange2 = txtChange2;
    parts.diary = DataSource3;
    parts.pageIndex = [this] { return pageIndex(); };
    parts.open = [this](int page) {
        Password->hide();
        if (page == 2) {
            Diary->show();
            Diary->DBRichEdit1->setFocus();
        } else {
            Privacy->show();
            Privacy->DBEdit30->setFocus();
        }
        setPrintEnabled(true);
    };
    m_gate = new PasswordGate(parts, this);
    connect(OKpassword, &QPushButton::clicked, this,
            guarded([this] { m_gate->OKpasswordClick(); }));
    auto changePasswordClick = guarded([this] { m_gate->btnChangePasswordClick(); });
    connect(Diary->btnChangePassword, &QPushButton::clicked, this, changePasswordClick);
    connect(Privacy->btnPasswordChange, &QPushButton::clicked, this, changePasswordClick);
    connect(btnChange, &QPushButton::clicked, this, guarded([this] { m_gate->btnChangeClick(); }));
}

void TForm1::buildTextCommands() {
    using widgets::guarded;
    TextCommands::Parts parts;
    parts.diaryText = Diary->DBRichEdit1;
    parts.helpText = Help->DBRichEdit2;
    parts.diary = DataSource3;
    parts.fontDialog = FontDialog1;
    parts.colourDialog = ColorDialog1;
    parts.findDialog = FindDialog1;
    parts.pageIndex = [this] { return pageIndex(); };
    m_text = new TextCommands(parts, this);

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
    wire([this] { m_text->UndoClick(); }, {Undo, ToolUndo, pUndo});
    wire([this] { m_text->CutClick(); }, {Cut, ToolCut, pCut});
    wire([this] { m_text->CopyClick(); }, {Copy, ToolCopy, pCopy});
    wire([this] { m_text->PasteClick(); }, {Paste, ToolPaste, pPaste});
    wire([this] { m_text->SelectAllClick(); }, {SelectAll, ToolSelectAll, pSelectAll});
    wire([this] { m_text->FindTextClick(); }, {FindText, ToolFindText, pFindText});
    wire([this] { m_text->Color1Click(); }, {Color1, ToolColor});
    wire([this] { m_text->Font1Click(); }, {Font1, ToolFont, pFont});
    wire([this] { m_text->InsertDate1Click(); }, {InsertDate1, ToolDateInsert, pInsertDate});
    connect(FindDialog1, &widgets::FindDialog::find, this,
            guarded([this] { m_text->FindDialog1Find(); }));

    for (widgets::DBRichEdit *text : {Diary->DBRichEdit1, Help->DBRichEdit2}) {
        text->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(text, &QWidget::customContextMenuRequested, this,
                [this, text](const QPoint &at) { PopupMenu1->exec(text->mapToGlobal(at)); });
    }
}
