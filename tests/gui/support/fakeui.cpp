// The recording box service.
#include "fakeui.h"

namespace galdrik::test {

RecordingUi::RecordingUi() : vorher_(setUi(this)) {}

RecordingUi::~RecordingUi() { setUi(vorher_); }

int RecordingUi::messageBox(const QString& text, int stil, const QString& titel) {
  boxen.append({text, stil, titel});
  return boxAntworten.isEmpty() ? MsgAntwort::Ok : boxAntworten.takeFirst();
}

std::optional<QString> RecordingUi::inputBox(const QString& prompt, const QString& titel,
                                             const QString& vorgabe) {
  eingaben.append({prompt, titel, vorgabe});
  return eingabeAntworten.isEmpty() ? std::nullopt : eingabeAntworten.takeFirst();
}

std::optional<QString> RecordingUi::dateiOeffnen(const DateiAnfrage& anfrage) {
  dialoge.append({false, anfrage});
  return dialogAntworten.isEmpty() ? std::nullopt : dialogAntworten.takeFirst();
}

std::optional<QString> RecordingUi::dateiSpeichern(const DateiAnfrage& anfrage) {
  dialoge.append({true, anfrage});
  return dialogAntworten.isEmpty() ? std::nullopt : dialogAntworten.takeFirst();
}

void RecordingUi::beep() { ++beeps; }

}  // namespace galdrik::test
