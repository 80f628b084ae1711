// The Qt implementation of the box and dialog service.
#include "shell/uiservice.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace galdrik {

namespace {

QtUiService& qtDienst() {
  static QtUiService dienst;
  return dienst;
}

UiService*& aktuellerDienst() {
  static UiService* dienst = nullptr;
  return dienst;
}

QMessageBox::StandardButtons knoepfe(int stil) {
  switch (stil & MsgStil::Knoepfe) {
    case MsgStil::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgStil::AbortRetryIgnore:
      return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MsgStil::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgStil::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MsgStil::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
    default:
      return QMessageBox::Ok;
  }
}

QMessageBox::Icon symbol(int stil) {
  switch (stil & MsgStil::Symbole) {
    case MsgStil::Critical:
      return QMessageBox::Critical;
    case MsgStil::Question:
      return QMessageBox::Question;
    case MsgStil::Exclamation:
      return QMessageBox::Warning;
    case MsgStil::Information:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

int antwort(int knopf) {
  switch (knopf) {
    case QMessageBox::Cancel:
      return MsgAntwort::Cancel;
    case QMessageBox::Abort:
      return MsgAntwort::Abort;
    case QMessageBox::Retry:
      return MsgAntwort::Retry;
    case QMessageBox::Ignore:
      return MsgAntwort::Ignore;
    case QMessageBox::Yes:
      return MsgAntwort::Yes;
    case QMessageBox::No:
      return MsgAntwort::No;
    default:
      return MsgAntwort::Ok;
  }
}

// A pattern proposed as file name only filters the view; a real name is
// proposed inside the starting folder.
QString startpfad(const DateiAnfrage& anfrage) {
  const QString& name = anfrage.dateiname;
  if (name.isEmpty() || name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?')))
    return anfrage.ordner;
  if (anfrage.ordner.isEmpty()) return name;
  return QDir(anfrage.ordner).filePath(name);
}

std::optional<QString> gewaehlt(const QString& pfad) {
  if (pfad.isEmpty()) return std::nullopt;
  return pfad;
}

}  // namespace

UiService& ui() {
  UiService* dienst = aktuellerDienst();
  return dienst ? *dienst : qtDienst();
}

UiService* setUi(UiService* dienst) {
  UiService* alt = aktuellerDienst();
  aktuellerDienst() = dienst;
  return alt;
}

int QtUiService::messageBox(const QString& text, int stil, const QString& titel) {
  QMessageBox box(symbol(stil), titel, text, knoepfe(stil), QApplication::activeWindow());
  return antwort(box.exec());
}

std::optional<QString> QtUiService::inputBox(const QString& prompt, const QString& titel,
                                             const QString& vorgabe) {
  bool ok = false;
  QString text = QInputDialog::getText(QApplication::activeWindow(), titel, prompt,
                                       QLineEdit::Normal, vorgabe, &ok);
  if (!ok) return std::nullopt;
  return text;
}

std::optional<QString> QtUiService::dateiOeffnen(const DateiAnfrage& anfrage) {
  return gewaehlt(QFileDialog::getOpenFileName(QApplication::activeWindow(), anfrage.titel,
                                               startpfad(anfrage), QtFilter(anfrage.filter)));
}

std::optional<QString> QtUiService::dateiSpeichern(const DateiAnfrage& anfrage) {
  // The program appends to most of the files it saves, so it asks before
  // overwriting only when the caller wants that.
  QFileDialog::Options optionen;
  if (!(anfrage.flags & DateiFlags::OverwritePrompt)) optionen |= QFileDialog::DontConfirmOverwrite;
  return gewaehlt(QFileDialog::getSaveFileName(QApplication::activeWindow(), anfrage.titel,
                                               startpfad(anfrage), QtFilter(anfrage.filter),
                                               nullptr, optionen));
}

void QtUiService::beep() { QApplication::beep(); }

QString QtFilter(const QString& filter) {
  static const QRegularExpression musterInKlammern(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
  static const QRegularExpression trenner(QStringLiteral("[;\\s]+"));
  const QStringList teile = filter.split(QLatin1Char('|'));
  QStringList eintraege;
  for (qsizetype i = 0; i < teile.size(); i += 2) {
    QString beschreibung = teile[i].trimmed();
    const QString muster = (i + 1 < teile.size() ? teile[i + 1] : teile[i]).trimmed();
    if (beschreibung.isEmpty() && muster.isEmpty()) continue;
    beschreibung.remove(musterInKlammern);
    const QStringList einzelne = muster.split(trenner, Qt::SkipEmptyParts);
    eintraege << QStringLiteral("%1 (%2)").arg(beschreibung.isEmpty() ? muster : beschreibung,
                                               einzelne.join(QLatin1Char(' ')));
  }
  return eintraege.join(QStringLiteral(";;"));
}

}  // namespace galdrik
