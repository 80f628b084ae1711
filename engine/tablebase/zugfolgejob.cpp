// The move-sequence job: thread control, the report header and root-move
// texts in short and PGN form, the walk over the line with its repetition
// and fifty-move stops, the line store and the men's paths.
#include "tablebase/zugfolgejob.h"

#include <bit>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "core/search.h"
#include "core/zobrist.h"
#include "interface/enginestate.h"
#include "interface/export.h"
#include "interface/jobs.h"
#include "tablebase/cache.h"
#include "tablebase/probe.h"

namespace galdrik {
namespace {

using Bezeichnungen = std::array<std::string, ZugfolgeBezAnzahl>;

struct Arbeiter {
  // Registered before the worker exists, so the list of stop routines
  // outlives it; the job's state and the probe cache are built first too.
  Arbeiter() {
    JobBeendenAnmelden(TBZugfolgeBeenden);
    ZugfolgeJob();
    TBZugfolgeAbbruch();
    TBZugfolgeFortschritt();
    TbCacheEntryCount();
  }
  std::thread thread;
  ~Arbeiter() {
    JobBeendenAbmelden(TBZugfolgeBeenden);
    TBZugfolgeAbbruch().store(1);
    if (thread.joinable()) thread.join();
  }
};

Arbeiter& ZugfolgeArbeiter() {
  static Arbeiter a;
  return a;
}

// Appends as much of the text as fits below the limit, never splitting a
// UTF-8 character.
void Anhaengen(std::string& ziel, std::string_view text, size_t grenze) {
  if (ziel.size() >= grenze) return;
  size_t n = std::min(text.size(), grenze - ziel.size());
  if (n < text.size())
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  ziel.append(text.data(), n);
}

// Writes the texts of a job.
class Berichtschreiber {
 public:
  Berichtschreiber(TBZugfolgeTexte& t, const Bezeichnungen& bez, bool pgn)
      : t_(t), bez_(bez), pgn_(pgn) {}

  const char* Bez(int i) const { return bez_[size_t(i - 1)].c_str(); }
  void Slot(int i, std::string_view text) {
    Anhaengen(t_.slot[size_t(i)], text, ZugfolgeSlotGroesse);
  }
  void Linie(std::string_view text) { Anhaengen(t_.linie, text, ZugfolgeLinieGroesse); }

  // The header and root-move texts; false when the outcome has no value.
  bool Kopf(const TBZugfolgeErgebnis& r, std::string_view buchstaben) {
    return pgn_ ? KopfPGN(r, buchstaben) : KopfKurz(r, buchstaben);
  }

 private:
  bool KopfKurz(const TBZugfolgeErgebnis& r, std::string_view buchstaben) {
    const int32_t B = r.distanz;
    if (r.ergebnis == 1 || r.ergebnis == -1)
      Slot(0, TextFormat("%s: %s %i", Bez(r.ergebnis == 1 ? 1 : 2), Bez(3), B));
    else if (r.ergebnis == 0)
      Slot(0, Bez(4));
    else {
      Slot(0, Bez(5));
      return false;
    }
    if (r.einzigeFolge != 0)
      Slot(0, TextFormat(", %s%i%s", Bez(17), std::abs(int(r.einzigeFolge)), Bez(18)));
    Tempo(r, "");
    if (r.kritisch & 4) Slot(1, TextFormat(" (%s)", Bez(14)));

    bool belegt[6]{};
    for (int s = 2; s <= 5; ++s) Slot(s, Bez(8 + s));
    for (int i = 0; i < r.wurzelAnzahl; ++i) {
      const std::string z = ZugNotation(r.wurzelZuege[i], buchstaben, 0);
      const int32_t v = r.wurzelWerte[i];
      const bool optimal = r.optimalModus ? r.optimal[i] == 1 : v == B;
      int slot;
      std::string text;
      const std::string wert = TextFormat(" %s {#%i},", z.c_str(), v);
      const std::string gleich = TextFormat(" %s {=},", z.c_str());
      if (v == -32768) {
        slot = 2;
        text = TextFormat(" %s {??},", z.c_str());
      } else if (optimal) {
        slot = 2;
        text = B == 0 ? gleich : wert;
      } else if (v < 0) {
        slot = B == 0 ? 4 : B > 0 ? 5 : 3;
        text = wert;
      } else if (v == 0) {
        slot = B > 0 ? 4 : 3;
        text = B > 0 ? gleich : wert;
      } else {
        slot = 3;
        text = wert;
      }
      Slot(slot, text);
      belegt[slot] = true;
    }
    for (int s = 2; s <= 5; ++s) {
      std::string& text = t_.slot[size_t(s)];
      if (!belegt[s])
        text.clear();
      else if (!text.empty() && text.back() == ',')
        text.pop_back();
    }
    return true;
  }

