#pragma once

#include "RtfDocumentBuilder.h"
#include "RtfKeywords.h"
#include "RtfLists.h"
#include "RtfPrivate.h"
#include "RtfTables.h"

#include <QList>
#include <QString>
#include <QTextCharFormat>
#include <QTextOption>

#include <unordered_map>
#include <vector>

class QTextDocument;

namespace platform::rtf {

// Reads one RTF document into a QTextDocument. Lenient like the word
// processors: unknown words are ignored, unknown destinations skipped, a
// document cut short ends where the bytes end. Time and memory grow linearly
// with the input.
class Parser {
public:
    Parser(QTextDocument *document, const QTextCharFormat &defaultFormat);
    ~Parser();
    void parse(const char *data, qsizetype size);

private:
    enum class Dest : quint8 {
        Body,
        Skip,
        FontTable,
        ColorTable,
        Upr,
        ListTable,
        ListOverrides,
        LevelText,
        Shape, // a shape or drawing object: only its text box is text
    };

    struct CharState {
        int font = -1;       // font table number; -1 none given
        int halfPoints = -1; // -1 none given
        int color = -1;      // colour table index; -1 none given
        int background = 0;  // colour table index; 0 none
        qint8 bold = -1;     // -1 none given, else 0 or 1
        qint8 italic = -1;
        qint8 strike = -1;
        qint8 underline = -1; // -1 none given, else QTextCharFormat::UnderlineStyle
        qint8 valign = -1;    // -1 none given, else QTextCharFormat::VerticalAlignment
        qint8 caps = -1;      // -1 none given, else QFont::Capitalization
        bool operator==(const CharState &) const = default;
    };
    struct CharStateHash {
        size_t operator()(const CharState &s) const;
    };

    struct ParaState {
        int align = 0; // 0 left, 1 centre, 2 right, 3 justified
        int left = 0;  // twips
        int right = 0;
        int first = 0;
        int before = 0;
        int after = 0;
        bool rtl = false;
        bool pageBreakBefore = false;
        int list = -1; // \ls: the list override the paragraph belongs to; -1 none
        int level = 0;
        QTextOption::TabType nextTabType = QTextOption::LeftTab;
        QList<QTextOption::Tab> tabs;
    };

    struct Group {
        Dest dest = Dest::Body;
        Dest uprDest = Dest::Body; // the destination a \ud inside \upr returns to
        bool inUpr = false;
        int uc = 1;
        CharState chr;
        ParaState para;
    };

    struct Run {
        QTextCharFormat format;
        const CodePage *codePage = nullptr;
    };

    // A group whose text is not simply part of the paragraph around it.
    struct Span {
        enum Kind { Note, Box, ListText };
        Kind kind;
        size_t depth; // the group stack's size when it began
        size_t mark = 0;
    };

    void handleWord(const Token &token);
    void handleBodyWord(Keyword keyword, const Token &token);
    void handleText(const char *data, qsizetype size);
    void handleHex(uchar byte);
    bool closesDocument() const;
    void openGroup();
    void closeGroup();
    void enterSkip();
    bool handleDestination(Keyword keyword);
    void beginSpan(Span::Kind kind);
    void endSpan();
    bool inBox() const;

    void appendBytes(const char *data, qsizetype size);
    void appendChar(char16_t c);
    void flushPending();
    void flushRun();
    void ensureRun();
    void endParagraph();
    const Run &runFor(const CharState &state);
    QTextBlockFormat blockFormat() const;
    void invalidateRuns();

    QTextDocument *m_document;
    DocumentBuilder m_builder;
    QTextCharFormat m_default;

    Group m_g;
    std::vector<Group> m_stack;
    int m_untracked = 0; // open groups deeper than the tracked limit
    int m_skipDepth = 0; // open groups inside a skipped destination
    bool m_star = false;
    int m_ucSkip = 0;

    int m_deff = -1;
    int m_defTab = 720;
    int m_footnotes = 0;
    Tables m_tables;
    Lists m_lists;

    std::vector<Span> m_spans;
    std::vector<int> m_noteNumbers;
    QString m_listLabel; // the label a \listtext group gave the paragraph
    bool m_hasListLabel = false;
    bool m_splitRemainder = false; // a text box split the paragraph

    // formats by character state; nodes stay put, so m_run may point into it
    std::unordered_map<CharState, Run, CharStateHash> m_runs;
    CharState m_runState;
    const Run *m_run = nullptr;
    bool m_runValid = false;
    bool m_charDirty = true;
    QByteArray m_pending;
};

} // namespace platform::rtf
