// Position bookkeeping between the CR LF text and the control's document.
#include "shell/controls/textbox.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QTextCursor>
#include <algorithm>

#include "shell/controls/tasten.h"
#include "shell/controls/twips.h"

namespace galdrik {

namespace {

bool istLeerraum(QChar c) {
  return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
         c == QLatin1Char('\n');
}

// Bytes of the UTF-8 form of the character that starts at i, and how many
// UTF-16 units it takes.
std::pair<int, int> utf8Laenge(const QString& text, qsizetype i) {
  const char16_t c = text[i].unicode();
  if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
    return {4, 2};
  if (c < 0x80) return {1, 1};
  if (c < 0x800) return {2, 1};
  return {3, 1};
}

// The document shows a hyphen as the non-breaking hyphen, one character
// for one, so every position stays where it was.
constexpr QChar kBindestrich = QLatin1Char('-');
constexpr QChar kFesterBindestrich = QChar(0x2011);

}  // namespace

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent) {
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (!setzt_) vonDokumentUebernehmen();
  });
}

void TextBox::setText(const QString& text) {
  text_ = text;
  zeilenendenMerken();
  QString dokument = text;
  dokument.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  dokument.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (nurLeerraum_) dokument.replace(kBindestrich, kFesterBindestrich);
  setzt_ = true;
  setPlainText(dokument);
  setzt_ = false;
}

void TextBox::zeilenendenMerken() {
  paare_.clear();
  int dokument = 0;
  for (qsizetype i = 0; i < text_.size(); ++i, ++dokument) {
    if (text_[i] == QLatin1Char('\r') && i + 1 < text_.size() &&
        text_[i + 1] == QLatin1Char('\n')) {
      paare_.push_back(dokument);
      ++i;
    }
  }
}

// Text typed into the control comes back with CR LF line ends.
void TextBox::vonDokumentUebernehmen() {
  text_ = toPlainText();
  text_.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  if (nurLeerraum_) text_.replace(kFesterBindestrich, kBindestrich);
  zeilenendenMerken();
}

int TextBox::dokumentPosition(int position) const {
  position = std::clamp(position, 0, static_cast<int>(text_.size()));
  // Pair k covers the text positions p_k + k and p_k + k + 1.
  int vorher = 0;
  while (vorher < paare_.size() && paare_[vorher] + vorher + 2 <= position) ++vorher;
  if (vorher < paare_.size() && paare_[vorher] + vorher + 1 == position) return paare_[vorher];
  return position - vorher;
}

int TextBox::textPosition(int dokument) const {
  const auto vorher = std::lower_bound(paare_.begin(), paare_.end(), dokument) - paare_.begin();
  return std::min(dokument + static_cast<int>(vorher), static_cast<int>(text_.size()));
}

int TextBox::selStart() const { return textPosition(textCursor().selectionStart()); }

int TextBox::selLength() const {
  const QTextCursor c = textCursor();
  return textPosition(c.selectionEnd()) - textPosition(c.selectionStart());
}

QString TextBox::selText() const { return text_.mid(selStart(), selLength()); }

int TextBox::einfuegemarke() const { return textPosition(textCursor().position()); }

void TextBox::setSelStart(int start) {
  start = std::clamp(start, 0, static_cast<int>(text_.size()));
  markieren(start, start);
}

void TextBox::setSelLength(int laenge) {
  const int start = selStart();
  markieren(start, std::clamp(start + laenge, start, static_cast<int>(text_.size())));
}

void TextBox::markieren(int start, int ende) {
  QTextCursor c = textCursor();
  c.setPosition(dokumentPosition(start));
  c.setPosition(dokumentPosition(ende), QTextCursor::KeepAnchor);
  setTextCursor(c);
  ensureCursorVisible();
}

int TextBox::zeichenAusByte(int byte) const {
  int bytes = 0;
  qsizetype i = 0;
  while (i < text_.size() && bytes < byte) {
    const auto [laenge, einheiten] = utf8Laenge(text_, i);
    bytes += laenge;
    i += einheiten;
  }
  return static_cast<int>(i);
}

int TextBox::byteAusZeichen(int zeichen) const {
  const qsizetype ende = std::clamp<qsizetype>(zeichen, 0, text_.size());
  int bytes = 0;
  for (qsizetype i = 0; i < ende;) {
    const auto [laenge, einheiten] = utf8Laenge(text_, i);
    bytes += laenge;
    i += einheiten;
  }
  return bytes;
}

// What is copied has the text's own hyphens.
QMimeData* TextBox::createMimeDataFromSelection() const {
  QMimeData* daten = QPlainTextEdit::createMimeDataFromSelection();
  if (daten && nurLeerraum_)
    daten->setText(daten->text().replace(kFesterBindestrich, kBindestrich));
  return daten;
}

void TextBox::mousePressEvent(QMouseEvent* event) {
  QPlainTextEdit::mousePressEvent(event);
  emit mouseDown(tasten::Knopf(event->button()), tasten::ShiftWort(event->modifiers()),
                 twips::ausPixel(event->position().x()), twips::ausPixel(event->position().y()));
}

void TextBox::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  emit mouseUp(tasten::Knopf(event->button()), tasten::ShiftWort(event->modifiers()),
               twips::ausPixel(event->position().x()), twips::ausPixel(event->position().y()));
}

// A double click selects everything between blanks and line ends, so a move
// such as "Sg1-f3" or "e7xd8D" is taken whole.
void TextBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseDoubleClickEvent(event);
  const int klick = textPosition(cursorForPosition(event->position().toPoint()).position());
  const int laenge = static_cast<int>(text_.size());
  int anfang = klick;
  if (anfang < laenge && istLeerraum(text_[anfang]) && anfang > 0 &&
      !istLeerraum(text_[anfang - 1]))
    --anfang;
  int ende = anfang;
  while (anfang > 0 && !istLeerraum(text_[anfang - 1])) --anfang;
  while (ende < laenge && !istLeerraum(text_[ende])) ++ende;
  markieren(anfang, ende);
  emit doubleClick();
}

}  // namespace galdrik
