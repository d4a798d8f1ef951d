#include "platform/imaging/PictureFiles.h"

#include "core/Error.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <array>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

core::Error cannotOpen(const QString &path) {
    return core::Error(QStringLiteral("Cannot open file %1").arg(path));
}

core::Error cannotCreate(const QString &path) {
    return core::Error(QStringLiteral("Cannot create file %1").arg(path));
}

// A file descriptor, closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1)
        : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    // Closes the descriptor; false when closing reports an error (a write that failed late).
    bool reset(int fd = -1) {
        const int old = std::exchange(m_fd, fd);
        return old < 0 || ::close(old) == 0;
    }

private:
    int m_fd;
};

bool isRegularFile(int fd) {
    struct stat status {};
    return ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

bool writeAll(int fd, const char *data, qint64 size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(std::min<qint64>(size, 1 << 30)));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// Reads up to `size` bytes; returns how many, or -1 on a read error.
qint64 readUpTo(QFile *file, char *data, qint64 size) {
    qint64 done = 0;
    while (done < size) {
        const qint64 got = file->read(data + done, size - done);
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

} // namespace

std::unique_ptr<QFile> openRegularFile(const QString &path) {
    const QByteArray name = QFile::encodeName(path);
    // Looked at before opening too: opening a device may already do something.
    struct stat status {};
    if (path.isEmpty() || ::stat(name.constData(), &status) != 0 || !S_ISREG(status.st_mode))
        throw cannotOpen(path);
    Descriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0 || !isRegularFile(fd.get()))
        throw cannotOpen(path);
    auto file = std::make_unique<QFile>();
    if (!file->open(fd.get(), QIODevice::ReadOnly | QIODevice::Unbuffered,
                    QFileDevice::AutoCloseHandle))
        throw cannotOpen(path);
    fd.release();
    return file;
}

QByteArray readPictureFile(const QString &path) {
    const std::unique_ptr<QFile> file = openRegularFile(path);
    const auto tooLarge = [&path] {
        return core::Error(
            QStringLiteral("File %1 is too large: a picture may hold at most 1 GB").arg(path));
    };
    const qint64 size = file->size();
    if (size > kMaxPictureFileSize)
        throw tooLarge();
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    const qint64 got = readUpTo(file.get(), bytes.data(), size);
    if (got < 0)
        throw cannotOpen(path);
    bytes.truncate(qsizetype(got));
    // A file that grew since it was measured is read on, within the limit.
    std::array<char, 16384> chunk;
    for (;;) {
        const qint64 more = readUpTo(file.get(), chunk.data(), qint64(chunk.size()));
        if (more < 0)
            throw cannotOpen(path);
        if (more == 0)
            break;
        if (bytes.size() + more > kMaxPictureFileSize)
            throw tooLarge();
        bytes.append(chunk.data(), qsizetype(more));
    }
    return bytes;
}

void replaceFile(const QString &path, const QByteArray &bytes) {
    const QByteArray name = QFile::encodeName(path);
    struct stat existing {};
    const bool replacing = !path.isEmpty() && ::lstat(name.constData(), &existing) == 0;
    if (path.isEmpty() || (replacing && !S_ISREG(existing.st_mode)) ||
        (!replacing && errno != ENOENT))
        throw cannotCreate(path);

    const QByteArray folder = QFile::encodeName(QFileInfo(path).path());
    QByteArray temporary;
    Descriptor fd;
    for (int attempt = 0; attempt < 8 && fd.get() < 0; ++attempt) {
        temporary = folder + "/.picture-" +
                    QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
        fd.reset(::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        0666));
        if (fd.get() < 0 && errno != EEXIST)
            break;
    }
    if (fd.get() < 0)
        throw cannotCreate(path);

    bool written = writeAll(fd.get(), bytes.constData(), bytes.size()) &&
                   (!replacing || ::fchmod(fd.get(), existing.st_mode & 07777) == 0) &&
                   ::fsync(fd.get()) == 0;
    written = fd.reset() && written;
    if (!written) {
        ::unlink(temporary.constData());
        throw core::Error(QStringLiteral("Stream write error"));
    }
    // Whatever took the name meanwhile is replaced itself, a link included; a folder is not.
    if (::rename(temporary.constData(), name.constData()) != 0) {
        ::unlink(temporary.constData());
        throw cannotCreate(path);
    }
}

} // namespace platform
