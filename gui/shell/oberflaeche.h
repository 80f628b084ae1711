// The main window: the board with its buttons and labels, the notation and
// engine panels, the side panels that share the place right of the board
// (PGN browser, position setup, painting, tablebase analysis, special
// database), the menus and the 250 ms timer that polls the engine's jobs.
// Its state is public: the later panels and the tool windows work on it.
#pragma once

#include <QMainWindow>
#include <QRectF>
#include <array>
#include <cstdint>

#include "shell/boolean.h"
#include "shell/controls/imagelist.h"
#include "shell/enginecomm.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;

namespace galdrik {

class PictureBox;
class TextBox;

using EngineComm::GUIStellung;
using EngineComm::GUIZug;

// The analysis set-up record of the tablebase panel and the places in it
// that the board reads and writes.
using TBAnaSuchmaske = std::array<int32_t, 1759>;
namespace TBMaske {
inline constexpr int Bereich = 0;  // slot x 64 + square: 1 in range, -1 not
inline constexpr int Figur = 384;  // + slot: piece code, 0 empty slot
inline constexpr int DistanzMin = 390;
inline constexpr int DistanzMax = 391;
inline constexpr int Gewaehlt = 392;    // selected slot 0..5, -1 none
inline constexpr int AmZug = 393;       // 1 White, 0 Black, 2 both
inline constexpr int ZugDetail = 1744;  // .. 1749: squares, -1 unset
inline constexpr int Spezial1 = 1750, Spezial2 = 1751, Spezial3 = 1752;
}  // namespace TBMaske
inline constexpr int kTBSlots = 6;

// The board picture's geometry in twips, for drawing on it and for finding
// the square under the pointer: a square, and the black margin around the
// eight files and ranks.
inline constexpr double kFeldTwips = 735;
inline constexpr double kRandTwips = 25;

// The tablebase panel's controls the board refresh keeps in line; the panel
// sets them when it builds its controls, and a control not set is skipped.
struct TBAnalyseTafel {
  std::array<QRadioButton*, 3> zug{};         // TBARadioZugW, ..ZugS, ..ZugU
  std::array<QRadioButton*, 10> kriterium{};  // criteria 1..10
  QLineEdit* mattMax = nullptr;               // TBATextMattMax
  QLineEdit* mattMin = nullptr;               // TBATextMattMin
  QLabel* positionNummer = nullptr;           // ObfLabelTBAPosNum
  QCheckBox* autoZug = nullptr;               // ObfCheckTBAAuto
  QCheckBox* figurPfad = nullptr;             // ObfCheckTBAPfad
  QPushButton* spezielles = nullptr;          // ButtonTBASpezielles
  QPushButton* suche = nullptr;               // ButtonTBASuche
  QProgressBar* fortschritt = nullptr;        // ProgressTBASuche
};

class Oberflaeche : public QMainWindow {
  Q_OBJECT

 public:
  explicit Oberflaeche(QWidget* parent = nullptr);
  ~Oberflaeche() override;

  // The window while it exists; other windows reach it here.
  static Oberflaeche* instanz();

  // Whether the window's load failed: the user was told, the engine is
  // released and the program must end.
  bool ladenFehlgeschlagen() const { return ladefehler_; }

  // Lays the window out again (after a language switch, for other windows).
  void ResizeExtern();

  // ---- Board view
  // Redraws the board and every text that depends on the position; -1 never
  // starts the tablebase move sequence.
  void BrettAktualisieren(int16_t flag);
  // Picture index of a piece on a square: 0 empty, else 1..24 (pawn .. king;
  // White on light, White on dark, Black on light, Black on dark).
  static void FigurBildCode(const int32_t& feld, const int32_t& figur, int32_t& index);
  // Top-left corner of a square on the board picture, in twips.
  double BrettFeldX(const int32_t& feld) const;
  double BrettFeldY(const int32_t& feld) const;
  void FelderRahmen(const int32_t& feld, const int32_t& farbe);
  void FelderText(const int32_t& feld, const QString& text, const int32_t& format);
  void ZeichneJoker(const int32_t& feld, const int32_t& slot);
  void ButtonBrettDrehen_Click();
  void Check1_Click();

