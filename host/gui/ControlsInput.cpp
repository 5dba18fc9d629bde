// Input: Qt's mouse, key and focus events as the controls' events, and Perform.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "host/gui/Forms.h"
#include "host/gui/QelQt.h"
#include "host/gui/QelWidgets.h"

namespace {

struct TKeyName {
  uint16_t Vk;
  int Qt;
};

// Virtual key codes of Qt's keys; letters and digits share their codes.
constexpr TKeyName SKeys[] = {
    {VK_BACK, Qt::Key_Backspace}, {VK_TAB, Qt::Key_Tab}, {VK_RETURN, Qt::Key_Return}, {VK_RETURN, Qt::Key_Enter},
    {VK_SHIFT, Qt::Key_Shift}, {VK_CONTROL, Qt::Key_Control}, {VK_MENU, Qt::Key_Alt}, {VK_ESCAPE, Qt::Key_Escape},
    {VK_SPACE, Qt::Key_Space}, {VK_PRIOR, Qt::Key_PageUp}, {VK_NEXT, Qt::Key_PageDown}, {VK_END, Qt::Key_End},
    {VK_HOME, Qt::Key_Home}, {VK_LEFT, Qt::Key_Left}, {VK_UP, Qt::Key_Up}, {VK_RIGHT, Qt::Key_Right},
    {VK_DOWN, Qt::Key_Down}, {VK_INSERT, Qt::Key_Insert}, {VK_DELETE, Qt::Key_Delete}};

uint16_t VkOfQtKey(int AKey) {
  if ((AKey >= Qt::Key_A && AKey <= Qt::Key_Z) || (AKey >= Qt::Key_0 && AKey <= Qt::Key_9)) return static_cast<uint16_t>(AKey);
  if (AKey >= Qt::Key_F1 && AKey <= Qt::Key_F24) return static_cast<uint16_t>(VK_F1 + (AKey - Qt::Key_F1));
  for (const TKeyName& key : SKeys) {
    if (key.Qt == AKey) return key.Vk;
  }
  return 0;
}

int QtKeyOfVk(uint16_t AVk) {
  if ((AVk >= 'A' && AVk <= 'Z') || (AVk >= '0' && AVk <= '9')) return AVk;
  if (AVk >= VK_F1 && AVk < VK_F1 + 24) return Qt::Key_F1 + (AVk - VK_F1);
  for (const TKeyName& key : SKeys) {
    if (key.Vk == AVk) return key.Qt;
  }
  return Qt::Key_unknown;
}

// The character a key types, as the class library's key press sees it.
QString TextOfVk(uint16_t AVk, bool AShift) {
  if (AVk >= 'A' && AVk <= 'Z') return QString(QChar(AShift ? AVk : AVk + 32));
  if (AVk >= '0' && AVk <= '9') return QString(QChar(AVk));
  switch (AVk) {
    case VK_SPACE: return QStringLiteral(" ");
    case VK_RETURN: return QStringLiteral("\r");
    case VK_BACK: return QString(QChar(8));
    case VK_ESCAPE: return QString(QChar(27));
    case VK_TAB: return QStringLiteral("\t");
    default: return {};
  }
}

Qt::KeyboardModifiers ModifiersOfKeys(uintptr_t AKeys) {
  Qt::KeyboardModifiers result;
  if (AKeys & MK_SHIFT) result |= Qt::ShiftModifier;
  if (AKeys & MK_CONTROL) result |= Qt::ControlModifier;
  return result;
}

Qt::MouseButtons ButtonsOfKeys(uintptr_t AKeys) {
  Qt::MouseButtons result;
  if (AKeys & MK_LBUTTON) result |= Qt::LeftButton;
  if (AKeys & MK_RBUTTON) result |= Qt::RightButton;
  if (AKeys & MK_MBUTTON) result |= Qt::MiddleButton;
  return result;
}

TMouseButton ButtonOf(Qt::MouseButton AButton) {
  if (AButton == Qt::RightButton) return mbRight;
  if (AButton == Qt::MiddleButton) return mbMiddle;
  return mbLeft;
}

bool IsMouseEvent(QEvent::Type AType) {
  return AType == QEvent::MouseButtonPress || AType == QEvent::MouseButtonRelease ||
         AType == QEvent::MouseButtonDblClick || AType == QEvent::MouseMove;
}

// Keys resent after a handler changed them pass through without running the handlers again.
thread_local QEvent* GReplayedKey = nullptr;

}  // namespace

