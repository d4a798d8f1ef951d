// libFuzzer target for the RTF reader. Every input is read as RTF (and, when
// it is short, also through the column path), the document is laid out, and
// the writer must settle: writing, reading and writing again gives the same
// bytes.

#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QAbstractTextDocumentLayout>
#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_rtfreader";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    platform::RtfReader reader;
    QTextDocument document;
    reader.readRtf(bytes, &document);
    if (size < 4096) {
        document.setTextWidth(600);
        (void)document.size();
        QTextDocument column;
        reader.read(QString::fromLatin1(bytes), &column);
    }

    const platform::RtfWriter writer;
    const QByteArray first = writer.write(document);
    QTextDocument again;
    reader.readRtf(first, &again);
    const QByteArray second = writer.write(again);
    if (second != first) {
        std::fprintf(stderr, "writer does not settle:\n%s\n---\n%s\n", first.constData(),
                     second.constData());
        std::abort();
    }
    return 0;
}
