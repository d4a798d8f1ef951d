#pragma once

#include "widgets/Page.h"

#include <QList>
#include <QString>

#include <memory>

namespace app {
class TForm1;
}

// The record pages' benchmarks: navigation with pictures, the grid, name search.
namespace bench {

// The items that carry camera-like photographs in a prepared records directory: eight
// 12-megapixel ones from kTwelveFirst, eight 24-megapixel ones from kTwentyFourFirst (keys),
// each after an item without one.
constexpr qint64 kTwelveFirst = 1001;
constexpr qint64 kTwentyFourFirst = 2001;
constexpr int kPhotosPerSize = 8;

// Copies the household of `from` into `to` (which must not hold one), puts the
// photographs above on its items and adds the NOCASE indexes the bare name queries use.
// `small` makes the photographs 640x480 and 960x640 (for the smoke test).
void prepareRecords(const QString &from, const QString &to, bool small);

// A main window over `dir`, shown and painted, its phrase timer stopped, on `page`.
std::unique_ptr<app::TForm1> openForm(const QString &dir, widgets::Page page);

struct Options {
    int rounds = 15;
    int visits = 1000;
    int searches = 10000;
    int maxSteps = -1; // page-down steps at most (all when negative)
};

void navigation(const QString &recordsDir, const Options &options);
void gridScrolling(const QString &dir, const Options &options);
void visitMemory(const QString &dir, const Options &options);
void nameSearch(const QString &dir, const Options &options);

// Stops the run with a message when a check fails.
void require(bool condition, const QString &what);

} // namespace bench
