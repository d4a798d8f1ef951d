#include "tools/companion/Command.h"

#include "core/Error.h"
#include "data/DataFolder.h"
#include "data/Schema.h"
#include "tools/Preparer.h"
#include "tools/companion/Backup.h"
#include "tools/companion/CsvExport.h"
#include "tools/companion/PrivateAccess.h"
#include "tools/companion/VCardExport.h"
#include "tools/jet/DataFiles.h"
#include "tools/jet/JetFile.h"
#include "tools/jet/JetImport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <unistd.h>

namespace tools {

namespace {

const char *const kUsage =
    "usage: hearthledger-data [--data DIR] COMMAND [ARGUMENTS]\n"
    "\n"
    "Works on the data folder of Hearthledger (the program's own, or the one\n"
    "--data names).\n"
    "\n"
    "commands:\n"
    "  import-jet FILE [--replace]   convert a Jet/Access database (.mdb, .accdb)\n"
    "                                into Hearthledger.mdb or idioms.mdb; an\n"
    "                                existing file only with --replace, and then\n"
    "                                it is kept as <name>.before-import\n"
    "  backup DEST                   write a consistent backup archive (tar) of\n"
    "                                both files, also while Hearthledger runs;\n"
    "                                DEST may be a folder\n"
    "  verify ARCHIVE                check an archive: sizes, SHA-256, integrity\n"
    "  restore ARCHIVE               put the files of an archive back, keeping the\n"
    "                                current ones as <name>.before-restore\n"
    "  export-csv DIR [--include-private]\n"
    "                                one CSV file per table, with pictures and\n"
    "                                diary pages as files; Diary and Privacy only\n"
    "                                with --include-private and the diary password\n"
    "  export-vcard FILE.vcf         the People table as vCard 4.0\n"
    "  prepare                       create the files that are missing, with\n"
    "                                their delivered content\n"
    "\n"
    "options: --help, --version\n";

class UsageError : public core::Error {
public:
    using core::Error::Error;
};

// A line on the terminal once work takes longer than a second.
class ProgressLine {
public:
    explicit ProgressLine(std::FILE *err)
        : m_err(err)
        , m_terminal(::isatty(::fileno(err)) == 1) {
        m_started.start();
    }
    ~ProgressLine() {
        if (m_shown && m_terminal)
            std::fprintf(m_err, "\n");
    }
    void operator()(const QString &text) {
        const qint64 now = m_started.elapsed();
        if (now < 1000 || now - m_last < (m_terminal ? 200 : 5000))
            return;
        m_last = now;
        m_shown = true;
        if (m_terminal)
            std::fprintf(m_err, "\r\033[K%s", qPrintable(text));
        else
            std::fprintf(m_err, "%s\n", qPrintable(text));
        std::fflush(m_err);
    }

private:
    std::FILE *m_err;
    bool m_terminal;
    bool m_shown = false;
    qint64 m_last = -1000000;
    QElapsedTimer m_started;
};

void print(std::FILE *out, const QString &text) {
    std::fprintf(out, "%s\n", qPrintable(text));
}

QString takeArgument(QStringList &args, const QString &what) {
    if (args.isEmpty() || args.first().startsWith(QLatin1String("--")))
        throw UsageError(QStringLiteral("%1 is missing").arg(what));
    return args.takeFirst();
}

bool takeFlag(QStringList &args, const QString &flag) {
    return args.removeAll(flag) > 0;
}

void noMore(const QStringList &args) {
    if (!args.isEmpty())
        throw UsageError(QStringLiteral("unexpected argument '%1'").arg(args.first()));
}

int importJet(const QString &folder, QStringList args, std::FILE *out, ProgressLine &progress) {
    const bool replace = takeFlag(args, QStringLiteral("--replace"));
    const QString file = takeArgument(args, QStringLiteral("the Jet file"));
    noMore(args);
    QString name;
    {
        const JetFile jet(file);
        name = JetImport::storeFileFor(jet);
        if (name.isEmpty()) {
            throw core::Error(QStringLiteral("No table of %1 belongs in %2 or %3")
                                  .arg(file, QLatin1String(data::Schema::mainFile),
                                       QLatin1String(data::Schema::idiomFile)));
        }
    }
    if (!QDir().mkpath(folder))
        throw core::Error(QStringLiteral("Cannot create the folder %1").arg(folder));
    const DataFiles files(folder);
    const QString target = files.path(name);
    if (QFileInfo::exists(target)) {
        if (!replace)
            throw core::Error(QStringLiteral("%1 exists; give --replace to replace it (it is then "
                                             "kept beside the new one)")
                                  .arg(target));
        files.refuseWhileOpen();
    }
    QString kept;
    const JetImportReport report = JetImport::convertInto(
        file, target, target + QStringLiteral(".before-import"), &kept, std::ref(progress));
    print(out, report.text());
    if (!kept.isEmpty())
        print(out, QStringLiteral("The former %1 is kept as %2").arg(name, kept));
    return 0;
}

int exportCsv(const QString &folder, QStringList args, std::FILE *out, ProgressLine &progress) {
    const bool withPrivate = takeFlag(args, QStringLiteral("--include-private"));
    const QString directory = takeArgument(args, QStringLiteral("the folder to write into"));
    noMore(args);
    if (withPrivate &&
        !PrivateAccess::accepts(folder, PrivateAccess::ask(QStringLiteral("Diary password: "))))
        throw core::Error(QStringLiteral("Wrong password: the private tables stay unexported"));
    for (const QString &line : CsvExport::write(folder, directory, withPrivate, std::ref(progress)))
        print(out, line);
    return 0;
}

int run(QStringList args, std::FILE *out, std::FILE *err) {
    QString folder;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--help")) {
            std::fprintf(out, "%s", kUsage);
            return 0;
        }
        if (option == QLatin1String("--version")) {
            print(out, QStringLiteral("hearthledger-data ") + Backup::programVersion());
            return 0;
        }
        if (option == QLatin1String("--data"))
            folder = takeArgument(args, QStringLiteral("the folder after --data"));
        else
            throw UsageError(QStringLiteral("unknown option '%1'").arg(option));
    }
    if (args.isEmpty())
        throw UsageError(QStringLiteral("no command given"));
    if (folder.isEmpty())
        folder = data::DataFolder::resolve();
    folder = QDir(folder).absolutePath();
    const QString command = args.takeFirst();
    ProgressLine progress(err);
    if (command == QLatin1String("help")) {
        std::fprintf(out, "%s", kUsage);
        return 0;
    }
    if (command == QLatin1String("import-jet"))
        return importJet(folder, args, out, progress);
    if (command == QLatin1String("backup")) {
        const QString destination = takeArgument(args, QStringLiteral("the archive to write"));
        noMore(args);
        print(out, QStringLiteral("Backup written to %1")
                       .arg(Backup::create(folder, destination, std::ref(progress))));
        return 0;
    }
    if (command == QLatin1String("verify")) {
        const QString archive = takeArgument(args, QStringLiteral("the archive"));
        noMore(args);
        const Backup::Verified verified = Backup::verify(archive, std::ref(progress));
        print(out, QStringLiteral("Backup of %1 by Hearthledger %2")
                       .arg(verified.manifest.created.toString(Qt::ISODate),
                            verified.manifest.programVersion));
        for (const QString &line : verified.lines)
            print(out, line);
        return 0;
    }
    if (command == QLatin1String("restore")) {
        const QString archive = takeArgument(args, QStringLiteral("the archive"));
        noMore(args);
        for (const QString &line : Backup::restore(archive, folder, std::ref(progress)))
            print(out, line);
        return 0;
    }
    if (command == QLatin1String("export-csv"))
        return exportCsv(folder, args, out, progress);
    if (command == QLatin1String("export-vcard")) {
        const QString file = takeArgument(args, QStringLiteral("the vCard file to write"));
        noMore(args);
        const int cards = VCardExport::write(folder, file, std::ref(progress));
        print(out, QStringLiteral("%1 cards written to %2").arg(cards).arg(file));
        return 0;
    }
    if (command == QLatin1String("prepare")) {
        noMore(args);
        const QStringList written = Preparer::prepare(folder);
        for (const QString &path : written)
            print(out, QStringLiteral("created %1").arg(path));
        if (written.isEmpty())
            print(out, QStringLiteral("Both files exist in %1; nothing to do").arg(folder));
        return 0;
    }
    throw UsageError(QStringLiteral("unknown command '%1'").arg(command));
}

} // namespace

int runCommand(const QStringList &arguments, std::FILE *out, std::FILE *err) {
    try {
        return run(arguments, out, err);
    } catch (const UsageError &e) {
        std::fprintf(err, "hearthledger-data: %s (see hearthledger-data --help)\n", e.what());
        return 2;
    } catch (const core::Error &e) {
        std::fprintf(err, "hearthledger-data: %s\n", e.what());
        return 1;
    }
}

} // namespace tools
