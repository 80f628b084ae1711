// The program's binding to the engine library libGaldrik.so: the library is
// loaded by name (the program's folder first, then the normal search path),
// and each export is looked up by name at its first call. A missing library
// or export is reported once through the box service; every call of it then
// answers the export's failure value, so the program keeps running.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace galdrik::EngineComm {

// An explicit library file, for tests and stand-ins; empty restores the
// lookup by name. Forgets the library loaded so far and every bound export.
void setBibliothek(const QString& pfad);
// Whether a failure is shown to the user at once or left to the caller, who
// may want to report it later in the user's own language.
enum class Melden { Ja, Nein };

// Loads the library unless that was already tried; false (after one message,
// unless told not to report) when it cannot be loaded.
bool laden(Melden melden = Melden::Ja);
bool geladen();
// The file that was loaded, or the name that was looked for.
QString bibliothek();
// Why the library could not be loaded; empty when it was.
QString ladefehler();
// Whether the library has the export of that name; looks quietly, so a
// missing library or export is not reported here.
bool vorhanden(const char* name);
// Unloads the library and forgets every bound export; the next call loads
// it again.
void entladen();

namespace detail {

// One export's place in the table: its name and, once looked up, its address.
class Bindung {
 public:
  explicit Bindung(const char* name);
  Bindung(const Bindung&) = delete;
  Bindung& operator=(const Bindung&) = delete;

  const char* name() const { return name_; }
  // The export's address, looked up at the first call; nullptr when the
  // library or the export is missing (reported once, if asked to).
  void* adresse(Melden melden = Melden::Ja);
  bool vorhanden() { return adresse(Melden::Nein) != nullptr; }
  void vergessen();

 private:
  const char* name_;
  void* adresse_ = nullptr;
  bool versucht_ = false;
};

// A text argument: the engine takes NUL-terminated UTF-8. Callers pass a
// QString, a QByteArray or a C string; the bytes live until the call returns.
class TextArgument {
 public:
  TextArgument(const QString& text) : bytes_(text.toUtf8()) {}
  TextArgument(QByteArray bytes) : bytes_(std::move(bytes)) {}
  TextArgument(const char* text) : roh_(text), istRoh_(true) {}
  TextArgument(const TextArgument&) = delete;
  TextArgument& operator=(const TextArgument&) = delete;
  operator const char*() const { return istRoh_ ? roh_ : bytes_.constData(); }

 private:
  QByteArray bytes_;
  const char* roh_ = nullptr;
  bool istRoh_ = false;
};

template <typename A>
struct Argument {
  using Typ = A;
};
template <>
struct Argument<const char*> {
  using Typ = const TextArgument&;
};

// The value a call answers when its export cannot be reached; exports without
// a result have none.
template <typename R>
struct Fehlwert {
  Fehlwert(R w) : wert(w) {}
  R wert;
};
template <>
struct Fehlwert<void> {};

template <std::size_t>
using Text = const char*;
template <typename Folge>
struct TexteFolge;
template <std::size_t... I>
struct TexteFolge<std::index_sequence<I...>> {
  using Typ = void(Text<I>...);
};

}  // namespace detail

// The signature of an export that takes n texts and answers nothing (the
// label sets).
template <std::size_t N>
using TexteSignatur = typename detail::TexteFolge<std::make_index_sequence<N>>::Typ;

template <typename Signatur>
class Export;

// One export with its C signature. Calling it calls the library function;
// without one it answers the failure value given in the table.
template <typename R, typename... A>
class Export<R(A...)> : detail::Bindung {
 public:
  Export(const char* name, detail::Fehlwert<R> fehlwert = {})
      : Bindung(name), fehlwert_(fehlwert) {}

  using Bindung::name;
  using Bindung::vorhanden;

  R operator()(typename detail::Argument<A>::Typ... argumente) {
    using Funktion = R (*)(A...);
    void* a = adresse();
    if (!a) {
      if constexpr (std::is_void_v<R>)
        return;
      else
        return fehlwert_.wert;
    }
    return reinterpret_cast<Funktion>(a)(static_cast<A>(argumente)...);
  }

 private:
  [[no_unique_address]] detail::Fehlwert<R> fehlwert_;
};

// The records that cross the boundary: a position (64 piece codes by square,
// then the fields below) and a move (from, to, promotion code twice).
using GUIStellung = std::array<int32_t, 72>;
using GUIZug = std::array<int32_t, 4>;
namespace GS {
inline constexpr int AmZug = 64;   // 1 White, 0 Black
inline constexpr int EPFeld = 65;  // above 63: none
inline constexpr int RochadeWeissLang = 66, RochadeWeissKurz = 67, RochadeSchwarzLang = 68,
                     RochadeSchwarzKurz = 69;
inline constexpr int Halbzuege = 70;
inline constexpr int Zugnummer = 71;
}  // namespace GS

// The exports the program calls, one line each: name, C signature and the
// value a call answers when the export cannot be reached.

