// Agreement with other programs: RTF that LibreOffice writes, and RTF as word
// processors write it (lists built from the list table, notes, text boxes),
// we read with the text that LibreOffice reads in it; what we write, LibreOffice and
// unrtf read with our text. Runs when both programs are installed.

#include "RtfPeerFixtures.h"
#include "RtfTestSupport.h"

#include "platform/rtf/RtfFormat.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

using namespace platform;

namespace {

const char kTextFilter[] = "txt:Text (encoded):UTF8,LF,,,";
const char kHtmlFilter[] = "html:XHTML Writer File:UTF8";
const char kRtfFilter[] = "rtf:Rich Text Format";

// How LibreOffice shows what it read: its plain text leaves out notes and the
// text of text boxes; its XHTML keeps them (notes at the end, boxes where they
// stand) but runs list labels into the text and drops tabs, so there only the
// characters other than white space are compared.
enum class View { Text, Html };

QStringList withoutBlanks(QStringList lines) {
    for (QString &line : lines)
        line.removeIf([](QChar c) { return c.isSpace(); });
    lines.removeAll(QString());
    return lines;
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// unrtf leaves out optional hyphens, which are invisible unless a line breaks there.
QString withoutOptionalHyphens(QString text) {
    return text.remove(QChar(0x00AD));
}

QString withSuffix(const QString &path, const QString &dir, const QString &suffix) {
    return dir + '/' + QFileInfo(path).completeBaseName() + '.' + suffix;
}

} // namespace

class TestRtfPeers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void libreOfficeRtfReadsAlike();
    void ourRtfReadsAlikeElsewhere();
    void libreOfficeSeesOurAttributes();

private:
    // Converts the files with LibreOffice into outDir; returns the outputs.
    QStringList convert(const QStringList &inputs, const char *filter, const QString &suffix,
                        const QString &outDir);
    // unrtf's text, white space runs and line ends as one blank: its HTML
    // output opens alignment blocks at the first plain word, so its line
    // structure is not the document's.
    QString unrtfText(const QString &rtfPath);
    QString libreOfficeText(const QString &txtPath);
    struct Source {
        QString rtf;
        View view;
    };
    // Reads each RTF file and compares with LibreOffice's reading of it; then
    // writes it again and checks that LibreOffice and unrtf read our text.
    void checkReadsAlike(const QList<Source> &sources);

    QString m_office;
    QString m_unrtf;
    QTemporaryDir m_dir;
};

void TestRtfPeers::initTestCase() {
    m_office = QStandardPaths::findExecutable("soffice");
    if (m_office.isEmpty())
        m_office = QStandardPaths::findExecutable("libreoffice");
    m_unrtf = QStandardPaths::findExecutable("unrtf");
    if (m_office.isEmpty() || m_unrtf.isEmpty())
        QSKIP("LibreOffice and unrtf are needed (scripts/packages.d/rtf.txt)");
    QVERIFY(m_dir.isValid());
}

QStringList TestRtfPeers::convert(const QStringList &inputs, const char *filter,
                                  const QString &suffix, const QString &outDir) {
    QDir().mkpath(outDir);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SAL_USE_VCLPLUGIN", "svp");
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QStringList args = {"--headless",
                        "--norestore",
                        "--nologo",
                        "--nolockcheck",
                        "-env:UserInstallation=" +
                            QUrl::fromLocalFile(m_dir.filePath("profile")).toString(),
                        "--convert-to",
                        QString::fromLatin1(filter),
                        "--outdir",
                        outDir};
    args += inputs;
    process.start(m_office, args);
    if (!process.waitForFinished(240000))
        process.kill();
    QStringList outputs;
    for (const QString &input : inputs) {
        const QString output = withSuffix(input, outDir, suffix);
        if (!QFileInfo::exists(output))
            qWarning().noquote() << "LibreOffice did not convert" << input << ":"
                                 << process.readAll();
        outputs << output;
    }
    return outputs;
}

