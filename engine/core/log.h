// The engine log: a plain text file that is opened, appended to and closed
// for every line, so that it survives a crash of the process. No path, no log.
#pragma once

#include <string>
#include <string_view>

namespace galdrik {

// The local date and time as the C library's ctime writes it ("Thu Dec 10
// 10:18:01 2026"), without its line feed and whatever the locale.
std::string CZeitText();

void LogPfadSetzen(const std::string& pfad);
std::string LogPfad();

// Creates the log anew with its header: "Protokolldatei", the local date and
// time, an empty line.
void LogStart();

// Appends the text unchanged (texts carry their own line feeds); a log that
// cannot be opened drops the text silently.
void LogZeile(std::string_view text);

}  // namespace galdrik