// Start-up
inline Export<int32_t()> DLL_CheckMMX{"DLL_CheckMMX", 0};
inline Export<void(const char*, const char*)> DLL_LogDatei{"DLL_LogDatei"};
inline Export<void(const char*)> DLL_BuchPfad{"DLL_BuchPfad"};
inline Export<void(const char*)> DLL_HashPfad{"DLL_HashPfad"};
inline Export<void(int32_t, int32_t, int32_t)> DLL_HashParam{"DLL_HashParam"};
inline Export<void(const char*)> DLL_MD5Pfad{"DLL_MD5Pfad"};
inline Export<void(const char*)> DLL_MD5LogPfad{"DLL_MD5LogPfad"};
inline Export<int32_t()> DLL_EngineInit{"DLL_EngineInit", -1};
inline Export<int32_t()> DLL_EngineKill{"DLL_EngineKill", -1};
inline Export<void(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t)>
    DLL_Einstellen{"DLL_Einstellen"};

// Labels of the language in force
inline Export<void(const char*)> DLL_SetFigurName{"DLL_SetFigurName"};
inline Export<TexteSignatur<20>> DLL_SetStatBez{"DLL_SetStatBez"};
inline Export<TexteSignatur<19>> DLL_TBBezSet{"DLL_TBBezSet"};

// Tablebases
inline Export<int32_t(const char*, int32_t)> DLL_TBInit{"DLL_TBInit", 0};
inline Export<int32_t()> DLL_TBError{"DLL_TBError", 0};
inline Export<int32_t(int32_t)> DLL_TBCache{"DLL_TBCache", -2};
inline Export<void(int32_t)> DLL_TBMetrik{"DLL_TBMetrik"};

// Keys
inline Export<int32_t()> DLL_HashCodeGen{"DLL_HashCodeGen", -1};

// Output buffer
inline Export<int32_t(int32_t)> DLL_StringByte{"DLL_StringByte", -1};

// Positions and moves
inline Export<void(int32_t*)> DLL_StellungGet{"DLL_StellungGet"};
inline Export<void(const int32_t*)> DLL_StellungSet{"DLL_StellungSet"};
inline Export<void(int32_t*)> DLL_Leerstellung{"DLL_Leerstellung"};
inline Export<int32_t(const char*)> DLL_FENInput{"DLL_FENInput", -1};
inline Export<int32_t(int32_t)> DLL_FENOutput{"DLL_FENOutput", 0};
inline Export<void()> DLL_PartieBeginn{"DLL_PartieBeginn"};
inline Export<void(int32_t)> DLL_PositionFix{"DLL_PositionFix"};
inline Export<int32_t()> DLL_ZugAnz{"DLL_ZugAnz", 0};
inline Export<void(int32_t*)> DLL_ZugGet{"DLL_ZugGet"};
inline Export<void(const int32_t*)> DLL_ZugSet{"DLL_ZugSet"};
inline Export<int32_t()> DLL_ZugLegal{"DLL_ZugLegal", -2};
inline Export<void(int32_t)> DLL_ZugMachen{"DLL_ZugMachen"};

// Saved positions, typed moves and the automatic FEN log
inline Export<void()> DLL_StellungSave{"DLL_StellungSave"};
inline Export<void()> DLL_StellungLoad{"DLL_StellungLoad"};
inline Export<void()> DLL_StellungKill{"DLL_StellungKill"};
inline Export<int32_t(const char*, const char*)> DLL_PGNInput{"DLL_PGNInput", -1};
inline Export<void()> DLL_AutoFENLog{"DLL_AutoFENLog"};

// Moving through the game record and editing it
inline Export<void(int32_t)> DLL_ZugKlick{"DLL_ZugKlick"};
inline Export<void()> DLL_ZugMinus{"DLL_ZugMinus"};
inline Export<void()> DLL_ZugPlus{"DLL_ZugPlus"};
inline Export<void(int32_t)> DLL_SetNAG{"DLL_SetNAG"};
inline Export<void(const char*)> DLL_SetComment{"DLL_SetComment"};
inline Export<int32_t()> DLL_GetComment{"DLL_GetComment", 0};
inline Export<void()> DLL_ZugKill{"DLL_ZugKill"};
inline Export<void()> DLL_ZugAufwerten{"DLL_ZugAufwerten"};

// Game record and evaluation
inline Export<int32_t(const char*)> DLL_PartieNotation{"DLL_PartieNotation", 0};
inline Export<void(int32_t*, int32_t*)> DLL_ZugMark{"DLL_ZugMark"};
inline Export<int32_t()> DLL_PartieStatus{"DLL_PartieStatus", 0};
inline Export<void()> DLL_PartieStruktSave{"DLL_PartieStruktSave"};
inline Export<int32_t()> DLL_Bewertung{"DLL_Bewertung", 0};

