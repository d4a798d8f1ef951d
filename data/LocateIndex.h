#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace data {

// The rows of one column in ascending case-insensitive order of their text
// (ties in row order), nulls left out, for prefix searches by binary search.
class LocateIndex {
public:
    // textOf(row) gives the row's text, or a null QString for a null value.
    void build(int rowCount, const std::function<QString(int)> &textOf);
    bool isBuilt() const { return m_built; }
    void clear();
    // The first row whose text begins with prefix (letter case ignored); an
    // empty prefix matches only an empty text. -1 when none.
    int find(const QString &prefix) const;

private:
    std::vector<QString> m_folded; // sorted
    std::vector<int> m_rows;       // row of each entry
    bool m_built = false;
};

} // namespace data
