#pragma once

#include "tools/companion/MemberVfs.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace tools {

// The SHA-256 of a member taken from its writes while SQLite makes them, on
// a second thread, so that the member need not be read back. SQLite writes
// the first page last (it settles its counters at commit) while the digest
// must begin with it, so the digest begins with a prediction of that page.
// The result holds only when the first page written is the predicted one and
// every later byte was written exactly once, in order.
class MemberDigest : public MemberVfs::Observer {
public:
    explicit MemberDigest(const QByteArray &predictedFirstPage);
    ~MemberDigest() override;
    MemberDigest(const MemberDigest &) = delete;
    MemberDigest &operator=(const MemberDigest &) = delete;

    void written(const QByteArray &bytes, qint64 at) override;
    // The digest of a member of `size` bytes, or an empty string when the
    // writes did not allow it: then the member must be read back.
    QString finish(qint64 size);

private:
    // The page SQLite leaves unwritten, where a write at `at` steps over it.
    void skipLockPage(qint64 at);

    struct Worker;
    std::unique_ptr<Worker> m_worker;
    QByteArray m_predicted;
    QByteArray m_firstWritten;
    qint64 m_next; // the offset the next write must start at
    bool m_broken = false;
};

} // namespace tools
