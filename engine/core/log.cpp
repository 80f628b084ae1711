// Engine log writing.
#include "core/log.h"

#include <cstdio>
#include <ctime>
#include <mutex>

namespace galdrik {

namespace {

std::mutex& LogSperre() {
  static std::mutex sperre;
  return sperre;
}

std::string& LogPfadSpeicher() {
  static std::string pfad;
  return pfad;
}

}  // namespace

void LogPfadSetzen(const std::string& pfad) {
  std::lock_guard<std::mutex> lock(LogSperre());
  LogPfadSpeicher() = pfad;
}

std::string LogPfad() {
  std::lock_guard<std::mutex> lock(LogSperre());
  return LogPfadSpeicher();
}

void LogStart() {
  std::lock_guard<std::mutex> lock(LogSperre());
  const std::string& pfad = LogPfadSpeicher();
  if (pfad.empty()) return;
  std::FILE* f = std::fopen(pfad.c_str(), "w");
  if (!f) return;
  const std::time_t jetzt = std::time(nullptr);
  std::tm lokal{};
  localtime_r(&jetzt, &lokal);
  // The C library's date text (weekday, month, day, time, year), written by
  // hand so that a locale set by the host program cannot translate it.
  static constexpr const char* tage[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* monate[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::fprintf(f, "Protokolldatei\n%s %s%3d %.2d:%.2d:%.2d %d\n\n\n", tage[lokal.tm_wday % 7],
               monate[lokal.tm_mon % 12], lokal.tm_mday, lokal.tm_hour, lokal.tm_min, lokal.tm_sec,
               1900 + lokal.tm_year);
  std::fclose(f);
}

void LogZeile(std::string_view text) {
  std::lock_guard<std::mutex> lock(LogSperre());
  const std::string& pfad = LogPfadSpeicher();
  if (pfad.empty()) return;
  std::FILE* f = std::fopen(pfad.c_str(), "a");
  if (!f) return;
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

}  // namespace galdrik
