// Pictures benchmark: the time from a record's blob bytes to the picture ready to paint,
// beside bare libjpeg decoders; memory over many records; bitmap conversion beside cjpeg.
//
//   bench_imaging [--rounds N] [--visits N]
//   bench_imaging --convert in.bmp out.jpg   (one conversion; prints its peak memory)
//   bench_imaging --show blob                (shows a blob in a small control; the outcome
//                                              goes to standard error)
//   bench_imaging --peak program args...     (runs a program; prints its peak memory)

#include "bench/imaging/BareDecoders.h"
#include "platform/imaging/BmpToJpg.h"
#include "platform/imaging/JpegPicture.h"
#include "platform/imaging/JpegStart.h"
#include "tests/platform/imaging/BmpBuilder.h"
#include "tests/platform/imaging/ImagingFixtures.h"
#include "widgets/PictureView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

using platform::JpegPicture;
using widgets::PictureView;

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double best(const std::vector<double> &values) {
    return *std::min_element(values.begin(), values.end());
}

// Processor time of this thread: the machine is shared, and wall time says more about
// the neighbours than about the work.
double millisecondsOf(const std::function<void()> &work) {
    timespec start{};
    timespec end{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    work();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    return double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6;
}

long statusKb(const char *field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(std::strlen(field))).trimmed().split(' ').first().toLong();
    return -1;
}

struct Photo {
    const char *name;
    QSize size;
    QByteArray jpeg;
    bool progressive = false;
};

QByteArray cameraLikeJpeg(QSize size, quint32 seed, bool progressive = false) {
    fixtures::JpegOptions options;
    options.quality = 92;
    options.progressive = progressive;
    return fixtures::encodeJpeg(fixtures::photoLike(size.width(), size.height(), seed), options);
}

// Blob bytes in hand to the pixels the control shows, decoded.
JpegPicture::Pixels readyToPaint(const QByteArray &blob, QSize control) {
    const int offset = platform::jpegStartsInBlob(blob);
    const JpegPicture picture(blob, offset);
    const QPoint origin = PictureView::pictureOrigin(control, picture.size());
    return picture.pixels(QRect(-origin, control));
}

void decoding(int rounds) {
    std::printf("## Blob to picture ready to paint\n\nProcessor time of the thread in ms, median "
                "of %d interleaved rounds, best in brackets.\n\n",
                rounds);
    std::printf("| photo | JPEG | control | full decode | centre only | ours | ours / centre "
                "| control painted | painted / centre | visible pixels = full decode |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    std::vector<Photo> photos = {{"12 MP", QSize(4000, 3000), {}},
                                 {"24 MP", QSize(6000, 4000), {}},
                                 {"24 MP progressive", QSize(6000, 4000), {}, true}};
    for (Photo &photo : photos)
        photo.jpeg = cameraLikeJpeg(photo.size, 11, photo.progressive);
    for (const Photo &photo : photos) {
        for (const QSize control : {QSize(169, 193), QSize(681, 433)}) {
            const QPoint origin = PictureView::pictureOrigin(control, photo.size);
            const QRect visible = QRect(-origin, control) & QRect(QPoint(), photo.size);
            PictureView view;
            view.resize(control);
            QImage target(control, QImage::Format_RGB32);
            std::vector<unsigned char> full;
            std::vector<unsigned char> centre;
            std::vector<double> tFull, tCentre, tOurs, tView;
            for (int round = 0; round < rounds; ++round) {
                tFull.push_back(millisecondsOf([&] { bench::bareFullDecode(photo.jpeg, full); }));
                tCentre.push_back(
                    millisecondsOf([&] { bench::bareRegionDecode(photo.jpeg, visible, centre); }));
                tOurs.push_back(millisecondsOf([&] { readyToPaint(photo.jpeg, control); }));
                tView.push_back(millisecondsOf([&] {
                    const QByteArray &blob = photo.jpeg;
                    view.setPicture(JpegPicture(blob, platform::jpegStartsInBlob(blob)));
                    view.render(&target);
                }));
            }
            // The visible pixels against the full decode's, bit for bit.
            const JpegPicture::Pixels ours = readyToPaint(photo.jpeg, control);
            bool identical = true;
            for (int y = visible.top(); y <= visible.bottom() && identical; ++y) {
                const unsigned char *mine = ours.image.constScanLine(y - ours.origin.y()) +
                                            3 * (visible.x() - ours.origin.x());
                const unsigned char *theirs =
                    full.data() + (size_t(y) * photo.size.width() + visible.x()) * 3;
                identical = std::memcmp(mine, theirs, size_t(visible.width()) * 3) == 0;
            }
            const double c = median(tCentre);
            const double cb = best(tCentre);
            std::printf("| %s | %.1f MB | %dx%d | %.1f (%.1f) | %.1f (%.1f) | %.1f (%.1f) "
                        "| %.2f (%.2f) | %.1f (%.1f) | %.2f (%.2f) | %s |\n",
                        photo.name, double(photo.jpeg.size()) / 1e6, control.width(),
                        control.height(), median(tFull), best(tFull), c, cb, median(tOurs),
                        best(tOurs), median(tOurs) / c, best(tOurs) / cb, median(tView),
                        best(tView), median(tView) / c, best(tView) / cb, identical ? "yes" : "NO");
            std::fflush(stdout);
        }
    }
    std::printf("\n");
}