  bool KopfPGN(const TBZugfolgeErgebnis& r, std::string_view buchstaben) {
    const int32_t B = r.distanz;
    if (r.ergebnis == 1 || r.ergebnis == -1) {
      Slot(0, TextFormat("{%s: %s %i", Bez(r.ergebnis == 1 ? 1 : 2), Bez(3), B));
      Slot(3, r.ergebnis == 1 ? "1-0" : "0-1");
    } else if (r.ergebnis == 0) {
      Slot(0, TextFormat("{%s", Bez(4)));
      Slot(3, "1/2-1/2");
    } else {
      Slot(0, TextFormat("{%s}", Bez(5)));
      Slot(3, "*");
      return false;
    }
    if (r.einzigeFolge != 0)
      Slot(0, TextFormat(", %s%i%s}", Bez(17), std::abs(int(r.einzigeFolge)), Bez(18)));
    else
      Slot(0, "}");
    Tempo(r, "{");
    if (r.kritisch & 4)
      Slot(1, TextFormat(" (%s)}", Bez(14)));
    else if (!t_.slot[1].empty())
      Slot(1, "}");
    for (int i = 0; i < r.wurzelAnzahl; ++i) {
      const std::string z = ZugNotation(r.wurzelZuege[i], buchstaben, 0);
      const int32_t v = r.wurzelWerte[i];
      if (v == -32768)
        Slot(2, TextFormat(" (%s {??}) ", z.c_str()));
      else if (v == 0)
        Slot(2, TextFormat(" (%s {=}) ", z.c_str()));
      else
        Slot(2, TextFormat(" (%s {#%i}) ", z.c_str(), v));
      if (i != 0 && i % 10 == 0) Slot(2, "\n");
    }
    return true;
  }

  void Tempo(const TBZugfolgeErgebnis& r, const char* auf) {
    const int G = r.tempo;
    if (r.kritisch & 1)
      Slot(1, TextFormat("%s%s", auf, Bez(6)));
    else if (r.kritisch & 2)
      Slot(1, TextFormat("%s%s", auf, Bez(7)));
    else if (G > 0)
      Slot(1, TextFormat("%s%s %i", auf, Bez(9), G));
    else if (G < 0)
      Slot(1, TextFormat("%s%s %i", auf, Bez(8), -G));
  }

