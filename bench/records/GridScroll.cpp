// DBGrid1 scrolled page by page over every item, and memory while the navigator visits
// photographed items.
#include "bench/app/BenchSupport.h"
#include "bench/records/RecordsBench.h"

#include "app/TForm1.h"
#include "data/Field.h"
#include "data/TableObject.h"
#include "records/HouseholdPage.h"
#include "tests/support/Named.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBNavigator.h"
#include "widgets/PictureView.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>

#include <cstdio>

using widgets::Page;

namespace bench {

namespace {

using widgets::DBNavigator;

class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *watched) { watched->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

void pressKey(QWidget *widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

void printSteps(const char *what, const Series &steps) {
    std::printf("| %s | %zu | %s | %.1f / %.1f | %.1f / %.1f |\n", what, steps.wall.size(),
                qPrintable(steps.text(2)), percentile(steps.cpu, 0.95),
                percentile(steps.wall, 0.95), *std::max_element(steps.cpu.begin(), steps.cpu.end()),
                *std::max_element(steps.wall.begin(), steps.wall.end()));
}

} // namespace

void gridScrolling(const QString &dir, const Options &options) {
    auto form = openForm(dir, Page::Household);
    widgets::DBGrid *grid = named<widgets::DBGrid>(*form, "DBGrid1");
    data::TableObject *table = named<data::TableObject>(*form, "ADOTable1");
    const int rows = table->rowCount();
    grid->setFocus();
    table->first();
    QCoreApplication::processEvents();
    PaintCounter paints(grid->viewport());
    const int before = paints.count;

    Series steps, top, bottom;
    double totalWall = 0;
    double totalCpu = 0;
    std::vector<std::pair<int, double>> memory{{0, residentMb()}};
    int step = 0;
    int last = table->currentIndex();
    while (table->currentIndex() < rows - 1 && (options.maxSteps < 0 || step < options.maxSteps)) {
        const Cost cost = measure([&] {
            pressKey(grid, Qt::Key_PageDown);
            QCoreApplication::processEvents();
        });
        require(table->currentIndex() > last, QStringLiteral("page down moves the item"));
        last = table->currentIndex();
        steps.add(cost);
        totalWall += cost.wallMs;
        totalCpu += cost.cpuMs;
        if (step < 200)
            top.add(cost);
        ++step;
        if (step % 5000 == 0)
            memory.emplace_back(last, residentMb());
    }
    for (size_t i = steps.wall.size() > 200 ? steps.wall.size() - 200 : 0; i < steps.wall.size();
         ++i)
        bottom.add({steps.wall[i], steps.cpu[i]});
    const int painted = paints.count - before;
    require(painted >= step, QStringLiteral("every step paints the grid"));
    require(named<widgets::DBEdit>(*form, "DBEdit1")->text() == table->displayText(last, 0),
            QStringLiteral("the page's edits follow the grid"));
    if (memory.back().first != last)
        memory.emplace_back(last, residentMb());

    const Cost jump = measure([&] {
        grid->verticalScrollBar()->setValue(0);
        QCoreApplication::processEvents();
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
        QCoreApplication::processEvents();
    });

    std::printf("\n## DBGrid1 over %d items (%dx%d, %d rows visible)\n\n"
                "Page Down sent to the focused grid, then the events processed, so the window "
                "repaints what changed (grid, the page's edits, navigator). Processor / wall "
                "ms.\n\n",
                rows, grid->width(), grid->height(),
                grid->viewport()->height() / grid->verticalHeader()->defaultSectionSize());
    std::printf("| steps | count | median | 95th percentile | slowest |\n|---|---|---|---|---|\n");
    printSteps("every page-down step", steps);
    printSteps("the first 200 (top of the table)", top);
    printSteps("the last 200 (bottom of the table)", bottom);
    std::printf("\nTop to bottom by Page Down: %d steps, %.0f ms processor, %.0f ms wall "
                "(grid viewport painted %d times).\n",
                step, totalCpu, totalWall, painted);
    std::printf("Scroll bar to the top and then to the bottom, each painted: %.1f / %.1f ms.\n",
                jump.cpuMs, jump.wallMs);
    std::printf("Resident memory while scrolling (MB): ");
    for (const auto &[row, mb] : memory)
        std::printf("row %d: %.1f; ", row, mb);
    std::printf("\n");
    std::fflush(stdout);
}

void visitMemory(const QString &dir, const Options &options) {
    auto form = openForm(dir, Page::Household);
    data::TableObject *table = named<data::TableObject>(*form, "ADOTable1");
    DBNavigator *navigator = named<widgets::DBNavigator>(*form, "DBNavigator1");
    widgets::PictureView *image = named<widgets::PictureView>(*form, "ADOImage1");
    const int photoIndex = table->fieldByName(QStringLiteral("Photograph"))->index();
    std::vector<int> photographed;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->value(row, photoIndex).toLongLong() > 0)
            photographed.push_back(row);
    }
    require(!photographed.empty(), QStringLiteral("the items of %1 have photographs").arg(dir));

    std::printf("\n## Memory while the navigator visits %d photographed items\n\n"
                "Each visit: the item before it made current, Next clicked (Prior onto the first "
                "item), IsImage reads the picture, ADOImage1 painted (decoding its visible part), "
                "events processed. %zu photographed "
                "items in the table (visited in turn, again from the first when more visits are "
                "asked for).\n\n"
                "| items visited | resident MB | peak MB | ms per visit (wall, last 100) |\n"
                "|---|---|---|---|\n",
                options.visits, photographed.size());
    QCoreApplication::processEvents();
    resetPeak();
    std::printf("| 0 | %.1f | %.1f | |\n", residentMb(), double(statusKb("VmHWM:")) / 1024);
    Stopwatch watch;
    for (int visit = 1; visit <= options.visits; ++visit) {
        const int row = photographed[size_t(visit - 1) % photographed.size()];
        // Onto the first item from the second one.
        table->moveTo(row == 0 ? 1 : row - 1);
        navigator->clickButton(row == 0 ? DBNavigator::nbPrior : DBNavigator::nbNext);
        image->grab();
        QCoreApplication::processEvents();
        require(table->currentIndex() == row && named<QLabel>(*form, "NoPicture1")->isHidden(),
                QStringLiteral("the visit shows a picture"));
        if (visit % 100 == 0 || visit == options.visits) {
            const Cost cost = watch.elapsed();
            std::printf("| %d | %.1f | %.1f | %.1f |\n", visit, residentMb(),
                        double(statusKb("VmHWM:")) / 1024,
                        cost.wallMs / (visit % 100 == 0 ? 100 : visit % 100));
            std::fflush(stdout);
            watch.restart();
        }
    }
}

} // namespace bench
