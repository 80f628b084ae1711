// The settings keys, their defaults and the conversions of their stored text.
#include "shell/einstellungen.h"

#include "shell/engineglobal.h"

#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#include <charconv>
#include <cmath>
#include <limits>

namespace galdrik {

namespace {

using E = Einstellungen;

// Load and save order. The directory keys of the seven metrics take the
// place of the single entry of kind Verzeichnisse.
const Schluessel kSchluessel[] = {
    {"Optionen", "OptSuchErwNullmove", Art::Long, &E::OptSuchErwNullmove, "1"},
    {"Optionen", "OptSuchErwFutility", Art::Long, &E::OptSuchErwFutility, "0"},
    {"Optionen", "OptSuchErwExtension", Art::Long, &E::OptSuchErwExtension, "1"},
    {"Optionen", "OptSuchErwHashtable", Art::Long, &E::OptSuchErwHashtable, "1"},
    {"Optionen", "OptSuchErwBuch", Art::Long, &E::OptSuchErwBuch, "1"},
    {"Optionen", "OptSuchErwGegenfeld", Art::Long, &E::OptSuchErwGegenfeld, "1"},
    {"Optionen", "OptSuchErwPondern", Art::Long, &E::OptSuchErwPondern, "0"},
    {"Optionen", "OptSuchErwSilent", Art::Long, &E::OptSuchErwSilent, "0"},
    {"Optionen", "OptHashIndex", Art::Long, &E::OptHashIndex, "17"},
    {"Optionen", "OptHashEntry", Art::Long, &E::OptHashEntry, "3"},
    {"Optionen", "OptHashGegenfeld", Art::Long, &E::OptHashGegenfeld, "8"},
    {"Optionen", "OptSuchModus", Art::Long, &E::OptSuchModus, "1"},
    {"Optionen", "OptSuchTiefe", Art::Long, &E::OptSuchTiefe, "7"},
    {"Optionen", "OptSuchZeit1", Art::Long, &E::OptSuchZeit1, "10"},
    {"Optionen", "OptSuchZeit2", Art::Long, &E::OptSuchZeit2, "20"},
    {"Optionen", "OptBuchPfad", Art::Text, &E::OptBuchPfad, "Standard.bk2", Ort::Daten},
    {"Optionen", "OptBuchZufall", Art::Long, &E::OptBuchZufall, "1"},
    {"Optionen", "OptAutoAntw", Art::FlagZahl, &E::OptAutoAntw, "1"},

    {"EGTB", "OptEGTBMetrikStd", Art::Long, &E::OptEGTBMetrikStd, "0"},
    {"EGTB", "OptEGTBPfad", Art::Verzeichnisse, std::monostate{}, ""},
    {"EGTB", "OptEGTBCache1", Art::Long, &E::OptEGTBCache1, "1048576"},
    {"EGTB", "OptEGTBCache2", Art::Long, &E::OptEGTBCache2, "33554432"},
    {"EGTB", "OptEGTBSuche", Art::Long, &E::OptEGTBSuche, "0"},
    {"EGTB", "OptEGTBDatei", Art::Long, &E::OptEGTBDatei, "0"},
    {"EGTB", "OptEGTBAutoZug", Art::FlagWort, &E::OptEGTBAutoZug, "0"},
    {"EGTB", "OptEGTBFigPfad", Art::FlagWort, &E::OptEGTBFigPfad, "0"},
    {"EGTB", "OptEGTBStatAuto", Art::FlagWort, &E::OptEGTBStatAuto, "1"},
    {"EGTB", "OptEGTBStartAuto", Art::FlagWort, &E::OptEGTBStartAuto, "0"},
    {"EGTB", "OptEGTBStartFEN", Art::Text, &E::OptEGTBStartFEN, ""},
    {"EGTB", "OptEGTBCmdZeigen", Art::FlagZahl, &E::OptEGTBCmdZeigen, "1"},
    {"EGTB", "OptEGTBVarDeltaMin", Art::Integer, &E::OptEGTBVarDeltaMin, "2"},
    {"EGTB", "OptEGTBVarDeltaMax", Art::Integer, &E::OptEGTBVarDeltaMax, "20"},
    {"EGTB", "OptEGTBVarDeltaA", Art::Single, &E::OptEGTBVarDeltaA, "0.2"},
    {"EGTB", "OptEGTBVarDeltaB", Art::Single, &E::OptEGTBVarDeltaB, "1.5"},
    {"EGTB", "OptEGTBPattfallen", Art::FlagZahl, &E::OptEGTBPattfallen, "1"},
    {"EGTB", "OptEGTBQuickUpd", Art::FlagZahl, &E::OptEGTBQuickUpd, "1"},
    {"EGTB", "OptEGTBManZeit", Art::FlagZahl, &E::OptEGTBManZeit, "1"},

    {"Ansicht", "OptAnsichtBrett", Art::FlagZahl, &E::OptAnsichtBrett, "1"},
    {"Ansicht", "OptAnsichtNotat", Art::FlagZahl, &E::OptAnsichtNotat, "1"},
    {"Ansicht", "OptAnsichtEngin", Art::FlagZahl, &E::OptAnsichtEngin, "1"},

    {"Sprache", "OptLanguage", Art::Text, &E::OptLanguage, ""},

    {"TBStat", "Opt_TBStatSkala", Art::Long, &E::Opt_TBStatSkala, "0"},
    {"TBStat", "Opt_TBStatStil", Art::Long, &E::Opt_TBStatStil, "0"},
    {"TBStat", "Opt_TBStatFigFarbe", Art::Long, &E::Opt_TBStatFigFarbe, "0"},
    {"TBStat", "Opt_TBStatFigTyp", Art::Long, &E::Opt_TBStatFigTyp, "5"},
    {"TBStat", "Opt_TBStatStatMode", Art::Long, &E::Opt_TBStatStatMode, "0"},

    {"Paint", "Opt_PaintFontName", Art::Text, &E::Opt_PaintFontName, "Tahoma"},
    {"Paint", "Opt_PaintFontSize", Art::Long, &E::Opt_PaintFontSize, "12"},
    {"Paint", "Opt_PaintFontBold", Art::FlagZahl, &E::Opt_PaintFontBold, "1"},
    {"Paint", "Opt_PaintFontDir", Art::Long, &E::Opt_PaintFontDir, "1"},
    {"Paint", "Opt_PaintSchraffur", Art::Long, &E::Opt_PaintSchraffur, "1"},

    {"RFEP", "Opt_RFEP_MaxD", Art::Long, &E::Opt_RFEP_MaxD, "50"},
    {"RFEP", "Opt_RFEP_Draw", Art::Long, &E::Opt_RFEP_Draw, "51"},
    {"RFEP", "Opt_RFEP_Loss", Art::Long, &E::Opt_RFEP_Loss, "102"},
    {"RFEP", "Opt_RFEP_CSim", Art::Double, &E::Opt_RFEP_CSim, "20"},
    {"RFEP", "Opt_RFEP_CMin", Art::Double, &E::Opt_RFEP_CMin, "0"},
    {"RFEP", "Opt_RFEP_CStp", Art::Double, &E::Opt_RFEP_CStp, "1"},
    {"RFEP", "Opt_RFEP_CNum", Art::Long, &E::Opt_RFEP_CNum, "51"},
    {"RFEP", "Opt_RFEP_GMov", Art::Long, &E::Opt_RFEP_GMov, "50"},
    {"RFEP", "Opt_RFEP_GNum", Art::Long, &E::Opt_RFEP_GNum, "10"},
    {"RFEP", "Opt_RFEP_FAtt", Art::Long, &E::Opt_RFEP_FAtt, "1"},
    {"RFEP", "Opt_RFEP_Horizon", Art::Long, &E::Opt_RFEP_Horizon, "1"},
    {"RFEP", "Opt_RFEP_Kappa", Art::Long, &E::Opt_RFEP_Kappa, "1"},
    {"RFEP", "Opt_RFEP_NoDraw", Art::Long, &E::Opt_RFEP_NoDraw, "1"},
    {"RFEP", "Opt_RFEP_NoLoss", Art::Long, &E::Opt_RFEP_NoLoss, "1"},
    {"RFEP", "Opt_RFEP_RandSeed", Art::Long, &E::Opt_RFEP_RandSeed, "-1"},
    {"RFEP", "Opt_RFEP_FileGam", Art::Text, &E::Opt_RFEP_FileGam, "RFEP.pgn", Ort::Benutzer},
    {"RFEP", "Opt_RFEP_FileMat", Art::Text, &E::Opt_RFEP_FileMat, "RFEP.mtx", Ort::Benutzer},
    {"RFEP", "Opt_RFEP_FileDat", Art::Text, &E::Opt_RFEP_FileDat, "RFEP.dat", Ort::Benutzer},
    {"RFEP", "Opt_RFEP_FileLog", Art::Text, &E::Opt_RFEP_FileLog, "RFEP.log", Ort::Benutzer},
    {"RFEP", "Opt_RFEP_Log", Art::Long, &E::Opt_RFEP_Log, "0"},
};

QString schluesselPfad(const char* abschnitt, const QString& name) {
  return QString::fromLatin1(abschnitt) + QLatin1Char('/') + name;
}

QString indiziert(const char* stamm, int metrik) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(stamm)).arg(metrik);
}

