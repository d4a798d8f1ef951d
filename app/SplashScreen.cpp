#include "app/SplashScreen.h"

#include "BuildInfo.h"
#include "widgets/Emblem.h"
#include "widgets/TitleLabel.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace app {

namespace {
const QColor kSkyBlue(166, 202, 240);
const QColor kWindowGrey(160, 160, 164);

void drawBevel(QPainter &p, QRect r, int width, bool raised) {
    const QColor light = Qt::white;
    const QColor dark(128, 128, 128);
    for (int i = 0; i < width; ++i) {
        p.setPen(raised ? light : dark);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(raised ? dark : light);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    }
}
} // namespace

TSplashScreen::TSplashScreen(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashScreen"));
    setFixedSize(337, 223);
    setFont(widgets::windowFont());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kWindowGrey);
    setPalette(palette);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    auto *title = new widgets::TitleLabel(QStringLiteral("Hearthledger"), this);
    title->setObjectName(QStringLiteral("StaticText1"));
    title->move(16, 16);
    QFont titleFont;
    titleFont.setFamilies({QStringLiteral("Mistral"), QStringLiteral("Kaushan Script"),
                           QStringLiteral("DejaVu Serif")});
    titleFont.setPixelSize(27);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setFixedTitleSize(QSize(145, 37));
    title->setEnabled(false);
    StaticText1 = title;

    StaticText2 = new QLabel(QStringLiteral("Version ") + QLatin1String(buildinfo::version), this);
    StaticText2->setObjectName(QStringLiteral("StaticText2"));
    StaticText2->setGeometry(16, 48, 57, 17);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(208, 16, 105, 105);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(widgets::emblem());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(3000);
    connect(Timer1, &QTimer::timeout, this, &TSplashScreen::Timer1Timer);
    Timer1->start();
}

bool TSplashScreen::FormCloseQuery() const {
    return !Timer1->isActive();
}

void TSplashScreen::waitUntilMayClose() {
    QEventLoop wait;
    connect(Timer1, &QTimer::timeout, &wait, &QEventLoop::quit);
    while (!FormCloseQuery())
        wait.exec();
}

void TSplashScreen::Timer1Timer() {
    Timer1->stop();
}

void TSplashScreen::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), kSkyBlue);
    QRect r = rect();
    p.setPen(Qt::black);
    p.drawRect(r.adjusted(0, 0, -1, -1)); // single border line
    r.adjust(1, 1, -1, -1);
    drawBevel(p, r, 3, true);
    r.adjust(4, 4, -4, -4); // 3 pixels of bevel, 1 pixel apart
    drawBevel(p, r, 3, false);
}

} // namespace app
