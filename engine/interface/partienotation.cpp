// Notation writer. A line is written in a loop and each variation opens a
// frame on an explicit stack, so neither the length of a game nor the nesting
// of its variations costs stack frames.
#include "interface/partienotation.h"

#include <algorithm>

#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"

namespace galdrik {

namespace {

bool EndetMitZeilenvorschub(const std::string& text) {
  return !text.empty() && text.back() == '\n';
}

void Zeilenvorschub(Notationsauftrag& a) {
  a.text.push_back('\n');
  ++a.zeilenvorschuebe;
}

int32_t Position(const Notationsauftrag& a) {
  return static_cast<int32_t>(a.text.size()) + a.zeilenvorschuebe;
}

// PGN has no escape inside a brace comment: a closing brace would end it
// early, so it becomes a parenthesis. A line of the comment must not start
// like a tag or an escape line either, or the game index would take it for
// one; such a line gets a leading blank.
void PGNKommentarSchreiben(std::string& text, std::string_view kommentar) {
  text.push_back('{');
  for (size_t i = 0; i < kommentar.size(); ++i) {
    const char c = kommentar[i];
    if (c == '}') {
      text.push_back(')');
      continue;
    }
    text.push_back(c);
    if (c == '\n' && i + 1 < kommentar.size() &&
        (kommentar[i + 1] == '[' || kommentar[i + 1] == '%'))
      text.push_back(' ');
  }
  text += "} ";
}

// Number, move, NAG and comment of one node; `nachher` receives the position
// after its move.
void ZugSchreiben(Notationsauftrag& a, Zugknoten& k, const Stellung& vorher, Stellung& nachher) {
  if (a.modus == NotationPGN && k.ply % 10 == 0) a.text.push_back('\n');
  if (k.ply % 2 != 0) {
    a.text += std::to_string((k.ply + 1) / 2);
    a.text.push_back('.');
  }
  const int32_t anfang = Position(a);
  ZugAusfuehren(nachher, vorher, k.zug, 1);
  uint8_t matt = 0;
  if (nachher.schachW || nachher.schachS) {
    Zugliste antworten;
    ZugGenerator(nachher, GenAlleZuege, antworten);
    matt = antworten.anzahl == 0;
  }
  a.text += ZugNotation(k.zug, a.buchstaben, matt);
  if (a.modus == NotationAnzeige) {
    if (a.eintraege) a.eintraege->push_back({anfang, Position(a), &k});
    NAGText(k.nag, a.text);
  } else if (k.nag >= 1) {
    a.text += " $";
    a.text += std::to_string(k.nag);
  }
  a.text.push_back(' ');
  if (k.kommentar) KommentarSchreiben(a, *k.kommentar);
}

void VarianteOeffnen(Notationsauftrag& a, const Zugknoten& s, int tiefe) {
  if (tiefe < a.blockTiefe) {
    if (!EndetMitZeilenvorschub(a.text)) Zeilenvorschub(a);
    a.text.append(static_cast<size_t>((tiefe + 1) * a.einzug), ' ');
    a.text += "[ ";
  } else {
    // The line break before an inline variation only tidies the PGN file;
    // the display text has none, so nothing to count.
    if (a.modus == NotationPGN) a.text.push_back('\n');
    a.text += "( ";
  }
  if (s.ply % 2 == 0) {
    a.text += std::to_string(s.ply / 2);
    a.text += "...";
  }
}

void VarianteSchliessen(Notationsauftrag& a, int tiefe) {
  if (tiefe < a.blockTiefe) {
    a.text.push_back(']');
    if (!EndetMitZeilenvorschub(a.text)) Zeilenvorschub(a);
  } else {
    a.text += ") ";
  }
}

}  // namespace

void NAGText(int32_t nag, std::string& text) {
  switch (nag) {
    case 1:
      text += "!";
      break;
    case 2:
      text += "?";
      break;
    case 3:
      text += "!!";
      break;
    case 4:
      text += "??";
      break;
    case 5:
      text += "!?";
      break;
    case 6:
      text += "?!";
      break;
    case 8:
      text += "\u00B0";
      break;
    default:
      break;
  }
}

void KommentarSchreiben(Notationsauftrag& a, std::string_view kommentar) {
  if (a.modus == NotationPGN) {
    PGNKommentarSchreiben(a.text, kommentar);
    return;
  }
  a.text += kommentar;
  a.text.push_back(' ');
  a.zeilenvorschuebe += static_cast<int32_t>(std::count(kommentar.begin(), kommentar.end(), '\n'));
}

void Zugknoten::NotationSchreiben(Notationsauftrag& a, const Stellung& vorher, int tiefe) {
  struct Rahmen {
    Zugknoten* knoten;  // node to write next on this line; nullptr: line done
    Stellung vorher;
    Stellung nachher;
    int tiefe;
    Zugknoten* variante;  // next sibling to write as a variation
    bool geschrieben;     // the node's own move is written
  };
  std::vector<Rahmen> stapel;
  stapel.push_back({this, vorher, {}, tiefe, nullptr, false});
  while (!stapel.empty()) {
    Rahmen& r = stapel.back();
    if (!r.knoten) {
      stapel.pop_back();
      if (!stapel.empty()) {
        Rahmen& aussen = stapel.back();
        VarianteSchliessen(a, aussen.tiefe);
        aussen.variante = aussen.variante->naechsterBruder;
      }
      continue;
    }
    if (!r.geschrieben) {
      ZugSchreiben(a, *r.knoten, r.vorher, r.nachher);
      r.variante = r.knoten->IstErsterSohn() ? r.knoten->naechsterBruder : nullptr;
      r.geschrieben = true;
    }
    if (r.variante) {
      VarianteOeffnen(a, *r.variante, r.tiefe);
      const Rahmen neu{r.variante, r.vorher, {}, r.tiefe + 1, nullptr, false};
      stapel.push_back(neu);
      continue;
    }
    if (EndetMitZeilenvorschub(a.text) && r.tiefe < a.blockTiefe)
      a.text.append(static_cast<size_t>(r.tiefe * a.einzug), ' ');
    r.knoten = r.knoten->ersterSohn;
    r.vorher = r.nachher;
    r.geschrieben = false;
  }
}

void PartieNotationSchreiben(Notationsauftrag& a, Partiewurzel& wurzel) {
  if (wurzel.kommentar) KommentarSchreiben(a, *wurzel.kommentar);
  if (wurzel.ersterSohn) wurzel.ersterSohn->NotationSchreiben(a, wurzel.startstellung, 0);
}

}  // namespace galdrik
