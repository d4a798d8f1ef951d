// Lays out and writes a Household Items list report and measures it; with
// --libreoffice also converts the same table with LibreOffice Writer.
#include "HouseholdRows.h"

#include "platform/reportengine/PageView.h"
#include "platform/reportengine/ReportEngine.h"
#include "platform/reportengine/ReportOutput.h"
#include "platform/reportengine/ReportPreview.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {

qint64 peakMemoryKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(status.readAll());
    const auto match = QRegularExpression(QStringLiteral("VmHWM:\\s+(\\d+)")).match(text);
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

// Processor seconds (user and system) of this process, or of its waited-for children.
double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Processor seconds used so far by the live processes of a process group.
double groupCpuSeconds(pid_t group) {
    double seconds = 0;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QString line = QString::fromLatin1(stat.readAll());
        // Fields after the command name, which is in parentheses.
        const QStringList fields =
            line.mid(line.lastIndexOf(QLatin1Char(')')) + 2).split(QLatin1Char(' '));
        if (fields.size() > 12 && fields[2].toInt() == group)
            seconds += (fields[11].toDouble() + fields[12].toDouble()) / sysconf(_SC_CLK_TCK);
    }
    return seconds;
}

int pdfPages(const QString &pdf) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    if (!info.waitForFinished(60000))
        return -1;
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(QString::fromUtf8(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

struct PreviewTiming {
    double firstPageMs = 0;
    double longestStallMs = 0; // longest wait of a 10 ms timer while laying out
    int pages = 0;
    double layoutMs = 0;
};

// Opens the preview over a fresh engine and times the first page on screen;
// then keeps the window open until the layout is done, watching the event loop.
PreviewTiming timePreview(const reportengine::ReportDefinition &definition,
                          const reportengine::ReportSource &source) {
    PreviewTiming timing;
    QElapsedTimer clock;
    clock.start();
    reportengine::ReportEngine engine(definition, source);
    reportengine::ReportPreview preview(engine);
    preview.show();
    while (preview.pageView()->image().isNull())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    timing.firstPageMs = clock.nsecsElapsed() / 1e6;

    QElapsedTimer tick;
    tick.start();
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        timing.longestStallMs = qMax(timing.longestStallMs, tick.nsecsElapsed() / 1e6 - 10);
        tick.restart();
    });
    watch.start();
    QEventLoop loop;
    QObject::connect(&engine, &reportengine::ReportPages::layoutFinished, &loop, &QEventLoop::quit);
    if (!engine.isComplete())
        loop.exec();
    timing.layoutMs = clock.nsecsElapsed() / 1e6;
    timing.pages = engine.pageCount();
    preview.close();
    return timing;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Report engine benchmark"));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("rows"), QStringLiteral("Rows in the table."),
                      QStringLiteral("n"), QStringLiteral("100000")});
    parser.addOption(
        {QStringLiteral("pdf"), QStringLiteral("Where to write our PDF."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("libreoffice"),
                      QStringLiteral("Also convert the same table with LibreOffice Writer.")});
    parser.addOption({QStringLiteral("libreoffice-rows"),
                      QStringLiteral("Rows for LibreOffice (default: --rows)."),
                      QStringLiteral("n")});
    parser.addOption({QStringLiteral("libreoffice-timeout"),
                      QStringLiteral("Seconds to give LibreOffice."), QStringLiteral("s"),
                      QStringLiteral("3600")});
    parser.process(app);
    const int rows = parser.value(QStringLiteral("rows")).toInt();
    QTemporaryDir work;

    const HouseholdRows source(rows);
    const reportengine::ReportDefinition definition = HouseholdRows::definition();

    // First page on screen, and how the window keeps up while the rest is laid out.
    const PreviewTiming list = timePreview(definition, source);
    const PreviewTiming notes = timePreview(HouseholdRows::notesDefinition(), source);
    std::printf("preview, list report:   first page %.1f ms, all %d pages laid out in %.1f ms, "
                "longest event-loop stall %.1f ms\n",
                list.firstPageMs, list.pages, list.layoutMs, list.longestStallMs);
    std::printf("preview, notes report:  first page %.1f ms, all %d pages laid out in %.1f ms, "
                "longest event-loop stall %.1f ms\n",
                notes.firstPageMs, notes.pages, notes.layoutMs, notes.longestStallMs);
    std::fflush(stdout);

    // Layout, then PDF output, of a fresh engine.
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = cpuSeconds(RUSAGE_SELF);
    reportengine::ReportEngine engine(definition, source);
    engine.completeLayout();
    const double layoutMs = clock.nsecsElapsed() / 1e6;
    const QString pdf = parser.isSet(QStringLiteral("pdf"))
                            ? parser.value(QStringLiteral("pdf"))
                            : work.filePath(QStringLiteral("ours.pdf"));
    clock.restart();
    reportengine::exportPdf(engine, pdf);
    const double pdfMs = clock.nsecsElapsed() / 1e6;
    const double cpu = cpuSeconds(RUSAGE_SELF) - cpuBefore;
    const int pages = engine.pageCount();
    const double totalSeconds = (layoutMs + pdfMs) / 1000;
    std::printf("ours: %d rows, %d pages (pdfinfo: %d), layout %.1f ms, PDF %.1f ms, "
                "%.1f pages/s (%.1f per processor second), %.0f rows/s, PDF %.1f MB, "
                "peak memory %.1f MB\n",
                rows, pages, pdfPages(pdf), layoutMs, pdfMs, pages / totalSeconds, pages / cpu,
                rows / totalSeconds, QFileInfo(pdf).size() / 1e6, peakMemoryKb() / 1024.0);
    std::fflush(stdout);

    if (parser.isSet(QStringLiteral("libreoffice"))) {
        const int loRows = parser.isSet(QStringLiteral("libreoffice-rows"))
                               ? parser.value(QStringLiteral("libreoffice-rows")).toInt()
                               : rows;
        const QString document = work.filePath(QStringLiteral("household.fodt"));
        {
            QFile file(document);
            if (!file.open(QIODevice::WriteOnly))
                return 1;
            HouseholdRows(loRows).writeFlatOdt(file);
        }
        const double childCpuBefore = cpuSeconds(RUSAGE_CHILDREN);
        QProcess office;
        office.setProcessChannelMode(QProcess::MergedChannels);
        office.setStandardInputFile(QProcess::nullDevice());
        // Its own process group, so that a timeout ends all of LibreOffice's processes.
        office.setChildProcessModifier([] { setsid(); });
        clock.restart();
        office.start(QStringLiteral("libreoffice"),
                     {QStringLiteral("--headless"),
                      QStringLiteral("-env:UserInstallation=file://") + work.filePath("profile"),
                      QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                      QStringLiteral("--outdir"), work.path(), document});
        const int timeout = parser.value(QStringLiteral("libreoffice-timeout")).toInt();
        const bool finished = office.waitForFinished(timeout * 1000);
        const double seconds = clock.nsecsElapsed() / 1e9;
        if (!finished) {
            const pid_t group = pid_t(office.processId());
            const double used = groupCpuSeconds(group);
            ::kill(-group, SIGKILL);
            office.waitForFinished();
            std::printf("libreoffice: %d rows not converted within %d s (%.1f processor s)\n",
                        loRows, timeout, used);
            std::fflush(stdout);
            return 0;
        }
        const double officeCpu = cpuSeconds(RUSAGE_CHILDREN) - childCpuBefore;
        const int loPages = pdfPages(work.filePath(QStringLiteral("household.pdf")));
        std::printf("libreoffice: %d rows, %d pages in %.1f s (%.1f processor s), %.2f pages/s "
                    "(%.2f per processor second), %.0f rows/s\n",
                    loRows, loPages, seconds, officeCpu, loPages / seconds, loPages / officeCpu,
                    loRows / seconds);
        std::fflush(stdout);
    }
    return 0;
}
