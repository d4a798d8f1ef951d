#include "RtfPrivate.h"

#include <limits>

namespace platform::rtf {

namespace {

inline bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

inline int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Parameters have at most this many digits; more digits are text.
constexpr int kMaxParamDigits = 10;

} // namespace

void Lexer::next(Token &token) {
    token.hasParam = false;
    token.param = 0;
    while (m_p < m_end) {
        const char c = *m_p;
        if (c == '{') {
            ++m_p;
            token.type = Token::GroupOpen;
            return;
        }
        if (c == '}') {
            ++m_p;
            token.type = Token::GroupClose;
            return;
        }
        if (c == '\r' || c == '\n') {
            ++m_p;
            continue;
        }
        if (c != '\\') {
            const char *start = m_p;
            while (m_p < m_end && *m_p != '\\' && *m_p != '{' && *m_p != '}' && *m_p != '\r' &&
                   *m_p != '\n')
                ++m_p;
            token.type = Token::Text;
            token.data = start;
            token.size = m_p - start;
            return;
        }
        // A backslash.
        ++m_p;
        if (m_p >= m_end)
            break;
        const char s = *m_p;
        if (isLetter(s)) {
            const char *start = m_p;
            while (m_p < m_end && isLetter(*m_p))
                ++m_p;
            token.type = Token::Word;
            token.word = std::string_view(start, size_t(m_p - start));
            bool negative = false;
            if (m_p < m_end && *m_p == '-' && m_p + 1 < m_end && isDigit(m_p[1])) {
                negative = true;
                ++m_p;
            }
            if (m_p < m_end && isDigit(*m_p)) {
                qint64 value = 0;
                int digits = 0;
                while (m_p < m_end && isDigit(*m_p) && digits < kMaxParamDigits) {
                    value = value * 10 + (*m_p - '0');
                    ++m_p;
                    ++digits;
                }
                if (negative)
                    value = -value;
                constexpr qint64 lo = std::numeric_limits<int>::min();
                constexpr qint64 hi = std::numeric_limits<int>::max();
                token.param = int(value < lo ? lo : value > hi ? hi : value);
                token.hasParam = true;
            }
            if (m_p < m_end && *m_p == ' ')
                ++m_p;
            if (token.word == "bin") {
                const qint64 left = m_end - m_p;
                const qint64 n = token.hasParam ? qBound(qint64(0), qint64(token.param), left) : 0;
                token.type = Token::Binary;
                token.data = m_p;
                token.size = qsizetype(n);
                m_p += n;
            }
            return;
        }
        if (s == '\'') {
            ++m_p;
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_p < m_end && hexValue(*m_p) >= 0) {
                value = value * 16 + hexValue(*m_p);
                ++m_p;
                ++digits;
            }
            if (digits == 0)
                continue;
            token.type = Token::Hex;
            token.hex = uchar(value);
            return;
        }
        ++m_p;
        token.type = Token::Symbol;
        token.symbol = s;
        return;
    }
    token.type = Token::End;
}

} // namespace platform::rtf
