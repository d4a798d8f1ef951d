#include "about/TAbout.h"

#include "BuildInfo.h"
#include "about/BevelPanel.h"
#include "platform/sysinfo/SystemInfo.h"
#include "widgets/Emblem.h"
#include "widgets/TitleLabel.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

const char *const TAbout::kEmailAddress = "hearthledger@example.org";
const char *const TAbout::kWebSite = "https://hearthledger.example.org/";

namespace {

const QColor kSkyBlue(0xA6, 0xCA, 0xF0);
const QColor kPurple(0x80, 0x00, 0x80);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);

struct Services {
    TAbout::UrlOpener openUrl;
    QString osReleasePath;
    TAbout::UserNameSource userName;
};

Services &services() {
    static Services instance;
    return instance;
}

QFont boxFont(int pixelSize, bool bold) {
    QFont font = widgets::windowFont(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel *makeLabel(QWidget *parent, const QString &text, int left, int top) {
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->move(left, top);
    label->adjustSize();
    return label;
}

void setTextColour(QWidget *widget, const QColor &colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLabel *makeLink(QWidget *parent, const char *name, const QString &text, int top) {
    QLabel *link = makeLabel(parent, text, 24, top);
    link->setObjectName(QLatin1String(name));
    setTextColour(link, kBlue);
    link->setCursor(Qt::PointingHandCursor);
    link->setMouseTracking(true);
    return link;
}

// The glyph of a standard OK button: a green check mark.
QIcon checkMark() {
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(3, 9);
    path.lineTo(7, 14);
    path.lineTo(15, 4);
    painter.setPen(QPen(QColor(0x00, 0x80, 0x00), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    return QIcon(pixmap);
}

} // namespace

TAbout::TAbout(QWidget *parent, const QPixmap &emblem)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("About"));
    setFixedSize(366, 204);
    setFont(boxFont(11, false));
    setTextColour(this, Qt::black);

    Panel1 = new about::BevelPanel(kSkyBlue, this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(rect());
    Panel1->setMouseTracking(true);

    auto *title = new widgets::TitleLabel(QStringLiteral("Hearthledger"), Panel1);
    title->move(16, 16);
    QFont titleFont;
    titleFont.setFamilies({QStringLiteral("Mistral"), QStringLiteral("Kaushan Script"),
                           QStringLiteral("Dancing Script"), QStringLiteral("DejaVu Sans")});
    titleFont.setPixelSize(32);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setFixedTitleSize(QSize(158, 38));
    setTextColour(title, kPurple);

    makeLabel(Panel1, QStringLiteral("Version ") + QLatin1String(buildinfo::version), 24, 50)
        ->setFixedSize(53, 13);

    AboutImage = new QLabel(Panel1);
    AboutImage->setObjectName(QStringLiteral("AboutImage"));
    AboutImage->setGeometry(232, 24, 105, 105);
    AboutImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setEmblem(emblem);

    makeLabel(Panel1, QStringLiteral("User:"), 24, 75);
    txtUser = makeLabel(Panel1, QString(), 56, 75);
    txtUser->setObjectName(QStringLiteral("txtUser"));
    txtUser->setFont(boxFont(11, true));

    makeLabel(Panel1, QStringLiteral("OS:"), 24, 92);
    lbVersion = makeLabel(Panel1, QString(), 45, 92);
    lbVersion->setObjectName(QStringLiteral("lbVersion"));
    lbVersion->setFont(boxFont(8, true));

    Email = makeLink(Panel1, "Email", QLatin1String(kEmailAddress), 150);
    WebSite = makeLink(Panel1, "WebSite", QLatin1String(kWebSite), 168);

    AboutOK = new QPushButton(checkMark(), QStringLiteral("OK"), Panel1);
    AboutOK->setObjectName(QStringLiteral("AboutOK"));
    AboutOK->setGeometry(280, 152, 59, 25);
    AboutOK->setDefault(true);
    AboutOK->setFocus();
    connect(AboutOK, &QPushButton::clicked, this, &TAbout::AboutOKClick);

    for (QWidget *watched : {static_cast<QWidget *>(Panel1), static_cast<QWidget *>(Email),
                             static_cast<QWidget *>(WebSite)})
        watched->installEventFilter(this);

    FormCreate();
}

void TAbout::FormCreate() {
    lbVersion->setText(GetWindowsVersion());
    lbVersion->adjustSize();
    const auto &source = services().userName;
    const std::optional<QString> user = source ? source() : sysinfo::userName();
    txtUser->setText(user && !user->isEmpty() ? *user : QStringLiteral("Unknown"));
    txtUser->adjustSize();
}

void TAbout::setEmblem(const QPixmap &emblem) {
    AboutImage->setPixmap(emblem);
}

QString TAbout::GetWindowsVersion() const {
    const QString &path = services().osReleasePath;
    const sysinfo::OsVersion os = sysinfo::operatingSystem(
        path.isEmpty() ? QString::fromLatin1(sysinfo::kOsReleasePath) : path);
    return os.productName + QStringLiteral(" (version ") + os.version + QLatin1Char(')');
}

void TAbout::setUrlOpener(UrlOpener opener) {
    services().openUrl = std::move(opener);
}

void TAbout::setOsReleasePath(const QString &path) {
    services().osReleasePath = path;
}

void TAbout::setUserNameSource(UserNameSource source) {
    services().userName = std::move(source);
}

void TAbout::AboutOKClick() {
    accept();
}

namespace {

// A link that cannot be opened is ignored.
void openLink(const QUrl &url) {
    const auto &opener = services().openUrl;
    if (opener)
        opener(url);
    else
        QDesktopServices::openUrl(url);
}

} // namespace

void TAbout::EmailClick() {
    openLink(QUrl(QStringLiteral("mailto:") + Email->text()));
}

void TAbout::WebSiteClick() {
    openLink(QUrl(WebSite->text()));
}

void TAbout::EmailMouseMove() {
    setTextColour(Email, Qt::white);
}

void TAbout::WebSiteMouseMove() {
    setTextColour(WebSite, Qt::white);
}

void TAbout::Panel1MouseMove() {
    setTextColour(Email, kRed);
    setTextColour(WebSite, kRed);
}

bool TAbout::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseMove) {
        if (watched == Email) {
            EmailMouseMove();
            return true;
        }
        if (watched == WebSite) {
            WebSiteMouseMove();
            return true;
        }
        // Only the panel's free area counts, not the items lying on it.
        const auto *move = static_cast<QMouseEvent *>(event);
        if (watched == Panel1 && !Panel1->childAt(move->position().toPoint()))
            Panel1MouseMove();
    } else if (event->type() == QEvent::MouseButtonRelease &&
               (watched == Email || watched == WebSite)) {
        const auto *release = static_cast<QMouseEvent *>(event);
        auto *label = static_cast<QWidget *>(watched);
        if (release->button() == Qt::LeftButton &&
            label->rect().contains(release->position().toPoint())) {
            if (watched == Email)
                EmailClick();
            else
                WebSiteClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAbout::showEvent(QShowEvent *event) {
    if (!m_centred) {
        m_centred = true;
        if (const QScreen *screen = this->screen())
            move(screen->geometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}
