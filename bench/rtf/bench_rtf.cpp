// Reading and writing a 1 MB diary page of mixed formatting, beside
// LibreOffice's headless conversion and unrtf's parse of the same file, and
// the time and memory that hostile inputs cost.
//
// Usage: bench_rtf [runs]            all figures, as Markdown
//        bench_rtf --page <file>     writes the generated page
//        bench_rtf --memory <file>   (internal) one read and write, peak memory

#include "platform/rtf/RtfFormat.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace platform;

namespace {

// Kilobytes of a line of /proc/self/status ("VmRSS", "VmHWM").
long statusKb(const char *key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key)) + 1).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Resets the peak resident size to the current one.
void resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Timing {
    double wall;
    double cpu;
};

Timing median(int runs, const std::function<void()> &work) {
    QList<double> walls;
    QList<double> cpus;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        const double cpu = threadCpuMs();
        timer.start();
        work();
        walls << timer.nsecsElapsed() / 1e6;
        cpus << threadCpuMs() - cpu;
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls.at(walls.size() / 2), cpus.at(cpus.size() / 2)};
}

// A diary page of about the given size: paragraphs of words in changing
// faces, sizes, styles and colours, some in other scripts and code pages.
// The formats come from a palette of the given size (0: every change a new
// random format).
QByteArray makeDiaryPage(qsizetype targetBytes, int paletteSize = 24) {
    QRandomGenerator random(20240501);
    static const QStringList words = {
        "the",     "garden",   "was",    "quiet",   "after",      "rain",   "and",    "we",
        "planted", "tulips",   "beside", "old",     "fence",      "Café",   "crème",  "naïve",
        "façade",  "“quoted”", "—",      "€12",     "Привет",     "Ελλάδα", "日本語", "中文",
        "한국어",  "สวัสดี",     "😀",      "{brace}", "back\\slash"};
    static const QStringList faces = {"MS Sans Serif", "Arial", "Times New Roman", "Courier New",
                                      "Tahoma"};
    static const QList<QColor> colours = {Qt::black, Qt::red, Qt::blue, QColor(0, 128, 0),
                                          QColor(128, 0, 128)};
    const auto randomFormat = [&] {
        QTextCharFormat format;
        format.setFontFamilies({faces.at(random.bounded(int(faces.size())))});
        format.setFontPointSize(8 + random.bounded(8) * 1.5);
        format.setFontWeight(random.bounded(4) == 0 ? QFont::Bold : QFont::Normal);
        format.setFontItalic(random.bounded(5) == 0);
        format.setFontUnderline(random.bounded(8) == 0);
        format.setForeground(colours.at(random.bounded(int(colours.size()))));
        if (random.bounded(10) == 0)
            format.setProperty(CharSetProperty, 204);
        return format;
    };
    QList<QTextCharFormat> palette;
    for (int i = 0; i < paletteSize; ++i)
        palette << randomFormat();
    QTextDocument document;
    QTextCursor cursor(&document);
    QByteArray rtf;
    int paragraph = 0;
    while (true) {
        QTextBlockFormat block;
        block.setAlignment(paragraph % 7 == 3 ? Qt::AlignHCenter : Qt::AlignLeft);
        if (paragraph % 5 == 1)
            block.setLeftMargin(48);
        if (paragraph % 9 == 2)
            block.setTabPositions({QTextOption::Tab(96, QTextOption::LeftTab)});
        if (paragraph > 0)
            cursor.insertBlock(block);
        else
            cursor.setBlockFormat(block);
        const int wordCount = 40 + int(random.bounded(80));
        QTextCharFormat format;
        for (int w = 0; w < wordCount; ++w) {
            if (random.bounded(6) == 0) {
                format = palette.isEmpty() ? randomFormat()
                                           : palette.at(random.bounded(int(palette.size())));
            }
            QString word = words.at(random.bounded(int(words.size())));
            const int separator = int(random.bounded(30));
            word += separator == 0   ? QStringLiteral("\t")
                    : separator == 1 ? QStringLiteral("\u2028")
                                     : QStringLiteral(" ");
            cursor.insertText(word, format);
        }
        ++paragraph;
        if (paragraph % 50 == 0) {
            rtf = RtfWriter().write(document);
            if (rtf.size() >= targetBytes)
                return rtf;
        }
    }
}

