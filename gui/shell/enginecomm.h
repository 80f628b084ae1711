// The program's binding to the engine library libGaldrik.so: the library is
// loaded by name (the program's folder first, then the normal search path),
// and each export is looked up by name at its first call. A missing library
// or export is reported once through the box service; every call of it then
// answers the export's failure value, so the program keeps running.
#pragma once

#include <QByteArray>
#include <QString>
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

// Moves: the move record is from, to and the promotion code twice.
inline Export<void(const int32_t*)> DLL_ZugSet{"DLL_ZugSet"};
inline Export<int32_t()> DLL_ZugLegal{"DLL_ZugLegal", -2};
inline Export<void(int32_t)> DLL_ZugMachen{"DLL_ZugMachen"};

// Game record and PGN files: the seven tags (Round is the sixth), and the
// current game appended to a file (0 = written).
inline Export<TexteSignatur<7>> DLL_PartiePGNSet{"DLL_PartiePGNSet"};
inline Export<int32_t(const char*, int32_t)> DLL_DateiSpeichern{"DLL_DateiSpeichern", -1};

}  // namespace galdrik::EngineComm