// The stored text of a key, or the default when the key is missing. A value
// with a comma that was not written by the program comes back from the INI
// reader as a list; it is taken as the text it was.
QString gelesen(QSettings& speicher, const QString& pfad, const QString& vorgabe) {
  if (!speicher.contains(pfad)) return vorgabe;
  const QVariant wert = speicher.value(pfad);
  if (wert.metaType().id() == QMetaType::QStringList)
    return wert.toStringList().join(QLatin1Char(','));
  return wert.toString();
}

QString vorgabeText(const Schluessel& s, const Vorgabeordner& ordner) {
  const QString name = QString::fromUtf8(s.vorgabe);
  switch (s.ort) {
    case Ort::Daten:
      return QDir(ordner.daten).filePath(name);
    case Ort::Benutzer:
      return QDir(ordner.benutzer).filePath(name);
    case Ort::Keiner:
      break;
  }
  return name;
}

QString flagText(Boolean b, Art art) {
  if (art == Art::FlagWort) return b ? QStringLiteral("True") : QStringLiteral("False");
  return b ? QStringLiteral("-1") : QStringLiteral("0");
}

// Reads one value of its kind; an unreadable text gives the default, which
// is itself read as a stored value would be.
template <typename T, typename Lesen>
T lesenOderVorgabe(const QString& text, const QString& vorgabe, Lesen lesen) {
  if (auto wert = lesen(text)) return static_cast<T>(*wert);
  return static_cast<T>(*lesen(vorgabe));
}

