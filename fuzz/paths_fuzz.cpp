// Cutting a path to its directory: both cuts are prefixes of the path, end where they should,
// and never split a UTF-8 character.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Paths.h"
#include "fuzz/Check.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == ':'; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view path(reinterpret_cast<const char*>(data), size);
    const std::string with = DirectoryWithSeparator(path);
    const std::string without = DirectoryWithoutSeparator(path);

    // With the separator: everything up to the last separator, which nothing after it repeats.
    FUZZ_CHECK(path.starts_with(with));
    FUZZ_CHECK(with.empty() || IsSeparator(with.back()));
    for (std::size_t i = with.size(); i < path.size(); ++i)
        FUZZ_CHECK(!IsSeparator(path[i]));

    // Without it: the same, less a final backslash unless that backslash makes a root ("C:\", "\").
    FUZZ_CHECK(with.starts_with(without));
    FUZZ_CHECK(with.size() - without.size() <= 1);
    if (without.size() < with.size()) {
        FUZZ_CHECK(with.back() == '\\');
        FUZZ_CHECK(with.size() >= 2 && !IsSeparator(with[with.size() - 2]));
    } else if (!with.empty() && with.back() == '\\') {
        FUZZ_CHECK(with.size() == 1 || IsSeparator(with[with.size() - 2]));
    }

    if (fuzz::IsValidUtf8(path)) {
        FUZZ_CHECK(fuzz::IsValidUtf8(with));
        FUZZ_CHECK(fuzz::IsValidUtf8(without));
    }
    return 0;
}
