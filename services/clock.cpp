#include "clock.h"

#include <chrono>
#include <ctime>

int TSystemClock::MillisecondsOfDay() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  return ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 1000 +
         static_cast<int>(millis);
}

std::int64_t TSystemClock::MillisecondsSinceEpoch() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}
