#include "RtfLists.h"

#include "RtfTables.h"

namespace platform::rtf {

namespace {

constexpr int kMaxLists = 4096;
constexpr int kMaxLevelText = 64;
constexpr int kMaxLabel = 64; // characters; a paragraph's label never costs more
constexpr int kMaxRoman = 3999;
constexpr int kMaxLetters = 26 * 30;

QString roman(int value, bool upper) {
    static const std::pair<int, const char *> kDigits[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    QString out;
    for (const auto &[amount, digits] : kDigits) {
        for (; value >= amount; value -= amount)
            out += QLatin1String(digits);
    }
    return upper ? out.toUpper() : out;
}

// A, B, ... Z, AA, BB, ... as the word processors count with letters.
QString letters(int value, bool upper) {
    const QChar letter(char16_t((upper ? 'A' : 'a') + (value - 1) % 26));
    return QString((value - 1) / 26 + 1, letter);
}

QString ordinal(int value) {
    const int tens = value % 100;
    const int units = value % 10;
    const char *suffix = (tens >= 11 && tens <= 13) ? "th"
                         : units == 1               ? "st"
                         : units == 2               ? "nd"
                         : units == 3               ? "rd"
                                                    : "th";
    return QString::number(value) + QLatin1String(suffix);
}

QString numberText(int format, int value) {
    if (format == 23 || format == 255)
        return QString();
    if (value <= 0)
        return QString::number(value);
    switch (format) {
    case 1:
    case 2:
        return value <= kMaxRoman ? roman(value, format == 1) : QString::number(value);
    case 3:
    case 4:
        return value <= kMaxLetters ? letters(value, format == 3) : QString::number(value);
    case 5:
        return ordinal(value);
    case 22:
        return value < 10 ? QLatin1Char('0') + QString::number(value) : QString::number(value);
    default:
        return QString::number(value);
    }
}

// Bullets drawn from symbol faces (their characters sit at U+F020..U+F0FF)
// become the Unicode characters they picture.
char16_t bulletGlyph(char16_t c) {
    switch (c) {
    case 0xF0B7: // Symbol
        return 0x2022;
    case 0xF0A7: // Wingdings small square
        return 0x25AA;
    case 0xF06E:
        return 0x25A0;
    case 0xF06C:
        return 0x25CF;
    case 0xF071:
        return 0x2751;
    case 0xF076:
        return 0x2756;
    case 0xF0D8:
        return 0x27A2;
    case 0xF0FC:
        return 0x2714;
    default:
        return (c >= 0xF020 && c <= 0xF0FF) ? char16_t(0x2022) : c;
    }
}

} // namespace

Lists::Level *Lists::currentLevel() {
    if (m_lists.isEmpty() || m_lists.back().levels.isEmpty())
        return nullptr;
    return &m_lists.back().levels.back();
}

void Lists::listWord(Keyword keyword, const Token &t) {
    const int param = t.hasParam ? t.param : 0;
    switch (keyword) {
    case Keyword::List:
        if (m_lists.size() < kMaxLists)
            m_lists.append(List());
        return;
    case Keyword::ListId:
        if (!m_lists.isEmpty()) {
            m_lists.back().id = param;
            m_listById.insert(param, m_lists.size() - 1);
        }
        return;
    case Keyword::ListSimple:
        if (!m_lists.isEmpty())
            m_lists.back().simple = !t.hasParam || param != 0;
        return;
    case Keyword::ListLevel:
        if (!m_lists.isEmpty() && m_lists.back().levels.size() < kLevels)
            m_lists.back().levels.append(Level());
        else if (Level *level = currentLevel())
            *level = Level(); // a tenth level overwrites the ninth
        return;
    default:
        break;
    }
    Level *level = currentLevel();
    if (!level)
        return;
    switch (keyword) {
    case Keyword::LevelNfc:
        level->format = qBound(0, param, 255);
        break;
    case Keyword::LevelStartAt:
        level->startAt = qBound(0, param, 32767);
        break;
    case Keyword::LevelFollow:
        level->follow = qBound(0, param, 2);
        break;
    case Keyword::LevelLegal:
        level->legal = !t.hasParam || param != 0;
        break;
    case Keyword::LevelNoRestart:
        level->noRestart = !t.hasParam || param != 0;
        break;
    case Keyword::F:
        level->font = param;
        break;
    default:
        break;
    }
}

void Lists::beginLevelText() {
    if (Level *level = currentLevel()) {
        level->text.clear();
        level->hasText = true;
    }
}

void Lists::levelTextBytes(const char *data, qsizetype size) {
    Level *level = currentLevel();
    for (qsizetype i = 0; level && i < size && level->text.size() < kMaxLevelText; ++i)
        level->text.append({char16_t(uchar(data[i])), true});
}

void Lists::levelTextUnit(char16_t unit) {
    Level *level = currentLevel();
    if (level && level->text.size() < kMaxLevelText)
        level->text.append({unit, false});
}

void Lists::overrideWord(Keyword keyword, const Token &t) {
    const int param = t.hasParam ? t.param : 0;
    if (keyword == Keyword::ListOverride) {
        if (m_overrides.size() < kMaxLists)
            m_overrides.append(Override());
        return;
    }
    if (m_overrides.isEmpty())
        return;
    Override &current = m_overrides.back();
    switch (keyword) {
    case Keyword::ListId:
        current.listId = param;
        break;
    case Keyword::Ls:
        m_overrideByLs.insert(param, m_overrides.size() - 1);
        break;
    case Keyword::LfoLevel:
        ++current.lfoLevels;
        break;
    case Keyword::LevelStartAt:
        if (current.lfoLevels > 0 && current.lfoLevels <= kLevels)
            current.startAt[current.lfoLevels - 1] = qBound(0, param, 32767);
        break;
    default:
        break;
    }
}

std::optional<QString> Lists::nextLabel(int ls, int levelIndex) {
    const auto overrideAt = m_overrideByLs.constFind(ls);
    if (overrideAt == m_overrideByLs.constEnd())
        return std::nullopt;
    Override &lfo = m_overrides[*overrideAt];
    const auto listAt = m_listById.constFind(lfo.listId);
    if (listAt == m_listById.constEnd())
        return std::nullopt;
    const List &list = m_lists.at(*listAt);
    const int index = list.simple ? 0 : qBound(0, levelIndex, kLevels - 1);
    if (index >= list.levels.size())
        return std::nullopt;

    Counter &counter = m_counters[lfo.listId];
    const Level &level = list.levels.at(index);
    int start = level.startAt;
    if (lfo.startAt[index] && !lfo.restarted[index]) {
        lfo.restarted[index] = true;
        counter.started[index] = false;
        start = *lfo.startAt[index];
    }
    counter.value[index] = counter.started[index] ? counter.value[index] + 1 : start;
    counter.started[index] = true;
    for (int deeper = index + 1; deeper < list.levels.size(); ++deeper) {
        if (!list.levels.at(deeper).noRestart)
            counter.started[deeper] = false;
    }
    return label(list, index, counter);
}

QString Lists::label(const List &list, int index, const Counter &counter) const {
    const Level &level = list.levels.at(index);
    QString out;
    if (!level.hasText) {
        out = level.format == 23 ? QString(QChar(0x2022))
                                 : numberText(level.format, counter.value[index]);
    } else if (!level.text.isEmpty()) {
        // The first character counts those that follow; values below 9 stand
        // for the numbers of the levels they name.
        const Tables::Font *font = m_tables.font(level.font);
        const bool symbol = font && font->charset == 2;
        const CodePage *codePage = m_tables.codePage(m_tables.codePageOf(font));
        const qsizetype end = qMin<qsizetype>(level.text.size(), 1 + level.text.at(0).first);
        QByteArray bytes;
        const auto flushBytes = [&] {
            if (bytes.isEmpty())
                return;
            const QString decoded = codePage->decode(bytes);
            for (const QChar c : decoded)
                out += QChar(symbol && c.unicode() < 0x100 ? bulletGlyph(0xF000 + c.unicode())
                                                           : bulletGlyph(c.unicode()));
            bytes.clear();
        };
        for (qsizetype i = 1; i < end && out.size() < kMaxLabel; ++i) {
            const auto [value, raw] = level.text.at(i);
            if (raw && value < 0x20) {
                flushBytes();
                const int named = value;
                if (named < list.levels.size()) {
                    const int format =
                        (level.legal && named < index) ? 0 : list.levels.at(named).format;
                    const int number = counter.started[named] ? counter.value[named]
                                                              : list.levels.at(named).startAt;
                    out += numberText(format, number);
                }
            } else if (raw) {
                bytes.append(char(value));
            } else {
                flushBytes();
                out += QChar(bulletGlyph(value));
            }
        }
        flushBytes();
        // The hollow bullet of the word processors is a letter o in a
        // fixed face; here it shows as the white bullet it pictures.
        if (level.format == 23 && out == QLatin1String("o"))
            out = QString(QChar(0x25E6));
    }
    out.truncate(kMaxLabel);
    if (level.follow == 0)
        out += QLatin1Char('\t');
    else if (level.follow == 1)
        out += QLatin1Char(' ');
    return out;
}

} // namespace platform::rtf
