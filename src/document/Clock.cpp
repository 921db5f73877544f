#include "document/Clock.h"

#include <ctime>

#include "document/Calendar.h"

namespace taskwell {

double SystemClock::Now() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const double day = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
  return day + seconds / 86400.0;
}

}  // namespace taskwell
