#pragma once

#include <QVariant>

#include <cstddef>
#include <vector>

namespace data {

// The rows a table object read: one key per row (-1 for a row being
// inserted) and each row's stored values, row after row. Rows lie in key
// order but for the last, which may be one inserted by the table object.
class Snapshot {
public:
    explicit Snapshot(int width = 0)
        : m_width(width) {}

    int width() const { return m_width; }
    int rowCount() const { return int(m_keys.size()); }
    qint64 key(int row) const { return m_keys[size_t(row)]; }
    void setKey(int row, qint64 key) { m_keys[size_t(row)] = key; }
    const QVariant &cell(int row, int field) const { return m_cells[index(row, field)]; }
    QVariant &cell(int row, int field) { return m_cells[index(row, field)]; }

    void reserve(size_t rows);
    // Appends a row; valueOf(field) gives each of its values in turn.
    template <typename ValueOf> void appendRow(qint64 key, ValueOf valueOf) {
        m_keys.push_back(key);
        for (int f = 0; f < m_width; ++f)
            m_cells.push_back(valueOf(f));
    }
    // Appends a row of nulls.
    void appendEmptyRow(qint64 key);
    void removeRow(int row);
    // Drops every row and the memory they held.
    void clear();

    // The row that holds key, or -1. lastIsNew: the last row is being
    // inserted and takes no part in the ordered search.
    int findKey(qint64 key, bool lastIsNew) const;
    bool sameKeys(const Snapshot &other) const { return m_keys == other.m_keys; }
    // Same keys assumed: whether every row holds the same value in field.
    bool sameColumn(const Snapshot &other, int field) const;

private:
    size_t index(int row, int field) const { return size_t(row) * size_t(m_width) + size_t(field); }

    int m_width;
    std::vector<qint64> m_keys;
    std::vector<QVariant> m_cells;
};

} // namespace data
