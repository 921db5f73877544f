#include "sync/SyncState.h"

#include <sys/stat.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <stdexcept>
#include <string_view>

#include "document/Folders.h"
#include "document/Message.h"
#include "document/SafeFile.h"
#include "interchange/Escapes.h"

namespace taskwell {
namespace {

constexpr std::string_view kMagic = "taskwell-sync 1";

// The next word of `line`, decoded; the words are percent-encoded, so no space is in one.
std::string Field(std::string_view& line, const std::string& path) {
  const std::size_t start = std::min(line.find_first_not_of(' '), line.size());
  const std::size_t end = std::min(line.find(' ', start), line.size());
  const std::string_view word = line.substr(start, end - start);
  line.remove_prefix(end);
  const std::optional<std::string> text = PercentDecode(word == "-" ? "" : word);
  if (!text) throw std::runtime_error("The sync state " + path + " is damaged");
  return *text;
}

std::string_view NextLine(std::string_view& rest) {
  const std::size_t end = std::min(rest.find('\n'), rest.size());
  const std::string_view line = rest.substr(0, end);
  rest.remove_prefix(std::min(end + 1, rest.size()));
  return line;
}

std::string Encoded(const std::string& text) {
  return text.empty() ? "-" : PercentEncode(text);
}

}  // namespace

std::string SyncState::PathFor(const std::string& stateHome, const std::string& taskFile) {
  char name[32];
  std::snprintf(name, sizeof name, "%016" PRIx64, StableHash(taskFile));
  return stateHome + "/taskwell/sync/" + name + ".state";
}

SyncState SyncState::Load(const std::string& path) {
  SyncState state;
  std::string bytes;
  Message failure;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return state;
  if (!ReadWholeFile(path, bytes, nullptr, &failure)) throw std::runtime_error(failure.English());
  std::string_view rest = bytes;
  std::string_view line = NextLine(rest);
  if (line != kMagic) throw std::runtime_error("The sync state " + path + " is damaged");
  while (!rest.empty()) {
    line = NextLine(rest);
    const std::size_t space = std::min(line.find(' '), line.size());
    const std::string_view kind = line.substr(0, space);
    line.remove_prefix(space);
    if (kind == "token") {
      state.Token = Field(line, path);
      state.CTag = Field(line, path);
    } else if (kind == "item") {
      SyncedItem item;
      item.Uid = Field(line, path);
      item.Href = Field(line, path);
      item.ETag = Field(line, path);
      item.Key = Field(line, path);
      item.Copy = Field(line, path);
      state.Items.push_back(std::move(item));
    } else if (!kind.empty()) {
      throw std::runtime_error("The sync state " + path + " is damaged");
    }
  }
  return state;
}

void SyncState::Save(const std::string& path) const {
  std::string out(kMagic);
  out += "\ntoken " + Encoded(Token) + " " + Encoded(CTag) + "\n";
  for (const SyncedItem& item : Items) {
    out += "item " + Encoded(item.Uid) + " " + Encoded(item.Href) + " " + Encoded(item.ETag) + " " +
           Encoded(item.Key) + " " + Encoded(item.Copy) + "\n";
  }
  CreatePrivateFolders(path.substr(0, path.rfind('/')));
  AtomicFileWriter writer;
  writer.Open(path);
  writer.Append(out);
  writer.Commit();
}

const SyncedItem* SyncState::FindHref(const std::string& href) const {
  for (const SyncedItem& item : Items) {
    if (item.Href == href) return &item;
  }
  return nullptr;
}

SyncedItem* SyncState::FindUid(const std::string& uid) {
  for (SyncedItem& item : Items) {
    if (item.Uid == uid) return &item;
  }
  return nullptr;
}

}  // namespace taskwell