  // ---- Tablebase board state
  void InitTBBrett(const Boolean& bReset);
  void InitTBHist();
  void LimitTBBereichBauer(const int32_t& slot);
  static int32_t TBFigMarkFarbe(const int32_t& slot);
  void FigurSumme(int16_t& anzahl) const;
  // Enters tablebase mode, or leaves it.
  void ButtonBrettTB_Click();
  // The best-play move sequence of the shown position.
  void TBZugfolgeErrechnen();
  // Shows stored result n of the finished analysis as the position.
  void ZeigeTBResPos(const int32_t& n);
  void ButtonTBAStatistik_Click();

  // ---- Menus
  void MenueAnsicht_Click();
  void MenueAnsichtSchachbrett_Click();
  void MenueAnsichtPartieNotation_Click();
  void MenueAnsichtEngineOutput_Click();
  void MenueExtras_Click();
  void MenueExtrasSprache_Click();
  void MenueExtrasSpracheDt_Click();
  void MenueExtrasSpracheEn_Click();
  void MenueExtrasEGTBVerwaltung_Click();
  void MenueExtrasEinstellungen_Click();
  void MenueHilfeInfo_Click();
  void MenuePartieProgrammBeenden_Click();

  // ---- Game menu and PGN browser (oberflaeche_partie.cpp)
  void MenuePartieNeu_Click();
  void MenuePartieOeffnenPGN_Click();
  void ListPGNDatei_Click();
  void ButtonPGNPartieOeffnen_Click();
  void ButtonPGNPartieZurueck_Click();
  void MenuePartieSpeichernPGN_Click();
  void MenuePartiePositionSpeichernEPD_Click();
  // Whether the engine has a transposition table to search with. After a
  // failed reallocation no table exists: each call tries again and tells
  // the user while it still fails. A search may start only on true.
  bool HashtabelleBereit();
  // The browser's line for game i of the engine's PGN index.
  static QString PGNListenzeile(int32_t i);
  // The PGN file the browser shows.
  QString sPGNDateiname;
  // The last reallocation of the transposition table failed.
  Boolean bHashtabelleFehlt = Falsch;
  // ---- end of the Game menu block

  // ---- Play: the compute button, the engine's search and its move, the
  // refresh after every move, and the board's mouse input.
  void ButtonBrettBerechnen_Click();
  void GaldrikZug();
  void SuchInfo();
  void ZugGemacht();
  void BrettBild_MouseDown(int knopf, int shift, double x, double y);
  void BrettBild_MouseUp(int knopf, int shift, double x, double y);
  // The square under a point of the board picture (twips); -1 off the board.
  int32_t FeldUnter(double x, double y) const;

  // ---- Timer: serves one running engine job per tick.
  void Timer1_Timer();

  // ---- Window state
  Boolean bEditModus = Falsch;
  Boolean bTBModus = Falsch;
  Boolean bPGNModus = Falsch;
  Boolean bZeichenModus = Falsch;
  Boolean bTBAnaLaeuft = Falsch;
  Boolean bVernetzungLaeuft = Falsch;
  float sngStatFensterX = 0;
  float sngStatFensterY = 0;
  GUIStellung tStellungKopie{};
  GUIStellung tLeerstellung{};
  GUIZug tZugEingabe{};
  Boolean bErsterKlick = Falsch;
  Boolean bSucheLaeuft = Falsch;
  Boolean bZugParitaet = Falsch;
  int32_t iZugAnzahl = 0;
  int32_t iLetzteTiefe = 0;
  Boolean bTBZugfolgeLaeuft = Falsch;
  Boolean bTBZugfolgePGN = Falsch;
  QString sTBZugfolgePGNPfad;

