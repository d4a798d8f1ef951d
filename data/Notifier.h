#pragma once

#include "data/TableObject.h"

namespace data {

// A table object's notifications to its data sources: data, state and current
// row changes. While its controls are disabled (disable() and enable() nest)
// nothing is reported; the last enable() reports once what changed meanwhile.
class Notifier {
public:
    explicit Notifier(TableObject *table)
        : m_table(table) {}

    void disable();
    void enable();
    bool isDisabled() const { return m_disableCount > 0; }

    void stateChanged();
    void dataChanged(Field *field);
    void currentRowChanged();

private:
    TableObject *m_table;
    int m_disableCount = 0;
    TableObject::State m_stateAtDisable = TableObject::State::Inactive;
    int m_rowAtDisable = -1;
};

} // namespace data
