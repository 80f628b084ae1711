// A box and dialog service that records every call and answers from scripted
// queues, so tests see what the user would have been shown and never wait.
// Installing it is scoped: it puts itself in place and restores the old one.
#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "shell/uiservice.h"

namespace galdrik::test {

class RecordingUi final : public UiService {
 public:
  struct Box {
    QString text;
    int stil;
    QString titel;
  };
  struct Eingabe {
    QString prompt;
    QString titel;
    QString vorgabe;
  };
  struct Dialog {
    bool speichern;
    DateiAnfrage anfrage;
  };

  RecordingUi();
  ~RecordingUi() override;
  RecordingUi(const RecordingUi&) = delete;
  RecordingUi& operator=(const RecordingUi&) = delete;

  int messageBox(const QString& text, int stil, const QString& titel) override;
  std::optional<QString> inputBox(const QString& prompt, const QString& titel,
                                  const QString& vorgabe) override;
  std::optional<QString> dateiOeffnen(const DateiAnfrage& anfrage) override;
  std::optional<QString> dateiSpeichern(const DateiAnfrage& anfrage) override;
  void beep() override;

  // What was shown, in order.
  QList<Box> boxen;
  QList<Eingabe> eingaben;
  QList<Dialog> dialoge;
  int beeps = 0;

  // Answers, taken from the front; when empty a box answers OK, and an input
  // box or file dialog is cancelled.
  QList<int> boxAntworten;
  QList<std::optional<QString>> eingabeAntworten;
  QList<std::optional<QString>> dialogAntworten;

 private:
  UiService* vorher_;
};

}  // namespace galdrik::test
