#include "list/LinkTarget.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "document/Text.h"

namespace taskwell {
namespace {

// The web address in a description, or else its first word.
std::string_view LinkText(std::string_view description) {
  if (const std::size_t http = description.find("http"); http != std::string_view::npos) {
    description.remove_prefix(http);
  }
  return description.substr(0, description.find(' '));
}

bool IsAlpha(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// A scheme is a letter, then letters, digits, "+", "-" or ".", then ":". One letter is a drive
// ("c:"), not a scheme.
std::size_t SchemeLength(std::string_view text) {
  if (text.empty() || !IsAlpha(text[0])) return 0;
  std::size_t i = 1;
  while (i < text.size() &&
         (IsAlpha(text[i]) || std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '+' ||
          text[i] == '-' || text[i] == '.')) {
    ++i;
  }
  return i >= 2 && i < text.size() && text[i] == ':' ? i : 0;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The path of a "file:" address of this machine, percent escapes decoded; none for another
// host, a bad escape or a NUL.
std::optional<std::string> LocalFilePath(std::string_view url) {
  std::string_view rest = url.substr(5);  // after "file:"
  if (rest.starts_with("//")) {
    rest.remove_prefix(2);
    const std::size_t slash = rest.find('/');
    const std::string_view host = rest.substr(0, slash);
    if (!host.empty() && host != "localhost") return std::nullopt;
    rest = slash == std::string_view::npos ? std::string_view("/") : rest.substr(slash);
  }
  if (!rest.starts_with('/')) return std::nullopt;
  std::string path;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] != '%') {
      path += rest[i];
      continue;
    }
    const int high = i + 2 < rest.size() ? HexValue(rest[i + 1]) : -1;
    const int low = high >= 0 ? HexValue(rest[i + 2]) : -1;
    if (low < 0 || (high == 0 && low == 0)) return std::nullopt;
    path += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return path;
}

}  // namespace

LinkTarget LinkTarget::FromDescription(std::string_view description,
                                       std::string_view taskFileName) {
  const std::string_view text = LinkText(description);
  if (text.empty()) return {};
  const std::size_t scheme = SchemeLength(text);
  if (scheme > 0 && UpperAscii(text.substr(0, scheme)) != "FILE")
    return {Kind::Url, std::string(text)};
  std::filesystem::path path;
  if (scheme > 0) {
    const std::optional<std::string> local = LocalFilePath(text);
    if (!local) return {Kind::Url, std::string(text)};
    path = *local;
  } else {
    path = std::string(text);
  }
  if (path.is_relative()) {
    std::error_code error;
    const std::filesystem::path file =
        std::filesystem::absolute(std::filesystem::path(std::string(taskFileName)), error);
    path = file.parent_path() / path;
  }
  return {Kind::File, path.lexically_normal().string()};
}

bool RunsProgram(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::is_regular_file(status)) return false;
  const fs::perms exec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  if ((status.permissions() & exec) != fs::perms::none) return true;
  const std::string type = UpperAscii(fs::path(path).extension().string());
  static constexpr std::array<std::string_view, 18> kProgramTypes = {
      ".DESKTOP", ".SH",  ".BASH", ".ZSH", ".CSH", ".KSH", ".PY",  ".PL",  ".RB",
      ".PHP",     ".JAR", ".EXE",  ".BAT", ".CMD", ".COM", ".RUN", ".BIN", ".APPIMAGE"};
  if (std::find(kProgramTypes.begin(), kProgramTypes.end(), type) != kProgramTypes.end())
    return true;
  std::ifstream in(path, std::ios::binary);
  std::array<char, 2> start{};
  return in.read(start.data(), 2) && start[0] == '#' && start[1] == '!';
}

}  // namespace taskwell
