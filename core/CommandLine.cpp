#include "core/CommandLine.h"

namespace {

bool IsBlank(char character) { return character == ' ' || character == '\t'; }

std::string AfterBlanks(std::string_view rest) {
    std::size_t start = 0;
    while (start < rest.size() && IsBlank(rest[start]))
        ++start;
    return std::string(rest.substr(start));
}

} // namespace

ProgramAndParameters SplitCommandLine(std::string_view line, const FindProgram& find) {
    if (!line.empty() && line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        const std::string name(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
        const std::string_view rest = close == std::string_view::npos ? std::string_view() : line.substr(close + 1);
        return {find(name).value_or(name), AfterBlanks(rest)};
    }
    std::optional<std::size_t> firstWordEnd;
    for (std::size_t end = 0; end <= line.size(); ++end) {
        if (end < line.size() && !IsBlank(line[end]))
            continue;
        if (end == 0 || IsBlank(line[end - 1]))
            continue; // no new candidate: the blank follows another one
        if (!firstWordEnd)
            firstWordEnd = end;
        if (std::optional<std::string> program = find(std::string(line.substr(0, end))))
            return {*std::move(program), AfterBlanks(line.substr(end))};
    }
    const std::size_t end = firstWordEnd.value_or(line.size());
    return {std::string(line.substr(0, end)), AfterBlanks(line.substr(end))};
}