void memory(int visits) {
    std::printf("## Memory while visiting %d photographed records\n\n", visits);
    std::vector<QByteArray> blobs;
    for (quint32 seed = 1; seed <= 4; ++seed)
        blobs.push_back(cameraLikeJpeg(QSize(4000, 3000), seed));
    PictureView small;
    PictureView large;
    small.resize(169, 193);
    large.resize(681, 433);
    QImage smallTarget(small.size(), QImage::Format_RGB32);
    QImage largeTarget(large.size(), QImage::Format_RGB32);
    std::printf("| records visited | resident memory (MB) |\n|---|---|\n");
    std::printf("| 0 | %.1f |\n", double(statusKb("VmRSS:")) / 1024);
    const std::vector<int> marks = {1, 10, 100, 250, 500, 750, 1000, 2000, 5000};
    QElapsedTimer timer;
    timer.start();
    for (int visit = 1; visit <= visits; ++visit) {
        const QByteArray &stored = blobs[size_t(visit) % blobs.size()];
        // A fresh copy, as each read of the record's blob gives one.
        const QByteArray blob(stored.constData(), stored.size());
        const JpegPicture picture(blob, platform::jpegStartsInBlob(blob));
        small.setPicture(picture);
        large.setPicture(picture);
        small.render(&smallTarget);
        if (visit % 20 == 0) // now and then the enlarged view
            large.render(&largeTarget);
        if (std::find(marks.begin(), marks.end(), visit) != marks.end()) {
            std::printf("| %d | %.1f |\n", visit, double(statusKb("VmRSS:")) / 1024);
            std::fflush(stdout);
        }
    }
    std::printf("\n%d visits in %.1f s.\n\n", visits, double(timer.elapsed()) / 1000);
}

struct Run {
    double wallMs = 0;
    double cpuMs = 0;
    long peakKb = 0;
    QString message; // what the program wrote to standard error
};

// Runs `arguments` under this program's --peak wrapper, which reports the processor time
// and peak memory of what it ran.
Run measure(const QString &self, const QStringList &arguments) {
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(self, QStringList{QStringLiteral("--peak")} + arguments);
    process.waitForFinished(-1);
    Run run;
    run.wallMs = double(timer.nsecsElapsed()) / 1e6;
    const QList<QByteArray> out = process.readAllStandardOutput().trimmed().split(' ');
    if (process.exitCode() != 0 || out.size() != 4) {
        std::fprintf(stderr, "%s failed\n", qPrintable(arguments.join(QLatin1Char(' '))));
        std::exit(1);
    }
    run.peakKb = out[1].toLong();
    run.cpuMs = out[3].toDouble();
    run.message = QString::fromUtf8(process.readAllStandardError().trimmed());
    return run;
}

// Shows the blob as the small control of a picture page would; "shown" or the error text
// goes to standard error.
int showBlob(const char *path) {
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    try {
        readyToPaint(file.readAll(), QSize(169, 193));
        std::fprintf(stderr, "shown");
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s", e.what());
    }
    return 0;
}

