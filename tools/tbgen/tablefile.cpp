// Table files of the generator: entry encoding, layout through the index
// scheme and the writing of the files.
#include "tbgen/tablefile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "datacompenc.h"

namespace tbgen {

int8_t EintragAusWert(int wert) {
  if (wert == 0) return 0;
  if (wert > 0) {
    int d = (wert + 1) / 2;
    return d >= 127 ? int8_t(-128) : int8_t(127 - d);
  }
  int d = (-wert - 1 + 1) / 2;  // plies -wert - 1, rounded up to moves
  return d >= 126 ? int8_t(-127) : int8_t(d - 126);
}

std::vector<int8_t> SeiteBauen(const Eintragsordnung& o, const Tabelle& t,
                               const std::vector<int8_t>& werte, int seite, uint64_t& konflikte) {
  const Material& m = t.m;
  uint64_t anzahl = o.Eintraege(m.name, seite);
  std::vector<int8_t> daten(anzahl, 127);
  std::vector<uint8_t> gesetzt(anzahl, 0);
  konflikte = 0;
  for (uint64_t x = 0; x < t.knoten; ++x) {
    if (werte[x] == Ungueltig) continue;
    Knoten k = KnotenLesen(m, x);
    if (k.amZug != seite) continue;
    uint64_t i = o.Index(m, seite, k, EnPassantFeld(m, k));
    int8_t e = EintragAusWert(werte[x]);
    if (i >= anzahl) {
      ++konflikte;
      continue;
    }
    if (gesetzt[i] && daten[i] != e) ++konflikte;
    daten[i] = e;
    gesetzt[i] = 1;
  }
  return daten;
}

namespace {

template <class Bytes>
bool DateiSchreiben(const std::filesystem::path& ziel, const Bytes& daten, std::string& fehler) {
  std::filesystem::path tmp = ziel;
  tmp += ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(daten.data()), std::streamsize(daten.size()));
    if (!f) {
      fehler = "cannot write " + tmp.string();
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(tmp, ziel, ec);
  if (ec) {
    fehler = "cannot rename " + tmp.string() + ": " + ec.message();
    return false;
  }
  return true;
}

}  // namespace

bool TabelleSchreiben(const std::string& dir, const Tabelle& t, const std::vector<int8_t>& werte,
                      bool compress, std::string& fehler, const Eintragsordnung& o) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  int seiten = o.Symmetrisch(t.m.name) ? 1 : 2;
  for (int seite = 0; seite < seiten; ++seite) {
    uint64_t konflikte = 0;
    std::vector<int8_t> daten = SeiteBauen(o, t, werte, seite, konflikte);
    if (konflikte) {
      fehler = std::to_string(konflikte) + " positions disagree with the index scheme";
      return false;
    }
    std::string name = t.m.name + (seite == 0 ? ".nbw" : ".nbb");
    if (compress) {
      std::vector<uint8_t> emd =
          galdrik::datacomp::Compress(reinterpret_cast<const uint8_t*>(daten.data()), daten.size());
      if (emd.empty()) {
        fehler = "compression failed";
        return false;
      }
      if (!DateiSchreiben(std::filesystem::path(dir) / (name + ".emd"), emd, fehler)) return false;
      continue;
    }
    if (!DateiSchreiben(std::filesystem::path(dir) / name, daten, fehler)) return false;
  }
  return true;
}

Statistik Zaehlen(const Tabelle& t, const std::vector<int8_t>& werte) {
  Statistik s;
  for (uint64_t x = 0; x < t.knoten; ++x) {
    int v = werte[x];
    if (v == Ungueltig) continue;
    int seite = KnotenLesen(t.m, x).amZug;
    if (v > 0) {
      ++s.gewonnen[seite];
      s.laengsterGewinn[seite] = std::max(s.laengsterGewinn[seite], (v + 1) / 2);
    } else if (v < 0) {
      ++s.verloren[seite];
    } else {
      ++s.remis[seite];
    }
  }
  return s;
}

}  // namespace tbgen
