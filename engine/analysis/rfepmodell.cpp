// The RFEP move model and its game and PGN analyses. Every move is judged
// by the tablebase value of the position after it, turned into a distance
// state; moves are generated and made by the engine core.
#include "analysis/rfepmodell.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

#include "core/fen.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "interface/partie.h"
#include "interface/pgn.h"

namespace galdrik {

namespace {

constexpr std::string_view Trennlinie = "===================================\n";

std::string Fen(const Stellung& st, int32_t halbzug) {
  return FENAusgabe(st, static_cast<int16_t>(halbzug));
}

std::string Notation(const Zug& z) {
  return IstKeinZug(z) ? std::string() : ZugNotation(z, FigurenEnglisch, 0);
}

bool SchlagOderUmwandlung(const Zug& z) {
  return z.geschlagen != 0 || z.enPassant == 1 || IstUmwandlung(z);
}

// One legal move with the value of its position (for the side then to
// move) and its state.
struct Bewertung {
  Zug zug;
  int32_t wert;
  int32_t zustand;
  bool ausgeschlossen;
};

struct Bewertete {
  std::vector<Bewertung> zuege;
  int32_t besterIndex = -1;  // the smallest value, the later one on ties
  int32_t besterZustand = RFEPKeinZustand;
};

Bewertete ZuegeBewerten(const RFEPParameter& par, const Stellung& st) {
  Bewertete b;
  Zugliste liste;
  ZugGenerator(st, GenAlleZuege, liste);
  b.zuege.reserve(liste.anzahl);
  int32_t besterWert = RFEPKeinWert;
  for (int32_t k = 0; k < liste.anzahl; ++k) {
    const Zug& z = liste.zuege[k];
    const int32_t wert = RFEPWert(ZugAusfuehren(st, z, 1));
    const int32_t t = RFEPTiefe(wert, par.att, par.maxD, SchlagOderUmwandlung(z));
    // A move whose position has no value is not counted at all.
    const bool aus = t == RFEPKeinZustand || (wert == 0 && par.noD == 1) ||
                     (wert > 0 && par.att == 1 && par.noL == 1) ||
                     (wert < 0 && par.att == 0 && par.noL == 1);
    if (t != RFEPKeinZustand && wert <= besterWert) {
      besterWert = wert;
      b.besterIndex = k;
      b.besterZustand = t;
    }
    b.zuege.push_back({z, wert, t, aus});
  }
  return b;
}

bool ImHorizont(const RFEPParameter& par, int32_t zustand) {
  return zustand != RFEPKeinZustand && zustand < par.horizon;
}

std::string Statistikzeile(const RFEPModell& m) {
  return RFEPZahl(RFEPKompetenzMittel(m)) + " \t" + RFEPZahl(RFEPKompetenzVarianz(m)) + " \t" +
         RFEPZahl(RFEPKompetenzSchiefe(m)) + " \t";
}

bool BerichtOeffnbar(const std::string& pfad) {
  std::FILE* f = std::fopen(pfad.c_str(), "a");
  if (!f) return false;
  std::fclose(f);
  return true;
}

// Walks a main line from `erster`, taking every second node, updating the
// model with at most `zuege` moves. `zeile` writes the lines of one move and
// is told the update's result; a result of 0 ends the walk after it.
template <typename Zeile>
void HauptlinieAnalysieren(RFEPModell& m, const Zugknoten* erster, int32_t zuege, Zeile zeile) {
  int32_t n = 0;
  for (const Zugknoten* k = erster; k && n < zuege; ++n) {
    Stellung vorher;
    k->parent->StellungGet(vorher);
    const int32_t ergebnis = RFEPZugAnalysieren(m, vorher, k->zug);
    zeile(vorher, ergebnis);
    if (ergebnis == 0) break;
    k = k->ersterSohn ? k->ersterSohn->ersterSohn : nullptr;
  }
}

}  // namespace

std::unique_ptr<RFEPModell> RFEPMoveInit(const RFEPParameter& par, double csim, int32_t cnum,
                                         double cmin, double cstp) {
  std::unique_ptr<RFEPModell> m(new (std::nothrow) RFEPModell);
  if (!m) throw RFEPKeinSpeicher;
  m->par = par;
  m->csim = csim;
  m->cnum = cnum;
  m->cmin = cmin;
  m->cstp = cstp;
  m->stufenmatrix = RFEPMatrix(cnum, RFEPZustaende(par.maxD));
  m->gewichte = RFEPGewichteAnlegen(par, cnum, cmin, cstp);
  try {
    m->p.assign(cnum, 1.0 / cnum);
    m->erwartungssumme.assign(cnum, 0.0);
    m->gewichtssumme.assign(cnum, 0.0);
  } catch (const std::bad_alloc&) {
    throw RFEPKeinSpeicher;
  }
  char zeile[512];
  std::snprintf(zeile, sizeof zeile,
                "maxD %i, csim %s, kappa %s, Att %i, noD %i, noL %i, Horizon %i, DrD %i, "
                "LsD %i, cnum %i, cmin %s, cstp %s\n",
                par.maxD, RFEPFestkomma(csim).c_str(), RFEPFestkomma(par.kappa).c_str(), par.att,
                par.noD, par.noL, par.horizon, par.drD, par.lsD, cnum, RFEPFestkomma(cmin).c_str(),
                RFEPFestkomma(cstp).c_str());
  RFEPLog(std::string(Trennlinie) + "REP initialised\n" + zeile + std::string(Trennlinie));
  return m;
}

void RFEPModellZuruecksetzen(RFEPModell& m) {
  std::fill(m.p.begin(), m.p.end(), 1.0 / m.cnum);
  m.stufenmatrix.MatrixNullen();
}

Zug RFEPMoveDo(const RFEPModell& m, const Stellung& st) {
  const Bewertete b = ZuegeBewerten(m.par, st);
  if (b.zuege.empty()) return KeinZug;
  const size_t anzahl = b.zuege.size();
  std::vector<double> summen(anzahl);
  double summe = 0.0;
  size_t ersterUnendlicher = anzahl;
  for (size_t k = 0; k < anzahl; ++k) {
    const double w =
        b.zuege[k].ausgeschlossen ? 0.0 : RFEPGewicht(m.par, m.csim, b.zuege[k].zustand);
    if (std::isinf(w) && ersterUnendlicher == anzahl) ersterUnendlicher = k;
    summe += w;
    summen[k] = summe;
  }
  const int r = RFEPZufall();
  size_t gewaehlt = 0;
  if (ersterUnendlicher < anzahl) {
    // An infinite weight outweighs every finite one.
    gewaehlt = ersterUnendlicher;
  } else if (summe > 0.0 && std::isfinite(summe)) {
    for (double& c : summen) c /= summe;
    for (size_t k = 1; k < anzahl; ++k)
      if (summen[k - 1] * 32767.0 <= r && summen[k - 1] != summen[k]) gewaehlt = k;
  }
  if (ImHorizont(m.par, b.besterZustand)) gewaehlt = b.besterIndex;
  return b.zuege[gewaehlt].zug;
}

int32_t RFEPZugAnalysieren(RFEPModell& m, const Stellung& st, const Zug& zug) {
  const Bewertete b = ZuegeBewerten(m.par, st);
  // Only a legal move of the position is judged; its generated form carries
  // the captured piece that the state (and the notation) depends on.
  const Bewertung* gespielt = nullptr;
  for (const Bewertung& k : b.zuege)
    if (k.zug.von == zug.von && k.zug.nach == zug.nach &&
        (k.zug.zugart & 0xF0) == (zug.zugart & 0xF0))
      gespielt = &k;
  RFEPLog(std::string(Trennlinie) + "Analyse move\n" + Fen(st, 0) + "\n" +
          Notation(gespielt ? gespielt->zug : zug) + "\n");
  if (!gespielt || gespielt->zustand == RFEPKeinZustand) return 0;
  const int32_t tm = gespielt->zustand;

  m.stufenmatrix.MatrixNullen();
  for (const Bewertung& k : b.zuege) {
    if (k.ausgeschlossen) continue;
    for (int32_t i = 0; i < m.cnum; ++i)
      m.stufenmatrix.MatrixSetzen(
          m.stufenmatrix.MatrixHolen(i, k.zustand) + m.gewichte.gewicht(i, k.zustand), i,
          k.zustand);
  }
  if (!ImHorizont(m.par, b.besterZustand)) {
    m.stufenmatrix.MatrixZeilenNormieren();
    std::vector<double> neu(m.p);
    std::string log = "unnorm: \t";
    double summe = 0.0;
    for (int32_t i = 0; i < m.cnum; ++i) {
      neu[i] *= m.stufenmatrix.MatrixHolen(i, tm);
      summe += neu[i];
      log += RFEPZahl(neu[i]) + " \t";
    }
    RFEPLog(log + "\n");
    // An excluded move, or weights without a number, would leave no
    // distribution at all: the observation is then ignored.
    if (summe > 0.0 && std::isfinite(summe)) {
      for (double& w : neu) w /= summe;
      m.p = std::move(neu);
    }
  }
  RFEPLog(Trennlinie);
  return tm != 0 ? 1 : 0;
}

Zug RFEPMoveEmul(RFEPModell& m, const Stellung& st) {
  const Bewertete b = ZuegeBewerten(m.par, st);
  if (b.zuege.empty()) return KeinZug;
  size_t gewaehlt = 0;
  double besterAbstand = 0.0;
  bool gefunden = false;
  for (size_t k = 0; k < b.zuege.size(); ++k) {
    if (b.zuege[k].ausgeschlossen) continue;
    const std::vector<double> kopie = m.p;
    RFEPZugAnalysieren(m, st, b.zuege[k].zug);
    const double abstand = std::fabs(m.csim - RFEPKompetenzMittel(m));
    m.p = kopie;
    if (!gefunden || abstand < besterAbstand) {
      if (!std::isnan(abstand)) {
        gewaehlt = k;
        besterAbstand = abstand;
        gefunden = true;
      }
    }
  }
  RFEPZugAnalysieren(m, st, b.zuege[gewaehlt].zug);
  return b.zuege[gewaehlt].zug;
}

Zug RFEPPredator(RFEPModell& m, const Stellung& st, uint8_t& flag) {
  RFEPLog(std::string(Trennlinie) + "Predator move calculation\n" + Fen(st, 0) + "\n");
  Zugliste eigene;
  ZugGenerator(st, GenAlleZuege, eigene);
  if (eigene.anzahl == 0) return KeinZug;
  const RFEPParameter& par = m.par;
  const int32_t remis = RFEPRemisZustand(par.maxD);
  const int32_t verlust = RFEPVerlustZustand(par.maxD);

  const int32_t v = RFEPWert(st);
  const int32_t grenze = v > 0 ? -v : v < 0 ? 1 - v : 0;
  double beste = par.att == 1 ? 0.0 : std::max({par.maxD, par.drD, par.lsD});
  int32_t genommen = -1;
  uint8_t ergebnis = 0;
  for (int32_t k = 0; k < eigene.anzahl; ++k) {
    const Zug& z = eigene.zuege[k];
    const Stellung nach = ZugAusfuehren(st, z, 1);
    const bool haelt = RFEPWert(nach) <= grenze;
    if (!haelt && flag == 0) continue;
    double e;
    const Bewertete antworten = ZuegeBewerten(par, nach);
    if (antworten.zuege.empty()) {
      // Mating the modelled player is his loss state when he is the winner
      // (Att = 1) and distance 0 when he is the loser; stalemate a draw.
      const bool weissAmZug = nach.amZug == Weiss;
      const bool matt =
          FeldAngegriffen(nach, weissAmZug ? nach.koenigW : nach.koenigS, weissAmZug ? 1 : 0);
      e = matt ? (par.att == 1 ? verlust : 0) : remis;
    } else if (ImHorizont(par, antworten.besterZustand)) {
      // Inside his horizon the opponent plays his best reply.
      e = antworten.besterZustand;
    } else {
      std::fill(m.erwartungssumme.begin(), m.erwartungssumme.end(), 0.0);
      std::fill(m.gewichtssumme.begin(), m.gewichtssumme.end(), 0.0);
      bool gezaehlt = false;
      for (const Bewertung& a : antworten.zuege) {
        const int32_t t = a.zustand;
        if (t == RFEPKeinZustand || (t == remis && par.noD == 1) || (t == verlust && par.noL == 1))
          continue;
        gezaehlt = true;
        for (int32_t i = 0; i < m.cnum; ++i) {
          const double w = m.gewichte.gewicht(i, t);
          m.gewichtssumme[i] += w;
          m.erwartungssumme[i] += t * w;
        }
      }
      // Without a counted reply the move has no expectation to rank by.
      if (!gezaehlt) continue;
      e = 0.0;
      for (int32_t i = 0; i < m.cnum; ++i) e += m.p[i] * m.erwartungssumme[i] / m.gewichtssumme[i];
    }
    RFEPLog(Notation(z) + " \t expected depth " + RFEPZahl(e) + "\n");
    if (par.att == 1 ? e > beste : e < beste) {
      beste = e;
      genommen = k;
      ergebnis = haelt ? 0 : 1;
    }
  }
  RFEPLog(Trennlinie);
  flag = ergebnis;
  return genommen < 0 ? KeinZug : eigene.zuege[genommen];
}

double RFEPKompetenzMittel(const RFEPModell& m) {
  double summe = 0.0;
  for (int32_t i = 0; i < m.cnum; ++i) summe += m.kompetenz(i) * m.p[i];
  return summe;
}

double RFEPKompetenzVarianz(const RFEPModell& m) {
  const double mittel = RFEPKompetenzMittel(m);
  double summe = 0.0;
  for (int32_t i = 0; i < m.cnum; ++i) summe += m.kompetenz(i) * m.kompetenz(i) * m.p[i];
  return summe - mittel * mittel;
}

double RFEPKompetenzSchiefe(const RFEPModell& m) {
  const double mittel = RFEPKompetenzMittel(m);
  const double varianz = RFEPKompetenzVarianz(m);
  double summe = 0.0;
  for (int32_t i = 0; i < m.cnum; ++i) {
    const double d = m.kompetenz(i) - mittel;
    summe += d * d * d * m.p[i];
  }
  return summe / std::sqrt(varianz * varianz * varianz);
}

int32_t RFEPDetermineGame(RFEPModell& m, const std::string& bericht, int32_t zuege,
                          int32_t mitPredator) {
  if (!BerichtOeffnbar(bericht)) return RFEPBerichtNichtOffen;
  std::string text = "current game\n";
  if (const Zugknoten* knoten = Partie().aktuell) {
    Stellung st;
    knoten->StellungGet(st);
    text += "starting with: " + Fen(st, knoten->ply + 1) + "\n";
    HauptlinieAnalysieren(m, knoten->ersterSohn, zuege, [&](const Stellung& vorher, int32_t) {
      text += Statistikzeile(m);
      if (mitPredator == 1) {
        uint8_t flag = 1;
        const Zug z = RFEPPredator(m, vorher, flag);
        text += "{predator: " + Notation(z) + (flag == 1 ? "!?" : "") + "}\n";
      } else {
        text += "\n";
      }
    });
  }
  return RFEPDateiSchreiben(bericht, text, true) ? 0 : RFEPBerichtNichtOffen;
}

int32_t RFEPDeterminePGN(RFEPModell& m, const std::string& pgn, const std::string& bericht,
                         int32_t zuege, int32_t partien, int32_t zuruecksetzen, int32_t zugzeilen) {
  if (!BerichtOeffnbar(bericht)) return RFEPBerichtNichtOffen;
  // A private index: the program's PGN browser keeps the file it shows.
  std::vector<PGNIndexSatz> saetze;
  const int32_t imIndex = PGNDateiIndex(pgn, saetze);
  if (imIndex < 0) return RFEPPGNNichtLesbar;
  const int32_t anzahl = std::min(partien, imIndex);
  if (anzahl < 1) return 0;

  std::string text = std::to_string(anzahl) + " games of " + pgn + "\n";
  RFEPModellZuruecksetzen(m);
  PGNZugtextLeser leser(pgn);
  for (int32_t g = 0; g < anzahl; ++g) {
    const PGNIndexSatz& satz = saetze[g];
    std::string zugtext;
    if (leser.lesen(satz.ersteZeile, satz.zeilenAnzahl, zugtext) < 0) zugtext.clear();
    // The game is read into a tree of its own; one that does not load is
    // an empty game from the initial position.
    Stellung start = Grundstellung();
    int32_t wurzelPly = 0;
    if (satz.tags[TagSetUp] == "1") {
      uint16_t halbzug = 1;
      if (FENEingabe(satz.tags[TagFEN], start, halbzug) == FENGueltig &&
          halbzug - 1 < MaxWurzelPly) {
        wurzelPly = halbzug - 1;
      } else {
        start = Grundstellung();
        zugtext.clear();
      }
    }
    std::unique_ptr<Partiewurzel> wurzel(PGNZugtextParsen(start, wurzelPly, zugtext));
    if (zuruecksetzen != 0) RFEPModellZuruecksetzen(m);
    if (wurzel)
      HauptlinieAnalysieren(m, wurzel->ersterSohn, zuege, [&](const Stellung&, int32_t erg) {
        if (erg != 0 && zugzeilen == 1) text += Statistikzeile(m) + "\n";
      });
    if (zugzeilen == 1) {
      text += Statistikzeile(m) + "\n-----\n";
    } else {
      text += "game " + std::to_string(g + 1) + ", final c is " + RFEPZahl(RFEPKompetenzMittel(m)) +
              " \t var " + RFEPZahl(RFEPKompetenzVarianz(m)) + " \t skew " +
              RFEPZahl(RFEPKompetenzSchiefe(m)) + "\n";
    }
  }
  if (!RFEPDateiSchreiben(bericht, text, true)) return RFEPBerichtNichtOffen;
  return anzahl;
}

}  // namespace galdrik
