#pragma once

#include "RtfKeywords.h"
#include "RtfPrivate.h"

#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace platform::rtf {

class Tables;

// The list table and list override table of a document being read, and the
// numbering of its list paragraphs: a paragraph that names a list (\lsN,
// \ilvlN) gets the number or bullet that a word processor draws in front of
// it, counted as it would count it.
class Lists {
public:
    explicit Lists(Tables &tables)
        : m_tables(tables) {}

    // The list table: \list starts a list, \listlevel one of its levels,
    // \leveltext the text of the level's label.
    void listWord(Keyword keyword, const Token &token);
    void beginLevelText();
    void levelTextBytes(const char *data, qsizetype size);
    void levelTextUnit(char16_t unit);

    // The list override table: \listoverride ties a paragraph's \lsN to a
    // list, and may start some of its levels anew.
    void overrideWord(Keyword keyword, const Token &token);

    // The label of the next paragraph of list override ls at the level, with
    // what follows it (tab, space or nothing); nothing when the document does
    // not define that list level.
    std::optional<QString> nextLabel(int ls, int level);

private:
    static constexpr int kLevels = 9;

    struct Level {
        int format = 0; // \levelnfc: 0 decimal, 1 upper roman, ... 23 bullet, 255 none
        int startAt = 1;
        int follow = 0; // 0 tab, 1 space, 2 nothing
        int font = -1;
        bool legal = false;
        bool noRestart = false;
        bool hasText = false;
        // the level text as read: byte values (raw) or UTF-16 units
        QList<QPair<char16_t, bool>> text;
    };
    struct List {
        int id = 0;
        bool simple = false;
        QList<Level> levels;
    };
    struct Override {
        int listId = 0;
        std::array<std::optional<int>, kLevels> startAt{};
        std::array<bool, kLevels> restarted{};
        int lfoLevels = 0;
    };
    struct Counter {
        std::array<int, kLevels> value{};
        std::array<bool, kLevels> started{};
    };

    Level *currentLevel();
    QString label(const List &list, int levelIndex, const Counter &counter) const;

    Tables &m_tables;
    QList<List> m_lists;
    QHash<int, qsizetype> m_listById;
    QList<Override> m_overrides;
    QHash<int, qsizetype> m_overrideByLs;
    QHash<int, Counter> m_counters; // by list id
};

} // namespace platform::rtf
