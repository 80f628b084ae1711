// Translating Qt's key and mouse values to the program's codes.
#include "shell/controls/tasten.h"

namespace galdrik::tasten {

int KeyCode(int qtKey) {
  // Letters and digits keep their upper-case character code.
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return vk::F1 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace:
      return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vk::Return;
    case Qt::Key_Shift:
      return vk::Shift;
    case Qt::Key_Control:
      return vk::Control;
    case Qt::Key_Alt:
      return vk::Menu;
    case Qt::Key_Escape:
      return vk::Escape;
    case Qt::Key_Space:
      return vk::Space;
    case Qt::Key_PageUp:
      return vk::PageUp;
    case Qt::Key_PageDown:
      return vk::PageDown;
    case Qt::Key_End:
      return vk::End;
    case Qt::Key_Home:
      return vk::Home;
    case Qt::Key_Left:
      return vk::Left;
    case Qt::Key_Up:
      return vk::Up;
    case Qt::Key_Right:
      return vk::Right;
    case Qt::Key_Down:
      return vk::Down;
    case Qt::Key_Insert:
      return vk::Insert;
    case Qt::Key_Delete:
      return vk::Delete;
    default:
      return 0;
  }
}

int ShiftWort(Qt::KeyboardModifiers modifiers) {
  int wort = 0;
  if (modifiers & Qt::ShiftModifier) wort |= kShift;
  if (modifiers & Qt::ControlModifier) wort |= kCtrl;
  if (modifiers & Qt::AltModifier) wort |= kAlt;
  return wort;
}

int Knopf(Qt::MouseButton knopf) {
  switch (knopf) {
    case Qt::LeftButton:
      return kLinks;
    case Qt::RightButton:
      return kRechts;
    case Qt::MiddleButton:
      return kMitte;
    default:
      return 0;
  }
}

int Knoepfe(Qt::MouseButtons knoepfe) {
  int wort = 0;
  if (knoepfe & Qt::LeftButton) wort |= kLinks;
  if (knoepfe & Qt::RightButton) wort |= kRechts;
  if (knoepfe & Qt::MiddleButton) wort |= kMitte;
  return wort;
}

}  // namespace galdrik::tasten
