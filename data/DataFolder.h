#pragma once

#include <QString>

namespace data {

// Where Hearthledger.mdb and idioms.mdb live.
// Portable: the executable's own folder, whenever Hearthledger.mdb lies there.
// Installed: otherwise, the per-user data folder ($XDG_DATA_HOME/hearthledger,
// by default ~/.local/share/hearthledger), seeded on first use with the
// delivered files that an installation puts under its data prefix.
class DataFolder {
public:
    // The folder of the running executable.
    static QString programFolder();
    // The per-user data folder; it may not exist yet.
    static QString userFolder();
    // Where an installation beside `programFolder` keeps the delivered files
    // (../share/hearthledger from the executable's folder).
    static QString deliveredFolder(const QString &programFolder);
    // True when the main file lies in `programFolder`.
    static bool isPortable(const QString &programFolder);
    static bool isPortable() { return isPortable(programFolder()); }
    // The folder the program and its companion command work on.
    static QString resolve();

    // The data folder ready for the program: in portable mode the program's
    // folder, untouched; otherwise the per-user folder, seeded. `problem` says
    // why a database file is still missing there, naming the folders looked in.
    struct Prepared {
        QString folder;
        QString problem;
    };
    static Prepared prepare();

    // Copies each database file that `folder` lacks from `delivered`, making
    // `folder` (private to the user) when needed. An existing file is never
    // overwritten, and a copy that fails leaves no partial file behind.
    // Returns an empty text, or the reason a file is still missing.
    static QString seed(const QString &folder, const QString &delivered);
};

} // namespace data
