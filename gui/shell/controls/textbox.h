// A multi-line text control that holds its text with CR LF line ends and
// counts selection positions the same way (CR LF is two characters), as the
// engine's notation positions do. The engine's positions are byte offsets
// into the UTF-8 form of that text; the control converts them.
#pragma once

#include <QPlainTextEdit>
#include <QVector>

namespace galdrik {

class TextBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TextBox(QWidget* parent = nullptr);

  QString text() const { return text_; }
  void setText(const QString& text);

  // Wrapped lines break only at blanks, never at a hyphen inside a word
  // (a move such as "Lf1-d3" stays on one line). Applies from the next
  // setText on.
  void setUmbruchNurAnLeerraum(bool nurLeerraum) { nurLeerraum_ = nurLeerraum; }

  // Selection in characters of text(); setting the start empties the
  // selection and shows the caret there.
  int selStart() const;
  void setSelStart(int start);
  int selLength() const;
  void setSelLength(int laenge);
  QString selText() const;
  // Where the caret stands, in characters of text(): the place of the last
  // click even when Shift stretched the selection back to an older start.
  int einfuegemarke() const;

  // The character position of a byte offset into text().toUtf8(), and back.
  int zeichenAusByte(int byte) const;
  int byteAusZeichen(int zeichen) const;

 signals:
  void mouseDown(int knopf, int shift, double x, double y);
  void mouseUp(int knopf, int shift, double x, double y);
  // After a double click has selected the word under the pointer.
  void doubleClick();

 protected:
  QMimeData* createMimeDataFromSelection() const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // Positions of the control's document (one character per line end) and of
  // text() (two for CR LF).
  int dokumentPosition(int position) const;
  int textPosition(int dokument) const;
  void zeilenendenMerken();
  void vonDokumentUebernehmen();
  void markieren(int start, int ende);

  QString text_;
  // Document position of the line break of every CR LF pair, ascending.
  QVector<int> paare_;
  bool setzt_ = false;
  bool nurLeerraum_ = false;
};

}  // namespace galdrik
