#include "data/LocateIndex.h"

#include <algorithm>
#include <numeric>

namespace data {

void LocateIndex::clear() {
    m_folded.clear();
    m_rows.clear();
    m_built = false;
}

void LocateIndex::build(int rowCount, const std::function<QString(int)> &textOf) {
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

int LocateIndex::find(const QString &prefix) const {
    const QString key = prefix.toCaseFolded();
    // Every text that begins with key sorts at or after key, and the first
    // text at or after key begins with it when any does.
    const auto it = std::lower_bound(m_folded.begin(), m_folded.end(), key);
    if (it == m_folded.end())
        return -1;
    const bool match = key.isEmpty() ? it->isEmpty() : it->startsWith(key);
    return match ? m_rows[size_t(it - m_folded.begin())] : -1;
}

} // namespace data
