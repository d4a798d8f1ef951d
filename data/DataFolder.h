#pragma once

#include <QString>

namespace data {

// Where Hearthledger.mdb and idioms.mdb live.
// Portable: the executable's own folder, whenever Hearthledger.mdb lies there.
// Installed: otherwise, the per-user data folder ($XDG_DATA_HOME/hearthledger,
// by default ~/.local/share/hearthledger).
class DataFolder {
public:
    // The folder of the running executable.
    static QString programFolder();
    // The per-user data folder; it may not exist yet.
    static QString userFolder();
    // True when the main file lies beside the executable.
    static bool isPortable();
    // The folder the program and its companion command work on.
    static QString resolve();
};

} // namespace data
