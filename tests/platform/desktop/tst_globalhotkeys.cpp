#include "platform/desktop/GlobalAtom.h"
#include "platform/desktop/GlobalHotKeys.h"

#include <QApplication>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using platform::atomId;
using platform::GlobalHotKeys;

// Without X11 (here: the offscreen platform) nothing can be bound, and that is
// no error: as with a key another program holds, registration just fails.
class TestGlobalHotKeys : public QObject {
    Q_OBJECT

private slots:
    void registrationFailsQuietlyWithoutX11_data();
    void registrationFailsQuietlyWithoutX11();
    void atomsAreStablePerName();
    void emptyNameHasNoAtom();
};

void TestGlobalHotKeys::registrationFailsQuietlyWithoutX11_data() {
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Ctrl+U") << Qt::KeyboardModifiers(Qt::ControlModifier) << Qt::Key_U;
    QTest::newRow("Ctrl+X") << Qt::KeyboardModifiers(Qt::ControlModifier) << Qt::Key_X;
    QTest::newRow("Ctrl+Down") << Qt::KeyboardModifiers(Qt::ControlModifier) << Qt::Key_Down;
    QTest::newRow("Print") << Qt::KeyboardModifiers() << Qt::Key_Print;
}

void TestGlobalHotKeys::registrationFailsQuietlyWithoutX11() {
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(Qt::Key, key);
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));

    GlobalHotKeys keys;
    QSignalSpy spy(&keys, &GlobalHotKeys::hotKey);
    QVERIFY(!GlobalHotKeys::isAvailable());
    QVERIFY(!keys.registerHotKey(atomId(QStringLiteral("Hotkey1")), modifiers, key));
    QTest::qWait(10);
    QVERIFY(spy.isEmpty());
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestGlobalHotKeys::atomsAreStablePerName() {
    const QStringList names{QStringLiteral("Hotkey1"), QStringLiteral("Hotkey2"),
                            QStringLiteral("Hotkey3"), QStringLiteral("Hotkey4")};
    QList<int> first;
    for (const QString &name : names)
        first.append(atomId(name));
    // Asked again, in another order and with names in between: the same values.
    atomId(QStringLiteral("Another"));
    for (qsizetype i = names.size() - 1; i >= 0; --i)
        QCOMPARE(atomId(names[i]), first[i]);
    for (qsizetype i = 0; i < first.size(); ++i) {
        QVERIFY(first[i] != 0);
        for (qsizetype j = i + 1; j < first.size(); ++j)
            QVERIFY(first[i] != first[j]);
    }
    QVERIFY(!first.contains(atomId(QStringLiteral("Another"))));
}

void TestGlobalHotKeys::emptyNameHasNoAtom() {
    QCOMPARE(atomId(QString()), 0);
}

QTEST_MAIN(TestGlobalHotKeys)
#include "tst_globalhotkeys.moc"
