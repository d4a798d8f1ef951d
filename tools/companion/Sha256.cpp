#include "tools/companion/Sha256.h"

#include "core/Error.h"

#include <openssl/evp.h>

namespace tools {

struct Sha256::Context {
    EVP_MD_CTX *ctx = EVP_MD_CTX_new();
    ~Context() { EVP_MD_CTX_free(ctx); }
};

Sha256::Sha256()
    : m_context(std::make_unique<Context>()) {
    if (!m_context->ctx || EVP_DigestInit_ex(m_context->ctx, EVP_sha256(), nullptr) != 1)
        throw core::Error(QStringLiteral("SHA-256 is not available"));
}

Sha256::~Sha256() = default;

void Sha256::add(const char *data, qsizetype size) {
    if (size > 0)
        EVP_DigestUpdate(m_context->ctx, data, size_t(size));
}

QString Sha256::hex() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(m_context->ctx, digest, &length);
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char *>(digest), int(length)).toHex());
}

} // namespace tools
