#pragma once

#include <QString>

#include <optional>

// What the operating system says about itself and about the user.
namespace sysinfo {

struct OsVersion {
    QString productName;
    QString version;
};

inline constexpr const char *kOsReleasePath = "/etc/os-release";

// NAME and VERSION (or VERSION_ID) of an os-release file; a value the file
// lacks is empty. Nothing when the file cannot be read.
std::optional<OsVersion> readOsRelease(const QString &path);

// The kernel's name and release from uname, or nothing.
std::optional<OsVersion> kernelVersion();

// The os-release file's product name and version, falling back to the kernel's
// when the file cannot be read; empty parts where nothing can be read.
OsVersion operatingSystem(const QString &osReleasePath = QString::fromLatin1(kOsReleasePath));

// The login name of the user the program runs as, or nothing.
std::optional<QString> userName();

} // namespace sysinfo
