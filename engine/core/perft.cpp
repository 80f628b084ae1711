// Perft counting and the per-node consistency checks.
#include "core/perft.h"

#include <algorithm>
#include <cstdio>

#include "core/makemove.h"
#include "core/movegen.h"
#include "core/zobrist.h"

namespace galdrik {

namespace {

// Decimal text (std::to_string would export a libstdc++ symbol from the
// library, which must export DLL_* only).
std::string Zahl(long long n) {
  char puffer[24];
  std::snprintf(puffer, sizeof puffer, "%lld", n);
  return puffer;
}

std::string FeldText(int feld) {
  if (feld < 0 || feld > 63) return "??";
  return {static_cast<char>('a' + Linie(feld)), static_cast<char>('1' + Reihe(feld))};
}

// Promotion piece of either generator's encoding (0 none).
int Umwandlung(const Zug& z) {
  switch (z.zugart & 0xF0) {
    case 16:
      return Springer;
    case 32:
      return Laeufer;
    case 64:
      return Turm;
    case 128:
      return Dame;
    default:
      return 0;
  }
}

std::vector<uint32_t> ZugSchluessel(const Zugliste& l) {
  std::vector<uint32_t> v;
  v.reserve(static_cast<size_t>(l.anzahl));
  for (int i = 0; i < l.anzahl; ++i)
    v.push_back(static_cast<uint32_t>(l.zuege[i].von) << 16 |
                static_cast<uint32_t>(l.zuege[i].nach) << 8 |
                static_cast<uint32_t>(Umwandlung(l.zuege[i])));
  std::sort(v.begin(), v.end());
  return v;
}

std::string SchluesselText(uint32_t k) {
  Zug z{};
  z.von = static_cast<uint8_t>(k >> 16);
  z.nach = static_cast<uint8_t>(k >> 8);
  const int u = static_cast<int>(k & 0xFF);
  z.zugart = u == Springer ? 16 : u == Laeufer ? 32 : u == Turm ? 64 : u == Dame ? 128 : 0;
  return ZugKoordinaten(z);
}

uint64_t PerftRekursiv(const Stellung& st, int tiefe, bool bulk) {
  Zugliste liste;
  ZugGenerator(st, GenAlleZuege, liste);
  if (bulk && tiefe == 1) return static_cast<uint64_t>(liste.anzahl);
  uint64_t summe = 0;
  Stellung kind;
  for (int i = 0; i < liste.anzahl; ++i) {
    ZugAusfuehren(kind, st, liste.zuege[i], 1);
    summe += tiefe == 1 ? 1 : PerftRekursiv(kind, tiefe - 1, bulk);
  }
  return summe;
}

struct Pruefer {
  PerftPruefung ergebnis;
  bool mitZL;
  size_t maxMeldungen;
  std::vector<std::string> pfad;

  void Melden(const std::string& was) {
    if (ergebnis.meldungen.size() >= maxMeldungen) return;
    std::string text;
    for (const auto& z : pfad) text += z + " ";
    text += ": " + was;
    ergebnis.meldungen.push_back(text);
  }