struct Hostile {
    const char *name;
    QByteArray bytes;
};

QList<Hostile> hostileInputs() {
    const auto rtf = [](const QByteArray &body) { return QByteArray("{\\rtf1 " + body + "}"); };
    QList<Hostile> inputs;
    inputs.append({"200 000 nested groups, never closed", "{\\rtf1 " + QByteArray(200000, '{')});
    inputs.append({"250 000 paragraphs (\\par)", rtf(QByteArray("\\par").repeated(250000))});
    // every paragraph a list item whose label is as long as a label gets
    const QByteArray lists = "{\\*\\listtable{\\list{\\listlevel\\levelnfc3\\levelstartat780"
                             "{\\leveltext\\'40" +
                             QByteArray("\\'00").repeated(64) +
                             ";}}\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}"
                             "\\ls1 ";
    inputs.append({"250 000 list items of 64-character labels (\\par)",
                   rtf(lists + QByteArray("\\par").repeated(250000))});
    inputs.append(
        {"100 000 notes (\\footnote)", rtf(QByteArray("a{\\footnote b}").repeated(100000))});
    inputs.append({"100 000 formatting changes in one paragraph",
                   rtf(QByteArray("\\b a\\b0 b").repeated(100000))});
    QByteArray fonts = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 100000; ++i)
        fonts += "{\\f" + QByteArray::number(i) + " F" + QByteArray::number(i) + ";}";
    inputs.append({"100 000 fonts in the font table", fonts + "}\\f99999 x}"});
    inputs.append({"\\bin2147483647 on 1 MB", rtf("\\bin2147483647 " + QByteArray(1000000, 'x'))});
    inputs.append({"1 MB control word", rtf("\\" + QByteArray(1000000, 'a'))});
    QRandomGenerator random(7);
    QByteArray noise(1000000, Qt::Uninitialized);
    const QByteArray alphabet("{\\\\\\'ubinparfs0123456789abcdef-* ");
    for (char &c : noise)
        c = alphabet.at(int(random.bounded(int(alphabet.size()))));
    inputs.append({"1 MB of random RTF syntax", "{\\rtf1 " + noise});
    return inputs;
}

int memoryChild(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray rtf = file.readAll();
    // warm up fonts and converters on a small page, so that the figures are
    // the document's and not the libraries' first use
    {
        QTextDocument warm;
        RtfReader().read(QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset204 A;}}\\f0 \\'e0}"), &warm);
        (void)RtfWriter().write(warm);
    }
    resetPeak();
    const long rssBefore = statusKb("VmRSS:");
    const size_t heapBefore = heapInUse();
    QTextDocument document;
    RtfReader().read(rtf, &document);
    const size_t heapDocument = heapInUse() - heapBefore;
    const QByteArray written = RtfWriter().write(document);
    const long peak = statusKb("VmHWM:");
    std::printf("%ld %zu %lld\n", peak - rssBefore, heapDocument,
                static_cast<long long>(written.size()));
    return 0;
}

// "peak +X MB (Y x), document Z MB" for one read and write in a fresh process.
QString runMemoryChild(const QString &path, qsizetype inputSize) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--memory", path});
    child.waitForFinished(600000);
    const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
    if (parts.size() != 3)
        return QStringLiteral("?");
    const double peakMb = parts.at(0).toDouble() / 1024;
    return QString("+%1 MB (%2 x), document %3 MB")
        .arg(peakMb, 0, 'f', 1)
        .arg(peakMb * 1048576 / double(inputSize), 0, 'f', 1)
        .arg(parts.at(1).toDouble() / 1048576, 0, 'f', 1);
}