void wertLesen(Einstellungen& e, const Schluessel& s, const QString& text, const QString& vorgabe) {
  switch (s.art) {
    case Art::Long:
      e.*std::get<int32_t E::*>(s.feld) = lesenOderVorgabe<int32_t>(text, vorgabe, Wert::Long);
      break;
    case Art::Integer:
      e.*std::get<int16_t E::*>(s.feld) = lesenOderVorgabe<int16_t>(text, vorgabe, Wert::Integer);
      break;
    case Art::FlagZahl:
      e.*std::get<int16_t E::*>(s.feld) = Wert::FlagZahl(text);
      break;
    case Art::FlagWort:
      e.*std::get<int16_t E::*>(s.feld) = lesenOderVorgabe<Boolean>(text, vorgabe, Wert::FlagWort);
      break;
    case Art::Single:
      e.*std::get<float E::*>(s.feld) = lesenOderVorgabe<float>(text, vorgabe, Wert::Single);
      break;
    case Art::Double:
      e.*std::get<double E::*>(s.feld) = lesenOderVorgabe<double>(text, vorgabe, Wert::Zahl);
      break;
    case Art::Text:
      e.*std::get<QString E::*>(s.feld) = text;
      break;
    case Art::Verzeichnisse:
      break;
  }
}

QString wertText(const Einstellungen& e, const Schluessel& s) {
  switch (s.art) {
    case Art::Long:
      return QString::number(e.*std::get<int32_t E::*>(s.feld));
    case Art::Integer:
      return QString::number(e.*std::get<int16_t E::*>(s.feld));
    case Art::FlagZahl:
    case Art::FlagWort:
      return flagText(e.*std::get<int16_t E::*>(s.feld), s.art);
    case Art::Single:
      return Wert::AlsText(e.*std::get<float E::*>(s.feld));
    case Art::Double:
      return Wert::AlsText(e.*std::get<double E::*>(s.feld));
    case Art::Text:
      return e.*std::get<QString E::*>(s.feld);
    case Art::Verzeichnisse:
      break;
  }
  return {};
}