// A progressive picture cut after its first scan and followed by a second frame header,
// declaring `declared` pixels: libjpeg sets up the coefficients of the whole declared
// picture before it meets the second header.
QByteArray progressiveDecoy(QSize declared, int sampling) {
    fixtures::JpegOptions options;
    options.progressive = true;
    options.hSamp = sampling;
    options.vSamp = sampling;
    const QByteArray jpeg = fixtures::withDeclaredSize(
        fixtures::encodeJpeg(fixtures::photoLike(8, 8, 3), options), declared);
    const qsizetype sof = jpeg.indexOf("\xFF\xC2");
    const qsizetype sofSize = (uchar(jpeg[sof + 2]) << 8 | uchar(jpeg[sof + 3])) + 2;
    qsizetype end = jpeg.indexOf("\xFF\xDA") + 2;
    while (end + 1 < jpeg.size() && (uchar(jpeg[end]) != 0xFF || jpeg[end + 1] == 0 ||
                                     (uchar(jpeg[end + 1]) & 0xF8) == 0xD0))
        ++end;
    // The application segment adds nothing here.
    const qsizetype app0 = jpeg.indexOf("\xFF\xE0");
    const qsizetype app0Size = app0 == 2 ? (uchar(jpeg[4]) << 8 | uchar(jpeg[5])) + 2 : 0;
    return jpeg.left(2) + jpeg.mid(2 + app0Size, end - 2 - app0Size) + jpeg.mid(sof, sofSize);
}

