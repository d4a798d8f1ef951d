#include "data/EditBuffer.h"

namespace data {

void EditBuffer::begin(std::vector<QVariant> values) {
    m_values = std::move(values);
    m_changed.assign(m_values.size(), false);
    m_blobs.assign(m_values.size(), std::nullopt);
    m_modified = false;
}

void EditBuffer::clear() {
    m_values.clear();
    m_changed.clear();
    m_blobs.clear();
    m_modified = false;
}

void EditBuffer::set(int field, const QVariant &stored) {
    m_values[size_t(field)] = stored;
    m_changed[size_t(field)] = true;
    m_modified = true;
}

void EditBuffer::setBlob(int field, const QByteArray &bytes) {
    m_blobs[size_t(field)] = bytes;
    set(field, bytes.isNull() ? QVariant() : QVariant(qlonglong(bytes.size())));
}

} // namespace data
