// Where a command line's program ends and its parameters begin, read as the platform's process
// start reads a command line that names no program apart from it. Pure code: whether a candidate
// names a program is asked of the caller.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct ProgramAndParameters {
    std::string Program;    // as found, or as written when nothing was found
    std::string Parameters; // the rest of the line as written, without the blanks before it
};

// Finds the program a candidate names (searched for, ".exe" added where its name has no
// extension), or nothing.
using FindProgram = std::function<std::optional<std::string>(const std::string& candidate)>;

// A line that starts with a double quote names the program up to the next double quote (or the
// end). Otherwise the candidates are the line up to each blank or tab, shortest first, then the
// whole line: the first that `find` answers is the program, so "C:\Program Files\x.exe -a" is
// "C:\Program.exe" when that exists. When none is answered, the first word is the program.
ProgramAndParameters SplitCommandLine(std::string_view line, const FindProgram& find);
