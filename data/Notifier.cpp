#include "data/Notifier.h"

namespace data {

void Notifier::disable() {
    if (m_disableCount++ == 0) {
        m_stateAtDisable = m_table->state();
        m_rowAtDisable = m_table->currentIndex();
    }
}

void Notifier::enable() {
    if (m_disableCount == 0 || --m_disableCount > 0)
        return;
    if (m_table->state() != m_stateAtDisable)
        emit m_table->stateChanged();
    if (m_table->currentIndex() != m_rowAtDisable)
        emit m_table->currentRowChanged(m_table->currentIndex());
    if (m_table->isActive())
        emit m_table->dataChanged(nullptr);
}

void Notifier::stateChanged() {
    if (!isDisabled())
        emit m_table->stateChanged();
}

void Notifier::dataChanged(Field *field) {
    if (!isDisabled())
        emit m_table->dataChanged(field);
}

void Notifier::currentRowChanged() {
    if (!isDisabled())
        emit m_table->currentRowChanged(m_table->currentIndex());
}

} // namespace data