double timeProcess(const QString &program, const QStringList &args) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, args);
    process.waitForFinished(600000);
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == "--memory")
        return memoryChild(args.at(2));
    if (args.size() == 3 && args.at(1) == "--page") {
        QFile file(args.at(2));
        return file.open(QIODevice::WriteOnly) && file.write(makeDiaryPage(1 << 20)) > 0 ? 0 : 1;
    }
    const int runs = args.size() > 1 ? qMax(1, args.at(1).toInt()) : 11;

    QTemporaryDir dir;
    std::printf("## RTF reader and writer\n\nMedians of %d runs; CPU is the thread's own time, "
                "wall includes waiting for a shared CPU.\n\n",
                runs);
    std::printf("| page | size | paragraphs, runs | read | write | read + write | "
                "settles | peak memory of read + write |\n|---|---|---|---|---|---|---|---|\n");
    QString path;
    for (const int paletteSize : {24, 0}) {
        const QByteArray page = makeDiaryPage(1 << 20, paletteSize);
        path = dir.filePath(QString("diary-%1.rtf").arg(paletteSize));
        {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(page);
        }
        QTextDocument probe;
        RtfReader().read(page, &probe);
        int fragments = 0;
        for (QTextBlock b = probe.begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                ++fragments;
        const Timing read = median(runs, [&] {
            QTextDocument document;
            RtfReader().read(page, &document);
        });
        QByteArray written;
        const Timing write = median(runs, [&] { written = RtfWriter().write(probe); });
        const Timing both = median(runs, [&] {
            QTextDocument document;
            RtfReader().read(page, &document);
            written = RtfWriter().write(document);
        });
        std::printf("| %s | %.2f MB | %d, %d | %.1f ms (CPU %.1f) | %.1f ms (CPU %.1f) | "
                    "%.1f ms (CPU %.1f) | %s | %s |\n",
                    paletteSize ? "diary page, 24 formats" : "every run a new format",
                    page.size() / 1048576.0, probe.blockCount(), fragments, read.wall, read.cpu,
                    write.wall, write.cpu, both.wall, both.cpu, written == page ? "yes" : "NO",
                    qPrintable(runMemoryChild(path, page.size())));
    }

    path = dir.filePath("diary-24.rtf");
    const QString unrtf = QStandardPaths::findExecutable("unrtf");
    const QString office = QStandardPaths::findExecutable("soffice");
    std::printf("\n| reference on the 24-format page | wall time |\n|---|---|\n");
    if (!unrtf.isEmpty()) {
        const Timing t = median(qMin(runs, 5), [&] { timeProcess(unrtf, {"--text", path}); });
        std::printf("| unrtf --text (whole process) | %.0f ms |\n", t.wall);
    }
    if (!office.isEmpty()) {
        const QString profile = QUrl::fromLocalFile(dir.filePath("profile")).toString();
        const QStringList convert = {"--headless",
                                     "--norestore",
                                     "-env:UserInstallation=" + profile,
                                     "--convert-to",
                                     "txt:Text (encoded):UTF8,LF,,,",
                                     "--outdir",
                                     dir.filePath("out"),
                                     path};
        timeProcess(office, convert); // creates the profile
        const Timing t = median(3, [&] { timeProcess(office, convert); });
        std::printf("| LibreOffice headless RTF to text (whole process) | %.0f ms |\n", t.wall);
    }

    std::printf("\n| hostile input | size | read | paragraphs | peak memory of read + write |\n"
                "|---|---|---|---|---|\n");
    for (const Hostile &input : hostileInputs()) {
        const QString hostilePath = dir.filePath("hostile.rtf");
        QFile file(hostilePath);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(input.bytes);
        file.close();
        int blocks = 0;
        const Timing t = median(3, [&] {
            QTextDocument document;
            RtfReader().read(input.bytes, &document);
            blocks = document.blockCount();
        });
        std::printf("| %s | %.2f MB | %.0f ms (CPU %.0f) | %d | %s |\n", input.name,
                    input.bytes.size() / 1048576.0, t.wall, t.cpu, blocks,
                    qPrintable(runMemoryChild(hostilePath, input.bytes.size())));
    }
    return 0;
}
