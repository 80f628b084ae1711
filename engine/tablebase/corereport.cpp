// Failure reports of the tablebase core and their redirection for tests.
#include "tablebase/corereport.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace galdrik {

namespace {
std::function<void(const std::string&)> umleitung;
}

void TbReport(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list laenge;
  va_copy(laenge, args);
  const int n = std::vsnprintf(nullptr, 0, format, laenge);
  va_end(laenge);
  std::vector<char> text(size_t(n > 0 ? n : 0) + 1);
  std::vsnprintf(text.data(), text.size(), format, args);
  va_end(args);
  if (umleitung) {
    umleitung(std::string(text.data()));
  } else {
    std::fputs(text.data(), stdout);
    std::fflush(stdout);
  }
}

void TbReportRedirect(std::function<void(const std::string&)> sink) { umleitung = std::move(sink); }

}  // namespace galdrik
