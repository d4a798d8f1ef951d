#include "records/PictureRoutines.h"

#include "core/Error.h"
#include "data/Field.h"
#include "data/TableObject.h"
#include "platform/imaging/JpegPicture.h"
#include "platform/imaging/JpegStart.h"
#include "widgets/PictureView.h"

#include <QLineEdit>

namespace records {

RecordRoutines::RecordRoutines(std::function<int()> pageIndex, QObject *parent)
    : QObject(parent)
    , m_pageIndex(std::move(pageIndex)) {}

void RecordRoutines::setPage(int pageIndex, const RecordPage &page) {
    m_pages.at(pageIndex) = page;
    m_present.at(pageIndex) = true;
}

const RecordPage *RecordRoutines::page(int pageIndex) const {
    if (pageIndex < 0 || pageIndex >= kPageCount || !m_present[pageIndex])
        return nullptr;
    return &m_pages[pageIndex];
}

void RecordRoutines::IsImage() {
    for (int i = 0; i < kPageCount; ++i)
        if (m_present[i] && m_pages[i].noPicture)
            m_pages[i].noPicture->hide();
    const RecordPage *current = page(pageIndex());
    if (!current || !current->photograph)
        return;
    if (current->photograph->blobSize() != 0)
        ShowImage();
    else
        current->noPicture->show();
}

void RecordRoutines::ShowImage() {
    const RecordPage *current = page(pageIndex());
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
    const RecordPage *current = page(pageIndex());
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
