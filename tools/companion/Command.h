#pragma once

#include <QStringList>

#include <cstdio>

namespace tools {

// hearthledger-data [--data DIR] COMMAND [ARGS]: the companion command's
// arguments (without the program name) run; returns the exit status: 0 on
// success, 1 with a one-line error, 2 on a usage error.
int runCommand(const QStringList &arguments, std::FILE *out = stdout, std::FILE *err = stderr);

} // namespace tools
