#include "list/HeadlessList.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>

#include "document/NullPlatform.h"
#include "list/ToDoList.h"

namespace taskwell {
namespace {

// A desktop with no screen: the task list's messages become lines on stderr.
class ConsolePlatform final : public NullPlatform {
 public:
  explicit ConsolePlatform(std::ostream& err) : err_(err) {}

  void ShowMessageBox(const std::string& caption, const std::string& message) override {
    err_ << "taskwell: " << caption << ": " << message << '\n';
  }
  void ShowError(const std::string&, const std::string& text) override {
    err_ << "taskwell: " << text << '\n';
  }

 private:
  std::ostream& err_;
};

}  // namespace

HeadlessList::HeadlessList(const RegionalSettings& regional, const Clock& clock, std::ostream& err)
    : err_(err),
      console_(std::make_unique<ConsolePlatform>(err)),
      list_(std::make_unique<ToDoList>(*console_, DateFormat(regional, clock))) {}

HeadlessList::~HeadlessList() = default;

HeadlessList::Loaded HeadlessList::Load(const std::string& file) {
  if (!std::ifstream(file, std::ios::binary)) {
    err_ << "taskwell: cannot read " << file << ": " << std::strerror(errno) << '\n';
    return Loaded::Not;
  }
  return list_->Guarded([&] { list_->FormCreate(file, ""); }) ? Loaded::Whole : Loaded::InPart;
}

}  // namespace taskwell
