// Locating and creating the per-user data folder.
#include "core/datadir.h"

#include <cstdlib>
#include <filesystem>

namespace galdrik {

std::string Datenordner() {
  namespace fs = std::filesystem;
  fs::path basis;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    basis = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    basis = fs::path(home) / ".local" / "share";
  } else {
    return {};
  }
  const fs::path ordner = basis / "Galdrik";
  std::error_code fehler;
  fs::create_directories(ordner, fehler);
  if (!fs::is_directory(ordner, fehler)) return {};
  return ordner.string();
}

std::string DatenordnerDatei(const std::string& name) {
  const std::string ordner = Datenordner();
  if (ordner.empty()) return name;
  return (std::filesystem::path(ordner) / name).string();
}

}  // namespace galdrik