// Search
inline Export<void(int32_t, int32_t, int32_t)> DLL_SuchParam{"DLL_SuchParam"};
inline Export<int32_t()> DLL_SuchStart{"DLL_SuchStart", -1};
inline Export<int32_t()> DLL_SuchFertig{"DLL_SuchFertig", 1};
inline Export<int32_t()> DLL_SuchStatus{"DLL_SuchStatus", 0};
inline Export<void()> DLL_SuchTermin{"DLL_SuchTermin"};
inline Export<int32_t(int32_t)> DLL_SuchInfo1{"DLL_SuchInfo1", 0};
inline Export<void()> DLL_SuchInfo2{"DLL_SuchInfo2"};
inline Export<int32_t(int32_t)> DLL_SuchInfo3{"DLL_SuchInfo3", 0};
inline Export<void()> DLL_GaldrikSet{"DLL_GaldrikSet"};

// The other long jobs: their stop and their idle report
inline Export<void()> DLL_EPDTestStopp{"DLL_EPDTestStopp"};
inline Export<int32_t()> DLL_EPDTestFertig{"DLL_EPDTestFertig", 1};
inline Export<void()> DLL_TBAnaStopp{"DLL_TBAnaStopp"};
inline Export<int32_t()> DLL_TBAnaStatus{"DLL_TBAnaStatus", 0};
inline Export<void()> DLL_TBZugfolgeStopp{"DLL_TBZugfolgeStopp"};
inline Export<int32_t(int32_t*)> DLL_TBZugfolgeStatus{"DLL_TBZugfolgeStatus", 0};
inline Export<void()> DLL_TBAnaSpezDB_VernetzungStopp{"DLL_TBAnaSpezDB_VernetzungStopp"};
inline Export<int64_t()> DLL_TBAnaSpezDB_VernetzungStatus{"DLL_TBAnaSpezDB_VernetzungStatus", -1};
inline Export<void()> DLL_TBManagIntegerStopp{"DLL_TBManagIntegerStopp"};
inline Export<int32_t()> DLL_TBManagIntegerStatus{"DLL_TBManagIntegerStatus", -1};

// Tablebase analysis: progress, results, and the files its runs end in
inline Export<int32_t()> DLL_TBAnaFortschritt{"DLL_TBAnaFortschritt", 0};
inline Export<int32_t()> DLL_TBAnaZeitPrognose{"DLL_TBAnaZeitPrognose", 1};
inline Export<void(int64_t*, int64_t*)> DLL_TBAnaZwischenergebnis{"DLL_TBAnaZwischenergebnis"};
inline Export<int32_t(int64_t*)> DLL_TBAnaErgebnis{"DLL_TBAnaErgebnis", -1};
inline Export<void(int32_t*, int32_t, int32_t*)> DLL_TBAnaGetPos{"DLL_TBAnaGetPos"};
inline Export<int32_t(int32_t)> DLL_TBAnaGetPosStr{"DLL_TBAnaGetPosStr", 0};
inline Export<int32_t(const char*)> DLL_TBAnaSpezDB_DatenbankFertig{
    "DLL_TBAnaSpezDB_DatenbankFertig", -3};
inline Export<int32_t(const char*)> DLL_TBAnaRFEPMatrixFinish{"DLL_TBAnaRFEPMatrixFinish", -1};
inline Export<int32_t(const char*)> DLL_TBZugfolgePGN{"DLL_TBZugfolgePGN", -1};
inline Export<int32_t(int32_t)> DLL_TBStatGet{"DLL_TBStatGet", 0};

// PGN files: the seven tags (Round is the sixth), and the current game
// appended to a file (0 = written).
inline Export<TexteSignatur<7>> DLL_PartiePGNSet{"DLL_PartiePGNSet"};
inline Export<int32_t(const char*, int32_t)> DLL_DateiSpeichern{"DLL_DateiSpeichern", -1};

// The PGN database: a file's index (the game count, 0 or below on failure),
// a field of a game's tags into the output buffer, a game loaded into the
// record (below 0 on failure), the index freed.
inline Export<int32_t(const char*)> DLL_PGNDateiLaden{"DLL_PGNDateiLaden", -1};
inline Export<int32_t(int32_t, int32_t)> DLL_PGNDateiPartieInfo{"DLL_PGNDateiPartieInfo", 0};
inline Export<int32_t(const char*, int32_t)> DLL_PGNDateiPartieLoad{"DLL_PGNDateiPartieLoad", -1};
// The move the last load stopped reading at, as text (its length; 0 when
// the game was read whole).
inline Export<int32_t()> DLL_PGNDateiPartieAbbruch{"DLL_PGNDateiPartieAbbruch", 0};
inline Export<int32_t()> DLL_PGNDateiSchliessen{"DLL_PGNDateiSchliessen", 0};

// A line appended to an EPD file (0 = written).
inline Export<int32_t(const char*, const char*, int32_t)> DLL_EPDSpeichern{"DLL_EPDSpeichern", -1};

// The transposition table made anew in its set size (0 = done; otherwise
// no table exists), and emptied.
inline Export<int32_t()> DLL_HashReAllok{"DLL_HashReAllok", -1};
inline Export<void()> DLL_HashLeeren{"DLL_HashLeeren"};

}  // namespace galdrik::EngineComm
