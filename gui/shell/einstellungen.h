// The program's settings: one variable per stored key, named as the key, and
// the table that says for each key its section, kind and default. Loading and
// saving walk that table in its order.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>

#include "shell/boolean.h"

class QSettings;

namespace galdrik {

// One entry per tablebase metric (0 DTM .. 6 DTR); entry 7 is kept unused.
inline constexpr int kEgtbMetriken = 7;
template <typename T>
using ProMetrik = std::array<T, 8>;

struct Einstellungen {
  // Section "Optionen"
  int32_t OptSuchErwNullmove = 0;
  int32_t OptSuchErwFutility = 0;
  int32_t OptSuchErwExtension = 0;
  int32_t OptSuchErwHashtable = 0;
  int32_t OptSuchErwBuch = 0;
  int32_t OptSuchErwGegenfeld = 0;
  int32_t OptSuchErwPondern = 0;
  int32_t OptSuchErwSilent = 0;
  int32_t OptHashIndex = 0;
  int32_t OptHashEntry = 0;
  int32_t OptHashGegenfeld = 0;
  int32_t OptSuchModus = 0;
  int32_t OptSuchTiefe = 0;
  int32_t OptSuchZeit1 = 0;
  int32_t OptSuchZeit2 = 0;
  QString OptBuchPfad;
  int32_t OptBuchZufall = 0;
  Boolean OptAutoAntw = Falsch;

  // Section "EGTB"
  int32_t OptEGTBMetrikStd = 0;
  ProMetrik<QString> OptEGTBPfad1;
  ProMetrik<QString> OptEGTBPfad2;
  ProMetrik<Boolean> OptEGTBPfadUse1{};
  ProMetrik<Boolean> OptEGTBPfadUse2{};
  int32_t OptEGTBCache1 = 0;
  int32_t OptEGTBCache2 = 0;
  int32_t OptEGTBSuche = 0;
  int32_t OptEGTBDatei = 0;
  Boolean OptEGTBAutoZug = Falsch;
  Boolean OptEGTBFigPfad = Falsch;
  Boolean OptEGTBStatAuto = Falsch;
  Boolean OptEGTBStartAuto = Falsch;
  QString OptEGTBStartFEN;
  Boolean OptEGTBCmdZeigen = Falsch;
  int16_t OptEGTBVarDeltaMin = 0;
  int16_t OptEGTBVarDeltaMax = 0;
  float OptEGTBVarDeltaA = 0;
  float OptEGTBVarDeltaB = 0;
  Boolean OptEGTBPattfallen = Falsch;
  Boolean OptEGTBQuickUpd = Falsch;
  Boolean OptEGTBManZeit = Falsch;

  // Section "Ansicht"
  Boolean OptAnsichtBrett = Falsch;
  Boolean OptAnsichtNotat = Falsch;
  Boolean OptAnsichtEngin = Falsch;

  // Section "Sprache": "" until a language was chosen, then "Dt" or "En".
  QString OptLanguage;

  // Section "TBStat"
  int32_t Opt_TBStatSkala = 0;
  int32_t Opt_TBStatStil = 0;
  int32_t Opt_TBStatFigFarbe = 0;
  int32_t Opt_TBStatFigTyp = 0;
  int32_t Opt_TBStatStatMode = 0;

  // Section "Paint"
  QString Opt_PaintFontName;
  int32_t Opt_PaintFontSize = 0;
  Boolean Opt_PaintFontBold = Falsch;
  int32_t Opt_PaintFontDir = 0;
  int32_t Opt_PaintSchraffur = 0;

  // Section "RFEP"
  int32_t Opt_RFEP_MaxD = 0;
  int32_t Opt_RFEP_Draw = 0;
  int32_t Opt_RFEP_Loss = 0;
  double Opt_RFEP_CSim = 0;
  double Opt_RFEP_CMin = 0;
  double Opt_RFEP_CStp = 0;
  int32_t Opt_RFEP_CNum = 0;
  int32_t Opt_RFEP_GMov = 0;
  int32_t Opt_RFEP_GNum = 0;
  int32_t Opt_RFEP_FAtt = 0;
  int32_t Opt_RFEP_Horizon = 0;
  int32_t Opt_RFEP_Kappa = 0;
  int32_t Opt_RFEP_NoDraw = 0;
  int32_t Opt_RFEP_NoLoss = 0;
  int32_t Opt_RFEP_RandSeed = 0;
  QString Opt_RFEP_FileGam;
  QString Opt_RFEP_FileMat;
  QString Opt_RFEP_FileDat;
  QString Opt_RFEP_FileLog;
  int32_t Opt_RFEP_Log = 0;

  bool operator==(const Einstellungen&) const = default;
};

// How a key's text is read and written.
enum class Art {
  Long,      // 32-bit decimal
  Integer,   // 16-bit decimal
  FlagZahl,  // read by the number the text starts with, written "-1"/"0"
  FlagWort,  // read as True/False or a number, written "True"/"False"
  Single,    // 32-bit float, written with ".", read with "." or ","
  Double,    // as Single, 64-bit
  Text,
  Verzeichnisse,  // the indexed directory keys of the seven metrics
};

// Where a default file name lies.
enum class Ort { Keiner, Daten, Benutzer };

using Feld =
    std::variant<std::monostate, int32_t Einstellungen::*, int16_t Einstellungen::*,
                 float Einstellungen::*, double Einstellungen::*, QString Einstellungen::*>;

struct Schluessel {
  const char* abschnitt;
  const char* name;
  Art art;
  Feld feld;
  const char* vorgabe;    // as text, read like a stored value
  Ort ort = Ort::Keiner;  // a file name default lies in this folder
};

// Every key the two routines load and save, in load and save order.
std::span<const Schluessel> EinstellungsSchluessel();

// The folders the file defaults lie in: shipped data, and the per-user
// folder for files the program writes.
struct Vorgabeordner {
  QString daten;
  QString benutzer;
};

// Fills every variable from the store. A missing key, or one whose text
// cannot be read as its kind, gives the key's default.
void EinstellungenLesen(Einstellungen& e, QSettings& speicher, const Vorgabeordner& ordner);
// Writes every variable to its key; false when the store could not be written.
bool EinstellungenSchreiben(const Einstellungen& e, QSettings& speicher);
// Writes one key of the table (not a directory key); false when there is no
// such key or the store could not be written.
bool EinstellungSchreiben(const Einstellungen& e, QSettings& speicher, const QString& name);

// The conversions of stored text, each nullopt for a text that is not a
// value of its kind.
namespace Wert {
std::optional<int32_t> Long(const QString& text);
std::optional<int16_t> Integer(const QString& text);
Boolean FlagZahl(const QString& text);
std::optional<Boolean> FlagWort(const QString& text);
std::optional<double> Zahl(const QString& text);
std::optional<float> Single(const QString& text);
// The number the text starts with, 0 when it starts with none.
double Anfangszahl(const QString& text);
QString AlsText(double wert);
QString AlsText(float wert);
}  // namespace Wert

}  // namespace galdrik
