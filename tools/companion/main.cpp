// hearthledger-data: Hearthledger's companion command (hearthledger-data --help).
#include "tools/companion/Command.h"

#include <QCoreApplication>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    return tools::runCommand(app.arguments().mid(1));
}
