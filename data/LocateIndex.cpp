#include "data/LocateIndex.h"

#include <algorithm>
#include <numeric>

namespace data {

namespace {

bool matches(const QString &folded, const QString &key) {
    return key.isEmpty() ? folded.isEmpty() : folded.startsWith(key);
}

} // namespace

void LocateIndex::clear() {
    m_folded.clear();
    m_rows.clear();
    m_built = false;
    m_searched = false;
}

void LocateIndex::build(int rowCount, const TextOf &textOf) {
    clear();
    std::vector<QString> folded;
    std::vector<int> rows;
    folded.reserve(size_t(rowCount));
    rows.reserve(size_t(rowCount));
    for (int row = 0; row < rowCount; ++row) {
        const QString text = textOf(row);
        if (text.isNull())
            continue;
        folded.push_back(text.toCaseFolded());
        rows.push_back(row);
    }
    std::vector<int> order(folded.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return folded[size_t(a)] < folded[size_t(b)]; });
    m_folded.reserve(order.size());
    m_rows.reserve(order.size());
    for (int i : order) {
        m_folded.push_back(std::move(folded[size_t(i)]));
        m_rows.push_back(rows[size_t(i)]);
    }
    m_built = true;
}

int LocateIndex::find(const QString &prefix, int rowCount, const TextOf &textOf) {
    if (!m_built) {
        // One search scans; a second one is worth the sorted index.
        if (!m_searched) {
            m_searched = true;
            return scan(prefix, rowCount, textOf);
        }
        build(rowCount, textOf);
    }
    return findBuilt(prefix.toCaseFolded());
}

int LocateIndex::findBuilt(const QString &key) const {
    // Every text that begins with key sorts at or after key, and the first
    // text at or after key begins with it when any does.
    const auto it = std::lower_bound(m_folded.begin(), m_folded.end(), key);
    if (it == m_folded.end() || !matches(*it, key))
        return -1;
    return m_rows[size_t(it - m_folded.begin())];
}

int LocateIndex::scan(const QString &prefix, int rowCount, const TextOf &textOf) {
    const QString key = prefix.toCaseFolded();
    int best = -1;
    QString bestFolded;
    for (int row = 0; row < rowCount; ++row) {
        const QString text = textOf(row);
        if (text.isNull() || !text.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const QString folded = text.toCaseFolded();
        if (!matches(folded, key))
            continue;
        if (best < 0 || folded < bestFolded) {
            best = row;
            bestFolded = folded;
        }
    }
    return best;
}

void LocateIndex::eraseRow(int row) {
    const auto it = std::find(m_rows.begin(), m_rows.end(), row);
    if (it == m_rows.end())
        return;
    const auto at = it - m_rows.begin();
    m_rows.erase(it);
    m_folded.erase(m_folded.begin() + at);
}

void LocateIndex::setText(int row, const QString &text) {
    m_searched = false;
    if (!m_built)
        return;
    eraseRow(row);
    if (text.isNull())
        return;
    QString folded = text.toCaseFolded();
    // After equal texts of earlier rows, before those of later ones.
    auto at = std::lower_bound(m_folded.begin(), m_folded.end(), folded);
    auto rowAt = m_rows.begin() + (at - m_folded.begin());
    while (at != m_folded.end() && *at == folded && *rowAt < row) {
        ++at;
        ++rowAt;
    }
    m_rows.insert(rowAt, row);
    m_folded.insert(at, std::move(folded));
}

void LocateIndex::removeRow(int row) {
    if (!m_built)
        return;
    eraseRow(row);
    for (int &r : m_rows)
        if (r > row)
            --r;
}

} // namespace data
