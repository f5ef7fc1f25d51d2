// The exceptions that the toolkit, the sound player and the conversions raise. They carry a
// message text and nothing else; the one place that catches them is the error report of the
// application object, reached from every entry point that Windows calls. They live in the core,
// whose conversion raises one, and keep the toolkit's namespace, whose family they are.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace tk {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }
    // Named in the last-resort box that reports a failure during start-up.
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    std::string message_;
};

#define TK_EXCEPTION_CLASS(Name)                                                   \
    class Name : public Exception {                                                \
    public:                                                                        \
        using Exception::Exception;                                                \
        const char* ClassName() const noexcept override { return #Name; }          \
    }

TK_EXCEPTION_CLASS(EConvertError);
TK_EXCEPTION_CLASS(EOutOfResources);
TK_EXCEPTION_CLASS(EInvalidOperation);

#undef TK_EXCEPTION_CLASS

} // namespace tk
