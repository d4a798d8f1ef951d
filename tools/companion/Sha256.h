#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace tools {

// SHA-256 through libcrypto, which uses the processor's SHA instructions
// where it has them (several times Qt's own speed).
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256 &) = delete;
    Sha256 &operator=(const Sha256 &) = delete;

    void add(const char *data, qsizetype size);
    void add(const QByteArray &bytes) { add(bytes.constData(), bytes.size()); }
    // The digest as 64 lower-case hexadecimal digits; ends the hashing.
    QString hex();

private:
    struct Context;
    std::unique_ptr<Context> m_context;
};

} // namespace tools
