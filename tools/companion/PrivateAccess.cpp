#include "tools/companion/PrivateAccess.h"

#include "data/StoredPassword.h"
#include "tools/companion/StoreTable.h"

#include <cstdio>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace tools {

bool PrivateAccess::accepts(const QString &folder, const QString &typed) {
    StoreTable diary(folder, data::TableId::Diary);
    diary.table().first();
    const QString stored = diary.table().fieldByName(QStringLiteral("Password"))->asString();
    return data::ScramblePassword(typed) == stored;
}

QString PrivateAccess::ask(const QString &prompt) {
    const bool terminal = ::isatty(STDIN_FILENO) == 1;
    termios saved{};
    if (terminal) {
        std::fprintf(stderr, "%s", qPrintable(prompt));
        std::fflush(stderr);
        ::tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string line;
    for (int c; (c = std::fgetc(stdin)) != EOF && c != '\n';)
        line.push_back(char(c));
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        std::fprintf(stderr, "\n");
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromLocal8Bit(line.data(), qsizetype(line.size()));
}

} // namespace tools