  // Board view: orientation, redraw suppression, the last FEN and
  // evaluation shown.
  Boolean bWeissUnten = Wahr;
  Boolean bBrettNichtZeichnen = Falsch;
  QString sFENText;
  int32_t iBewertung = 0;
  // The pictures of the board and the piece palette (1..24) and the piece
  // cursors (32..43).
  ImageList bilder;

  // Painting tools' working values.
  QString sPaintSchriftart;
  QString sPaintSchriftgroesse;
  Boolean bPaintFett = Falsch;
  int32_t iPaintTextRichtung = 0;
  int16_t iPaintSchraffur = 0;
  int32_t lPaintFarbe = 0;
  QString sPaintText;

  // Tablebase panel state: the set-up record, its two-step histories, the
  // slots' start squares, the shown result and the result count, the text
  // shown while no result is, the square mark type, the analysis criterion
  // and the special database's target file.
  TBAnaSuchmaske tTBAnaSuchmaske{};
  std::array<TBAnaSuchmaske, 2> tTBMaskenHistorie{};
  std::array<GUIStellung, 2> tTBStellungsHistorie{};
  std::array<int32_t, kTBSlots> iTBFigurStartfeld{};
  int32_t iTBResultatNummer = -1;
  int32_t iTBResultatAnzahl = 0;
  QString sTBText;
  int32_t iMarkTyp = 4;
  int32_t iTBAnaKriterium = 0;
  QString SpezDBDateiname;
  TBAnalyseTafel tbTafel;

  // How long closing the window, or a second press of the compute button,
  // waits for an engine job to stop.
  static constexpr int kJobStoppMs = 2000;

  // Twips rectangle of a placed control as the layout last set it.
  QRectF lage(const QWidget* steuerelement) const;

  // ==== Keyboard, typed moves, FEN entry (oberflaeche_tastatur.cpp) and
  // ==== the notation view with its navigation (oberflaeche_notation.cpp)
  // KeyCode is the virtual-key code, Shift 1 Shift + 2 Ctrl + 4 Alt.
  void Form_KeyDown(int16_t KeyCode, int16_t Shift);
  void ButtonZugEingabe_Click();
  void TextZugEingabe_GotFocus();
  void FrameBrett_GotFocus();
  void BrettFEN_DblClick();

  void ButtonBrettZurueck_Click();
  void ButtonBrettVorwaerts_Click();
  void TextNotation_MouseUp(int16_t Button, int16_t Shift, double X, double Y);
  void MenuePopUpNotationZugAufwerten_Click();
  void MenuePopUpNotationNAG_Click(int16_t Index);
  void MenuePopUpNotationKommentar_Click();
  void MenuePopUpNotationLoeschen_Click();
  void TextEngine_DblClick();

  // Owned by the tablebase panel (stand-in in oberflaeche_platzhalter.cpp):
  // recomputes the panel after a step in the game.
  void InitTBSpaziergang();

 private:
  void tastaturVerbinden();
  void notationVerbinden();
  // One move back or forward through the game record (DLL_ZugMinus or
  // DLL_ZugPlus), refused while a job, the setup or the browser holds it.
  void zugSchritt(EngineComm::Export<void()>& schritt);
  void tasteFuerFenster(QKeyEvent* ereignis);
  // Presses a button (or chooses a menu entry) of a panel that connects its
  // own handler to it; nothing when the panel has not built it.
  void knopfDruecken(const char* name);
  void tbErgebnisBlaettern(int16_t KeyCode, int16_t Shift);
  void tbBereichUmschalten();
  void tbSymmetrieMaske();
  void fenSetzen(const QString& fen);
  QLineEdit* textZugEingabe_ = nullptr;
  // Hands the watched controls' keys, focus and clicks to the window; it
  // goes before the window does, so no event of the window's own teardown
  // reaches a half-destroyed window.
  QObject* tastenfilter_ = nullptr;
  QPushButton* buttonZugEingabe_ = nullptr;
  QMenu* menuePopUpNotation_ = nullptr;
  // ==== end of the keyboard and notation block

