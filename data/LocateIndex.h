#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace data {

// The rows of one column in ascending case-insensitive order of their text
// (ties in row order), nulls left out, for prefix searches by binary search.
// Until it is built, searches scan the rows; it is built when a second search
// comes, and kept up to date as single rows change.
class LocateIndex {
public:
    // textOf(row) gives the row's text, or a null QString for a null value.
    using TextOf = std::function<QString(int)>;

    // The first row whose text begins with prefix (letter case ignored); an
    // empty prefix matches only an empty text. -1 when none.
    int find(const QString &prefix, int rowCount, const TextOf &textOf);

    bool isBuilt() const { return m_built; }
    void build(int rowCount, const TextOf &textOf);
    void clear();

    // A row's text changed, or a row was appended (row == its new index).
    void setText(int row, const QString &text);
    // A row was removed; the rows after it move up by one.
    void removeRow(int row);

private:
    int findBuilt(const QString &folded) const;
    static int scan(const QString &prefix, int rowCount, const TextOf &textOf);
    void eraseRow(int row);

    std::vector<QString> m_folded; // sorted
    std::vector<int> m_rows;       // row of each entry
    bool m_built = false;
    bool m_searched = false;
};

} // namespace data
