#pragma once

#include "widgets/Page.h"

#include <QObject>
#include <QString>
#include <array>

class QFileDialog;

namespace data {
class Field;
class TableObject;
} // namespace data

namespace records {

class RecordRoutines;

// "Add Picture": a bitmap or JPEG file chosen by the user becomes the current
// record's picture; bitmaps are first converted to a JPEG file beside them.
class PictureCommands : public QObject {
    Q_OBJECT
public:
    struct Target {
        data::TableObject *table = nullptr;
        data::Field *photograph = nullptr;
    };

    PictureCommands(QFileDialog *dialog, RecordRoutines *routines, QObject *parent = nullptr);

    void setTarget(widgets::Page page, const Target &target);

    void AddPictureClick();
    static void BMPtoJPG(const QString &BMPpic, const QString &JPGpic);
    // Stores the file's bytes in the current record's blob and posts it;
    // an empty path shows "No picture is added" and changes nothing.
    static void SaveJpegToTable(data::TableObject *Table, data::Field *PicField,
                                const QString &sPicPath);

    // The file the user confirmed, or an empty text when the dialog was cancelled.
    QString chooseFile();

    // The name parts of one click: "my.photo.bmp" has the extension ".bmp" and
    // the JPEG name "my.photo.JPG"; a name without "." gets ".JPG" appended.
    static QString extensionOf(const QString &path);
    static QString jpegNameOf(const QString &name);

private:
    QFileDialog *m_dialog;
    RecordRoutines *m_routines;
    std::array<Target, widgets::kPageCount> m_targets;
    QString m_lastPath;
    QString m_lastFilter;
    // Whether the folder of the last confirmed file became the working directory.
    bool m_inChosenFolder = false;
};

} // namespace records
