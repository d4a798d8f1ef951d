#pragma once

#include <QTextDocument>

namespace rtftest {

// A document with the fonts, code pages and attributes the program uses.
void buildSample(QTextDocument &document);

// Sources that LibreOffice turns into RTF for the agreement test.
extern const char kHtmlFixture[];
extern const char kFodtFixture[];
// RTF as word processors write it, for LibreOffice's and our reading.
extern const char kListTableRtf[];
extern const char kNotesAndBoxesRtf[];

} // namespace rtftest
