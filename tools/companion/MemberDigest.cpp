#include "tools/companion/MemberDigest.h"

#include "tools/companion/Sha256.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace tools {

namespace {
// Written bytes waiting for the digest: at most this many gathered writes.
constexpr size_t kQueued = 256;
// SQLite never writes the page that holds the byte at 1 GiB (its locks lie
// there): in a member, written into fresh space of the archive, it reads as zeros.
constexpr qint64 kLockByte = qint64(1) << 30;
} // namespace

// Hashes queued buffers in order on its own thread. Each side wakes the other
// only when that one may be waiting: the queue was empty, or full.
struct MemberDigest::Worker {
    struct Piece {
        QByteArray bytes;
        qsizetype from;
    };
    Sha256 sha;
    std::mutex mutex;
    std::condition_variable filled;
    std::condition_variable emptied;
    std::deque<Piece> queue;
    bool closed = false;
    std::thread thread{[this] { run(); }};

    void add(const QByteArray &bytes, qsizetype from) {
        std::unique_lock lock(mutex);
        emptied.wait(lock, [this] { return queue.size() < kQueued; });
        queue.push_back({bytes, from});
        if (queue.size() == 1)
            filled.notify_one();
    }
    void run() {
        for (;;) {
            Piece piece;
            {
                std::unique_lock lock(mutex);
                filled.wait(lock, [this] { return closed || !queue.empty(); });
                if (queue.empty())
                    return;
                piece = std::move(queue.front());
                queue.pop_front();
                if (queue.size() == kQueued - 1)
                    emptied.notify_one();
            }
            sha.add(piece.bytes.constData() + piece.from, piece.bytes.size() - piece.from);
        }
    }
    void close() {
        {
            std::lock_guard lock(mutex);
            closed = true;
        }
        filled.notify_one();
        if (thread.joinable())
            thread.join();
    }
    ~Worker() { close(); }
};

MemberDigest::MemberDigest(const QByteArray &predictedFirstPage)
    : m_worker(std::make_unique<Worker>())
    , m_predicted(predictedFirstPage)
    , m_next(predictedFirstPage.size()) {
    m_worker->add(m_predicted, 0);
}

MemberDigest::~MemberDigest() = default;

void MemberDigest::written(const QByteArray &bytes, qint64 at) {
    if (m_broken)
        return;
    qsizetype from = 0;
    if (at < m_predicted.size()) {
        // The first page: once, whole, and kept for the comparison.
        if (at != 0 || bytes.size() < m_predicted.size() || !m_firstWritten.isNull()) {
            m_broken = true;
            return;
        }
        m_firstWritten = bytes.left(m_predicted.size());
        from = m_predicted.size();
        at = from;
    }
    if (from == bytes.size())
        return;
    if (at != m_next)
        skipLockPage(at);
    if (at != m_next) {
        m_broken = true;
        return;
    }
    m_worker->add(bytes, from);
    m_next += bytes.size() - from;
}

void MemberDigest::skipLockPage(qint64 at) {
    const qint64 pageSize = m_predicted.size();
    if (m_next == kLockByte / pageSize * pageSize && at == m_next + pageSize) {
        m_worker->add(QByteArray(pageSize, '\0'), 0);
        m_next = at;
    }
}

QString MemberDigest::finish(qint64 size) {
    if (!m_broken && m_next != size)
        skipLockPage(size);
    m_worker->close();
    if (m_broken || m_next != size || m_firstWritten != m_predicted)
        return {};
    return m_worker->sha.hex();
}

} // namespace tools
