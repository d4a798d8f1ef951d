#include "platform/sysinfo/SystemInfo.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/utsname.h>

class TestSystemInfo : public QObject {
    Q_OBJECT
private slots:
    void osRelease_data();
    void osRelease();
    void unreadableOsReleaseFallsBackToKernel();
    void userNameIsTheAccountsLoginName();

private:
    QTemporaryDir m_dir;
};

void TestSystemInfo::osRelease_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("version");
    QTest::newRow("quoted") << QByteArray("PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
                                          "NAME=\"Debian GNU/Linux\"\nVERSION_ID=\"12\"\n"
                                          "VERSION=\"12 (bookworm)\"\nID=debian\n")
                            << "Debian GNU/Linux"
                            << "12 (bookworm)";
    QTest::newRow("bare and single quotes")
        << QByteArray("NAME=Fedora\nVERSION='39 (Workstation)'\n") << "Fedora"
        << "39 (Workstation)";
    QTest::newRow("escapes, comments, blanks")
        << QByteArray("# a comment\n\n  NAME=\"Say \\\"hi\\\" \\\\ \\$x\"  \nVERSION=\"1\"\n")
        << "Say \"hi\" \\ $x"
        << "1";
    QTest::newRow("version id only")
        << QByteArray("NAME=\"Arch Linux\"\nVERSION_ID=2024.01\n") << "Arch Linux"
        << "2024.01";
    QTest::newRow("no version") << QByteArray("NAME=\"Rolling\"\n") << "Rolling"
                                << "";
    QTest::newRow("empty file") << QByteArray() << ""
                                << "";
    QTest::newRow("UTF-8") << QByteArray("NAME=\"Syst\xc3\xa8me\"\r\nVERSION=\"2\"\r\n")
                           << QString::fromUtf8("Syst\xc3\xa8me") << "2";
}

void TestSystemInfo::osRelease() {
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QFETCH(QString, version);
    const QString path = m_dir.filePath(QStringLiteral("os-release"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    const sysinfo::OsVersion os = sysinfo::operatingSystem(path);
    QCOMPARE(os.productName, name);
    QCOMPARE(os.version, version);
}

void TestSystemInfo::unreadableOsReleaseFallsBackToKernel() {
    utsname names{};
    QCOMPARE(::uname(&names), 0);
    const QString missing = m_dir.filePath(QStringLiteral("missing"));
    QVERIFY(!sysinfo::readOsRelease(missing));
    const sysinfo::OsVersion os = sysinfo::operatingSystem(missing);
    QCOMPARE(os.productName, QString::fromLocal8Bit(names.sysname));
    QCOMPARE(os.version, QString::fromLocal8Bit(names.release));
    QVERIFY(!os.productName.isEmpty());
}

void TestSystemInfo::userNameIsTheAccountsLoginName() {
    QProcess id;
    id.start(QStringLiteral("id"), {QStringLiteral("-un")});
    if (!id.waitForFinished(5000) || id.exitCode() != 0)
        QSKIP("id is not available");
    const QString expected = QString::fromLocal8Bit(id.readAllStandardOutput()).trimmed();
    QCOMPARE(sysinfo::userName().value_or(QString()), expected);
}

QTEST_GUILESS_MAIN(TestSystemInfo)
#include "tst_systeminfo.moc"
