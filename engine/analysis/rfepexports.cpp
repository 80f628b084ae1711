// The RFEP exports. The model's operations throw plain int codes; every
// export catches them (and a failed allocation) and hands back a result,
// since nothing may leave the library through a C interface.
#include "analysis/rfepexports.h"

#include <new>
#include <string>

#include "analysis/figurenliste.h"
#include "analysis/rfepzustand.h"
#include "analysis/tbanametrik.h"
#include "analysis/tbanaschleife.h"
#include "interface/enginestate.h"

using namespace galdrik;

namespace {

// A depth limit beyond this cannot be allocated anyway and would overflow
// the state count.
constexpr int32_t MaxTiefeGrenze = 1 << 20;

// Result when an export needs the model of slot 0 and there is none.
constexpr int32_t KeinModell = -5;

template <typename F>
int32_t Abfangen(F f, int32_t sonst = RFEPKeinSpeicher) {
  try {
    return f();
  } catch (int code) {
    return code;
  } catch (const std::bad_alloc&) {
    return RFEPKeinSpeicher;
  } catch (...) {
    return sonst;
  }
}

void ZugAusgeben(const Zug& z, int32_t* aus) {
  if (!aus) return;
  if (IstKeinZug(z)) {
    aus[0] = aus[1] = aus[2] = aus[3] = 0;
    return;
  }
  aus[0] = z.von;
  aus[1] = z.nach;
  aus[2] = aus[3] = z.zugart;
}

RFEPModell* Modell() { return RFEP().modelle[0].get(); }

}  // namespace

namespace galdrik {

RFEPZustand& RFEP() {
  static RFEPZustand zustand;
  return zustand;
}

void RFEPStellungBuchen(int32_t wert, const RFEPNachfolger* zuege, int32_t anzahl) {
  RFEPZustand& r = RFEP();
  std::lock_guard lock(r.emulatorSperre);
  if (RFEPEmulator* e = r.emulator.get()) {
    Abfangen([&] {
      e->StellungBuchen(wert, zuege, anzahl);
      return 0;
    });
  }
}

void TBAnaKriterien::RFEPStellungHinzu(const TBAnaPosition& p) {
  if (!p.tb) return;
  RFEPZustand& r = RFEP();
  std::lock_guard lock(r.emulatorSperre);
  RFEPEmulator* e = r.emulator.get();
  // Without a run the successors are not worth their probes.
  if (!e) return;
  FigurenlisteZugliste liste;
  uint32_t schach = 0;
  const uint32_t n = FigurenlisteZuege(p.codes, p.felder, p.ep, p.amZug, liste, schach);
  if (n == 0) return;
  constexpr uint8_t SchlagOderUmwandlung =
      ZugFlagSchlag | ZugFlagUmwSpringer | ZugFlagUmwLaeufer | ZugFlagUmwTurm | ZugFlagUmwDame;
  RFEPNachfolger nachfolger[FigurenlisteMaxZuege];
  uint64_t probes = 0;
  for (uint32_t i = 0; i < n; ++i)
    nachfolger[i] = {TBAnaStrategieBewerten(p, p.arbeitsIndex, liste, i, *p.tb, probes),
                     (liste.flags[i] & SchlagOderUmwandlung) != 0};
  if (p.untersucht) *p.untersucht += probes;
  Abfangen([&] {
    e->StellungBuchen(p.wert, nachfolger, static_cast<int32_t>(n));
    return 0;
  });
}

}  // namespace galdrik

// ------------------------------------------------------------ matrix run

GALDRIK_EXPORT void DLL_TBAnaRFEPRandSeed(int32_t saat) { RFEPRandSeed(saat); }

GALDRIK_EXPORT void DLL_TBAnaRFEPLogfile(const char* pfad) {
  Abfangen([&] {
    RFEPLogDateiSetzen(pfad);
    return 0;
  });
}

GALDRIK_EXPORT int32_t DLL_TBAnaRFEPMatrixInit(int32_t maxD, double kompetenz, double kappa,
                                               int32_t horizon, int32_t att, int32_t noD,
                                               int32_t noL, int32_t drD, int32_t lsD) {
  RFEPZustand& r = RFEP();
  std::lock_guard lock(r.emulatorSperre);
  // The previous run is released first, written or not.
  r.emulator.reset();
  if (maxD > MaxTiefeGrenze) return RFEPKeinSpeicher;
  return Abfangen([&] {
    const RFEPParameter par = RFEPParameterAus(maxD, kappa, horizon, att, noD, noL, drD, lsD);
    r.emulator = std::make_unique<RFEPEmulator>(par, kompetenz);
    return 0;
  });
}