void hostile(const QString &self) {
    struct Case {
        const char *name;
        QByteArray blob;
    };
    fixtures::JpegOptions baseline;
    const std::vector<Case> cases = {
        {"small sound picture (the process alone)",
         fixtures::encodeJpeg(fixtures::photoLike(64, 48))},
        {"24 MP progressive photo", cameraLikeJpeg(QSize(6000, 4000), 11, true)},
        {"progressive 4:4:4 decoy, 19200x10353", progressiveDecoy(QSize(19200, 10353), 1)},
        {"progressive 4:2:0 decoy, 19200x10353", progressiveDecoy(QSize(19200, 10353), 2)},
        {"progressive 4:2:0 decoy, 6000x4000", progressiveDecoy(QSize(6000, 4000), 2)},
        {"baseline, 64x48 of data declaring 65500x65500",
         fixtures::withDeclaredSize(fixtures::encodeJpeg(fixtures::photoLike(64, 48), baseline),
                                    QSize(65500, 65500))},
    };
    std::printf("## Hostile pictures\n\nEach blob shown in a 169x193 control by a process of its "
                "own: processor time (user + system) and peak resident memory of the whole "
                "process, median and largest of 3 runs.\n\n");
    std::printf(
        "| blob | bytes | outcome | processor time (ms) | wall time (ms) | peak memory (MB) "
        "|\n|---|---|---|---|---|---|\n");
    QTemporaryDir dir;
    for (const Case &c : cases) {
        const QString path = dir.filePath(QStringLiteral("blob.jpg"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::exit(1);
        file.write(c.blob);
        file.close();
        std::vector<double> cpu;
        std::vector<double> wall;
        long peakKb = 0;
        QString outcome;
        for (int run = 0; run < 3; ++run) {
            const Run r = measure(self, {self, QStringLiteral("--show"), path});
            cpu.push_back(r.cpuMs);
            wall.push_back(r.wallMs);
            peakKb = std::max(peakKb, r.peakKb);
            outcome = r.message;
        }
        std::printf("| %s | %lld | %s | %.0f | %.0f | %.1f |\n", c.name, qlonglong(c.blob.size()),
                    qPrintable(outcome), median(cpu), median(wall), double(peakKb) / 1024);
        std::fflush(stdout);
    }
    std::printf("\n");
}

void conversion(int rounds, const QString &self) {
    const QString cjpeg = QStandardPaths::findExecutable(QStringLiteral("cjpeg"));
    if (cjpeg.isEmpty()) {
        std::printf("## Bitmap conversion\n\ncjpeg is not installed (libjpeg-turbo-progs): "
                    "skipped.\n\n");
        return;
    }
    QTemporaryDir dir;
    const QString bmp = dir.filePath(QStringLiteral("photo.bmp"));
    {
        const QImage photo = fixtures::photoLike(6000, 4000, 21);
        std::vector<quint32> pixels(size_t(photo.width()) * size_t(photo.height()));
        for (int y = 0; y < photo.height(); ++y) {
            const uchar *row = photo.constScanLine(y);
            for (int x = 0; x < photo.width(); ++x)
                pixels[size_t(y) * size_t(photo.width()) + size_t(x)] =
                    quint32(row[3 * x]) << 16 | quint32(row[3 * x + 1]) << 8 | row[3 * x + 2];
        }
        fixtures::BmpSpec shape;
        shape.pixelsPerMetre = 0; // cjpeg would copy a resolution into its JFIF header
        QFile file(bmp);
        if (!file.open(QIODevice::WriteOnly))
            std::exit(1);
        file.write(fixtures::buildBmp(shape, photo.width(), photo.height(), pixels));
    }
    const QString theirs = dir.filePath(QStringLiteral("cjpeg.jpg"));
    const QString ours = dir.filePath(QStringLiteral("ours.JPG"));
    const QStringList theirRun = {cjpeg,
                                  QStringLiteral("-quality"),
                                  QStringLiteral("90"),
                                  QStringLiteral("-dct"),
                                  QStringLiteral("float"),
                                  QStringLiteral("-baseline"),
                                  QStringLiteral("-outfile"),
                                  theirs,
                                  bmp};
    const QStringList ourRun = {self, QStringLiteral("--convert"), bmp, ours};
    measure(self, theirRun); // warms the page cache
    std::vector<double> cpuTheirs, cpuOurs, wallTheirs, wallOurs;
    long theirPeakKb = 0;
    long ourPeakKb = 0;
    for (int round = 0; round < rounds; ++round) {
        const Run their = measure(self, theirRun);
        const Run mine = measure(self, ourRun);
        cpuTheirs.push_back(their.cpuMs);
        cpuOurs.push_back(mine.cpuMs);
        wallTheirs.push_back(their.wallMs);
        wallOurs.push_back(mine.wallMs);
        theirPeakKb = std::max(theirPeakKb, their.peakKb);
        ourPeakKb = std::max(ourPeakKb, mine.peakKb);
    }
    QFile a(theirs);
    QFile b(ours);
    const bool same =
        a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && a.readAll() == b.readAll();
    std::printf("## 24-megapixel bitmap (6000x4000, 24 bits, %.1f MB) to JPEG\n\n"
                "Whole processes: processor time (user + system) in ms, median of %d "
                "interleaved runs, best in brackets; wall time beside it.\n\n",
                double(QFile(bmp).size()) / 1e6, rounds);
    std::printf("| | cjpeg -quality 90 -dct float -baseline | ours | ours / cjpeg |\n"
                "|---|---|---|---|\n");
    std::printf("| processor time | %.0f (%.0f) | %.0f (%.0f) | %.2f (%.2f) |\n", median(cpuTheirs),
                best(cpuTheirs), median(cpuOurs), best(cpuOurs),
                median(cpuOurs) / median(cpuTheirs), best(cpuOurs) / best(cpuTheirs));
    std::printf("| wall time | %.0f (%.0f) | %.0f (%.0f) | %.2f (%.2f) |\n", median(wallTheirs),
                best(wallTheirs), median(wallOurs), best(wallOurs),
                median(wallOurs) / median(wallTheirs), best(wallOurs) / best(wallTheirs));
    std::printf("| peak memory | %.1f MB | %.1f MB | |\n\n", double(theirPeakKb) / 1024,
                double(ourPeakKb) / 1024);
    std::printf("Same JPEG bytes from both: %s.\n\n", same ? "yes" : "no");
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 4 && std::strcmp(argv[1], "--convert") == 0) {
        try {
            platform::bmpToJpg(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
        } catch (const std::exception &e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--show") == 0)
        return showBlob(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "--peak") == 0) {
        const pid_t child = fork();
        if (child == 0) {
            execvp(argv[2], argv + 2);
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0)
            return 1;
        const double cpuMs = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                             double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
        std::printf("peak_kb %ld cpu_ms %.1f\n", usage.ru_maxrss, cpuMs);
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int rounds = 15;
    int visits = 1000;
    const QStringList args = app.arguments();
    if (args.contains(QLatin1String("--hostile"))) {
        hostile(QCoreApplication::applicationFilePath());
        return 0;
    }
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--rounds"))
            rounds = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--visits"))
            visits = args[i + 1].toInt();
    }
    hostile(QCoreApplication::applicationFilePath());
    decoding(rounds);
    memory(visits);
    conversion(5, QCoreApplication::applicationFilePath());
    return 0;
}
