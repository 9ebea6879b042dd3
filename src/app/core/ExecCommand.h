// Turning a desktop entry's Exec line, or a command the user typed, into
// the program and arguments that open one file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits a command line into words as Exec lines are written: blanks
// separate words; a word in double quotes may hold blanks, and inside
// quotes a backslash keeps the next of ", `, $ and \ as it is. False for
// an unterminated quote or an empty line.
bool SplitCommandLine(std::string_view line, std::vector<std::string>& words);

// What the field codes of an Exec line stand for.
struct ExecContext {
    std::string file;       // the file to open (UTF-8, absolute)
    std::string name;       // %c: the program's name
    std::string icon;       // %i: "--icon <icon>" when not empty
    std::string entryPath;  // %k: where the desktop entry lives
};

// The argument list (program first) that opens `context.file` with the
// command `line`: %f and %F become the file, %u and %U its file: address,
// %i, %c and %k as ExecContext says, %% a percent sign; the deprecated
// codes (%d %D %n %N %v %m) vanish. A line without a file code gets the
// file as its last argument. False when the line cannot be split.
bool ExpandExec(std::string_view line, const ExecContext& context, std::vector<std::string>& argv);

// The file: address of an absolute file name, percent-encoding what an
// address may not hold.
std::string FileUrl(const std::string& path);
