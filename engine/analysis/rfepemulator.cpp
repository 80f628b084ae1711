// The RFEP matrix run, its matrix file and the expected depths.
#include "analysis/rfepemulator.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <new>

namespace galdrik {

RFEPEmulator::RFEPEmulator(const RFEPParameter& par, double kompetenz)
    : par_(par),
      kompetenz_(kompetenz),
      gewichte_(RFEPGewichteAnlegen(par, 1, kompetenz, 0.0)),
      matrix_(RFEPZustaende(par.maxD), RFEPZustaende(par.maxD)) {
  try {
    zaehler_.assign(RFEPZustaende(par.maxD), 0);
  } catch (const std::bad_alloc&) {
    throw RFEPKeinSpeicher;
  }
}

int32_t RFEPEmulator::Zeile(int32_t wert) const {
  if (wert >= RFEPKeinWert || wert < -32766) return RFEPKeinZustand;
  const int32_t u = -wert;
  if (u == 0) return RFEPRemisZustand(par_.maxD);
  if (par_.att == 1 ? u > 0 : u < 0) return RFEPVerlustZustand(par_.maxD);
  // A win in n (Att = 1) is row n, a loss in m (Att = 0) row m + 2; the
  // cap comes after the shift, so a long win stays in "maxD or more".
  const int32_t roh = par_.att == 1 ? u + 32766 : 32767 - u;
  return roh + 1 < par_.maxD ? roh + 1 : par_.maxD;
}

void RFEPEmulator::StellungBuchen(int32_t wert, const RFEPNachfolger* zuege, int32_t anzahl) {
  if (anzahl <= 0 || !zuege) return;
  const int32_t r = Zeile(wert);
  if (r == RFEPKeinZustand) return;
  const int32_t remis = RFEPRemisZustand(par_.maxD);
  const int32_t verlust = RFEPVerlustZustand(par_.maxD);
  for (int32_t& z : zaehler_) z = 0;
  for (int32_t k = 0; k < anzahl; ++k) {
    const int32_t t = RFEPTiefe(zuege[k].wert, par_.att, par_.maxD, zuege[k].schlagOderUmwandlung);
    if (t == RFEPKeinZustand) continue;
    if (par_.noD == 1 && t == remis) continue;
    if (par_.noL == 1 && t == verlust) continue;
    if (r > 0 && r <= par_.horizon && r < remis)
      ++zaehler_[par_.att == 1 ? r - 1 : r];
    else
      ++zaehler_[t];
  }
  // Only booked columns enter the sum: 0 x an infinite weight is no number.
  double summe = 0.0;
  for (int32_t j = 0; j < RFEPZustaende(par_.maxD); ++j)
    if (zaehler_[j] > 0) summe += zaehler_[j] * gewichte_.gewicht(0, j);
  if (!(summe > 0.0) || !std::isfinite(summe)) return;
  for (int32_t j = 0; j < RFEPZustaende(par_.maxD); ++j)
    if (zaehler_[j] > 0)
      matrix_.MatrixSetzen(
          matrix_.MatrixHolen(r, j) + zaehler_[j] * gewichte_.gewicht(0, j) / summe, r, j);
}

std::string RFEPMatrixDateiText(const RFEPEmulator& emulator) {
  const RFEPParameter& par = emulator.par();
  std::string text = "Competence " + RFEPZahl(emulator.kompetenz()) + "; Kappa " +
                     RFEPZahl(par.kappa) + "; Horizon " + std::to_string(par.horizon) + "; ";
  text += par.noD == 1 ? "no drawing moves; " : "Draw depth " + std::to_string(par.drD) + "; ";
  text += par.noL == 1 ? "no loosing moves\n" : "Loss depth " + std::to_string(par.lsD) + "\n";
  RFEPMatrix kopie;
  emulator.matrix().MatrixKopie(kopie);
  // State 0 (mate) is never booked and becomes absorbing.
  kopie.MatrixSetzen(1.0, 0, 0);
  kopie.MatrixZeilenNormieren();
  text += kopie.MatrixText('\t', '\n');
  text += "\n\n";
  return text;
}

int32_t RFEPMatrixFinishInnen(const RFEPEmulator& emulator, const std::string& pfad) {
  return RFEPDateiSchreiben(pfad, RFEPMatrixDateiText(emulator), false) ? 0 : -1;
}

namespace {

struct DateiSchliessen {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using Datei = std::unique_ptr<std::FILE, DateiSchliessen>;

// Appends the next line, with its line feed when it has one, as long as the
// text stays within `grenze` characters; false when it would not. A CR
// before the line feed is dropped.
bool ZeileAnhaengen(std::FILE* f, std::string& text, size_t grenze) {
  for (int c; (c = std::fgetc(f)) != EOF;) {
    if (c == '\n' && !text.empty() && text.back() == '\r') text.pop_back();
    if (text.size() >= grenze + 1) return false;
    text += static_cast<char>(c);
    if (c == '\n') break;
  }
  return text.size() <= grenze;
}

double Zahlwert(std::string_view zahl) {
  size_t i = 0;
  while (i < zahl.size() && (zahl[i] == ' ' || zahl[i] == '\t' || zahl[i] == '\r')) ++i;
  if (i < zahl.size() && zahl[i] == '+') ++i;
  double wert = 0.0;
  const auto ergebnis = std::from_chars(zahl.data() + i, zahl.data() + zahl.size(), wert);
  return ergebnis.ec == std::errc() ? wert : 0.0;
}

}  // namespace

int32_t RFEPMatrixDepthsInnen(const std::string& pfad, int32_t n) {
  if (n < 2) throw RFEPFalscheGroesse;
  Datei f(std::fopen(pfad.c_str(), "r"));
  if (!f) return RFEPDepthsNichtLesbar;
  const size_t nn = static_cast<size_t>(n);
  const size_t grenze = nn * nn * 25 - 2;

  // The header line is skipped whatever its length.
  for (int c; (c = std::fgetc(f.get())) != EOF && c != '\n';) {
  }
  std::string text;
  for (int32_t i = 0; i < n; ++i)
    if (!ZeileAnhaengen(f.get(), text, grenze)) return RFEPDepthsZuLang;
  f.reset();

  const size_t ersteZeile = text.find('\n');
  int32_t spalten = 1;
  for (size_t i = 0; i < text.size() && i < ersteZeile; ++i) spalten += text[i] == '\t';
  int32_t zeilen = 0;
  for (char c : text) zeilen += c == '\n';
  RFEPMatrix p(zeilen, spalten);
  size_t pos = 0;
  for (int32_t z = 0; z < zeilen; ++z)
    for (int32_t s = 0; s < spalten; ++s) {
      const size_t zeilenEnde = text.find('\n', pos);
      const size_t ende = s + 1 < spalten ? text.find('\t', pos) : zeilenEnde;
      if (ende == std::string::npos || ende > zeilenEnde) throw RFEPFalscheGroesse;
      if (ende - pos > 1024) throw RFEPFalscheGroesse;
      p.MatrixSetzen(Zahlwert(std::string_view(text).substr(pos, ende - pos)), z, s);
      pos = ende + 1;
    }
  if (p.zeilen() != n || p.spalten() != n) throw RFEPPasstNicht;

  // D = P - I; Q = D without state 0; E = Q^-1 x 1 is minus the expected
  // number of moves from state i + 1 until mate.
  for (int32_t i = 0; i < n; ++i) p.MatrixSetzen(p.MatrixHolen(i, i) - 1.0, i, i);
  const RFEPMatrix r = p.MatrixMinor(0, 0).MatrixInvertieren();
  RFEPMatrix eins(n - 1, 1);
  for (int32_t i = 0; i < n - 1; ++i) eins.MatrixSetzen(1.0, i, 0);
  const RFEPMatrix e = RFEPMatrix::MatrixMul(r, eins);
  if (!RFEPDateiSchreiben(pfad, "Expected Depths\n" + e.MatrixText('\t', '\n') + "\n", true))
    return RFEPDepthsNichtSchreibbar;
  return 0;
}

}  // namespace galdrik
