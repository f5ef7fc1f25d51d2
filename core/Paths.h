// Cutting a path into its directory and its file name. Pure code. In UTF-8 no byte of a
// multi-byte character equals a separator, so a character such as "乗" never ends a directory.
#pragma once

#include <string>
#include <string_view>

// The directory cuts know '\' and ':' as separators.
// "D:\tools\clock.exe" -> "D:\tools\"; "C:\clock.exe" -> "C:\"; no separator -> "".
std::string DirectoryWithSeparator(std::string_view path);

// "D:\tools\clock.exe" -> "D:\tools"; the separator of a root stays: "C:\clock.exe" -> "C:\".
std::string DirectoryWithoutSeparator(std::string_view path);

// The part of a path after its last '\', '/' or ':'; the whole text when it has none.
// "D:\tools\clock.exe", "D:/tools/clock.exe" and "D:clock.exe" -> "clock.exe".
std::string_view FileNameOf(std::string_view path);

// The file name of a path (FileNameOf) cut before its first '.': what the application title is
// made of. "D:\tools\my.clock.exe" -> "my"; "\\server\share\Clock" -> "Clock".
std::string_view NameBeforeFirstDot(std::string_view path);
