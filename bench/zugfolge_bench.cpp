// Tablebase move suggestions per second over every KQK and KRK position
// with White to move, and the time of move-sequence jobs (a KBNK win of 65
// plies and a drawn rook ending of 100), on the build's generated DTM set.
#include <cstdio>
#include <memory>

#include "core/board.h"
#include "core/contactmasks.h"
#include "core/evalterms.h"
#include "core/kpk.h"
#include "core/zobrist.h"
#include "messen.h"
#include "tablebase/probe.h"
#include "tablebase/tbdienste.h"
#include "tablebase/zugfolge.h"
#include "tablebase/zugfolgejob.h"
#include "tablebase/zugvorschlag.h"

using namespace galdrik;

namespace {

Stellung Aufstellen(std::initializer_list<std::pair<int8_t, int>> maenner, bool weiss) {
  Stellung st = Leerstellung();
  for (auto [f, feld] : maenner) {
    const Bitboard b = Bitboard{1} << feld;
    (f > 0 ? st.weiss : st.schwarz) |= b;
    switch (Betrag(f)) {
      case Turm:
        st.tuerme |= b;
        break;
      case Dame:
        st.damen |= b;
        break;
      case Laeufer:
        st.laeufer |= b;
        break;
      case Springer:
        st.springer |= b;
        break;
      case Koenig:
        (f > 0 ? st.koenigW : st.koenigS) = uint8_t(feld);
        break;
    }
  }
  st.amZug = weiss ? Weiss : Schwarz;
  BelegungSetzen(st);
  StellungAbleiten(st);
  return st;
}

}  // namespace

int main() {
  AngriffstabellenInit();
  AngriffsmaskenInit();
  if (HashCodeKeysLaden(GALDRIK_DATA_DIR "/HashCode.key") != 0) return 1;
  BitbaseKBKGenerieren();
  BewertungMaskenInit();
  TBInitialisieren("", -1);
  if (TBInitialisieren(GALDRIK_TB_DTM_DIR, 0) <= 0) {
    std::fprintf(stderr, "no tables in %s\n", GALDRIK_TB_DTM_DIR);
    return 1;
  }
  TBCacheSetzen(16 << 20);

  for (int8_t figur : {Dame, Turm}) {
    long n = 0;
    const double s = bench::Sekunden([&] {
      for (int wk = 0; wk < 64; ++wk)
        for (int x = 0; x < 64; ++x)
          for (int sk = 0; sk < 64; ++sk) {
            if (wk == x || x == sk || wk == sk) continue;
            const Stellung st = Aufstellen({{Koenig, wk}, {figur, x}, {-Koenig, sk}}, true);
            if (TBProbe(st, 0) == TbKeinWert) continue;
            Zug z{};
            TBZugVorschlag(st, z, false, false, 0);
            ++n;
          }
    });
    std::printf("move suggestion %s: %ld positions, %.0f suggestions/s\n",
                figur == Dame ? "kqk" : "krk", n, double(n) / s);
  }

  struct Fall {
    const char* was;
    Stellung st;
  };
  // White wins in 33 here (the longest KBNK win) and the line mates.
  const Fall faelle[] = {
      {"kbnk win", Aufstellen({{Koenig, 7}, {Laeufer, 23}, {Springer, 0}, {-Koenig, 1}}, true)},
      {"krkr draw", Aufstellen({{Koenig, 0}, {Turm, 9}, {-Koenig, 63}, {-Turm, 54}}, true)},
  };
  for (const Fall& f : faelle) {
    const int32_t p[6] = {0, 2 + 8, 0, 0, 0, 0};
    int32_t schritte = 0;
    const int wiederholungen = 20;
    const double s = bench::Sekunden([&] {
      for (int i = 0; i < wiederholungen; ++i) {
        TBZugfolgeText(f.st, p, "BSLTDK");
        schritte = ZugfolgeJob().spaziergang.ergebnis.linienLaenge;
      }
    });
    const double proSchritt = s / wiederholungen / (schritte ? schritte : 1);
    std::printf(
        "move-sequence job %s: %d line steps searched, %.2f ms per job, %.1f us per step, "
        "%.1f ms for 1024 steps at that rate\n",
        f.was, schritte, 1000.0 * s / wiederholungen, 1e6 * proSchritt, 1000.0 * proSchritt * 1024);
  }
  return 0;
}
