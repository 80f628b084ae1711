// The manager's element list, its row texts and designations, the
// assignment by digest and the check log.
#include "analysis/tbmanager.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

#include "analysis/md5liste.h"
#include "analysis/tbmanagtabellen.h"
#include "core/datadir.h"
#include "core/md5datei.h"
#include "interface/config.h"
#include "tablebase/descriptor.h"

namespace galdrik {

namespace {

struct TBManagZustand {
  std::array<TBManagElement, TBManagElementeMax> elemente{};
  int32_t anzahl = 0;
};

TBManagZustand& Manager() {
  static TBManagZustand zustand;
  return zustand;
}

// Probe sides count 0 for White to move, manager sides 1.
constexpr int32_t ProbeSeite(int32_t seite) { return seite == 1 ? 0 : 1; }

bool SeiteGueltig(int32_t seite) { return seite == 0 || seite == 1; }
bool SlotGueltig(int32_t slot) { return slot >= 0 && slot < TBManagSlots; }

struct Layout {
  int32_t symmetrisch = 0, bit16 = 0, geteilt = 0;
  int32_t extents[2] = {1, 1};  // by manager side
};

Layout LayoutLesen(int32_t index) {
  Layout l;
  uint64_t n0 = 0, n1 = 0;
  int32_t e0 = 0, e1 = 0;
  TbFileInfo(index, &l.symmetrisch, &l.bit16, &l.geteilt, &n0, &n1, &e0, &e1);
  l.extents[1] = std::max(e0, 1);
  l.extents[0] = std::max(e1, 1);
  return l;
}

char Buchstabe(const std::string& buchstaben, int32_t code) {
  const size_t i = static_cast<size_t>(code + 6);
  return i < buchstaben.size() ? buchstaben[i] : '?';
}

// "KDT-KT (W)": the White king and pieces, "-", the Black king and pieces,
// the side label.
std::string Klassentext(const TBManagKlasse& k, int32_t seite, const TBManagTexte& t) {
  std::string text(1, Buchstabe(t.buchstaben, 6));
  for (const int8_t c : k)
    if (c > 0) text += Buchstabe(t.buchstaben, c);
  text += '-';
  text += Buchstabe(t.buchstaben, -6);
  for (const int8_t c : k)
    if (c < 0) text += Buchstabe(t.buchstaben, c);
  text += seite == 1 ? t.bezWeiss : t.bezSchwarz;
  return text;
}

}  // namespace

std::string MD5ListePfad() {
  const std::string& pfad = Konfiguration().md5Pfad;
  return pfad.empty() ? DatenordnerDatei("egtbdtx7.md5") : pfad;
}

std::string TBManagLogPfad() {
  const std::string& pfad = Konfiguration().md5LogPfad;
  return pfad.empty() ? DatenordnerDatei("egtbdtx7.log") : pfad;
}

int32_t TBManagInit(int32_t maenner, int32_t metrik, int32_t filter) {
  if (maenner < 3 || maenner > 6 || metrik < 0 || metrik >= TBManagMetriken) return 0;
  TBManagZustand& m = Manager();
  m.anzahl = 0;
  for (int32_t id = 0; id < TBManagKlassenAnzahl; ++id) {
    const TBManagKlasse& k = TBManagKlassen[id];
    if (TBManagMaenner(k) != maenner) continue;
    const int32_t i = metrik * TBManagKlassenAnzahl + id;
    if ((filter & TBManagNurRegistrierte) && !TbAnyPartRegistered(i, 0) &&
        !TbAnyPartRegistered(i, 1))
      continue;
    if (filter & TBManagNurFehlerhafte) {
      bool fehlerhaft = false;
      for (int32_t s = 0; s < TBManagSlots && !fehlerhaft; ++s)
        fehlerhaft = TBManagStatusLesen(1, i * TBManagSlots + s) == TBManagStatusFehlerhaft ||
                     TBManagStatusLesen(0, i * TBManagSlots + s) == TBManagStatusFehlerhaft;
      if (!fehlerhaft) continue;
    }
    TBManagElement& e = m.elemente[m.anzahl++];
    e.schluessel = Klassenschluessel(k);
    e.index = i;
    for (int32_t seite = 0; seite < 2; ++seite)
      for (int32_t s = 0; s < TBManagSlots; ++s)
        e.status[seite][s] =
            TbRegistered(i, ProbeSeite(seite), s) + TBManagStatusLesen(seite, i * TBManagSlots + s);
  }
  return m.anzahl;
}

int32_t TBManagElementAnzahl() { return Manager().anzahl; }

const TBManagElement* TBManagElementLesen(int32_t element) {
  const TBManagZustand& m = Manager();
  return element >= 0 && element < m.anzahl ? &m.elemente[element] : nullptr;
}

int32_t TBManagCheckStatus(int32_t element, int32_t seite, int32_t slot) {
  const TBManagElement* e = TBManagElementLesen(element);
  if (!e || !SeiteGueltig(seite) || !SlotGueltig(slot)) return 0;
  return e->status[seite][slot];
}

uint32_t TBManagPruefzeit(int32_t element, int32_t seite, int32_t slot) {
  const TBManagElement* e = TBManagElementLesen(element);
  if (!e || !SeiteGueltig(seite) || !SlotGueltig(slot)) return 0;
  return TBManagPruefzeitLesen(seite, e->index * TBManagSlots + slot);
}

std::string TBManagZeittext(uint32_t zeit) {
  static constexpr const char* Tage[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* Monate[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::time_t t = static_cast<std::time_t>(zeit);
  std::tm lokal{};
  if (!localtime_r(&t, &lokal)) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%s %s %2d %02d:%02d:%02d %d\n", Tage[lokal.tm_wday % 7],
                Monate[lokal.tm_mon % 12], lokal.tm_mday, lokal.tm_hour, lokal.tm_min, lokal.tm_sec,
                lokal.tm_year + 1900);
  return text;
}

std::string TBManagZeilentext(int32_t element, int32_t seite, int32_t slot, const TBManagTexte& t,
                              bool mitDatum) {
  const TBManagElement* e = TBManagElementLesen(element);
  if (!e || !SeiteGueltig(seite)) return {};
  int32_t status = 0;
  uint32_t zeit = 0;
  if (SlotGueltig(slot)) {
    status = e->status[seite][slot];
    zeit = TBManagPruefzeitLesen(seite, e->index * TBManagSlots + slot);
  } else {
    // The whole side: its worst file, and a date only when every extent has
    // passed.
    const int32_t x = std::min(LayoutLesen(e->index).extents[seite], TBManagSlots);
    status = e->status[seite][0];
    zeit = TBManagPruefzeitLesen(seite, e->index * TBManagSlots);
    for (int32_t s = 1; s < x; ++s) {
      status = std::max(status, e->status[seite][s]);
      zeit = std::min(zeit, TBManagPruefzeitLesen(seite, e->index * TBManagSlots + s));
    }
  }
  if (status < 0) return {};
  std::string text = Klassentext(KlasseAusSchluessel(e->schluessel), seite, t);
  text += ": ";
  text += (status & 1) ? t.registriert : t.fehlt;
  text += ' ';
  if (status & TBManagStatusIntakt) text += t.intakt;
  if (status & TBManagStatusFehlerhaft) text += t.fehlerhaft;
  if (status & TBManagStatusUnklar) text += t.unklar;
  if (mitDatum && zeit >= 1) {
    std::string datum = TBManagZeittext(zeit);
    if (!datum.empty()) datum.back() = ')';
    text += "\t(" + datum;
  }
  return text;
}

std::string TBManagBezeichnung(int32_t index, int32_t seite, int32_t slot, const TBManagTexte& t) {
  if (index < 0 || index >= TBManagIndexAnzahl || !SeiteGueltig(seite)) return "?";
  std::string text = Klassentext(TBManagKlassen[index % TBManagKlassenAnzahl], seite, t);
  if (LayoutLesen(index).geteilt)
    text += std::string(" [") + static_cast<char>('1' + slot) + "] ";
  else
    text += ' ';
  text += TBManagMetrikName(index / TBManagKlassenAnzahl);
  return text.empty() ? "?" : text;
}

std::string TBManagDateiname(int32_t index, int32_t seite, int32_t slot) {
  if (index < 0 || index >= TBManagIndexAnzahl || !SeiteGueltig(seite) || !SlotGueltig(slot))
    return {};
  std::vector<char> puffer(1024, '\0');
  TbFileName(index, seite, slot, puffer.data());
  if (puffer[0] == '\0' && LayoutLesen(index).symmetrisch &&
      TbAnyPartRegistered(index, ProbeSeite(1 - seite)))
    TbFileName(index, 1 - seite, slot, puffer.data());
  return puffer.data();
}

int32_t TBManagDateiZuordnen(const std::string& pfad, int32_t& index, int32_t& seite,
                             int32_t& slot) {
  if (pfad.empty()) return -1;
  std::vector<MD5Digest> liste;
  if (!MD5ListeLesen(MD5ListePfad(), liste)) return -1;
  MD5Digest digest;
  if (MD5Datei(pfad, digest) != 0) return -2;
  for (int32_t c = 0; c < TBManagIndexAnzahl; ++c)
    for (int32_t s = 0; s < TBManagSlots; ++s)
      for (const int32_t sd : {1, 0})
        if (liste[MD5ListeEintragNr(c, sd, s)] == digest) {
          index = c;
          seite = sd;
          slot = s;
          return 1;
        }
  return 0;
}

int32_t TBManagLogSchreiben(const std::string& pfad) {
  std::vector<uint8_t> daten;
  daten.reserve(size_t(2) * TbManagerEintraege * 4);
  for (const int32_t seite : {1, 0})
    for (int32_t nr = 0; nr < TbManagerEintraege; ++nr) {
      const uint32_t v = TBManagPruefzeitLesen(seite, nr);
      for (int b = 0; b < 4; ++b) daten.push_back(static_cast<uint8_t>(v >> (8 * b)));
    }
  const std::string tmp = pfad + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return -1;
    out.write(reinterpret_cast<const char*>(daten.data()), std::streamsize(daten.size()));
    out.close();
    if (!out) {
      std::remove(tmp.c_str());
      return -1;
    }
  }
  std::error_code fehler;
  std::filesystem::rename(tmp, pfad, fehler);
  if (fehler) {
    std::remove(tmp.c_str());
    return -1;
  }
  return 0;
}

}  // namespace galdrik
