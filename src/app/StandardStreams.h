#pragma once

#include <ostream>
#include <string>

namespace taskwell {

// The program's standard output and error as C++ streams, made on first use. The streams of
// <iostream> are made before main in any program that includes it, and the C++ locale with
// them: half a megabyte that a window's start would carry without ever writing a line.
std::ostream& StandardOutput();
std::ostream& StandardError();
// One line of standard input without its end; false when the input had ended.
bool ReadStandardLine(std::string& line);

}  // namespace taskwell
