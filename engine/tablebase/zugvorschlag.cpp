// The tablebase move suggestion and the move ordering by tablebase value,
// with the export that offers the suggestion for the current position.
#include "tablebase/zugvorschlag.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/makemove.h"
#include "core/movegen.h"
#include "interface/enginestate.h"
#include "interface/export.h"
#include "tablebase/probe.h"

namespace galdrik {
namespace {

// The best value of a group of moves, the move that holds it and whether no
// other move of the group shares it.
struct Bester {
  TbValue wert = TbKeinWert;
  int zug = -1;
  bool einzig = false;

  void Pruefen(TbValue v, int i) {
    if (v < wert) {
      wert = v;
      zug = i;
      einzig = true;
    } else if (v == wert) {
      einzig = false;
    }
  }
};

bool SeiteNichtAmZugImSchach(const Stellung& st) {
  const bool weissAmZug = st.amZug == Weiss;
  return FeldAngegriffen(st, weissAmZug ? st.koenigS : st.koenigW, weissAmZug ? 0 : 1);
}

}  // namespace

TbValue TBWertNachZug(const Stellung& st, const Zug& z, int32_t metrik) {
  const Stellung nach = ZugAusfuehren(st, z, 0);
  // The probe itself answers no value when the mover's king is left in check.
  return TBProbe(nach, metrik);
}

int32_t TBZugVorschlag(const Stellung& st, Zug& zug, bool umwandlungen, bool bauernzuege,
                       int32_t fuenfzig) {
  const int32_t metrik = TBMetrikAktuell();
  Zugliste liste;
  ZugGenerator(st, GenAlleZuege, liste);

  Bester alle, umw, nichtUmw, bauer, nichtBauer;
  int ohneWert = 0, remis = 0, gewinn = 0;
  for (int i = 0; i < liste.anzahl; ++i) {
    const Zug& z = liste.zuege[i];
    const TbValue v = TBWertNachZug(st, z, metrik);
    alle.Pruefen(v, i);
    if (v == TbKeinWert)
      ++ohneWert;
    else if (v == 0)
      ++remis;
    else if (v < 0)
      ++gewinn;
    (IstUmwandlungszug(z) ? umw : nichtUmw).Pruefen(v, i);
    (IstBauernzug(z) ? bauer : nichtBauer).Pruefen(v, i);
  }

  Bester gewaehlt = alle;
  if (umwandlungen && umw.zug >= 0) {
    if (umw.wert < 0 && gewaehlt.wert < 0)
      gewaehlt = umw;
    else if (nichtUmw.wert > 0 && gewaehlt.wert > 0 && nichtUmw.zug >= 0)
      gewaehlt = nichtUmw;
  }
  if (bauernzuege && bauer.zug >= 0) {
    if (bauer.wert < 0 && gewaehlt.wert < 0) {
      const bool umwandlungGleichGut =
          umwandlungen && gewaehlt.wert == umw.wert && !(bauer.wert < umw.wert);
      if (!umwandlungGleichGut) gewaehlt = bauer;
    } else if (nichtBauer.wert > 0 && gewaehlt.wert > 0 && nichtBauer.zug >= 0) {
      gewaehlt = nichtBauer;
    }
  }

  int32_t code = 0;
  if (ohneWert > 0)
    code = VorschlagOhneWert;
  else if (liste.anzahl == 1)
    code = VorschlagEinzigerZug;
  else if (gewinn == 1 || (gewinn == 0 && remis == 1))
    code = VorschlagEinzigerGewinn;
  else if (gewaehlt.zug >= 0 && gewaehlt.einzig)
    code = VorschlagEinzigBester;

  // Under the fifty-move metrics a position the table calls a draw is not
  // graded by a move that keeps a value the table cannot honour.
  if (fuenfzig > 0 && (code == VorschlagEinzigBester || code == VorschlagEinzigerGewinn) &&
      !SeiteNichtAmZugImSchach(st)) {
    if (TBProbe(st, metrik) == 0 && gewaehlt.zug >= 0 && gewaehlt.wert != 0) code = 0;
  }

  zug = gewaehlt.zug >= 0 ? liste.zuege[gewaehlt.zug] : KeinZug;
  return code;
}

int32_t TBZugVergleich(const Stellung& st, const Zug& a, const Zug& b) {
  const int32_t metrik = TBMetrikAktuell();
  return TBWertNachZug(st, a, metrik) - TBWertNachZug(st, b, metrik);
}

void TBZuegeSortieren(const Stellung& st, Zug* zuege, int32_t anzahl) {
  // Each move is probed once; the order is that of TBZugVergleich.
  const int32_t metrik = TBMetrikAktuell();
  std::vector<std::pair<TbValue, Zug>> werte;
  werte.reserve(size_t(std::max(anzahl, 0)));
  for (int32_t i = 0; i < anzahl; ++i)
    werte.emplace_back(TBWertNachZug(st, zuege[i], metrik), zuege[i]);
  std::stable_sort(werte.begin(), werte.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (int32_t i = 0; i < anzahl; ++i) zuege[i] = werte[size_t(i)].second;
}

}  // namespace galdrik

using namespace galdrik;

// Any nonzero preference counts as on: the program passes -1 for true.
GALDRIK_EXPORT int32_t DLL_TBZugVorschlag(int32_t* zug, int32_t umwandlungen, int32_t bauernzuege,
                                          int32_t fuenfzig) {
  Zug z{};
  const Stellung st = Engine().aktuelleStellung;
  const int32_t code = TBZugVorschlag(st, z, umwandlungen != 0, bauernzuege != 0, fuenfzig);
  if (zug) {
    const bool keiner = IstKeinZug(z);
    zug[0] = keiner ? 0 : z.von;
    zug[1] = keiner ? 0 : z.nach;
    zug[2] = zug[3] = keiner || !IstUmwandlung(z) ? 0 : z.zugart;
  }
  return code;
}
