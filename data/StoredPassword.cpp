#include "data/StoredPassword.h"

namespace data {

QString ScramblePassword(const QString &text) {
    QString scrambled = text.left(255);
    for (QChar &c : scrambled)
        c = QChar(char16_t(c.unicode() ^ 0x0B));
    return scrambled;
}

} // namespace data