// Metric 0 first takes the keys of the single directory pair that older
// stores hold without an index; its indexed keys, once saved, win over them.
void verzeichnisseLesen(Einstellungen& e, QSettings& speicher, const char* abschnitt) {
  auto text = [&](const QString& name, const QString& vorgabe) {
    return gelesen(speicher, schluesselPfad(abschnitt, name), vorgabe);
  };
  QString pfad1 = text(QStringLiteral("OptEGTBPfad"), QString());
  pfad1 = text(QStringLiteral("OptEGTBPfad1"), pfad1);
  QString pfad2 = text(QStringLiteral("OptEGTBPfad2"), QString());
  Boolean use1 = Wert::FlagZahl(text(QStringLiteral("OptEGTBPfadUse1"), QStringLiteral("1")));
  Boolean use2 = Wert::FlagZahl(text(QStringLiteral("OptEGTBPfadUse2"), QStringLiteral("0")));
  e.OptEGTBPfad1[0] = text(indiziert("OptEGTBPfad1", 0), pfad1);
  if (e.OptEGTBPfad1[0].isEmpty()) e.OptEGTBPfad1[0] = EngineGlobal::StandardDTMOrdner();
  e.OptEGTBPfad2[0] = text(indiziert("OptEGTBPfad2", 0), pfad2);
  e.OptEGTBPfadUse1[0] =
      Wert::FlagWort(text(indiziert("OptEGTBPfadUse1", 0), flagText(use1, Art::FlagWort)))
          .value_or(use1);
  e.OptEGTBPfadUse2[0] =
      Wert::FlagWort(text(indiziert("OptEGTBPfadUse2", 0), flagText(use2, Art::FlagWort)))
          .value_or(use2);
  for (int i = 1; i < kEgtbMetriken; ++i) {
    e.OptEGTBPfad1[i] = text(indiziert("OptEGTBPfad1", i), QString());
    e.OptEGTBPfad2[i] = text(indiziert("OptEGTBPfad2", i), QString());
    e.OptEGTBPfadUse1[i] =
        Wert::FlagZahl(text(indiziert("OptEGTBPfadUse1", i), QStringLiteral("0")));
    e.OptEGTBPfadUse2[i] =
        Wert::FlagZahl(text(indiziert("OptEGTBPfadUse2", i), QStringLiteral("0")));
  }
}

void verzeichnisseSchreiben(const Einstellungen& e, QSettings& speicher, const char* abschnitt) {
  for (int i = 0; i < kEgtbMetriken; ++i) {
    // The shipped DTM folder is the default, not a choice: it is stored as
    // the empty setting, so a moved program still finds its own tables.
    const QString pfad1 = i == 0 && e.OptEGTBPfad1[i] == EngineGlobal::StandardDTMOrdner()
                              ? QString()
                              : e.OptEGTBPfad1[i];
    speicher.setValue(schluesselPfad(abschnitt, indiziert("OptEGTBPfad1", i)), pfad1);
    speicher.setValue(schluesselPfad(abschnitt, indiziert("OptEGTBPfad2", i)), e.OptEGTBPfad2[i]);
    speicher.setValue(schluesselPfad(abschnitt, indiziert("OptEGTBPfadUse1", i)),
                      flagText(e.OptEGTBPfadUse1[i], Art::FlagZahl));
    speicher.setValue(schluesselPfad(abschnitt, indiziert("OptEGTBPfadUse2", i)),
                      flagText(e.OptEGTBPfadUse2[i], Art::FlagZahl));
  }
}

void schreiben(const Einstellungen& e, QSettings& speicher, const Schluessel& s) {
  if (s.art == Art::Verzeichnisse) {
    verzeichnisseSchreiben(e, speicher, s.abschnitt);
    return;
  }
  speicher.setValue(schluesselPfad(s.abschnitt, QString::fromLatin1(s.name)), wertText(e, s));
}

bool gespeichert(QSettings& speicher) {
  speicher.sync();
  return speicher.status() == QSettings::NoError;
}