QString TestRtfPeers::libreOfficeText(const QString &txtPath) {
    QString text = QString::fromUtf8(readFile(txtPath));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QString TestRtfPeers::unrtfText(const QString &rtfPath) {
    QProcess process;
    process.start(m_unrtf, {"--html", "--nopict", rtfPath});
    if (!process.waitForFinished(60000))
        process.kill();
    QTextDocument html;
    html.setHtml(QString::fromUtf8(process.readAllStandardOutput()));
    return rtftest::comparableLines(html.toPlainText()).join(' ');
}

void TestRtfPeers::checkReadsAlike(const QList<Source> &sources) {
    QStringList textViewed;
    QStringList htmlViewed;
    for (const Source &source : sources)
        (source.view == View::Text ? textViewed : htmlViewed) << source.rtf;
    const QStringList texts = convert(textViewed, kTextFilter, "txt", m_dir.filePath("theirs-txt"));
    const QStringList htmls =
        convert(htmlViewed, kHtmlFilter, "html", m_dir.filePath("theirs-html"));

    const QString oursDir = m_dir.filePath("ours");
    QDir().mkpath(oursDir);
    QStringList ours;
    QList<QStringList> ourLines;
    for (const Source &source : sources) {
        const QByteArray rtf = readFile(source.rtf);
        QVERIFY2(isRtf(rtf), qPrintable(source.rtf));
        const auto document = rtftest::read(rtf);
        const QStringList lines = rtftest::comparableLines(document->toPlainText());
        if (source.view == View::Text) {
            const QString theirs = texts.at(textViewed.indexOf(source.rtf));
            const QStringList expected = rtftest::comparableLines(libreOfficeText(theirs));
            QVERIFY(expected.size() > 5);
            QCOMPARE(lines, expected);
        } else {
            QTextDocument html;
            html.setHtml(QString::fromUtf8(readFile(htmls.at(htmlViewed.indexOf(source.rtf)))));
            const QStringList expected = withoutBlanks(html.toPlainText().split('\n'));
            QVERIFY(expected.size() > 5);
            QCOMPARE(withoutBlanks(lines), expected);
        }

        // written again by us: stable, and still the same text for both peers
        const QByteArray written = RtfWriter().write(*document);
        QCOMPARE(RtfWriter().write(*rtftest::read(written)), written);
        const QString path = oursDir + '/' + QFileInfo(source.rtf).fileName();
        writeFile(path, written);
        ours << path;
        ourLines << lines;
        QCOMPARE(unrtfText(path), withoutOptionalHyphens(lines.join(' ')));
    }
    const QStringList rewritten = convert(ours, kTextFilter, "txt", oursDir + "-txt");
    for (int i = 0; i < rewritten.size(); ++i)
        QCOMPARE(rtftest::comparableLines(libreOfficeText(rewritten.at(i))), ourLines.at(i));
}

void TestRtfPeers::libreOfficeRtfReadsAlike() {
    const QString fixtures = m_dir.filePath("fixtures");
    QDir().mkpath(fixtures);
    writeFile(fixtures + "/html.html", rtftest::kHtmlFixture);
    writeFile(fixtures + "/fodt.fodt", rtftest::kFodtFixture);
    const QStringList rtfs = convert({fixtures + "/html.html", fixtures + "/fodt.fodt"}, kRtfFilter,
                                     "rtf", m_dir.filePath("lo-rtf"));
    // RTF as word processors write it, with lists built from the list table
    // alone, footnotes and text boxes
    writeFile(fixtures + "/lists.rtf", rtftest::kListTableRtf);
    writeFile(fixtures + "/notes.rtf", rtftest::kNotesAndBoxesRtf);
    // the page from HTML has lists, the one from OpenDocument a footnote
    checkReadsAlike({{rtfs.at(0), View::Text},
                     {rtfs.at(1), View::Html},
                     {fixtures + "/lists.rtf", View::Text},
                     {fixtures + "/notes.rtf", View::Html}});
}

void TestRtfPeers::ourRtfReadsAlikeElsewhere() {
    QTextDocument document;
    rtftest::buildSample(document);
    const QString path = m_dir.filePath("sample/sample.rtf");
    QDir().mkpath(m_dir.filePath("sample"));
    writeFile(path, RtfWriter().write(document));
    const QStringList expected = rtftest::comparableLines(document.toPlainText());

    const QStringList texts = convert({path}, kTextFilter, "txt", m_dir.filePath("sample-txt"));
    QCOMPARE(rtftest::comparableLines(libreOfficeText(texts.at(0))), expected);
    QCOMPARE(unrtfText(path), withoutOptionalHyphens(expected.join(' ')));
}

void TestRtfPeers::libreOfficeSeesOurAttributes() {
    // LibreOffice turns our RTF into an OpenDocument file; its styles must
    // carry the attributes we wrote.
    QTextDocument document;
    rtftest::buildSample(document);
    const QString path = m_dir.filePath("attributes/sample.rtf");
    QDir().mkpath(m_dir.filePath("attributes"));
    writeFile(path, RtfWriter().write(document));
    const QStringList out = convert({path}, "fodt", "fodt", m_dir.filePath("attributes-fodt"));
    const QString fodt = QString::fromUtf8(readFile(out.at(0)));
    QVERIFY(!fodt.isEmpty());
    for (const char *needle :
         {"fo:font-weight=\"bold\"", "fo:font-style=\"italic\"",
          "style:text-underline-style=\"solid\"", "style:text-line-through-style=\"solid\"",
          "fo:color=\"#ff0000\"", "Courier New", "MS Sans Serif", "fo:font-size=\"14pt\"",
          "fo:text-align=\"center\""}) {
        QVERIFY2(fodt.contains(QLatin1String(needle)), needle);
    }
}

QTEST_MAIN(TestRtfPeers)
#include "tst_rtfpeers.moc"
