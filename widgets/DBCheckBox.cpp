#include "widgets/DBCheckBox.h"

#include "data/Field.h"
#include "widgets/FieldLink.h"
#include "widgets/Messages.h"

namespace widgets {

DBCheckBox::DBCheckBox(const QString &caption, QWidget *parent)
    : QCheckBox(caption, parent)
    , m_link(new FieldLink(this)) {
    setTristate(true);
    m_link->onLoad = [this] {
        data::Field *field = m_link->field();
        if (!field || field->isNull())
            setCheckState(Qt::PartiallyChecked);
        else
            setCheckState(field->value().toBool() ? Qt::Checked : Qt::Unchecked);
    };
}

void DBCheckBox::setDataSource(data::DataSource *source) {
    m_link->setDataSource(source);
}

void DBCheckBox::setDataField(const QString &column) {
    m_link->setFieldName(column);
}

void DBCheckBox::nextCheckState() {
    try {
        if (!m_link->edit())
            return;
        const bool value = checkState() != Qt::Checked;
        m_link->field()->setValue(value);
        setCheckState(value ? Qt::Checked : Qt::Unchecked);
    } catch (...) {
        reportCurrentException();
    }
}

} // namespace widgets