QString ohneRand(const QString& text) { return text.trimmed(); }

}  // namespace

std::span<const Schluessel> EinstellungsSchluessel() { return kSchluessel; }

void EinstellungenLesen(Einstellungen& e, QSettings& speicher, const Vorgabeordner& ordner) {
  for (const Schluessel& s : kSchluessel) {
    if (s.art == Art::Verzeichnisse) {
      verzeichnisseLesen(e, speicher, s.abschnitt);
      continue;
    }
    const QString vorgabe = vorgabeText(s, ordner);
    const QString text =
        gelesen(speicher, schluesselPfad(s.abschnitt, QString::fromLatin1(s.name)), vorgabe);
    wertLesen(e, s, text, vorgabe);
  }
}

bool EinstellungenSchreiben(const Einstellungen& e, QSettings& speicher) {
  for (const Schluessel& s : kSchluessel) schreiben(e, speicher, s);
  return gespeichert(speicher);
}

bool EinstellungSchreiben(const Einstellungen& e, QSettings& speicher, const QString& name) {
  for (const Schluessel& s : kSchluessel) {
    if (s.art != Art::Verzeichnisse && name == QLatin1String(s.name)) {
      schreiben(e, speicher, s);
      return gespeichert(speicher);
    }
  }
  return false;
}

namespace Wert {

std::optional<int32_t> Long(const QString& text) {
  static const QRegularExpression ganzzahl(QStringLiteral("^[+-]?[0-9]+$"));
  const QString t = ohneRand(text);
  if (!ganzzahl.match(t).hasMatch()) return std::nullopt;
  bool ok = false;
  const qlonglong wert = t.toLongLong(&ok);
  if (!ok || wert < std::numeric_limits<int32_t>::min() ||
      wert > std::numeric_limits<int32_t>::max())
    return std::nullopt;
  return static_cast<int32_t>(wert);
}

std::optional<int16_t> Integer(const QString& text) {
  const auto wert = Long(text);
  if (!wert || *wert < std::numeric_limits<int16_t>::min() ||
      *wert > std::numeric_limits<int16_t>::max())
    return std::nullopt;
  return static_cast<int16_t>(*wert);
}

double Anfangszahl(const QString& text) {
  static const QRegularExpression zahl(
      QStringLiteral("^\\s*([+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?)"));
  const auto treffer = zahl.match(text);
  if (!treffer.hasMatch()) return 0;
  bool ok = false;
  const double wert = QLocale::c().toDouble(treffer.captured(1), &ok);
  return ok && std::isfinite(wert) ? wert : 0;
}

Boolean FlagZahl(const QString& text) { return AlsBoolean(Anfangszahl(text) != 0); }

std::optional<Boolean> FlagWort(const QString& text) {
  const QString t = ohneRand(text);
  if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return Wahr;
  if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return Falsch;
  if (const auto wert = Zahl(t)) return AlsBoolean(*wert != 0);
  return std::nullopt;
}

std::optional<double> Zahl(const QString& text) {
  static const QRegularExpression zahl(
      QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
  QString t = ohneRand(text);
  // Stores written under a locale with a decimal comma hold "0,2".
  if (t.count(QLatin1Char(',')) == 1 && !t.contains(QLatin1Char('.')))
    t.replace(QLatin1Char(','), QLatin1Char('.'));
  if (!zahl.match(t).hasMatch()) return std::nullopt;
  bool ok = false;
  const double wert = QLocale::c().toDouble(t, &ok);
  if (!ok || !std::isfinite(wert)) return std::nullopt;
  return wert;
}

std::optional<float> Single(const QString& text) {
  const auto wert = Zahl(text);
  if (!wert || std::fabs(*wert) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(*wert);
}

// The shortest text that reads back as the same value, always with ".".
QString AlsText(double wert) {
  char puffer[32];
  const auto ende = std::to_chars(puffer, puffer + sizeof puffer, wert).ptr;
  return QString::fromLatin1(puffer, ende - puffer);
}

QString AlsText(float wert) {
  char puffer[32];
  const auto ende = std::to_chars(puffer, puffer + sizeof puffer, wert).ptr;
  return QString::fromLatin1(puffer, ende - puffer);
}

}  // namespace Wert

}  // namespace galdrik
