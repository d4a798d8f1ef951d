#pragma once

#include "core/Error.h"

namespace data {

// A refusal of the database engine. The text is SQLite's own (with the file
// or table it concerns where that helps); code() is SQLite's result code, or
// 0 for a refusal made by this layer itself.
class Error : public core::Error {
public:
    explicit Error(QString text, int code = 0)
        : core::Error(std::move(text))
        , m_code(code) {}

    int code() const noexcept { return m_code; }

private:
    int m_code;
};

} // namespace data
