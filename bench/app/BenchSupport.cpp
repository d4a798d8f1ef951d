#include "bench/app/BenchSupport.h"

#include "data/Statement.h"
#include "tools/Preparer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <sqlite3.h>

namespace bench {

namespace {

double msBetween(const timespec &a, const timespec &b) {
    return double(b.tv_sec - a.tv_sec) * 1e3 + double(b.tv_nsec - a.tv_nsec) / 1e6;
}

// Notes the first paint of one widget.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget *watched)
        : m_watched(watched) {
        watched->installEventFilter(this);
    }
    bool painted = false;

protected:
    bool eventFilter(QObject *object, QEvent *event) override {
        if (object == m_watched && event->type() == QEvent::Paint)
            painted = true;
        return false;
    }

private:
    QWidget *m_watched;
};

QString readFirstLine(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLocal8Bit(file.readLine()).trimmed();
}

} // namespace

void Stopwatch::restart() {
    clock_gettime(CLOCK_MONOTONIC, &m_wall);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &m_cpu);
}

Cost Stopwatch::elapsed() const {
    timespec wall{};
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    clock_gettime(CLOCK_MONOTONIC, &wall);
    return {msBetween(m_wall, wall), msBetween(m_cpu, cpu)};
}

Cost measure(const std::function<void()> &work) {
    Stopwatch watch;
    work();
    return watch.elapsed();
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t i = std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5));
    return values[i];
}

QString Series::text(int decimals) const {
    return QStringLiteral("%1 / %2")
        .arg(medianCpu(), 0, 'f', decimals)
        .arg(medianWall(), 0, 'f', decimals);
}

long statusKb(const char *field) {
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
    }
    return -1;
}

void resetPeak() {
    malloc_trim(0);
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    if (file.open(QIODevice::WriteOnly))
        file.write("5");
}

double peakAboveMb(long baseKb) {
    return double(statusKb("VmHWM:") - baseKb) / 1024.0;
}

double residentMb() {
    return double(statusKb("VmRSS:")) / 1024.0;
}

void evict(const QString &path) {
    for (const QString &p : QStringList{path, path + QStringLiteral("-wal")}) {
        const int fd = ::open(QFile::encodeName(p).constData(), O_RDONLY);
        if (fd < 0)
            continue;
        ::fdatasync(fd);
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
}

QString mainFile(const QString &dir) {
    return dir + QLatin1Char('/') + QLatin1String(data::Schema::mainFile);
}

QString idiomFile(const QString &dir) {
    return dir + QLatin1Char('/') + QLatin1String(data::Schema::idiomFile);
}

void ensureIdiomFile(const QString &dir) {
    tools::PrepareOptions options;
    options.mainFile = false;
    tools::Preparer::prepare(dir, options);
}

void evictDirectory(const QString &dir) {
    evict(mainFile(dir));
    evict(idiomFile(dir));
}

QString bareSelect(data::TableId id) {
    const data::TableDef &def = data::Schema::table(id);
    QStringList columns{QStringLiteral("rowid")};
    for (const data::ColumnDef &c : def.columns) {
        if (c.type != data::Field::Type::Blob && (c.declared || !def.declaresFields))
            columns << data::Statement::quoted(c.name);
    }
    return QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM ") + data::Statement::quoted(def.name) +
           QStringLiteral(" ORDER BY rowid");
}

std::vector<std::vector<QVariant>> bareRead(const QString &dir,
                                            const QList<data::TableId> &tables) {
    std::vector<std::vector<QVariant>> kept;
    sqlite3 *db = nullptr;
    QString openFile;
    for (data::TableId id : tables) {
        const QString file = dir + QLatin1Char('/') + data::Schema::table(id).fileName;
        if (file != openFile) {
            sqlite3_close(db);
            db = nullptr;
            sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY,
                            nullptr);
            openFile = file;
        }
        data::Statement count(db, QStringLiteral("SELECT count(*) FROM ") +
                                      data::Statement::quoted(data::Schema::table(id).name));
        count.step();
        data::Statement select(db, bareSelect(id));
        sqlite3_stmt *stmt = select.handle();
        const int n = sqlite3_column_count(stmt);
        std::vector<QVariant> values;
        values.reserve(size_t(count.int64(0)) * size_t(n));
        while (select.step()) {
            for (int c = 0; c < n; ++c) {
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_NULL:
                    values.emplace_back();
                    break;
                case SQLITE_INTEGER:
                    values.emplace_back(qlonglong(sqlite3_column_int64(stmt, c)));
                    break;
                case SQLITE_FLOAT:
                    values.emplace_back(sqlite3_column_double(stmt, c));
                    break;
                default:
                    values.emplace_back(QString::fromUtf8(
                        reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)),
                        sqlite3_column_bytes(stmt, c)));
                }
            }
        }
        kept.push_back(std::move(values));
    }
    sqlite3_close(db);
    return kept;
}

bool processUntil(const std::function<bool()> &done, double seconds) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && double(timer.elapsed()) < seconds * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

void showAndWaitPainted(QWidget *window) {
    PaintSpy spy(window);
    window->show();
    if (!processUntil([&] { return spy.painted; }))
        std::fprintf(stderr, "warning: %s was not painted\n", qPrintable(window->objectName()));
}

void quietToolkitWarnings() {
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            // The offscreen platform says this of every window it shows.
            if (message.contains(QLatin1String("propagateSizeHints")))
                return;
            if (previous)
                previous(type, context, message);
            else
                std::fprintf(stderr, "%s\n", qPrintable(message));
        });
}

void printMachineState() {
    const QString load = readFirstLine(QStringLiteral("/proc/loadavg"));
    std::printf("machine: %ld processors online, load average %s; SQLite %s, Qt %s\n",
                sysconf(_SC_NPROCESSORS_ONLN), qPrintable(load), sqlite3_libversion(), qVersion());
    std::fflush(stdout);
}

} // namespace bench
