// The RFEP weight table, value-to-state mapping, the model's view of the
// tablebase, its seeded draws, its log file and whole-file writes.
#include "analysis/rfepgewichte.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <unistd.h>

#include "core/random.h"
#include "tablebase/probe.h"

namespace galdrik {

namespace {

uint8_t Schalter(int32_t wert) { return wert == 1 ? 1 : 0; }

// The tablebases the library has loaded (DLL_TBInit), in the current metric,
// from the moment the library is loaded.
RFEPProbe& Probe() {
  static RFEPProbe probe = &TBProbeRFEP;
  return probe;
}

struct RFEPLogZustand {
  std::mutex sperre;
  std::string pfad;
};

RFEPLogZustand& LogZustand() {
  static RFEPLogZustand zustand;
  return zustand;
}

}  // namespace

RFEPParameter RFEPParameterAus(int32_t maxD, double kappa, int32_t horizon, int32_t att,
                               int32_t noD, int32_t noL, int32_t drD, int32_t lsD) {
  RFEPParameter par;
  par.maxD = maxD < 1 ? 1 : maxD;
  par.kappa = kappa;
  par.horizon = horizon;
  par.att = Schalter(att);
  par.noD = Schalter(noD);
  par.noL = Schalter(noL);
  par.drD = drD;
  par.lsD = lsD;
  return par;
}

double RFEPGewicht(const RFEPParameter& par, double kompetenz, int32_t zustand) {
  const double s = par.att == 1 ? -1.0 : 1.0;
  double d = zustand;
  if (zustand == RFEPRemisZustand(par.maxD)) d = par.drD;
  if (zustand == RFEPVerlustZustand(par.maxD)) d = par.lsD;
  return std::pow(d + par.kappa, s * kompetenz);
}

RFEPGewichte RFEPGewichteAnlegen(const RFEPParameter& par, int32_t cnum, double cmin, double cstp) {
  RFEPGewichte g;
  g.par = par;
  g.cnum = cnum;
  g.cmin = cmin;
  g.cstp = cstp;
  g.gewichte = RFEPMatrix(cnum, RFEPZustaende(par.maxD));
  for (int32_t i = 0; i < cnum; ++i)
    for (int32_t d = 0; d < RFEPZustaende(par.maxD); ++d)
      g.gewichte.MatrixSetzen(RFEPGewicht(par, g.kompetenz(i), d), i, d);
  return g;
}

int32_t RFEPTiefe(int32_t wert, uint8_t invertiert, int32_t maxD, bool schlagOderUmwandlung) {
  if (wert >= RFEPKeinWert || wert < -32766) return RFEPKeinZustand;
  if (wert == 0) return RFEPRemisZustand(maxD);
  int32_t d;
  if (invertiert == 1) {
    if (wert > 0) return RFEPVerlustZustand(maxD);
    d = wert + 32766;
  } else {
    if (wert < 0) return RFEPVerlustZustand(maxD);
    d = 32767 - wert;
  }
  if (d > maxD) d = maxD;
  return schlagOderUmwandlung ? 0 : d;
}

void RFEPProbeSetzen(RFEPProbe probe) { Probe() = probe; }

int32_t RFEPWert(const Stellung& st) {
  // After the loser takes the last piece no table exists, yet the position
  // is a plain draw.
  if (std::popcount(st.belegt) == 2 && st.koenigW < 64 && st.koenigS < 64) return 0;
  const RFEPProbe probe = Probe();
  return probe ? probe(st) : RFEPKeinWert;
}

void RFEPRandSeed(int32_t saat) {
  EngineZufall().setzen(saat < 0 ? static_cast<uint32_t>(std::time(nullptr))
                                 : static_cast<uint32_t>(saat));
}

int RFEPZufall() { return EngineZufall().naechster(); }

void RFEPLogDateiSetzen(const char* pfad) {
  RFEPLogZustand& z = LogZustand();
  std::lock_guard<std::mutex> halt(z.sperre);
  z.pfad = pfad ? std::string(pfad).substr(0, 1023) : std::string();
}

void RFEPLog(std::string_view text) {
  RFEPLogZustand& z = LogZustand();
  std::lock_guard<std::mutex> halt(z.sperre);
  if (z.pfad.empty()) return;
  if (std::FILE* f = std::fopen(z.pfad.c_str(), "a")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
}

bool RFEPDateiSchreiben(const std::string& pfad, std::string_view text, bool anhaengen) {
  std::string alt;
  std::error_code fehler;
  if (anhaengen && std::filesystem::exists(pfad, fehler)) {
    // An old file that cannot be read must not be replaced by the new text.
    std::ifstream in(pfad, std::ios::binary);
    if (!in) return false;
    std::ostringstream inhalt;
    inhalt << in.rdbuf();
    if (in.bad()) return false;
    alt = inhalt.str();
  }
  const std::string temp = pfad + ".tmp" + std::to_string(::getpid());
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool gut = std::fwrite(alt.data(), 1, alt.size(), f) == alt.size() &&
             std::fwrite(text.data(), 1, text.size(), f) == text.size();
  gut = std::fclose(f) == 0 && gut;
  if (gut && std::rename(temp.c_str(), pfad.c_str()) == 0) return true;
  std::remove(temp.c_str());
  return false;
}

}  // namespace galdrik
