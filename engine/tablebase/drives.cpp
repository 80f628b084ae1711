// The drive test over the mount table: a directory's medium is the longest
// mount point above it; looking at the directory tells whether the medium
// answers. Errors of a missing directory mean absent, errors of a device
// that is there but does not answer mean not ready.
#include "tablebase/drives.h"

#include <dirent.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace galdrik {

namespace {

// /proc/self/mounts writes blanks, tabs, newlines and backslashes as \ooo.
std::string Entschluesselt(const std::string& feld) {
  std::string out;
  for (size_t i = 0; i < feld.size(); ++i) {
    if (feld[i] == '\\' && i + 3 < feld.size()) {
      const std::string okt = feld.substr(i + 1, 3);
      if (okt.size() == 3 && okt.find_first_not_of("01234567") == std::string::npos) {
        out += char(std::stoi(okt, nullptr, 8));
        i += 3;
        continue;
      }
    }
    out += feld[i];
  }
  return out;
}

class SystemDrives : public TbDrives {
 public:
  void Refresh() override {
    mounts_.clear();
    std::ifstream tabelle("/proc/self/mounts");
    for (std::string zeile; std::getline(tabelle, zeile);) {
      std::istringstream felder(zeile);
      std::string geraet, punkt;
      if (felder >> geraet >> punkt) mounts_.push_back(Entschluesselt(punkt));
    }
  }

  std::string MediumOf(const std::string& directory) override {
    std::error_code fehler;
    const std::string pfad =
        std::filesystem::absolute(directory, fehler).lexically_normal().string();
    std::string bester = "/";
    for (const auto& m : mounts_) {
      const bool darunter = pfad.compare(0, m.size(), m) == 0 &&
                            (pfad.size() == m.size() || m.back() == '/' || pfad[m.size()] == '/');
      if (darunter && m.size() > bester.size()) bester = m;
    }
    return bester;
  }

  TbMedium Probe(const std::string& directory) override {
    DIR* d = ::opendir(directory.c_str());
    if (d) {
      ::closedir(d);
      return TbMedium::Ready;
    }
    switch (errno) {
      case ENOMEDIUM:
      case EIO:
      case ENXIO:
      case ENODEV:
      case ETIMEDOUT:
      case ESTALE:
      case EHOSTDOWN:
      case EHOSTUNREACH:
        return TbMedium::NotReady;
      case ENOENT:
      case ENOTDIR:
        return TbMedium::Absent;
      default:
        return TbMedium::Ready;  // present (say, not readable): its files simply fail
    }
  }

 private:
  std::vector<std::string> mounts_;
};

struct Zustand {
  bool seen = false;
  bool notReady = false;
};

std::unique_ptr<TbDrives> laufwerke;
std::map<std::string, Zustand> medien;

TbDrives& Laufwerke() {
  if (!laufwerke) {
    laufwerke = std::make_unique<SystemDrives>();
    laufwerke->Refresh();
  }
  return *laufwerke;
}

}  // namespace

void TbDrivesSet(std::unique_ptr<TbDrives> drives) {
  laufwerke = std::move(drives);
  medien.clear();
  if (laufwerke) laufwerke->Refresh();
}

void TbDrivesReset() {
  medien.clear();
  Laufwerke().Refresh();
}

bool TbDriveUsable(const std::string& directory) {
  if (directory.empty()) return true;
  TbDrives& system = Laufwerke();
  Zustand& z = medien[system.MediumOf(directory)];
  if (z.notReady) return false;
  if (z.seen) return true;
  switch (system.Probe(directory)) {
    case TbMedium::Absent:
      return false;
    case TbMedium::NotReady:
      z.notReady = true;
      return false;
    case TbMedium::Ready:
      z.seen = true;
      return true;
  }
  return true;
}

}  // namespace galdrik
