#include "records/RecordRoutines.h"

#include "core/Error.h"
#include "data/Field.h"
#include "data/TableObject.h"
#include "platform/imaging/JpegPicture.h"
#include "platform/imaging/JpegStart.h"
#include "widgets/PictureView.h"

#include <QLineEdit>

namespace records {

RecordRoutines::RecordRoutines(std::function<widgets::Page()> currentPage, QObject *parent)
    : QObject(parent)
    , m_currentPage(std::move(currentPage)) {}

void RecordRoutines::setPage(widgets::Page page, const RecordPage &parts) {
    m_pages.at(widgets::indexOf(page)) = parts;
    m_present.at(widgets::indexOf(page)) = true;
}

const RecordPage *RecordRoutines::page(widgets::Page page) const {
    const int index = widgets::indexOf(page);
    if (index < 0 || index >= widgets::kPageCount || !m_present[index])
        return nullptr;
    return &m_pages[index];
}

void RecordRoutines::IsImage() {
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_present[i] && m_pages[i].noPicture)
            m_pages[i].noPicture->hide();
    const RecordPage *current = page(currentPage());
    if (!current || !current->photograph)
        return;
    if (current->photograph->blobSize() != 0)
        ShowImage();
    else
        current->noPicture->show();
}

void RecordRoutines::ShowImage() {
    const RecordPage *current = page(currentPage());
    if (!current || !current->photograph)
        return;
    loadPicture(current->photograph, current->smallImage);
    if (current->largeImage)
        current->largeImage->setPicture(current->smallImage->picture());
}

void RecordRoutines::loadPicture(data::Field *picField, widgets::PictureView *view) {
    const QByteArray blob = picField->blob();
    const int start = platform::jpegStartsInBlob(blob);
    if (start < 0)
        throw core::Error(QStringLiteral("Stream read error"));
    view->setPicture(platform::JpegPicture(blob, start));
}

int RecordRoutines::JpegStartsInBlob(data::Field *picField) {
    return platform::jpegStartsInBlob(picField->blob());
}

void RecordRoutines::NumberOfRecords() {
    const RecordPage *current = page(currentPage());
    if (current && current->countBox)
        current->countBox->setText(QString::number(current->table->recordCount()));
}

void RecordRoutines::navigatorClick(widgets::DBNavigator::Button button) {
    switch (button) {
    case widgets::DBNavigator::nbFirst:
    case widgets::DBNavigator::nbPrior:
    case widgets::DBNavigator::nbNext:
    case widgets::DBNavigator::nbLast:
        IsImage();
        break;
    case widgets::DBNavigator::nbPost:
        NumberOfRecords();
        break;
    default:
        break;
    }
}

} // namespace records
