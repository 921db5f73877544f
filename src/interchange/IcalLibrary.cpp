#include "interchange/IcalLibrary.h"

#include <dlfcn.h>

#include <stdexcept>
#include <string>

namespace taskwell {
namespace {

struct Opened {
  IcalLibrary Library;
  std::string Failure;
};

template <typename Function>
bool Resolve(void* handle, const char* name, Function& into) {
  into = reinterpret_cast<Function>(::dlsym(handle, name));  // NOLINT: how dlsym is used
  return into != nullptr;
}

Opened Open() {
  Opened opened;
  // The library of the version we were built against; already there when the program links it.
  void* handle = ::dlopen(TASKWELL_LIBICAL_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    opened.Failure = std::string("the iCalendar library could not be loaded: ") + ::dlerror();
    return opened;
  }
  IcalLibrary& l = opened.Library;
  const bool all = Resolve(handle, "icalparser_parse_string", l.ParseString) &&
                   Resolve(handle, "icalcomponent_free", l.FreeComponent) &&
                   Resolve(handle, "icalcomponent_get_timezone", l.ComponentZone) &&
                   Resolve(handle, "icaltimezone_get_builtin_timezone", l.BuiltinZone) &&
                   Resolve(handle, "icaltimezone_get_utc_timezone", l.UtcZone) &&
                   Resolve(handle, "icalrecurrencetype_from_string", l.RecurrenceOf) &&
                   Resolve(handle, "icaltime_from_string", l.TimeOf) &&
                   Resolve(handle, "icaltime_is_null_time", l.IsNullTime) &&
                   Resolve(handle, "icaltime_is_valid_time", l.IsValidTime) &&
                   Resolve(handle, "icaltime_as_timet_with_zone", l.SecondsOf);
  decltype(&icalerror_set_errors_are_fatal) notFatal = nullptr;
  if (!all || !Resolve(handle, "icalerror_set_errors_are_fatal", notFatal)) {
    opened.Failure = std::string("the iCalendar library ") + TASKWELL_LIBICAL_SONAME +
                     " lacks a routine this program needs";
    return opened;
  }
  notFatal(0);
  return opened;
}

}  // namespace

const IcalLibrary& IcalLibrary::Get() {
  static const Opened opened = Open();
  if (!opened.Failure.empty()) throw std::runtime_error(opened.Failure);
  return opened.Library;
}

}  // namespace taskwell
