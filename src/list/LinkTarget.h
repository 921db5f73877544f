#pragma once

#include <string>
#include <string_view>

namespace taskwell {

// What a double click on a task opens: an address for the desktop, or a local file by its
// absolute path. Decided from the text alone, so that nothing in it is ever run.
struct LinkTarget {
  enum class Kind { None, Url, File };
  Kind Type = Kind::None;
  // The address as written, or the absolute, lexically normal path.
  std::string Target;

  // The web address in a description, or else its first word, then read as a link: a text with
  // a scheme ("https:", "mailto:", ...) is that address; a "file:" address of this machine and
  // every other text are local paths, relative ones taken from the task file's folder.
  static LinkTarget FromDescription(std::string_view description, std::string_view taskFileName);
};

// True when opening the file would start a program: the executable bit, a desktop launcher,
// a script by its type or by a "#!" first line.
bool RunsProgram(const std::string& path);

}  // namespace taskwell
