#pragma once

#include "data/Schema.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <ctime>
#include <functional>
#include <vector>

class QWidget;

// Measuring helpers shared by the start-up and record-page benchmarks.
namespace bench {

// Wall time and processor time (all threads of the process) of one piece of work.
struct Cost {
    double wallMs = 0;
    double cpuMs = 0;
};

class Stopwatch {
public:
    Stopwatch() { restart(); }
    void restart();
    Cost elapsed() const;

private:
    timespec m_wall{};
    timespec m_cpu{};
};

Cost measure(const std::function<void()> &work);

double median(std::vector<double> values);
// The value at fraction p (0..1) of the sorted values.
double percentile(std::vector<double> values, double p);

// Costs of repeated runs of one thing.
struct Series {
    std::vector<double> wall;
    std::vector<double> cpu;
    void add(Cost cost) {
        wall.push_back(cost.wallMs);
        cpu.push_back(cost.cpuMs);
    }
    bool empty() const { return wall.empty(); }
    double medianWall() const { return median(wall); }
    double medianCpu() const { return median(cpu); }
    // "cpu / wall" of the medians, for tables.
    QString text(int decimals = 1) const;
};

// /proc/self/status fields in kB (VmRSS:, VmHWM:).
long statusKb(const char *field);
// Trims the heap and resets the peak resident set (VmHWM) to the current one.
void resetPeak();
// The peak resident set since the last reset, in MB above `baseKb`.
double peakAboveMb(long baseKb);
double residentMb();

// Drops a file's pages (and its -wal's) from the page cache; needs no privileges.
void evict(const QString &path);

QString mainFile(const QString &dir);
QString idiomFile(const QString &dir);
// Writes idioms.mdb into `dir` when it has none (the form needs both files).
void ensureIdiomFile(const QString &dir);
// Evicts both database files of a program directory.
void evictDirectory(const QString &dir);

// The columns a table object reads (non-blob; all of a table made from the file).
QString bareSelect(data::TableId id);

// Every non-blob value of the given tables of a program directory read with bare SQLite
// into QVariants (storage reserved from count(*)), one vector per table.
std::vector<std::vector<QVariant>> bareRead(const QString &dir, const QList<data::TableId> &tables);

// Shows a top-level widget and processes events until its first paint has been done.
void showAndWaitPainted(QWidget *window);

// Processes events until `done` holds or `seconds` passed; returns `done()`.
bool processUntil(const std::function<bool()> &done, double seconds = 30);

// Drops the offscreen platform's note about size hints from the output.
void quietToolkitWarnings();

// A header and the machine's state for the output.
void printMachineState();

} // namespace bench
