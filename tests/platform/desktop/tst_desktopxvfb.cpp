// Run on a real X display (ctest starts it under xvfb-run): global hot keys pressed
// with xdotool, a second program holding the keys, and the screen capture.
#include "platform/desktop/GlobalAtom.h"
#include "platform/desktop/GlobalHotKeys.h"
#include "platform/desktop/ScreenCapture.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <xcb/xcb.h>

using platform::atomId;
using platform::GlobalHotKeys;

namespace {

struct HotKey {
    const char *atom;
    Qt::KeyboardModifiers modifiers;
    Qt::Key key;
    const char *xdotool;
};

const HotKey kHotKeys[] = {
    {"Hotkey1", Qt::ControlModifier, Qt::Key_U, "ctrl+u"},
    {"Hotkey2", Qt::ControlModifier, Qt::Key_X, "ctrl+x"},
    {"Hotkey3", Qt::ControlModifier, Qt::Key_Down, "ctrl+Down"},
    {"Hotkey4", Qt::NoModifier, Qt::Key_Print, "Print"},
};

const char *const kHoldArgument = "--hold-hot-keys";

// Registers the four keys on a fresh object; "1" for each that was bound.
QString registerAll(GlobalHotKeys &keys) {
    QStringList results;
    for (const HotKey &hotKey : kHotKeys)
        results << QString::number(
            keys.registerHotKey(atomId(QLatin1String(hotKey.atom)), hotKey.modifiers, hotKey.key));
    return results.join(QLatin1Char(' '));
}

// The second program: binds the four keys, says how that went, and holds them
// until its standard input closes.
int holdHotKeys(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    GlobalHotKeys keys;
    std::printf("held %s\n", qPrintable(registerAll(keys)));
    std::fflush(stdout);
    while (std::fgetc(stdin) != EOF) {
    }
    return 0;
}

bool xdotool(const QStringList &arguments) {
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}
bool pressKey(const char *keys) {
    return xdotool({QStringLiteral("key"), QLatin1String(keys)});
}

xcb_connection_t *connection() {
    return qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

// The modifier and lock state the server holds now.
uint16_t serverModifierState() {
    xcb_connection_t *c = connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_query_pointer_reply_t *reply =
        xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr);
    const uint16_t mask = reply ? reply->mask : 0;
    std::free(reply);
    return mask;
}

} // namespace

class TestDesktopXvfb : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void keysHeldByAnotherProgramCannotBeBound();
    void hotKeysArrive_data();
    void hotKeysArrive();
    void focusedFieldNeverSeesTheKey();
    void secondObjectHereCannotBindTheKeys();
    void captureIsTheWholeScreen();

private:
    int idOf(const char *atom) const { return atomId(QLatin1String(atom)); }
    std::unique_ptr<GlobalHotKeys> m_keys;
};

void TestDesktopXvfb::initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty())
            QSKIP("xvfb-run is missing");
        QFAIL("xvfb-run is installed but the test did not run under it: configure again");
    }
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is missing");
    QVERIFY(GlobalHotKeys::isAvailable());
    QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(1024, 768));
}

// The other program holds the keys: each registration here fails, quietly. Once
// that program has ended, the same object binds all four.
void TestDesktopXvfb::keysHeldByAnotherProgramCannotBeBound() {
    QProcess other;
    other.start(QCoreApplication::applicationFilePath(), {QLatin1String(kHoldArgument)});
    QVERIFY(other.waitForStarted());
    QVERIFY(other.waitForReadyRead(20000));
    QCOMPARE(QString::fromUtf8(other.readLine()).trimmed(), QStringLiteral("held 1 1 1 1"));

    m_keys = std::make_unique<GlobalHotKeys>();
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    QCOMPARE(registerAll(*m_keys), QStringLiteral("0 0 0 0"));

    QSignalSpy spy(m_keys.get(), &GlobalHotKeys::hotKey);
    QVERIFY(pressKey("ctrl+u"));
    QTest::qWait(200);
    QVERIFY(spy.isEmpty());

    other.closeWriteChannel();
    QVERIFY(other.waitForFinished(20000));
    QCOMPARE(other.exitCode(), 0);
    QCOMPARE(registerAll(*m_keys), QStringLiteral("1 1 1 1"));
}

void TestDesktopXvfb::hotKeysArrive_data() {
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<QByteArray>("atom");
    QTest::addColumn<QByteArrayList>("locks"); // xdotool names of lock keys turned on first
    QTest::addColumn<uint16_t>("lockMask");    // what the server must then report

    for (const HotKey &hotKey : kHotKeys)
        QTest::newRow(hotKey.xdotool) << QByteArray(hotKey.xdotool) << QByteArray(hotKey.atom)
                                      << QByteArrayList() << uint16_t(0);
    QTest::newRow("ctrl+u, NumLock on") << QByteArray("ctrl+u") << QByteArray("Hotkey1")
                                        << QByteArrayList{"Num_Lock"} << uint16_t(XCB_MOD_MASK_2);
    QTest::newRow("Print, CapsLock on")
        << QByteArray("Print") << QByteArray("Hotkey4") << QByteArrayList{"Caps_Lock"}
        << uint16_t(XCB_MOD_MASK_LOCK);
    QTest::newRow("ctrl+Down, both on")
        << QByteArray("ctrl+Down") << QByteArray("Hotkey3")
        << QByteArrayList{"Num_Lock", "Caps_Lock"} << uint16_t(XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK);
}