 protected:
  void closeEvent(QCloseEvent* ereignis) override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void aufbauen();
  void menuesAufbauen();
  void steuerelementeAufbauen();
  void Form_Load();
  bool startstellungLaden();
  void Form_Unload();
  void jobsBeenden();
  // The engine's move of the finished search: fetched, played, its search
  // statistics shown. The timer restores the button's colour in between.
  void suchzugSpielen(bool knopfFarbeZwischendurch);
  void statistikZeigen();
  void menuesFreigeben(bool frei);
  void sucheBeendet();
  // The job and the window have lost each other: the user is told and the
  // program ends.
  void fehlerSync();
  void tbAnalyseTick();
  void vernetzungTick();
  void tbZugfolgeTick();
  void Form_Resize();
  void spracheGewaehlt();
  void feldbeschriftungenSetzen();
  void tbTafelAbgleichen();
  // ---- Game menu block: leaving the modes a new game or an opened file
  // ends, and closing the browser.
  void modiVerlassen();
  void pgnBrowserSchliessen();
  // ---- end of the Game menu block
  // A control of the window by its name.
  template <typename T>
  T* teil(const QString& name) const {
    return findChild<T*>(name);
  }
  // Sets a control's twips rectangle (and so its place); false, with
  // nothing changed, for a negative size.
  bool setzen(QWidget* w, double links, double oben, double breite, double hoehe);
  bool setzeBreite(QWidget* w, double breite);
  bool setzeHoehe(QWidget* w, double hoehe);

  bool ladefehler_ = false;
  bool entladen_ = false;
  bool imTimer_ = false;

  QTimer* timer1_ = nullptr;

  QFrame* frameBrett_ = nullptr;
  QFrame* frameNotation_ = nullptr;
  QFrame* frameEngine_ = nullptr;
  QFrame* framePGN_ = nullptr;
  PictureBox* brettBild_ = nullptr;
  TextBox* textNotation_ = nullptr;
  TextBox* textEngine_ = nullptr;
  QWidget* listPGNDatei_ = nullptr;
  QLabel* labelPGNPartieDaten_ = nullptr;
  QLineEdit* brettFEN_ = nullptr;
  QLabel* brettText_ = nullptr;
  QCheckBox* check1_ = nullptr;
  QWidget* shapeAmZugWeiss_ = nullptr;
  QWidget* shapeAmZugSchwarz_ = nullptr;
  QPushButton* buttonBrettTB_ = nullptr;
  QPushButton* buttonBrettBerechnen_ = nullptr;
  std::array<QLabel*, 8> feldDescV_{};
  std::array<QLabel*, 8> feldDescH_{};
  std::array<PictureBox*, 12> figurFeld_{};
  QRadioButton* stellRadioWeiss_ = nullptr;
  QRadioButton* stellRadioSchwarz_ = nullptr;
  std::array<QCheckBox*, 4> stellCheckRochade_{};
  QLineEdit* stellTextEP_ = nullptr;
  QLineEdit* stellText50_ = nullptr;
  QLineEdit* stellTextZugNr_ = nullptr;
  QComboBox* paintComboSchriftart_ = nullptr;

  QAction* menueAnsichtSchachbrett_ = nullptr;
  QAction* menueAnsichtPartieNotation_ = nullptr;
  QAction* menueAnsichtEngineOutput_ = nullptr;
  QAction* menueExtrasSpracheDt_ = nullptr;
  QAction* menueExtrasSpracheEn_ = nullptr;
  QAction* menueExtrasSpracheFr_ = nullptr;
};

}  // namespace galdrik