GALDRIK_EXPORT int32_t DLL_TBAnaRFEPMatrixFinish(const char* pfad) {
  std::unique_ptr<RFEPEmulator> e;
  {
    RFEPZustand& r = RFEP();
    std::lock_guard lock(r.emulatorSperre);
    e = std::move(r.emulator);
  }
  if (!e) return -2;  // no run to finish
  if (!pfad) return -1;
  return Abfangen([&] { return RFEPMatrixFinishInnen(*e, pfad); }, -1);
}

GALDRIK_EXPORT int32_t DLL_TBAnaRFEPMatrixDepths(const char* pfad, int32_t n) {
  if (!pfad) return RFEPDepthsNichtLesbar;
  return Abfangen([&] { return RFEPMatrixDepthsInnen(pfad, n); });
}

// ------------------------------------------------------------ move model

GALDRIK_EXPORT int32_t DLL_TBAnaRFEPMoveInit(int32_t maxD, double csim, double kappa,
                                             int32_t horizon, int32_t att, int32_t noD, int32_t noL,
                                             int32_t drD, int32_t lsD, int32_t cnum, double cmin,
                                             double cstp) {
  RFEP().modelle[0].reset();
  if (maxD > MaxTiefeGrenze) return RFEPKeinSpeicher;
  return Abfangen([&] {
    const RFEPParameter par = RFEPParameterAus(maxD, kappa, horizon, att, noD, noL, drD, lsD);
    RFEP().modelle[0] = RFEPMoveInit(par, csim, cnum, cmin, cstp);
    return 0;
  });
}

GALDRIK_EXPORT void DLL_TBAnaRFEPMoveStop() { RFEP().modelle[0].reset(); }

GALDRIK_EXPORT void DLL_TBAnaRFEPMoveDo(int32_t* zug) {
  Zug z = KeinZug;
  if (RFEPModell* m = Modell())
    Abfangen([&] {
      z = RFEPMoveDo(*m, Engine().aktuelleStellung);
      return 0;
    });
  ZugAusgeben(z, zug);
}

GALDRIK_EXPORT void DLL_TBAnaRFEPMoveEmul(int32_t* zug) {
  Zug z = KeinZug;
  if (RFEPModell* m = Modell())
    Abfangen([&] {
      z = RFEPMoveEmul(*m, Engine().aktuelleStellung);
      return 0;
    });
  ZugAusgeben(z, zug);
}

GALDRIK_EXPORT void DLL_TBAnaRFEPPredator(int32_t* zug, int32_t alleZuege) {
  Zug z = KeinZug;
  if (RFEPModell* m = Modell())
    Abfangen([&] {
      uint8_t flag = alleZuege == 1 ? 1 : 0;
      z = RFEPPredator(*m, Engine().aktuelleStellung, flag);
      return 0;
    });
  ZugAusgeben(z, zug);
}

GALDRIK_EXPORT int32_t DLL_TBAnaRFEPAddMove() {
  RFEPModell* m = Modell();
  if (!m) return KeinModell;
  return Abfangen(
      [&] { return RFEPZugAnalysieren(*m, Engine().aktuelleStellung, Engine().austauschzug); });
}

GALDRIK_EXPORT int32_t DLL_TBAnaRFEPDetermineGame(const char* bericht, int32_t zuege,
                                                  int32_t mitPredator) {
  if (!bericht) return RFEPBerichtNichtOffen;
  RFEPModell* m = Modell();
  if (!m) return KeinModell;
  return Abfangen([&] { return RFEPDetermineGame(*m, bericht, zuege, mitPredator); });
}

GALDRIK_EXPORT int32_t DLL_TBAnaRFEPDeterminePGN(const char* pgn, const char* bericht,
                                                 int32_t zuege, int32_t partien,
                                                 int32_t zuruecksetzen, int32_t zugzeilen) {
  if (!bericht) return RFEPBerichtNichtOffen;
  if (!pgn) return RFEPPGNNichtLesbar;
  RFEPModell* m = Modell();
  if (!m) return KeinModell;
  return Abfangen(
      [&] { return RFEPDeterminePGN(*m, pgn, bericht, zuege, partien, zuruecksetzen, zugzeilen); });
}
