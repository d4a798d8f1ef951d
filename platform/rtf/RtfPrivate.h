#pragma once

// Internals shared by the RTF reader and writer; not part of the interface.

#include <QtGlobal>

#include <string_view>

namespace platform::rtf {

// Private control word that stands for one UTF-16 unit of a column text that
// does not fit in a byte (see columnTextToRtf).
inline constexpr char kLiteralUnitWord[] = "hlunit";

// Nesting deeper than this keeps the state of the innermost tracked group.
inline constexpr int kMaxGroupDepth = 256;

// Limits that keep hostile values from reaching the layout.
inline constexpr int kMaxTwips = 31680;  // 22 inches
inline constexpr int kMinHalfPoints = 4; // below 2 points Qt cannot make sub- and superscripts
inline constexpr int kMaxHalfPoints = 3276;
inline constexpr double kTwipsPerPixel = 15.0; // 1440 twips an inch, 96 pixels an inch

struct Token {
    enum Type { End, GroupOpen, GroupClose, Word, Symbol, Hex, Text, Binary };
    Type type = End;
    std::string_view word; // Word: the name
    int param = 0;         // Word: the parameter, when hasParam
    bool hasParam = false;
    char symbol = 0;            // Symbol: the character after the backslash
    uchar hex = 0;              // Hex: the byte of \'xx
    const char *data = nullptr; // Text, Binary: the bytes
    qsizetype size = 0;
};

// Splits RTF bytes into tokens. Never reads past the end, never allocates.
class Lexer {
public:
    Lexer(const char *data, qsizetype size)
        : m_p(data)
        , m_end(data + size) {}
    void next(Token &token);

private:
    const char *m_p;
    const char *m_end;
};

} // namespace platform::rtf
