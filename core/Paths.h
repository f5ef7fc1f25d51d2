// Cutting the directory off a path. Pure code. Separators are '\' and ':'; in UTF-8 no byte of a
// multi-byte character equals either, so a character such as "乗" never ends a directory.
#pragma once

#include <string>
#include <string_view>

// "D:\tools\clock.exe" -> "D:\tools\"; "C:\clock.exe" -> "C:\"; no separator -> "".
std::string DirectoryWithSeparator(std::string_view path);

// "D:\tools\clock.exe" -> "D:\tools"; the separator of a root stays: "C:\clock.exe" -> "C:\".
std::string DirectoryWithoutSeparator(std::string_view path);