// Each press gives one signal with the key's id (the release gives none).
void TestDesktopXvfb::hotKeysArrive() {
    QFETCH(QByteArray, keys);
    QFETCH(QByteArray, atom);
    QFETCH(QByteArrayList, locks);
    QFETCH(uint16_t, lockMask);
    QVERIFY(m_keys);

    for (const QByteArray &lock : locks)
        QVERIFY(pressKey(lock.constData()));
    auto unlock = qScopeGuard([&] {
        for (const QByteArray &lock : locks)
            pressKey(lock.constData());
    });
    QCOMPARE(serverModifierState() & (XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK), lockMask);

    QSignalSpy spy(m_keys.get(), &GlobalHotKeys::hotKey);
    QVERIFY(pressKey(keys.constData()));
    QVERIFY(spy.wait(5000));
    QTest::qWait(100);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), idOf(atom.constData()));
}

// A field of this program that has the focus gets neither the cut nor the key:
// the combination belongs to the hot key. An ordinary key still reaches it.
void TestDesktopXvfb::focusedFieldNeverSeesTheKey() {
    QVERIFY(m_keys);
    QLineEdit field;
    field.setGeometry(40, 40, 200, 30);
    field.show();
    field.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&field));
    QVERIFY(pressKey("a"));
    QTRY_COMPARE(field.text(), QStringLiteral("a"));
    field.selectAll();

    QSignalSpy spy(m_keys.get(), &GlobalHotKeys::hotKey);
    QVERIFY(pressKey("ctrl+x"));
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.at(0).at(0).toInt(), idOf("Hotkey2"));
    QTest::qWait(100);
    QCOMPARE(field.text(), QStringLiteral("a"));
}

// As for another program, the keys this program has bound cannot be bound again
// by another object; the first one keeps receiving them.
void TestDesktopXvfb::secondObjectHereCannotBindTheKeys() {
    QVERIFY(m_keys);
    QSignalSpy first(m_keys.get(), &GlobalHotKeys::hotKey);
    {
        GlobalHotKeys second;
        QSignalSpy spy(&second, &GlobalHotKeys::hotKey);
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        QCOMPARE(registerAll(second), QStringLiteral("0 0 0 0"));
        QVERIFY(pressKey("ctrl+u"));
        QVERIFY(first.wait(5000));
        QVERIFY(spy.isEmpty());
    }
    // The failed object's end released nothing of the first one's.
    QVERIFY(pressKey("Print"));
    QVERIFY(first.wait(5000));
    QCOMPARE(first.size(), 2);
    QCOMPARE(first.at(1).at(0).toInt(), idOf("Hotkey4"));
}

// The capture has the screen's size and shows what is on it: two windows of
// known colours at known places (bare Xvfb has no window manager to move them).
void TestDesktopXvfb::captureIsTheWholeScreen() {
    struct Patch {
        QRect geometry;
        QColor colour;
    };
    const Patch patches[] = {{QRect(100, 120, 300, 200), QColor(200, 30, 160)},
                             {QRect(700, 500, 324, 268), QColor(40, 190, 90)}};
    std::vector<std::unique_ptr<QWidget>> windows;
    for (const Patch &patch : patches) {
        auto window = std::make_unique<QWidget>();
        window->setWindowFlag(Qt::FramelessWindowHint);
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, patch.colour);
        window->setPalette(palette);
        window->setAutoFillBackground(true);
        window->setGeometry(patch.geometry);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        windows.push_back(std::move(window));
    }
    QTest::qWait(200);

    const QImage screen = platform::captureScreen();
    QCOMPARE(screen.size(), QSize(1024, 768));
    for (const Patch &patch : patches) {
        const QRect r = patch.geometry;
        for (const QPoint p :
             {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight(), r.center()})
            QCOMPARE(screen.pixelColor(p), patch.colour);
    }
    // Just outside the first window, the screen is not its colour.
    QVERIFY(screen.pixelColor(99, 119) != patches[0].colour);
    QVERIFY(screen.pixelColor(400, 320) != patches[0].colour);
}

int main(int argc, char **argv) {
    if (argc > 1 && qstrcmp(argv[1], kHoldArgument) == 0)
        return holdHotKeys(argc, argv);
    QApplication app(argc, argv);
    TestDesktopXvfb test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktopxvfb.moc"
