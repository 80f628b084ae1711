// Failure reports of the tablebase core: English lines beginning with "***"
// on the standard output, as the core has always written them. Tests
// redirect them to read what was reported.
#pragma once

#include <functional>
#include <string>

namespace galdrik {

// Writes one report line (printf format, the text carries its line feed).
void TbReport(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Sends the reports to sink instead of the standard output; an empty sink
// restores the standard output.
void TbReportRedirect(std::function<void(const std::string&)> sink);

}  // namespace galdrik
