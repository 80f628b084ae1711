// The per-user data folder ($XDG_DATA_HOME/Galdrik, else
// ~/.local/share/Galdrik) where the engine keeps the files it writes when no
// path was given: logs, key statistics, the learning file.
#pragma once

#include <string>

namespace galdrik {

// The folder, created on first use; empty when it cannot be determined.
std::string Datenordner();

// A file of that name in the data folder (the bare name when there is none).
std::string DatenordnerDatei(const std::string& name);

}  // namespace galdrik
