#pragma once

#include <string>

#include "framework/core/exceptions.h"

namespace fw::db {

// What went wrong, as far as callers act on it.
enum class ErrorKind {
    Other,
    // A row with the same unique key exists already.
    UniqueViolation,
    // Another connection held a lock longer than this one may wait.
    Busy,
    // The connection is not open, or could not be opened.
    NotConnected,
    // Refused before it reached the engine: more than one statement in one text, say.
    Refused,
};

// A failure of the database engine or of our interface to it. The message is the engine's
// own text; the native code is PostgreSQL's SQLSTATE ("23505") or SQLite's extended result
// code ("2067"), empty when the engine gave none.
class EDatabaseError : public Exception {
public:
    explicit EDatabaseError(std::string message, ErrorKind kind = ErrorKind::Other, std::string nativeCode = {})
        : Exception(std::move(message)), kind_(kind), nativeCode_(std::move(nativeCode))
    {
    }
    std::string_view className() const noexcept override { return "EDatabaseError"; }

    ErrorKind Kind() const { return kind_; }
    const std::string& NativeCode() const { return nativeCode_; }

private:
    ErrorKind kind_;
    std::string nativeCode_;
};

} // namespace fw::db
