#include "about/BevelPanel.h"
#include "about/TAbout.h"
#include "tests/support/ModalAnswerer.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

QLabel *labelWithText(const QWidget *parent, const QString &text) {
    for (QLabel *label : parent->findChildren<QLabel *>()) {
        if (label->text() == text)
            return label;
    }
    return nullptr;
}

QColor textColour(const QWidget *widget) {
    return widget->palette().color(QPalette::WindowText);
}

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);

} // namespace

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void layout_data();
    void layout();
    void boxLook();
    void systemText_data();
    void systemText();
    void unreadableOsReleaseUsesKernel();
    void userName_data();
    void userName();
    void linksOpenThroughTheOpener();
    void failedLinkIsIgnored();
    void hoverColours();
    void freshBoxStartsBlue();
    void okAndEnterClose();
    void execRunsModally();

private:
    void writeOsRelease(const QByteArray &content);

    QTemporaryDir m_dir;
    QString m_osRelease;
    QList<QUrl> m_opened;
};

void TestAbout::initTestCase() {
    m_osRelease = m_dir.filePath(QStringLiteral("os-release"));
}

void TestAbout::init() {
    writeOsRelease("NAME=\"Test OS\"\nVERSION=\"7.1 (Tester)\"\n");
    TAbout::setOsReleasePath(m_osRelease);
    TAbout::setUserNameSource([] { return std::optional<QString>(QStringLiteral("alice")); });
    m_opened.clear();
    TAbout::setUrlOpener([this](const QUrl &url) {
        m_opened << url;
        return true;
    });
}

void TestAbout::cleanup() {
    TAbout::setOsReleasePath(QString());
    TAbout::setUserNameSource({});
    TAbout::setUrlOpener({});
}

void TestAbout::writeOsRelease(const QByteArray &content) {
    QFile file(m_osRelease);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

void TestAbout::layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("geometry"); // an empty size: only the position is fixed
    QTest::newRow("Panel1") << "Panel1" << QString() << QRect(0, 0, 366, 204);
    QTest::newRow("title") << QString() << "Hearthledger" << QRect(16, 16, 158, 38);
    QTest::newRow("version") << QString() << "Version 1.7" << QRect(24, 50, 53, 13);
    QTest::newRow("AboutImage") << "AboutImage" << QString() << QRect(232, 24, 105, 105);
    QTest::newRow("user caption") << QString() << "User:" << QRect(24, 75, 0, 0);
    QTest::newRow("txtUser") << "txtUser" << QString() << QRect(56, 75, 0, 0);
    QTest::newRow("system caption") << QString() << "OS:" << QRect(24, 92, 0, 0);
    QTest::newRow("lbVersion") << "lbVersion" << QString() << QRect(45, 92, 0, 0);
    QTest::newRow("Email") << "Email" << QString() << QRect(24, 150, 0, 0);
    QTest::newRow("WebSite") << "WebSite" << QString() << QRect(24, 168, 0, 0);
    QTest::newRow("AboutOK") << "AboutOK" << QString() << QRect(280, 152, 59, 25);
}

void TestAbout::layout() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QRect, geometry);
    TAbout box;
    QWidget *widget = name.isEmpty() ? labelWithText(&box, text) : box.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->pos(), geometry.topLeft());
    if (!geometry.size().isEmpty())
        QCOMPARE(widget->size(), geometry.size());
    if (auto *label = qobject_cast<QLabel *>(widget); label && geometry.size().isEmpty())
        QVERIFY(label->width() >= label->sizeHint().width());
}

void TestAbout::boxLook() {
    TAbout box;
    QCOMPARE(box.objectName(), QStringLiteral("About"));
    QVERIFY(box.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(box.size(), QSize(366, 204));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QCOMPARE(box.Panel1->palette().color(QPalette::Window), QColor(0xA6, 0xCA, 0xF0));

    QLabel *title = labelWithText(&box, QStringLiteral("Hearthledger"));
    QCOMPARE(title->font().families().value(0), QStringLiteral("Mistral"));
    // 24 points (32 pixels), or smaller where the stand-in face would not fit.
    QVERIFY(title->font().pixelSize() <= 32 && title->font().pixelSize() >= 21);
    QVERIFY(title->font().pixelSize() == 21 ||
            QFontMetrics(title->font()).horizontalAdvance(title->text()) <= 158);
    QVERIFY(title->font().bold());
    QCOMPARE(textColour(title), QColor(0x80, 0x00, 0x80));
    // Drawn whole: no purple at the label's edges, where a cut letter would end.
    box.show();
    const QImage drawn = title->grab().toImage();
    QCOMPARE(drawn.size(), QSize(158, 38));
    int inked = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (drawn.pixelColor(x, y).green() > 150)
                continue;
            ++inked;
            QVERIFY2(x > 0 && y > 0 && x < drawn.width() - 1 && y < drawn.height() - 1,
                     qPrintable(QStringLiteral("ink at %1, %2").arg(x).arg(y)));
        }
    }
    QVERIFY(inked > 200);
    QCOMPARE(box.font().pixelSize(), 11);
    QCOMPARE(textColour(labelWithText(&box, QStringLiteral("User:"))), QColor(Qt::black));
    QVERIFY(box.txtUser->font().bold());
    QVERIFY(box.lbVersion->font().bold());
    QCOMPARE(box.lbVersion->font().pixelSize(), 8);

    QCOMPARE(box.Email->text(), QString::fromLatin1(TAbout::kEmailAddress));
    QCOMPARE(box.WebSite->text(), QString::fromLatin1(TAbout::kWebSite));
    for (QLabel *link : {box.Email, box.WebSite}) {
        QCOMPARE(textColour(link), kBlue);
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    }
    QCOMPARE(box.AboutOK->text(), QStringLiteral("OK"));
    QVERIFY(!box.AboutOK->icon().isNull());
    QVERIFY(box.AboutOK->isDefault());

    QPixmap emblem(100, 100);
    emblem.fill(Qt::darkGreen);
    TAbout withEmblem(nullptr, emblem);
    QCOMPARE(withEmblem.AboutImage->pixmap().size(), QSize(100, 100));
    QVERIFY(box.AboutImage->pixmap().isNull());
    box.setEmblem(emblem);
    QCOMPARE(box.AboutImage->pixmap().toImage(), emblem.toImage());
}