  TBZugfolgeTexte& t_;
  const Bezeichnungen& bez_;
  bool pgn_;
};

void PfadeBeginnen(int8_t (&pfade)[6][ZugfolgeMaxLinie], const Stellung& st) {
  std::memset(pfade, -1, sizeof pfade);
  int zeile = 0;
  // Men beyond the sixth get no row: the job serves positions of at most six.
  for (int feld = 0; feld < 64 && zeile < 6; ++feld)
    if (st.belegt & (Bitboard{1} << feld)) pfade[zeile++][0] = int8_t(feld);
}

void PfadeFortschreiben(int8_t (&pfade)[6][ZugfolgeMaxLinie], int j, const Zug& z) {
  if (j + 1 >= ZugfolgeMaxLinie) return;
  for (auto& zeile : pfade) {
    const int8_t vorher = zeile[j];
    zeile[j + 1] = vorher;
    if (vorher == int8_t(z.nach))
      zeile[j + 1] = -1;
    else if (vorher == int8_t(z.von))
      zeile[j + 1] = int8_t(z.nach);
  }
}

void SchrittKopieren(TBZugfolgeErgebnis& ziel, int zs, const TBZugfolgeErgebnis& quelle, int qs) {
  ziel.linie[zs] = quelle.linie[qs];
  ziel.nag[zs] = quelle.nag[qs];
  ziel.schrittDistanz[zs] = quelle.schrittDistanz[qs];
  ziel.schrittFlags[zs] = quelle.schrittFlags[qs];
  ziel.varianten[zs] = quelle.varianten[qs];
}

bool Matt(const Stellung& st) {
  Zugliste l;
  ZugGenerator(st, GenAlleZuege, l);
  return l.anzahl == 0 && AmZugImSchach(st);
}

int32_t ZugfolgeTextMit(const Stellung& start0, const int32_t p[6], const std::string& anzeige,
                        const Bezeichnungen& bez) {
  TBZugfolgeJob& job = ZugfolgeJob();
  TBSpaziergang& sp = job.spaziergang;
  const int32_t p1 = p[0], p2 = p[1];
  const int32_t m = TBMetrikAktuell();
  const uint8_t umwandlungen = m >= 1 && m <= 5;
  const uint8_t bauernzuege = m >= 3 && m <= 5;
  const int32_t fuenfzig = m == 2 || m == 4 ? 50 : 0;

  Stellung start = start0;
  start.remisMaterial = 0;
  PfadeBeginnen(job.figurPfade, start);

  auto R = std::make_unique<TBZugfolgeErgebnis>();
  std::memset(R.get(), 0, sizeof *R);
  const bool neu = p1 == 0 || (p2 & 128);
  TBZugfolgeSuchen(start, (p2 & 1) ? 0 : 1, p2 & 0xFFF8, *R, neu ? 1 : 0, umwandlungen, bauernzuege,
                   fuenfzig, p[2], p[3], std::bit_cast<float>(p[4]), std::bit_cast<float>(p[5]));

  if (p1 > 0 && sp.ergebnis.einzigeFolge > 0) {
    int32_t run = sp.ergebnis.einzigeFolge - p1 / 2;
    const int32_t vorher = sp.ergebnis.nag[p1 - 1];
    if (vorher == 8 || vorher == 3) --run;
    R->einzigeFolge = int8_t(run < 0 ? 0 : run);
  }

  const bool pgn = p2 & 4;
  const bool texte = p2 & 6;
  const std::string buchstaben = pgn ? std::string(FigurenEnglisch) : anzeige;
  job.texte = TBZugfolgeTexte{};
  Berichtschreiber w(job.texte, bez, pgn);
  job.startstellung = start;
  job.pgnTexte = pgn;
  if (texte && !w.Kopf(*R, buchstaben)) {
    // Without a value a new job leaves an empty line, never the previous
    // position's line.
    if (p1 == 0) {
      sp.ergebnis = *R;
      sp.ergebnis.linienLaenge = 0;
      sp.stellungen[0] = start;
      sp.gespeichert = true;
    }
    sp.anzahl = p1;
    return 0;
  }

  std::vector<uint64_t> schluessel(ZugfolgeMaxLinie, 0);
  start.schluessel = HashCodeBerechnen(start);
  for (int k = 0; k < p1; ++k) schluessel[size_t(k)] = HashCodeBerechnen(sp.stellungen[k]);
  schluessel[size_t(p1)] = start.schluessel;

  const int b = start.amZug == Schwarz ? 1 : 0;
  if (b) w.Linie(TextFormat("%i... ", p1 / 2 + 1));
  sp.stellungen[p1] = start;

  if (p1 == 0) {
    sp.ergebnis = *R;
    sp.anzahl = 0;
    sp.gespeichert = true;
  } else if (R->linienLaenge == 0) {
    const int32_t laenge = sp.anzahl - p1;
    R->linienLaenge = laenge > 0 ? laenge : 0;
    for (int s = 0; s < R->linienLaenge; ++s) SchrittKopieren(*R, s, sp.ergebnis, p1 + s);
  }
  if (p2 & 128) sp.anzahl = 0;

  Stellung P = start;
  int32_t c = 0;
  for (int j = 0; j < R->linienLaenge; ++j) {
    if (p1 + j + 1 >= ZugfolgeMaxLinie) break;
    const Zug& z = R->linie[j];
    if ((j + b) % 2 == 0) w.Linie(TextFormat("%i. ", (p1 + j + 1) / 2 + 1));
    Stellung nach = ZugAusfuehren(P, z, 1);
    nach.remisMaterial = 0;
    w.Linie(ZugNotation(z, buchstaben, Matt(nach) ? 1 : 0));
    PfadeFortschreiben(job.figurPfade, j, z);
    const int32_t n = R->nag[j];
    w.Linie(NagZeichen(n, pgn));
    if (n == NagOhneWert) {
      w.Linie("{??} ");
      break;
    }
    if (R->schrittDistanz[j] != 0) w.Linie(TextFormat("{%i} ", R->schrittDistanz[j]));
    if (R->varianten[j] > 0) w.Linie(TextFormat("{%i var} ", R->varianten[j]));
    if ((R->schrittFlags[j] & 1) && (p2 & 8)) w.Linie(TextFormat("{%s} ", w.Bez(19)));

    P = nach;
    bool wiederholt = false;
    for (int k = 0; k <= p1 + j - 2; ++k)
      if (schluessel[size_t(k)] == P.schluessel) wiederholt = true;
    if (wiederholt) {
      w.Linie(TextFormat("{%s} ", w.Bez(15)));
      break;
    }
    if (P.halbzuege >= 100) {
      w.Linie(TextFormat("{%s} ", w.Bez(16)));
      P.halbzuege = 0;
      if (R->distanz == 0) break;
    }
    if (pgn) {
      if (j == 0) w.Linie(job.texte.slot[2] + "\n");
      if (j != 0 && j % 10 == 0) w.Linie("\n");
    }
    c = j + 1;
    schluessel[size_t(p1 + j + 1)] = P.schluessel;
    if (neu) {
      sp.stellungen[p1 + j + 1] = P;
      // A line recomputed from a later step replaces the stored moves from
      // there, so the stored moves always lead from position to position.
      if (p1 > 0) SchrittKopieren(sp.ergebnis, p1 + j, *R, j);
    }
  }
  sp.anzahl = p1 + c;
  if (neu && p1 > 0) sp.ergebnis.linienLaenge = p1 + c;
  return 0;
}

}  // namespace

std::string TextFormat(const char* format, ...) {
  char puffer[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(puffer, sizeof puffer, format, args);
  va_end(args);
  return puffer;
}

std::string NagZeichen(int32_t n, bool pgn) {
  if (n == 0) return " ";
  if (pgn) return n == NagOhneWert ? " " : TextFormat(" $%i ", n);
  switch (n) {
    case 1:
      return "! ";
    case 3:
      return "!! ";
    case 5:
      return "!? ";
    case 8:
      return "\u00B0 ";  // the degree sign, in UTF-8 as every engine text
    default:
      return " ";
  }
}

TBZugfolgeJob& ZugfolgeJob() {
  static TBZugfolgeJob job;
  return job;
}

bool TBZugfolgeKopf(const TBZugfolgeErgebnis& r, TBZugfolgeTexte& t, const Bezeichnungen& bez,
                    bool pgn, const std::string& buchstaben) {
  Berichtschreiber w(t, bez, pgn);
  return w.Kopf(r, buchstaben);
}

bool TBZugfolgeAktiv() { return ZugfolgeJob().resultat.load(std::memory_order_acquire) == 1; }

void TBBezeichnungSetzen(int i, const char* text) {
  if (i < 1 || i > ZugfolgeBezAnzahl) return;
  std::string& ziel = ZugfolgeJob().bezeichnungen[size_t(i - 1)];
  ziel.clear();
  if (text) Anhaengen(ziel, text, ZugfolgeBezGroesse);
}

int32_t TBZugfolgeText(const Stellung& start, const int32_t p[6], const std::string& buchstaben) {
  return ZugfolgeTextMit(start, p, buchstaben, ZugfolgeJob().bezeichnungen);
}

int32_t TBZugfolgeStarten(const int32_t p[6]) {
  TBZugfolgeJob& job = ZugfolgeJob();
  if (TBZugfolgeAktiv()) return -1;
  const int32_t p1 = p[0];
  if (p1 < 0 || p1 >= ZugfolgeMaxLinie) return -1;
  if (p1 > 0 && (!job.spaziergang.gespeichert || p1 > job.spaziergang.anzahl)) return -1;

  Arbeiter& a = ZugfolgeArbeiter();
  if (a.thread.joinable()) a.thread.join();

  TBZugfolgeAbbruch().store(0);
  std::memcpy(job.parameter, p, sizeof job.parameter);
  job.laeuft.store(0);
  job.resultat.store(1, std::memory_order_release);
  TBZugfolgeFortschritt().store(0);

  // The position, letters and labels are taken now: the program may change
  // them while the thread runs.
  const Stellung start = Engine().aktuelleStellung;
  std::string buchstaben = Suche().notationsBuchstaben;
  Bezeichnungen bez = job.bezeichnungen;
  int32_t param[6];
  std::memcpy(param, p, sizeof param);
  try {
    a.thread =
        std::thread([start, buchstaben = std::move(buchstaben), bez = std::move(bez), param]() {
          TBZugfolgeJob& j = ZugfolgeJob();
          j.laeuft.store(1);
          const int32_t r = ZugfolgeTextMit(start, param, buchstaben, bez);
          j.gelaufen = true;
          j.laeuft.store(0);
          j.resultat.store(r, std::memory_order_release);
        });
  } catch (...) {
    job.resultat.store(0, std::memory_order_release);
    return -1;
  }
  return 0;
}

void TBZugfolgeBeenden() {
  TBZugfolgeAbbruch().store(1);
  Arbeiter& a = ZugfolgeArbeiter();
  if (a.thread.joinable()) a.thread.join();
}

}  // namespace galdrik

using namespace galdrik;

GALDRIK_EXPORT int32_t DLL_TBZugfolgeStart(int32_t p1, int32_t p2, int32_t p3, int32_t p4,
                                           int32_t p5, int32_t p6) {
  const int32_t p[6] = {p1, p2, p3, p4, p5, p6};
  return TBZugfolgeStarten(p);
}

GALDRIK_EXPORT void DLL_TBZugfolgeStopp() { TBZugfolgeAbbruch().store(1); }

GALDRIK_EXPORT int32_t DLL_TBZugfolgeStatus(int32_t* fortschritt) {
  if (fortschritt)
    *fortschritt = ZugfolgeJob().resultat.load(std::memory_order_acquire) == 0
                       ? -1
                       : TBZugfolgeFortschritt().load();
  return AusgabeSchreiben("");
}

GALDRIK_EXPORT int32_t DLL_TBStatGet(int32_t i) {
  const TBZugfolgeTexte& t = ZugfolgeJob().texte;
  if (TBZugfolgeAktiv() || i < 0 || i > 6) return AusgabeSchreiben("");
  return AusgabeSchreiben(i == 6 ? t.linie : t.slot[size_t(i)]);
}

GALDRIK_EXPORT int32_t DLL_TBBezSet(const char* l1, const char* l2, const char* l3, const char* l4,
                                    const char* l5, const char* l6, const char* l7, const char* l8,
                                    const char* l9, const char* l10, const char* l11,
                                    const char* l12, const char* l13, const char* l14,
                                    const char* l15, const char* l16, const char* l17,
                                    const char* l18, const char* l19) {
  const char* texte[ZugfolgeBezAnzahl] = {l1,  l2,  l3,  l4,  l5,  l6,  l7,  l8,  l9, l10,
                                          l11, l12, l13, l14, l15, l16, l17, l18, l19};
  for (int i = 0; i < ZugfolgeBezAnzahl; ++i) TBBezeichnungSetzen(i + 1, texte[i]);
  return 0;
}

// The men's paths of the last line, six rows of 1024, each square widened.
GALDRIK_EXPORT void DLL_TBAnaPfade(int32_t* pfade) {
  if (!pfade || TBZugfolgeAktiv()) return;
  const TBZugfolgeJob& job = ZugfolgeJob();
  for (int r = 0; r < 6; ++r)
    for (int k = 0; k < ZugfolgeMaxLinie; ++k)
      pfade[r * ZugfolgeMaxLinie + k] = job.figurPfade[r][k];
}
