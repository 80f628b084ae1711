// The stand-in engine library's own exports: what the program called, the
// answers the test scripts, and a fresh start between cases.
#pragma once

#include <QString>
#include <QStringList>

#include "shell/enginecomm.h"

namespace galdrik::test {

inline EngineComm::Export<const char*()> Standin_Protokoll{"Standin_Protokoll", nullptr};
inline EngineComm::Export<void(const char*, int32_t)> Standin_Antwort{"Standin_Antwort"};
inline EngineComm::Export<void(const char*, int64_t)> Standin_Antwort64{"Standin_Antwort64"};
inline EngineComm::Export<void()> Standin_Zuruecksetzen{"Standin_Zuruecksetzen"};
inline EngineComm::Export<void(int32_t*)> Standin_StellungSetzen{"Standin_StellungSetzen"};
inline EngineComm::Export<void(const char*, const char*)> Standin_TextSetzen{"Standin_TextSetzen"};
// Fills the output buffer (answers its length in bytes); counts the byte
// fetches since.
inline EngineComm::Export<int32_t(const char*)> Standin_PufferSetzen{"Standin_PufferSetzen", -1};
inline EngineComm::Export<int32_t()> Standin_Aufrufe{"Standin_Aufrufe", -1};

// The calls the stand-in recorded, one "name(arguments)" each.
inline QStringList standinProtokoll() {
  const char* p = Standin_Protokoll();
  return p ? QString::fromUtf8(p).split(QLatin1Char('\n'), Qt::SkipEmptyParts) : QStringList();
}

// Loads the stand-in built from `pfad` and forgets what it recorded before.
// Any other file is only set, quietly, so the program under test is the
// first to find out that it is no stand-in.
inline void standinLaden(const char* pfad) {
  EngineComm::setBibliothek(QString::fromUtf8(pfad));
  if (Standin_Zuruecksetzen.vorhanden()) Standin_Zuruecksetzen();
}

}  // namespace galdrik::test