void TestAbout::systemText_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("text");
    QTest::newRow("readable") << QByteArray(
                                     "NAME=\"Debian GNU/Linux\"\nVERSION=\"12 (bookworm)\"\n")
                              << "Debian GNU/Linux (version 12 (bookworm))";
    QTest::newRow("no version") << QByteArray("NAME=Rolling\n") << "Rolling (version )";
    QTest::newRow("nothing readable") << QByteArray("ID=x\n") << " (version )";
}

void TestAbout::systemText() {
    QFETCH(QByteArray, content);
    QFETCH(QString, text);
    writeOsRelease(content);
    TAbout box;
    QCOMPARE(box.GetWindowsVersion(), text);
    QCOMPARE(box.lbVersion->text(), text);
}

void TestAbout::unreadableOsReleaseUsesKernel() {
    QFile::remove(m_osRelease);
    TAbout box;
    const QString text = box.lbVersion->text();
    QVERIFY2(text.startsWith(QSysInfo::kernelType(), Qt::CaseInsensitive), qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral(" (version ") + QSysInfo::kernelVersion() + ')'),
             qPrintable(text));
}

void TestAbout::userName_data() {
    QTest::addColumn<bool>("known");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("known") << true << "alice"
                           << "alice";
    QTest::newRow("unavailable") << false << ""
                                 << "Unknown";
    QTest::newRow("empty") << true << ""
                           << "Unknown";
}

void TestAbout::userName() {
    QFETCH(bool, known);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    TAbout::setUserNameSource([=] { return known ? std::optional<QString>(name) : std::nullopt; });
    TAbout box;
    QCOMPARE(box.txtUser->text(), shown);
}

void TestAbout::linksOpenThroughTheOpener() {
    TAbout box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.Email, Qt::LeftButton);
    QTest::mouseClick(box.WebSite, Qt::LeftButton);
    QTest::mouseClick(box.AboutImage, Qt::LeftButton);
    QCOMPARE(m_opened, QList<QUrl>({QUrl(QStringLiteral("mailto:hearthledger@example.org")),
                                    QUrl(QStringLiteral("https://hearthledger.example.org/"))}));
    QCOMPARE(m_opened[0].scheme(), QStringLiteral("mailto"));
    QCOMPARE(m_opened[0].path(), box.Email->text());
    QVERIFY(box.isVisible());
}

void TestAbout::failedLinkIsIgnored() {
    int calls = 0;
    TAbout::setUrlOpener([&](const QUrl &) {
        ++calls;
        return false;
    });
    ModalAnswerer answerer;
    TAbout box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.WebSite, Qt::LeftButton);
    QTest::qWait(30);
    QCOMPARE(calls, 1);
    QVERIFY(answerer.boxes().isEmpty());
    QVERIFY(box.isVisible());
}

void TestAbout::hoverColours() {
    TAbout box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QPoint freeArea(200, 140);
    QVERIFY(!box.Panel1->childAt(freeArea));
    QLabel *title = labelWithText(&box, QStringLiteral("Hearthledger"));

    QTest::mouseMove(box.Email, QPoint(5, 5));
    QCOMPARE(textColour(box.Email), kWhite);
    QCOMPARE(textColour(box.WebSite), kBlue);

    QTest::mouseMove(box.Panel1, freeArea);
    QCOMPARE(textColour(box.Email), kRed);
    QCOMPARE(textColour(box.WebSite), kRed);

    QTest::mouseMove(box.WebSite, QPoint(5, 5));
    QCOMPARE(textColour(box.WebSite), kWhite);
    QCOMPARE(textColour(box.Email), kRed);

    // Other items change nothing, though the panel lies beneath them.
    QTest::mouseMove(title, QPoint(20, 10));
    QTest::mouseMove(box.AboutImage, QPoint(50, 50));
    QCOMPARE(textColour(box.WebSite), kWhite);
    QCOMPARE(textColour(box.Email), kRed);
}

void TestAbout::freshBoxStartsBlue() {
    {
        TAbout first;
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        QTest::mouseMove(first.Panel1, QPoint(200, 140));
        QCOMPARE(textColour(first.Email), kRed);
    }
    TAbout second;
    QCOMPARE(textColour(second.Email), kBlue);
    QCOMPARE(textColour(second.WebSite), kBlue);
}

void TestAbout::okAndEnterClose() {
    TAbout box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.AboutOK, Qt::LeftButton);
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), int(QDialog::Accepted));

    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::keyClick(&box, Qt::Key_Return);
    QVERIFY(!box.isVisible());
}

void TestAbout::execRunsModally() {
    QWidget owner;
    owner.show();
    auto *box = new TAbout(&owner);
    bool wasModal = false;
    QPoint centre;
    QTimer::singleShot(50, box, [&] {
        wasModal = QApplication::activeModalWidget() == box;
        centre = box->geometry().center();
        box->AboutOK->click();
    });
    box->exec();
    QVERIFY(wasModal);
    QVERIFY(!box->isVisible());
    QVERIFY((centre - box->screen()->geometry().center()).manhattanLength() <= 2);
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
