// The shared module's settings handling and common routines.
#include "shell/engineglobal.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cmath>

#include "shell/enginecomm.h"
#include "shell/sprache.h"
#include "shell/uiservice.h"

namespace galdrik::EngineGlobal {

Einstellungen einstellungen;
QString LetzterOrdner;

namespace {

// The engine's output buffer holds at most this many bytes.
constexpr int32_t kAusgabepufferGroesse = 500000;

enum class Dialog { Oeffnen, Speichern };

// A starting folder that does not exist falls back to the last folder, then
// to the user's home.
QString startordner(const QString& initDir) {
  for (const QString& ordner : {initDir, LetzterOrdner}) {
    if (!ordner.isEmpty() && QFileInfo(ordner).isDir()) return ordner;
  }
  return QDir::homePath();
}

QString dateiDialog(Dialog art, const QString& initDir, const QString& fileName,
                    const QString& filter, const QString& title, int16_t flags,
                    int16_t& errorCode) {
  const DateiAnfrage anfrage{startordner(initDir), fileName, filter, title, flags};
  QString gewaehlt;
  for (;;) {
    const auto pfad =
        art == Dialog::Oeffnen ? ui().dateiOeffnen(anfrage) : ui().dateiSpeichern(anfrage);
    if (!pfad || pfad->isEmpty()) {
      errorCode = kDialogAbgebrochen;
      return {};
    }
    gewaehlt = QDir::fromNativeSeparators(*pfad);
    // Asked to, the save dialog makes sure a new file is meant; a "no" goes
    // back to the dialog.
    if (art == Dialog::Oeffnen || !(flags & DateiFlags::CreatePrompt) ||
        QFileInfo::exists(gewaehlt))
      break;
    const int antwort =
        ui().messageBox(Sprache::MsgDateiErstellen.arg(QDir::toNativeSeparators(gewaehlt)),
                        MsgStil::YesNo | MsgStil::Question, title);
    if (antwort != MsgAntwort::No) break;
  }
  const qsizetype trenner = gewaehlt.lastIndexOf(QLatin1Char('/'));
  LetzterOrdner = trenner >= 0 ? gewaehlt.left(trenner + 1) : QString();
  errorCode = 0;
  return gewaehlt;
}

}  // namespace

QString Programmordner() {
  if (!QCoreApplication::instance()) return QDir::currentPath();
  return QCoreApplication::applicationDirPath();
}

QString Datenordner() {
  const QDir programm(Programmordner());
  if (programm.exists(QStringLiteral("HashCode.key"))) return programm.path();
  const QString installiert = programm.filePath(QStringLiteral("../share/galdrik"));
  if (QFileInfo(installiert).isDir()) return QDir::cleanPath(installiert);
  return programm.path();
}

QString StandardDTMOrdner() {
  const QDir dtm(QDir(Datenordner()).filePath(QStringLiteral("tablebases/dtm")));
  const QStringList tabellen =
      dtm.entryList({QStringLiteral("*.nbw"), QStringLiteral("*.nbw.emd")}, QDir::Files);
  return tabellen.isEmpty() ? QString() : dtm.path();
}

QString Benutzerdatenordner() {
  const QString ordner = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                             .filePath(QStringLiteral("Galdrik"));
  QDir().mkpath(ordner);
  return ordner;
}

std::unique_ptr<QSettings> Einstellungsspeicher() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                     QStringLiteral("Galdrik"), QStringLiteral("Galdrik"));
}

void EinstellungenLaden() {
  const auto speicher = Einstellungsspeicher();
  EinstellungenLesen(einstellungen, *speicher, {Datenordner(), Benutzerdatenordner()});
}

void EinstellungenSpeichern() {
  const auto speicher = Einstellungsspeicher();
  if (!EinstellungenSchreiben(einstellungen, *speicher)) {
    ui().messageBox(QString::fromLatin1(kSpeicherFehler), MsgStil::OkOnly, Sprache::ProgTitel);
  }
}

bool EinstellungSpeichern(const QString& schluessel) {
  const auto speicher = Einstellungsspeicher();
  return EinstellungSchreiben(einstellungen, *speicher, schluessel);
}

void EinstellungenLoeschen() {
  const auto speicher = Einstellungsspeicher();
  speicher->clear();
  speicher->sync();
}

QString EngineStringHolen(const int32_t& n) {
  const int32_t laenge = std::min(n, kAusgabepufferGroesse);
  QByteArray bytes;
  bytes.reserve(laenge > 0 ? laenge + laenge / 8 : 0);
  for (int32_t i = 0; i < laenge; ++i) {
    const int32_t b = EngineComm::DLL_StringByte(i);
    // Anything but a byte means the engine cannot be reached; what was read
    // so far is all there is.
    if (b < 0 || b > 255) break;
    if (b == '\n') bytes.append('\r');
    bytes.append(static_cast<char>(b));
  }
  return QString::fromUtf8(bytes);
}

int32_t CheckWert(Boolean b) { return b == Wahr ? 1 : 0; }

QString FeldName(const int32_t& i) {
  // The file keeps the sign of i and the rank rounds down, so numbers off
  // the board still give a name rather than a failure.
  const int64_t linie = static_cast<int64_t>(i) % 8;
  const int64_t reihe = static_cast<int64_t>(std::floor(static_cast<double>(i) / 8.0)) + 1;
  return QChar(static_cast<char16_t>(97 + linie)) + QString::number(reihe);
}

int32_t FeldIndex(const QString& s) {
  if (s.isEmpty()) return 0;
  const QChar letztes = s.back();
  const int32_t reihe =
      letztes >= QLatin1Char('0') && letztes <= QLatin1Char('9') ? letztes.digitValue() : 0;
  const int32_t linie = static_cast<int32_t>(s.front().unicode()) - 97;
  return (reihe - 1) * 8 + linie;
}

QString DateiOeffnenDialog(const QString& initDir, const QString& fileName, const QString& filter,
                           const QString& title, int16_t flags, int16_t& errorCode) {
  return dateiDialog(Dialog::Oeffnen, initDir, fileName, filter, title, flags, errorCode);
}

QString DateiSpeichernDialog(const QString& initDir, const QString& fileName, const QString& filter,
                             const QString& title, int16_t flags, int16_t& errorCode) {
  return dateiDialog(Dialog::Speichern, initDir, fileName, filter, title, flags, errorCode);
}

}  // namespace galdrik::EngineGlobal
