// Every modal box of the program (message boxes, input boxes, the open and
// save dialogs) and the beep go through this one interface, so tests can put
// a recording fake in its place and no box ever waits for a person.
#pragma once

#include <QString>
#include <optional>

namespace galdrik {

// Message box style word: buttons plus icon, the numbers the program's
// message calls have always used.
namespace MsgStil {
inline constexpr int OkOnly = 0;
inline constexpr int OkCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int Knoepfe = 7;    // mask of the button part
inline constexpr int Symbole = 112;  // mask of the icon part
}  // namespace MsgStil

// The answer of a message box: which button closed it.
namespace MsgAntwort {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
}  // namespace MsgAntwort

// Option flags of the file dialogs, as callers pass them.
namespace DateiFlags {
inline constexpr int OverwritePrompt = 2;
inline constexpr int HideReadOnly = 4;
inline constexpr int FileMustExist = 4096;
inline constexpr int CreatePrompt = 8192;
}  // namespace DateiFlags

// What a file dialog is asked: the folder to start in, the proposed file
// name (callers often pass a pattern such as "*.pgn"), the filter in the
// "description|pattern|description|pattern" form, the title and the flags.
struct DateiAnfrage {
  QString ordner;
  QString dateiname;
  QString filter;
  QString titel;
  int flags = 0;
};

class UiService {
 public:
  virtual ~UiService() = default;

  // Returns the MsgAntwort of the button that closed the box.
  virtual int messageBox(const QString& text, int stil, const QString& titel) = 0;
  // nullopt when the user cancelled; OK with an empty field gives "".
  virtual std::optional<QString> inputBox(const QString& prompt, const QString& titel,
                                          const QString& vorgabe) = 0;
  // The chosen file with its full path; nullopt when the user cancelled.
  virtual std::optional<QString> dateiOeffnen(const DateiAnfrage& anfrage) = 0;
  virtual std::optional<QString> dateiSpeichern(const DateiAnfrage& anfrage) = 0;
  virtual void beep() = 0;
};

// The service in force: the Qt one unless a test has put its own in place.
UiService& ui();
// Puts a service in place (nullptr restores the Qt one); returns the old one.
UiService* setUi(UiService* dienst);

// The real boxes and dialogs, modal to the active window.
class QtUiService final : public UiService {
 public:
  int messageBox(const QString& text, int stil, const QString& titel) override;
  std::optional<QString> inputBox(const QString& prompt, const QString& titel,
                                  const QString& vorgabe) override;
  std::optional<QString> dateiOeffnen(const DateiAnfrage& anfrage) override;
  std::optional<QString> dateiSpeichern(const DateiAnfrage& anfrage) override;
  void beep() override;
};

// "desc|*.a; *.b|desc2|*.c" as Qt's "desc (*.a *.b);;desc2 (*.c)". A
// description that already names its patterns in parentheses loses them, so
// they are not shown twice.
QString QtFilter(const QString& filter);

}  // namespace galdrik
