// The last-resort report, reached through the one exception boundary while no application runs:
// how it names what was thrown. The program is built without run-time type information, so the
// name comes from catching, not from a cast.
#include <exception>
#include <functional>
#include <string>

#include "Support.h"
#include "core/Exception.h"
#include "toolkit/Application.h"

using namespace testsupport;

TEST(StartupFailure, NamesOurClassesStdExceptionForAnotherAndExceptionForOneOfNoKnownType) {
    class OtherError : public std::exception {
        const char* what() const noexcept override { return "no room"; }
    };
    const struct {
        const char* what;
        std::function<void()> raise;
        std::wstring text;
    } cases[] = {
        {"ours", [] { throw EConvertError("'y' is not a valid integer value"); },
         L"Exception EConvertError in module win_tests.exe.\n'y' is not a valid integer value."},
        {"the base of ours", [] { throw Exception("Broken"); }, L"Exception Exception in module win_tests.exe.\nBroken."},
        {"another", [] { throw OtherError(); }, L"Exception std::exception in module win_tests.exe.\nno room."},
        {"no known type", [] { throw 42; }, L"Exception Exception in module win_tests.exe.\nUnknown exception."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartWatchdog();
        BoxCatcher boxes;
        EXPECT_FALSE(tk::Guarded(c.raise));
        StopWatchdog();
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].caption, L"Application Error");
        EXPECT_EQ(boxes.Boxes()[0].text, c.text);
    }
}
