#include "core/Paths.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == ':'; }

// Number of characters up to and including the last separator; 0 when there is none.
std::size_t CutPoint(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (IsSeparator(path[i - 1]))
            return i;
    return 0;
}

} // namespace

std::string DirectoryWithSeparator(std::string_view path) {
    return std::string(path.substr(0, CutPoint(path)));
}

std::string DirectoryWithoutSeparator(std::string_view path) {
    std::size_t cut = CutPoint(path);
    // Keep the separator that makes a root ("C:\", "\"), drop the one that ends a directory.
    if (cut > 1 && path[cut - 1] == '\\' && !IsSeparator(path[cut - 2]))
        --cut;
    return std::string(path.substr(0, cut));
}

std::string_view FileNameOf(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/:");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string_view NameBeforeFirstDot(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    return name.substr(0, name.find('.'));
}