TShiftState QelShiftState(Qt::KeyboardModifiers AModifiers, Qt::MouseButtons AButtons) {
  TShiftState shift;
  if (AModifiers & Qt::ShiftModifier) shift.Include(ssShift);
  if (AModifiers & Qt::AltModifier) shift.Include(ssAlt);
  if (AModifiers & Qt::ControlModifier) shift.Include(ssCtrl);
  if (AButtons & Qt::LeftButton) shift.Include(ssLeft);
  if (AButtons & Qt::RightButton) shift.Include(ssRight);
  if (AButtons & Qt::MiddleButton) shift.Include(ssMiddle);
  return shift;
}

bool TControl::DoMouseWheel(TShiftState AShift, int AWheelDelta, const TPoint& AMousePos) {
  bool handled = false;
  OnMouseWheel(this, AShift, AWheelDelta, AMousePos, handled);
  if (!handled && AWheelDelta != 0) (AWheelDelta < 0 ? OnMouseWheelDown : OnMouseWheelUp)(this, AShift, AMousePos, handled);
  return handled;
}

bool TControl::WidgetEvent(QEvent* AEvent) {
  switch (AEvent->type()) {
    case QEvent::Enter: OnMouseEnter(this); return false;
    case QEvent::Leave: OnMouseLeave(this); return false;
    case QEvent::Wheel: {
      auto* wheel = static_cast<QWheelEvent*>(AEvent);
      const QPointF global = wheel->globalPosition();
      return DoMouseWheel(QelShiftState(wheel->modifiers(), wheel->buttons()), wheel->angleDelta().y(),
                          TPoint{static_cast<int>(global.x()), static_cast<int>(global.y())});
    }
    default: return IsMouseEvent(AEvent->type()) && MouseEvent(AEvent);
  }
}

// The mouse events run the handlers and then the widget's own handling; the event stops
// here rather than travelling on to the parent's widget.
bool TControl::MouseEvent(QEvent* AEvent) {
  auto* mouse = static_cast<QMouseEvent*>(AEvent);
  const int x = static_cast<int>(mouse->position().x()), y = static_cast<int>(mouse->position().y());
  TShiftState shift = QelShiftState(mouse->modifiers(), mouse->buttons());
  switch (AEvent->type()) {
    case QEvent::MouseButtonPress:
      if (mouse->button() == Qt::LeftButton) FMousePressed = true;
      MouseDown(ButtonOf(mouse->button()), shift, x, y);
      break;
    case QEvent::MouseButtonDblClick:
      shift.Include(ssDouble);
      MouseDown(ButtonOf(mouse->button()), shift, x, y);
      if (mouse->button() == Qt::LeftButton) DblClick();
      break;
    case QEvent::MouseButtonRelease: {
      const bool click = mouse->button() == Qt::LeftButton && FMousePressed && x >= 0 && y >= 0 && x < FWidth && y < FHeight;
      if (mouse->button() == Qt::LeftButton) FMousePressed = false;
      MouseUp(ButtonOf(mouse->button()), shift, x, y);
      if (click && ClicksOnMouseUp()) Click();
      break;
    }
    default:
      MouseMove(shift, x, y);
      break;
  }
  return false;
}

bool TWinControl::WidgetEvent(QEvent* AEvent) {
  switch (AEvent->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return KeyEvent(AEvent);
    case QEvent::FocusIn:
      if (TCustomForm* form = GetParentForm(); form && form != this) form->FocusChanged(this);
      return false;
    default:
      return TControl::WidgetEvent(AEvent);
  }
}

