#pragma once

#include <QByteArray>
#include <QString>

namespace tools {

// A picture blob as a file of its own.
struct PictureFile {
    QByteArray bytes;
    QString extension; // "jpg", "bmp", ... "bin" when nothing is recognised
};

// The file a picture blob makes: a picture file stored whole stays whole; a
// JPEG behind a header of another tool's making starts at its start marker;
// a bitmap wrapped in an OLE object of a Jet file comes out as that bitmap;
// anything else is kept as it is, with the extension "bin".
PictureFile pictureFile(const QByteArray &blob);

} // namespace tools
