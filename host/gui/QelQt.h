// Qt-side helpers of the visual units (included by their sources only, never by a public header).
#pragma once

#include <QString>

#include "host/core/Classes.h"

// Creates the process's QApplication on first need. Without a display (no DISPLAY or
// WAYLAND_DISPLAY and no QT_QPA_PLATFORM chosen) the offscreen platform is used, so a
// program without a window system still builds and draws forms.
void QelEnsureApplication();
// True when nothing can ever be shown to a user: the offscreen or minimal platform.
bool QelHeadless();

inline QString QelToQString(std::u16string_view AText) {
  return QString(reinterpret_cast<const QChar*>(AText.data()), static_cast<qsizetype>(AText.size()));
}
inline String QelFromQString(const QString& AText) { return AText.toStdU16String(); }

// Raises a host exception of class E with AMessage.
template <class E>
[[noreturn]] void QelRaise(String AMessage) {
  throw ExceptionPtr(new E(std::move(AMessage)));
}

// Raises the list-index error of the class library ("List index out of bounds (%d)"), of class E.
template <class E = EListError>
[[noreturn]] void QelRaiseListIndex(int AIndex) {
  QelRaise<E>(Exception::FormatMessage(u"List index out of bounds (%d)", {IntToStr(AIndex)}));
}

class TObject;

// Exceptions never cross Qt's event dispatch. A handler run at the toolkit boundary (a widget
// event, a signal, a timer) is guarded: its exception goes to Application.HandleException, or,
// while a script call sends the event itself (Perform), back to that call once the event has
// been dispatched.
void QelBoundaryException(TObject* ASender);
template <class F>
void QelGuard(TObject* ASender, F&& AHandler) noexcept {
  try {
    AHandler();
  } catch (...) {
    QelBoundaryException(ASender);
  }
}

// Marks a direct dispatch: exceptions at the boundary are kept for Check, which raises the first.
class TQelDirectCall {
 public:
  TQelDirectCall();
  ~TQelDirectCall();
  TQelDirectCall(const TQelDirectCall&) = delete;
  TQelDirectCall& operator=(const TQelDirectCall&) = delete;
  void Check();
};
