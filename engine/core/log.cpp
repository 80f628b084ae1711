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

std::string CZeitText() {
  const std::time_t jetzt = std::time(nullptr);
  std::tm lokal{};
  localtime_r(&jetzt, &lokal);
  static constexpr const char* tage[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* monate[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char text[64];
  std::snprintf(text, sizeof text, "%s %s%3d %.2d:%.2d:%.2d %d", tage[lokal.tm_wday % 7],
                monate[lokal.tm_mon % 12], lokal.tm_mday, lokal.tm_hour, lokal.tm_min, lokal.tm_sec,
                1900 + lokal.tm_year);
  return text;
}

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
  std::fprintf(f, "Protokolldatei\n%s\n\n\n", CZeitText().c_str());
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
