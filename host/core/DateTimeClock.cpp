// The local clock as TDateTime.
#include <chrono>
#include <ctime>

#include "host/core/SysUtils.h"

TDateTime Now() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto msec =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, local.tm_sec < 60 ? local.tm_sec : 59, static_cast<int>(msec < 0 ? 0 : msec));
}

TDateTime Date() {
  const TDateTime now = Now();
  return static_cast<double>(static_cast<int64_t>(now));
}

TDateTime Time() {
  const TDateTime now = Now();
  return now - static_cast<double>(static_cast<int64_t>(now));
}
