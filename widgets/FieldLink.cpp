#include "widgets/FieldLink.h"

#include "data/DataSource.h"
#include "data/Field.h"
#include "data/TableObject.h"

#include "widgets/Messages.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace widgets {

FieldLink::FieldLink(QObject *control)
    : QObject(control)
    , m_control(control) {}

FieldLink::~FieldLink() {
    if (m_source)
        m_source->removePendingEdit(this);
}

void FieldLink::setDataSource(data::DataSource *source) {
    if (m_source == source)
        return;
    for (const auto &link : std::as_const(m_links))
        disconnect(link);
    m_links.clear();
    if (m_source)
        m_source->removePendingEdit(this);
    m_source = source;
    if (source) {
        source->addPendingEdit(this);
        m_links << connect(source, &data::DataSource::dataChange, this, &FieldLink::dataChange)
                << connect(source, &data::DataSource::updateData, this, &FieldLink::updateData)
                << connect(source, &data::DataSource::stateChange, this, &FieldLink::activeChanged)
                << connect(source, &data::DataSource::dataSetChanged, this, &FieldLink::reload);
    }
    reload();
}

void FieldLink::setFieldName(const QString &column) {
    m_column = column;
    reload();
}

data::TableObject *FieldLink::table() const {
    return m_source ? m_source->dataSet() : nullptr;
}

data::Field *FieldLink::field() const {
    data::TableObject *t = table();
    if (!t || !t->isActive() || m_column.isEmpty())
        return nullptr;
    return t->findField(m_column);
}

bool FieldLink::canModify() const {
    data::Field *f = field();
    return f && !f->isReadOnly() && table()->canModify();
}

bool FieldLink::editing() const {
    data::TableObject *t = table();
    return t && t->isEditing();
}

bool FieldLink::edit() {
    if (!canModify())
        return false;
    if (!editing())
        table()->edit();
    return editing();
}

bool FieldLink::beginUserChange() {
    try {
        return edit();
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

void FieldLink::focusLeft(const QFocusEvent *event) {
    // Only a move of the focus within the window leaves the field; a box or
    // another window taking the focus does not.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    try {
        writePending();
    } catch (...) {
        // Reported once the focus change is over, with the focus back here.
        std::exception_ptr error = std::current_exception();
        QPointer<QWidget> control(qobject_cast<QWidget *>(m_control));
        auto refocus = [control] {
            if (!control)
                return;
            control->setFocus(Qt::OtherFocusReason);
            if (auto *edit = qobject_cast<QLineEdit *>(control.data()))
                edit->selectAll();
        };
        QTimer::singleShot(0, this, [refocus, error] {
            refocus();
            try {
                std::rethrow_exception(error);
            } catch (...) {
                reportCurrentException();
            }
            refocus();
        });
    }
}

void FieldLink::writePending() {
    if (!m_modified || !onWrite || !field())
        return;
    m_writing = true;
    try {
        onWrite();
    } catch (...) {
        m_writing = false;
        throw;
    }
    m_writing = false;
    m_modified = false;
}

void FieldLink::writeAllPending(data::DataSource *source) {
    if (source)
        source->writePendingEdits();
}

void FieldLink::reload() {
    m_modified = false;
    if (!onLoad)
        return;
    m_loading = true;
    onLoad();
    m_loading = false;
}

void FieldLink::dataChange(data::Field *changed) {
    if (m_writing)
        return;
    if (changed && changed != field())
        return;
    reload();
}

void FieldLink::updateData() {
    // Bad text was already refused by writeAllPending before the operation
    // began; what still fails here is left pending in the control.
    try {
        writePending();
    } catch (...) {
    }
}

} // namespace widgets
