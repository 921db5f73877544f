#include "sync/SyncState.h"

#include <sys/stat.h>

#include <cinttypes>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "document/Folders.h"
#include "document/Message.h"
#include "document/SafeFile.h"
#include "interchange/Escapes.h"

namespace taskwell {
namespace {

constexpr std::string_view kMagic = "taskwell-sync 1";

std::string Field(std::istringstream& line, const std::string& path) {
  std::string word;
  line >> word;
  const std::optional<std::string> text = PercentDecode(word == "-" ? "" : word);
  if (!text) throw std::runtime_error("The sync state " + path + " is damaged");
  return *text;
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
  std::istringstream in(bytes);
  std::string text;
  if (!std::getline(in, text) || text != kMagic)
    throw std::runtime_error("The sync state " + path + " is damaged");
  while (std::getline(in, text)) {
    std::istringstream line(text);
    std::string kind;
    line >> kind;
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