  void Knoten(const Stellung& st, int tiefe) {
    if (mitZL) {
      std::string unterschied;
      if (!GeneratorenGleich(st, &unterschied)) {
        ++ergebnis.fehler;
        Melden(unterschied);
      }
    }
    if (tiefe == 0) {
      ++ergebnis.knoten;
      return;
    }
    const Zugliste liste = ZugGenerator(st, GenAlleZuege);
    for (int i = 0; i < liste.anzahl; ++i) {
      const Stellung kind = ZugAusfuehren(st, liste.zuege[i], 1);
      pfad.push_back(ZugKoordinaten(liste.zuege[i]));
      ++ergebnis.geprueft;
      const auto fehler = StellungPruefen(kind);
      if (!fehler.empty()) {
        ++ergebnis.fehler;
        for (const auto& f : fehler) Melden(f);
      }
      Knoten(kind, tiefe - 1);
      pfad.pop_back();
    }
  }
};

}  // namespace

std::string ZugKoordinaten(const Zug& zug) {
  std::string text = FeldText(zug.von) + FeldText(zug.nach);
  switch (Umwandlung(zug)) {
    case Springer:
      text += 'n';
      break;
    case Laeufer:
      text += 'b';
      break;
    case Turm:
      text += 'r';
      break;
    case Dame:
      text += 'q';
      break;
    default:
      break;
  }
  return text;
}

uint64_t Perft(const Stellung& st, int tiefe, bool bulk) {
  if (tiefe <= 0) return 1;
  return PerftRekursiv(st, tiefe, bulk);
}

std::vector<PerftTeil> PerftTeilen(const Stellung& st, int tiefe, bool bulk) {
  std::vector<PerftTeil> teile;
  if (tiefe <= 0) return teile;
  const Zugliste liste = ZugGenerator(st, GenAlleZuege);
  for (int i = 0; i < liste.anzahl; ++i) {
    const Stellung kind = ZugAusfuehren(st, liste.zuege[i], 1);
    teile.push_back({liste.zuege[i], Perft(kind, tiefe - 1, bulk)});
  }
  return teile;
}

std::vector<std::string> StellungPruefen(const Stellung& st) {
  std::vector<std::string> fehler;
  if (StellungLegal(st)) {
    fehler.push_back(st.schluessel != HashCodeBerechnen(st)
                         ? "incremental key differs from the computed key"
                         : "StellungLegal: boards inconsistent");
  }
  const bool schachW = st.koenigW < 64 && FeldAngegriffen(st, st.koenigW, 1);
  const bool schachS = st.koenigS < 64 && FeldAngegriffen(st, st.koenigS, 0);
  if (st.schachW != schachW)
    fehler.push_back("schachW is " + Zahl(st.schachW) + ", attack test says " + Zahl(schachW));
  if (st.schachS != schachS)
    fehler.push_back("schachS is " + Zahl(st.schachS) + ", attack test says " + Zahl(schachS));
  if (st.belegt90 != BitboardDrehen90(st.belegt) ||
      st.belegtA1H8 != BitboardDrehenA1H8(st.belegt) ||
      st.belegtH1A8 != BitboardDrehenH1A8(st.belegt))
    fehler.push_back("rotated boards differ from the rotations of belegt");
  for (unsigned s = 0; s < 64; ++s)
    if (st.figurenfeld[s] != FigurAufFeld(st, s)) {
      fehler.push_back("figurenfeld of " + FeldText(static_cast<int>(s)) + " is " +
                       Zahl(st.figurenfeld[s]) + ", boards say " + Zahl(FigurAufFeld(st, s)));
      break;
    }
  return fehler;
}

bool GeneratorenGleich(const Stellung& st, std::string* unterschied) {
  const Zugliste a = ZugGenerator(st, GenAlleZuege);
  Zugliste b;
  ZuglisteErzeugen(st, 0, b);
  const auto ka = ZugSchluessel(a), kb = ZugSchluessel(b);
  if (ka == kb) return true;
  if (unterschied) {
    std::string text =
        "ZugGenerator " + Zahl(a.anzahl) + " moves, ZuglisteErzeugen " + Zahl(b.anzahl) + ";";
    std::vector<uint32_t> nurA, nurB;
    std::set_difference(ka.begin(), ka.end(), kb.begin(), kb.end(), std::back_inserter(nurA));
    std::set_difference(kb.begin(), kb.end(), ka.begin(), ka.end(), std::back_inserter(nurB));
    for (uint32_t k : nurA) text += " only ZugGenerator: " + SchluesselText(k);
    for (uint32_t k : nurB) text += " only ZuglisteErzeugen: " + SchluesselText(k);
    *unterschied = text;
  }
  return false;
}

PerftPruefung PerftPruefen(const Stellung& st, int tiefe, bool mitZuglisteErzeugen,
                           size_t maxMeldungen) {
  Pruefer p;
  p.mitZL = mitZuglisteErzeugen;
  p.maxMeldungen = maxMeldungen;
  ++p.ergebnis.geprueft;
  const auto fehler = StellungPruefen(st);
  if (!fehler.empty()) {
    ++p.ergebnis.fehler;
    for (const auto& f : fehler) p.Melden("(root) " + f);
  }
  p.Knoten(st, tiefe < 0 ? 0 : tiefe);
  return p.ergebnis;
}

}  // namespace galdrik
