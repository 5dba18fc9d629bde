// The bridge between a control and its Qt widget (sources of the visual units only).
#pragma once

#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <utility>

#include "host/gui/Controls.h"
#include "host/gui/QelQt.h"

// The control a bridged widget belongs to; cleared when the control lets go of the widget.
class TQelBridge {
 public:
  virtual ~TQelBridge() = default;
  TControl* Control = nullptr;
};

// A Qt widget class whose events go to its control first: the control may consume an event
// (a key its handler cleared), and paints after the widget painted itself.
template <class Base>
class TQelWidget final : public Base, public TQelBridge {
 public:
  template <class... A>
  explicit TQelWidget(A&&... AArgs) : Base(std::forward<A>(AArgs)...) {}

 protected:
  bool event(QEvent* AEvent) override {
    if (TControl* control = Control) {
      bool consumed = false;
      QelGuard(control, [&] { consumed = control->WidgetEvent(AEvent); });
      if (consumed) return true;
    }
    const bool handled = Base::event(AEvent);
    switch (AEvent->type()) {
      case QEvent::Paint:
        if (TControl* control = Control) {
          QPainter painter(this);
          QelGuard(control, [&] { control->WidgetPainted(painter); });
        }
        return handled;
      // Input belongs to the control it reached: it does not travel on to the parent's.
      case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove: case QEvent::KeyPress: case QEvent::KeyRelease:
        AEvent->accept();
        return true;
      default:
        return handled;
    }
  }
};

// A new bridged widget of class Base.
template <class Base, class... A>
TQelWidget<Base>* QelBridged(A&&... AArgs) {
  QelEnsureApplication();
  return new TQelWidget<Base>(std::forward<A>(AArgs)...);
}

// The control's widget as its Qt class (the class the control's constructor made).
template <class W>
W* QelWidgetOf(const TControl* AControl) {
  return static_cast<W*>(static_cast<QWidget*>(AControl->Widget()));
}

// Qt's key modifiers and mouse buttons as a shift state.
TShiftState QelShiftState(Qt::KeyboardModifiers AModifiers, Qt::MouseButtons AButtons = {});