// Key down (and up) with the virtual key, then key press with the character; a handler that
// clears the key swallows it, one that changes the character has the widget see the new one.
// The form sees each first when its KeyPreview is set.
bool TWinControl::KeyEvent(QEvent* AEvent) {
  if (AEvent == GReplayedKey) return false;
  auto* key = static_cast<QKeyEvent*>(AEvent);
  const TShiftState shift = QelShiftState(key->modifiers());
  TCustomForm* form = GetParentForm();
  TWinControl* preview = form && form != this && form->GetKeyPreview() ? form : nullptr;
  uint16_t vk = VkOfQtKey(key->key());
  if (AEvent->type() == QEvent::KeyRelease) {
    if (vk == 0) return false;
    if (preview) preview->KeyUp(vk, shift);
    if (vk != 0) KeyUp(vk, shift);
    return vk == 0;
  }
  if (vk != 0) {
    if (preview) preview->KeyDown(vk, shift);
    if (vk != 0) KeyDown(vk, shift);
    if (vk == 0) return true;
  }
  const QString text = key->text();
  if (text.size() != 1) return false;
  char16_t ch = text.at(0).unicode();
  if (preview) preview->KeyPress(ch);
  if (ch != 0) KeyPress(ch);
  if (ch == 0) return true;
  if (ch == text.at(0).unicode()) return false;
  QKeyEvent changed(QEvent::KeyPress, ch >= u'a' && ch <= u'z' ? ch - 32 : ch, key->modifiers(), QString(QChar(ch)));
  GReplayedKey = &changed;
  QCoreApplication::sendEvent(Widget(), &changed);
  GReplayedKey = nullptr;
  return true;
}

intptr_t TControl::Perform(uint32_t AMsg, uintptr_t AWParam, intptr_t ALParam) {
  QWidget* widget = Widget();
  const QPointF local(static_cast<int16_t>(ALParam & 0xFFFF), static_cast<int16_t>((ALParam >> 16) & 0xFFFF));
  auto sendMouse = [&](QEvent::Type AType, Qt::MouseButton AButton) {
    Qt::MouseButtons buttons = ButtonsOfKeys(AWParam);
    if (AType == QEvent::MouseButtonPress || AType == QEvent::MouseButtonDblClick) buttons |= AButton;
    if (AType == QEvent::MouseButtonRelease) buttons &= ~Qt::MouseButtons(AButton);
    QMouseEvent event(AType, local, widget->mapToGlobal(local), AButton, buttons, ModifiersOfKeys(AWParam));
    QCoreApplication::sendEvent(widget, &event);
  };
  const bool shift = QApplication::keyboardModifiers() & Qt::ShiftModifier;
  TQelDirectCall direct;
  switch (AMsg) {
    case WM_KEYDOWN:
    case WM_KEYUP: {
      const auto vk = static_cast<uint16_t>(AWParam);
      QKeyEvent event(AMsg == WM_KEYDOWN ? QEvent::KeyPress : QEvent::KeyRelease, QtKeyOfVk(vk), Qt::NoModifier,
                      TextOfVk(vk, shift));
      QCoreApplication::sendEvent(widget, &event);
      break;
    }
    case WM_CHAR: {
      QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(static_cast<char16_t>(AWParam))));
      QCoreApplication::sendEvent(widget, &event);
      break;
    }
    case WM_MOUSEMOVE: sendMouse(QEvent::MouseMove, Qt::NoButton); break;
    case WM_LBUTTONDOWN: sendMouse(QEvent::MouseButtonPress, Qt::LeftButton); break;
    case WM_LBUTTONUP: sendMouse(QEvent::MouseButtonRelease, Qt::LeftButton); break;
    case WM_LBUTTONDBLCLK: sendMouse(QEvent::MouseButtonDblClick, Qt::LeftButton); break;
    case WM_RBUTTONDOWN: sendMouse(QEvent::MouseButtonPress, Qt::RightButton); break;
    case WM_RBUTTONUP: sendMouse(QEvent::MouseButtonRelease, Qt::RightButton); break;
    case WM_MBUTTONDOWN: sendMouse(QEvent::MouseButtonPress, Qt::MiddleButton); break;
    case WM_MBUTTONUP: sendMouse(QEvent::MouseButtonRelease, Qt::MiddleButton); break;
    case WM_MOUSEWHEEL: {
      // The keys in the low word, the signed delta in the high one; the point is on the screen.
      const QPointF global = local;
      QWheelEvent event(widget->mapFromGlobal(global), global, QPoint(), QPoint(0, static_cast<int16_t>(AWParam >> 16)),
                        ButtonsOfKeys(AWParam & 0xFFFF), ModifiersOfKeys(AWParam & 0xFFFF), Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(widget, &event);
      break;
    }
    case WM_SETFOCUS:
      if (auto* win = dynamic_cast<TWinControl*>(this)) win->SetFocus();
      break;
    default: break;
  }
  direct.Check();
  return 0;
}
