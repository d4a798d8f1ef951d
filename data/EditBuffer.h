#pragma once

#include <QByteArray>
#include <QVariant>

#include <optional>
#include <vector>

namespace data {

// The row being edited or inserted: each field's value as stored, which
// fields the edit changed, and the new bytes of a changed blob (the value of
// a blob field is its size).
class EditBuffer {
public:
    // Starts an edit of a row holding `values` (all null for a new row).
    void begin(std::vector<QVariant> values);
    void clear();

    bool isModified() const { return m_modified; }
    const QVariant &value(int field) const { return m_values[size_t(field)]; }
    bool isChanged(int field) const { return m_changed[size_t(field)]; }
    // The bytes a changed blob field will hold; none while it is unchanged.
    const std::optional<QByteArray> &blob(int field) const { return m_blobs[size_t(field)]; }

    void set(int field, const QVariant &stored);
    void setBlob(int field, const QByteArray &bytes);

private:
    std::vector<QVariant> m_values;
    std::vector<bool> m_changed;
    std::vector<std::optional<QByteArray>> m_blobs;
    bool m_modified = false;
};

} // namespace data
