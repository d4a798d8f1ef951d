#include "data/Snapshot.h"

#include <algorithm>

namespace data {

void Snapshot::reserve(size_t rows) {
    m_keys.reserve(rows);
    m_cells.reserve(rows * size_t(m_width));
}

void Snapshot::appendEmptyRow(qint64 key) {
    m_keys.push_back(key);
    m_cells.resize(m_cells.size() + size_t(m_width));
}

void Snapshot::removeRow(int row) {
    m_keys.erase(m_keys.begin() + row);
    const auto first = m_cells.begin() + ptrdiff_t(index(row, 0));
    m_cells.erase(first, first + m_width);
}

void Snapshot::clear() {
    m_keys.clear();
    m_keys.shrink_to_fit();
    m_cells.clear();
    m_cells.shrink_to_fit();
}

int Snapshot::findKey(qint64 key, bool lastIsNew) const {
    if (key < 0)
        return -1;
    // A row posted by this table object goes last, with the highest key; fall
    // back to a scan for anything else.
    const auto end = m_keys.end() - (lastIsNew && !m_keys.empty() ? 1 : 0);
    const auto it = std::lower_bound(m_keys.begin(), end, key);
    if (it != end && *it == key)
        return int(it - m_keys.begin());
    const auto found = std::find(m_keys.begin(), m_keys.end(), key);
    return found == m_keys.end() ? -1 : int(found - m_keys.begin());
}

bool Snapshot::sameColumn(const Snapshot &other, int field) const {
    for (int row = 0; row < rowCount(); ++row) {
        if (other.cell(row, field) != cell(row, field))
            return false;
    }
    return true;
}

} // namespace data
