// The stored tablebase line as a PGN game, as a variation in the game
// record, and the tablebase walk along it.
#include "tablebase/zugfolgepartie.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <sstream>

#include "core/fen.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "interface/enginestate.h"
#include "interface/export.h"
#include "interface/partie.h"
#include "tablebase/probe.h"
#include "tablebase/zugfolgejob.h"

namespace galdrik {
namespace {

std::string PGNEscape(const std::string& s) {
  std::string r;
  for (char c : s) {
    if (c == '"' || c == '\\') r += '\\';
    r += c;
  }
  return r;
}

const char* MetrikName(int32_t m) {
  static const char* const namen[] = {"DTM", "DTC", "DTC50", "DTZ", "DTZ50", "DTZR", "DTR"};
  return m >= 0 && m <= 6 ? namen[m] : "DTX";
}

// The fields on which the node's position must agree with the line's start.
bool GleicheStellung(const Stellung& a, const Stellung& b) {
  return a.weiss == b.weiss && a.bauern == b.bauern && a.springer == b.springer &&
         a.laeufer == b.laeufer && a.tuerme == b.tuerme && a.damen == b.damen &&
         a.amZug == b.amZug && a.rochade[0] == b.rochade[0] && a.rochade[1] == b.rochade[1] &&
         a.rochade[2] == b.rochade[2] && a.rochade[3] == b.rochade[3] && a.koenigW == b.koenigW &&
         a.koenigS == b.koenigS;
}

void ZerstoerenUndFreigeben(Partiewurzel* r) {
  if (!r) return;
  r->KinderZerstoeren();
  delete r;
}

// The legal move of the position that is the same move, or none.
bool LegalerZug(const Stellung& st, const Zug& z, Zug& legal) {
  Zugliste l;
  ZugGenerator(st, GenAlleZuege, l);
  for (int i = 0; i < l.anzahl; ++i)
    if (GleicherZug(l.zuege[i], z)) {
      legal = l.zuege[i];
      return true;
    }
  return false;
}

}  // namespace

std::string HeutigesDatum() {
  const std::time_t jetzt = std::time(nullptr);
  std::tm t{};
  localtime_r(&jetzt, &t);
  char puffer[32];
  if (std::strftime(puffer, sizeof puffer, "%Y.%m.%d", &t) == 0) return "????.??.??";
  return puffer;
}

int32_t TBZugfolgePGN(const char* pfad) {
  if (!pfad || !*pfad) return -1;
  const TBZugfolgeJob& job = ZugfolgeJob();
  // Only a finished job with PGN texts makes a well-formed game.
  if (TBZugfolgeAktiv() || !job.gelaufen || !job.pgnTexte) return -1;

  const TBZugfolgeTexte& t = job.texte;
  std::string spiel;
  spiel += "\n";
  spiel += "[Event \"EGTB\"]\n";
  spiel += "[Site \"-\"]\n";
  spiel += "[Date \"" + HeutigesDatum() + "\"]\n";
  spiel += "[Round \"1\"]\n";
  spiel += "[White \"?\"]\n";
  spiel += "[Black \"?\"]\n";
  spiel += "[Result \"" + PGNEscape(t.slot[3]) + "\"]\n";
  spiel += "[SetUp \"1\"]\n";
  spiel += "[FEN \"" + FENAusgabe(job.startstellung, 1) + "\"]\n";
  spiel += "[Annotator \"Galdrik 1.50\"]\n";
  spiel += "\n";
  spiel += t.slot[0] + "\n";
  spiel += t.slot[1] + "\n";
  spiel += t.linie;
  spiel += " " + t.slot[3] + "\n";

  namespace fs = std::filesystem;
  const fs::path ziel(pfad);
  std::string alt;
  std::error_code ec;
  if (fs::exists(ziel, ec)) {
    std::ifstream ein(ziel, std::ios::binary);
    if (!ein) return -1;
    alt.assign(std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>());
    if (ein.bad()) return -1;
  }
  const fs::path tmp = ziel.string() + ".tmp";
  {
    std::ofstream aus(tmp, std::ios::binary | std::ios::trunc);
    if (!aus) return -1;
    aus << alt << spiel;
    aus.flush();
    if (!aus) {
      aus.close();
      fs::remove(tmp, ec);
      return -1;
    }
  }
  fs::rename(tmp, ziel, ec);
  if (ec) {
    fs::remove(tmp, ec);
    return -1;
  }
  return 0;
}

Zugknoten* ZugknotenErzeugen(const Zug& zug, Zugknoten* parent) {
  Zugknoten* k = new (std::nothrow) Zugknoten(zug, parent ? parent->ply + 1 : 0);
  if (k) k->parent = parent;
  return k;
}

Partiewurzel* TBZugfolgeHinzu(int32_t ply, int32_t optionen) {
  const TBSpaziergang& sp = ZugfolgeJob().spaziergang;
  const TBZugfolgeErgebnis& r = sp.ergebnis;
  const Stellung& start = sp.stellungen[0];
  Partiewurzel* wurzel = new (std::nothrow) Partiewurzel(start, ply);
  if (!wurzel) return nullptr;

  Zugknoten* N = wurzel;
  Stellung P = start;
  P.remisMaterial = 0;
  const int32_t laenge = sp.gespeichert ? std::min(r.linienLaenge, int32_t(ZugfolgeMaxLinie)) : 0;
  for (int i = 0; i < laenge; ++i) {
    Zug zug;
    if (N->ply >= MaxPartiePly || !LegalerZug(P, r.linie[i], zug)) break;
    Zugknoten* kind = ZugknotenSuchen(N->ersterSohn, zug);
    if (!kind) {
      kind = ZugknotenErzeugen(zug, N);
      if (!kind) break;
      KindAnhaengen(N, kind);
    }
    N = kind;
    const int32_t n = r.nag[i];
    if (n > 0) N->nag = n;
    if (n == NagOhneWert) {
      N->kommentar = "??";
      break;
    }
    std::string c;
    if (r.schrittDistanz[i] != 0) c += std::to_string(r.schrittDistanz[i]) + " ";
    if (r.varianten[i] > 0) c += std::to_string(r.varianten[i]) + " var ";
    const auto& bez = ZugfolgeJob().bezeichnungen;
    if ((r.schrittFlags[i] & 1) && (optionen & 8)) c += bez[18] + " ";
    if (P.halbzuege == 99 && Betrag(zug.figur) != Bauer && zug.geschlagen == 0 && !zug.enPassant)
      c += bez[15] + " ";
    if (!c.empty()) N->kommentar = c;
    P = ZugAusfuehren(P, zug, 1);
  }

  if (Zugknoten* erster = wurzel->ersterSohn) {
    const std::string name = MetrikName(TBMetrikAktuell());
    erster->kommentar = erster->kommentar ? name + "; " + *erster->kommentar : name;
  }
  return wurzel;
}

int32_t TBZugfolgeHinzufuegen(int32_t optionen) {
  PartieZustand& partie = Partie();
  Zugknoten* aktuell = partie.aktuell;
  if (!aktuell || TBZugfolgeAktiv()) return -1;
  Stellung pc;
  aktuell->StellungGet(pc);

  Partiewurzel* R = TBZugfolgeHinzu(aktuell->ply, optionen);
  if (!R) return -1;
  if (!R->ersterSohn) {
    ZerstoerenUndFreigeben(R);
    return 0;
  }
  Stellung pr;
  R->StellungGet(pr);
  if (!GleicheStellung(pc, pr)) {
    ZerstoerenUndFreigeben(R);
    return -2;
  }
  Zugknoten* F = R->ersterSohn;
  if (Zugknoten* alt = ZugknotenSuchen(aktuell->ersterSohn, F->zug)) alt->Loeschen();
  R->ersterSohn = nullptr;
  F->parent = nullptr;
  F->naechsterBruder = nullptr;
  KindAnhaengen(aktuell, F);
  F->parent = aktuell;
  delete R;
  return 0;
}

int32_t TBSpaziergangGehen(int32_t n) {
  const TBSpaziergang& sp = ZugfolgeJob().spaziergang;
  if (!sp.gespeichert || TBZugfolgeAktiv()) return -1;
  if (n < 1) n = 0;
  if (n > sp.anzahl) n = sp.anzahl;
  Engine().aktuelleStellung = sp.stellungen[n];
  return n;
}

int32_t TBSpaziergangsZug(int32_t n, int32_t i) {
  TBSpaziergang& sp = ZugfolgeJob().spaziergang;
  if (!sp.gespeichert || TBZugfolgeAktiv()) return -1;
  if (n < 0 || n > sp.anzahl || n + 1 >= ZugfolgeMaxLinie) return -1;
  const Zugliste& liste = Engine().legalzugliste;
  if (i < 0 || i >= liste.anzahl) return -1;
  Zug zug;
  if (!LegalerZug(sp.stellungen[n], liste.zuege[i], zug)) return -1;

  TBZugfolgeErgebnis& r = sp.ergebnis;
  sp.anzahl = n + 1;
  r.linie[n] = zug;
  r.nag[n] = 0;
  r.schrittDistanz[n] = 0;
  r.schrittFlags[n] = 0;
  r.varianten[n] = 0;
  // The moves after n no longer lead from the new position.
  r.linienLaenge = n + 1;
  sp.stellungen[n + 1] = ZugAusfuehren(sp.stellungen[n], zug, 1);
  return n + 1;
}

}  // namespace galdrik

using namespace galdrik;

GALDRIK_EXPORT int32_t DLL_TBZugfolgePGN(const char* pfad) { return TBZugfolgePGN(pfad); }

GALDRIK_EXPORT int32_t DLL_TBZugfolgeHinzu(int32_t optionen) {
  return TBZugfolgeHinzufuegen(optionen);
}

GALDRIK_EXPORT int32_t DLL_TBSpaziergang(int32_t n) { return TBSpaziergangGehen(n); }

GALDRIK_EXPORT int32_t DLL_TBSpaziergangsZug(int32_t n, int32_t i) {
  return TBSpaziergangsZug(n, i);
}
