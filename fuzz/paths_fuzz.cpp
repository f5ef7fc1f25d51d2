// Cutting a path to its directory and its file name: the directory cuts are prefixes of the
// path and the file name its suffix, each ends where it should, and none splits a UTF-8 character.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Paths.h"
#include "fuzz/Check.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == ':'; }
bool IsNameSeparator(char c) { return IsSeparator(c) || c == '/'; }

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

    // The file name: everything after the last separator of any kind, which it holds none of.
    const std::string_view name = FileNameOf(path);
    FUZZ_CHECK(path.ends_with(name));
    FUZZ_CHECK(name.size() == path.size() || IsNameSeparator(path[path.size() - name.size() - 1]));
    for (const char c : name)
        FUZZ_CHECK(!IsNameSeparator(c));
    FUZZ_CHECK(with.size() + name.size() <= path.size());

    if (fuzz::IsValidUtf8(path)) {
        FUZZ_CHECK(fuzz::IsValidUtf8(with));
        FUZZ_CHECK(fuzz::IsValidUtf8(without));
        FUZZ_CHECK(fuzz::IsValidUtf8(name));
    }
    return 0;
}
