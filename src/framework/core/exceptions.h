#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace fw {

// The base of every error the program raises itself. It carries a message that may be
// changed while the error travels (an outer layer can prefix or join it), and a class name
// for error records, because C++ type names are mangled.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    ~Exception() override = default;
    Exception(const Exception&) = default;
    Exception& operator=(const Exception&) = default;

    const std::string& Message() const noexcept { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }
    virtual std::string_view className() const noexcept { return "Exception"; }

private:
    std::string message_;
};

#define FW_DECLARE_EXCEPTION(Name, Base)                                              \
    class Name : public Base {                                                        \
    public:                                                                           \
        using Base::Base;                                                             \
        std::string_view className() const noexcept override { return #Name; }        \
    }

// A text that is no number, a date that does not exist, an object that cannot take
// another's value.
FW_DECLARE_EXCEPTION(EConvertError, Exception);
// An index outside a list.
FW_DECLARE_EXCEPTION(EListError, Exception);
// A stream that has fewer bytes than asked for, or refuses to take them.
FW_DECLARE_EXCEPTION(EStreamError, Exception);
// A file that cannot be opened, created, renamed or removed.
FW_DECLARE_EXCEPTION(EFileError, EStreamError);
// A folder operation that failed.
FW_DECLARE_EXCEPTION(EInOutError, Exception);

// The message of any error, ours or the standard library's.
std::string ErrorMessage(const std::exception& error);

} // namespace fw
