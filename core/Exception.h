// The program's exceptions: the conversions, the windowing layer and the sound player raise them.
// They carry a message text and nothing else; the one place that catches them is the error
// report, reached from every entry point that Windows calls. They live in the core, whose
// conversion raises one, and every layer above shares them.
#pragma once

#include <exception>
#include <string>
#include <utility>

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

#define EXCEPTION_CLASS(Name)                                                   \
    class Name : public Exception {                                             \
    public:                                                                     \
        using Exception::Exception;                                             \
        const char* ClassName() const noexcept override { return #Name; }       \
    }

EXCEPTION_CLASS(EConvertError);
EXCEPTION_CLASS(EOutOfResources);
EXCEPTION_CLASS(EInvalidOperation);

#undef EXCEPTION_CLASS
