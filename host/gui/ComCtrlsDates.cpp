// Date controls: the picker on a QDateTimeEdit, the month calendar on a QCalendarWidget.
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLocale>
#include <QTextCharFormat>
#include <cmath>

#include "host/gui/ComCtrls.h"
#include "host/gui/QelWidgets.h"

namespace {

// Day 0 of TDateTime, 30 December 1899, as a Julian day.
constexpr qint64 DayZero = 2415019;
constexpr double QelMSecsPerDay = 86400000.0;

TDateTime DatePart(TDateTime AValue) { return std::trunc(AValue); }
TDateTime TimePart(TDateTime AValue) { return std::fabs(AValue - std::trunc(AValue)); }
// A date and a time of day; before day 0 the fraction still counts forward from midnight.
TDateTime Combine(TDateTime ADate, TDateTime ATime) {
  return ADate < 0 ? DatePart(ADate) - ATime : DatePart(ADate) + ATime;
}

QDateTime ToQt(TDateTime AValue) {
  const qint64 msecs = std::min<qint64>(std::llround(TimePart(AValue) * QelMSecsPerDay), 86399999);
  return QDateTime(QDate::fromJulianDay(DayZero + static_cast<qint64>(DatePart(AValue))),
                   QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)));
}

TDateTime FromQt(const QDateTime& AValue) {
  const double days = static_cast<double>(AValue.date().toJulianDay() - DayZero);
  return Combine(days, AValue.time().msecsSinceStartOfDay() / QelMSecsPerDay);
}

// The library's date and time letters (m for month, n for minute, am/pm) in Qt's.
QString QtFormat(const String& AFormat) {
  QString result;
  for (size_t i = 0; i < AFormat.size(); ++i) {
    const char16_t c = AFormat[i];
    const char16_t lower = c >= u'A' && c <= u'Z' ? c + 32 : c;
    if (c == u'"' || c == u'\'') {
      const size_t end = AFormat.find(c, i + 1);
      result +=
          u'\'' +
          QelToQString(AFormat.substr(i + 1, end == String::npos ? String::npos : end - i - 1)) +
          u'\'';
      if (end == String::npos) break;
      i = end;
    } else if (lower == u'a' &&
               (AFormat.compare(i, 5, u"am/pm") == 0 || AFormat.compare(i, 5, u"AM/PM") == 0)) {
      result += QStringLiteral("AP");
      i += 4;
    } else if (lower == u'm') {
      result += u'M';
    } else if (lower == u'n') {
      result += u'm';
    } else if (lower == u'd' || lower == u'y' || lower == u'h' || lower == u's' || lower == u'z') {
      result += QChar(lower);
    } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
      result += u'\'' + QString(QChar(c)) + u'\'';
    } else {
      result += QChar(c);
    }
  }
  return result;
}

}  // namespace

// ---- the common part ---------------------------------------------------------

TCommonCalendar::TCommonCalendar(TComponent* AOwner, QWidget* AWidget)
    : TWinControl(AOwner, AWidget), FDateTime(DatePart(Now())) {
  SetTabStop(true);
}

TDateTime TCommonCalendar::GetDate() const { return DatePart(FDateTime); }

void TCommonCalendar::SetDate(TDateTime AValue) {
  SetDateTimeChecked(Combine(AValue, TimePart(FDateTime)));
}

void TCommonCalendar::SetDateTimeChecked(TDateTime AValue) {
  if (!std::isfinite(AValue) || std::fabs(AValue) > 2958465.0) RaiseError(u"Invalid date");
  if (FMaxDate != 0 && DatePart(AValue) > DatePart(FMaxDate))
    RaiseError(Exception::FormatMessage(u"Date exceeds maximum of %s", {DateToStr(FMaxDate)}));
  if (FMinDate != 0 && DatePart(AValue) < DatePart(FMinDate))
    RaiseError(Exception::FormatMessage(u"Date is less than minimum of %s", {DateToStr(FMinDate)}));
  FDateTime = AValue;
  ++FApplying;
  ApplyValue();
  --FApplying;
}

void TCommonCalendar::SetMinDate(TDateTime AValue) {
  if (AValue != 0 && FMaxDate != 0 && DatePart(AValue) > DatePart(FMaxDate))
    RaiseError(u"Minimum date must not exceed maximum date");
  FMinDate = AValue;
  if (AValue != 0 && DatePart(FDateTime) < DatePart(AValue))
    FDateTime = Combine(AValue, TimePart(FDateTime));
  ++FApplying;
  ApplyLimits();
  ApplyValue();
  --FApplying;
}

void TCommonCalendar::SetMaxDate(TDateTime AValue) {
  if (AValue != 0 && FMinDate != 0 && DatePart(AValue) < DatePart(FMinDate))
    RaiseError(u"Minimum date must not exceed maximum date");
  FMaxDate = AValue;
  if (AValue != 0 && DatePart(FDateTime) > DatePart(AValue))
    FDateTime = Combine(AValue, TimePart(FDateTime));
  ++FApplying;
  ApplyLimits();
  ApplyValue();
  --FApplying;
}

void TCommonCalendar::SetFirstDayOfWeek(TCalDayOfWeek AValue) {
  FFirstDayOfWeek = AValue;
  ++FApplying;
  ApplyLimits();
  --FApplying;
}

void TCommonCalendar::SetWeekNumbers(bool AValue) {
  FWeekNumbers = AValue;
  ++FApplying;
  ApplyLimits();
  --FApplying;
}

// The user's pick: the widget keeps to the limits itself.
void TCommonCalendar::UserChanged(TDateTime AValue) {
  if (FApplying || AValue == FDateTime) return;
  FDateTime = AValue;
  Change();
}

// ---- the picker ---------------------------------------------------------------

TDateTimePicker::TDateTimePicker(TComponent* AOwner)
    : TCommonCalendar(AOwner, QelBridged<QDateTimeEdit>()) {
  auto* edit = QelWidgetOf<QDateTimeEdit>(this);
  edit->setCalendarPopup(true);
  edit->setTimeSpec(Qt::LocalTime);
  QObject::connect(edit, &QDateTimeEdit::dateTimeChanged, edit, [this](const QDateTime& AValue) {
    QelGuard(this, [&] {
      // A date-only picker keeps its time of day; a time-only one its date.
      const TDateTime value = FromQt(AValue);
      UserChanged(FKind == dtkDate   ? Combine(value, TimePart(FDateTime))
                  : FKind == dtkTime ? Combine(FDateTime, TimePart(value))
                                     : value);
    });
  });
  WatchPopup();
  SetBounds(0, 0, 186, 21);
  ++FApplying;
  ApplyLimits();
  ApplyFormat();
  ApplyValue();
  --FApplying;
}

namespace {

// Tells the picker when its calendar pops up and when it closes (the picker deletes it before
// its widget, and the popup with it, goes).
class TQelPopupWatch final : public QObject {
 public:
  explicit TQelPopupWatch(TDateTimePicker* APicker) : FPicker(APicker) {}

 protected:
  bool eventFilter(QObject*, QEvent* AEvent) override {
    if (AEvent->type() != QEvent::Show && AEvent->type() != QEvent::Hide) return false;
    QelGuard(FPicker, [&] { FPicker->PopupShown(AEvent->type() == QEvent::Show); });
    return false;
  }

 private:
  TDateTimePicker* FPicker;
};

}  // namespace

// Qt makes the calendar when it first drops down (or is asked for).
void TDateTimePicker::WatchPopup() {
  auto* edit = QelWidgetOf<QDateTimeEdit>(this);
  QCalendarWidget* calendar = edit->calendarWidget();
  if (FPopupWatch || !calendar) return;
  FPopupWatch = new TQelPopupWatch(this);
  calendar->installEventFilter(FPopupWatch);
}

// Qt drops a deleted event filter from the calendar's list.
TDateTimePicker::~TDateTimePicker() { delete FPopupWatch; }

void TDateTimePicker::PopupShown(bool AShown) {
  if (AShown) OnDropDown(this);
  else OnCloseUp(this);
}

void TDateTimePicker::RaiseError(const String& AMessage) const {
  QelRaise<EDateTimeError>(AMessage);
}

TDateTime TDateTimePicker::GetTime() const { return TimePart(FDateTime); }

void TDateTimePicker::SetTime(TDateTime AValue) {
  SetDateTimeChecked(Combine(FDateTime, TimePart(AValue)));
}

void TDateTimePicker::SetDateTime(TDateTime AValue) { SetDateTimeChecked(AValue); }

void TDateTimePicker::SetKind(TDateTimeKind AValue) {
  FKind = AValue;
  ++FApplying;
  ApplyFormat();
  ApplyValue();  // a new format may have dropped the sections it no longer shows
  --FApplying;
}

void TDateTimePicker::SetDateFormat(TDTDateFormat AValue) {
  FDateFormat = AValue;
  ++FApplying;
  ApplyFormat();
  ApplyValue();  // a new format may have dropped the sections it no longer shows
  --FApplying;
}

void TDateTimePicker::SetDateMode(TDTDateMode AValue) {
  FDateMode = AValue;
  QelWidgetOf<QDateTimeEdit>(this)->setCalendarPopup(AValue == dmComboBox);
  if (AValue == dmComboBox) WatchPopup();
}

void TDateTimePicker::SetFormat(const String& AValue) {
  FFormat = AValue;
  ++FApplying;
  ApplyFormat();
  ApplyValue();  // a new format may have dropped the sections it no longer shows
  --FApplying;
}

bool TDateTimePicker::GetDroppedDown() const {
  const QCalendarWidget* popup = QelWidgetOf<QDateTimeEdit>(this)->calendarWidget();
  return popup && popup->isVisible();
}

void TDateTimePicker::ApplyFormat() {
  String format = FFormat;
  if (format.empty()) {
    const String& date =
        FDateFormat == dfShort ? FormatSettings().ShortDateFormat : FormatSettings().LongDateFormat;
    format = FKind == dtkDate   ? date
             : FKind == dtkTime ? FormatSettings().LongTimeFormat
                                : date + u' ' + FormatSettings().LongTimeFormat;
  }
  QelWidgetOf<QDateTimeEdit>(this)->setDisplayFormat(QtFormat(format));
}

void TDateTimePicker::ApplyValue() {
  QelWidgetOf<QDateTimeEdit>(this)->setDateTime(ToQt(FDateTime));
}

void TDateTimePicker::ApplyLimits() {
  auto* edit = QelWidgetOf<QDateTimeEdit>(this);
  edit->clearMinimumDateTime();
  edit->clearMaximumDateTime();
  if (FMinDate != 0) edit->setMinimumDateTime(ToQt(DatePart(FMinDate)));
  if (FMaxDate != 0) edit->setMaximumDateTime(ToQt(Combine(FMaxDate, 86399999 / QelMSecsPerDay)));
}

// ---- the month calendar -------------------------------------------------------

TMonthCalendar::TMonthCalendar(TComponent* AOwner)
    : TCommonCalendar(AOwner, QelBridged<QCalendarWidget>()) {
  auto* calendar = QelWidgetOf<QCalendarWidget>(this);
  QObject::connect(calendar, &QCalendarWidget::selectionChanged, calendar, [this, calendar] {
    QelGuard(this, [&] {
      const TDateTime date = static_cast<double>(calendar->selectedDate().toJulianDay() - DayZero);
      if (FMultiSelect) FEndDate = date;
      UserChanged(date);
    });
  });
  FEndDate = FDateTime;
  SetBounds(0, 0, 225, 160);
  ++FApplying;
  ApplyLimits();
  ApplyValue();
  --FApplying;
}

void TMonthCalendar::RaiseError(const String& AMessage) const {
  QelRaise<EMonthCalError>(AMessage);
}

void TMonthCalendar::SetEndDate(TDateTime AValue) {
  if (DatePart(AValue) < GetDate()) RaiseError(u"The end date must not come before the date");
  FEndDate = DatePart(AValue);
}

void TMonthCalendar::ApplyValue() {
  FDateTime = DatePart(FDateTime);
  QelWidgetOf<QCalendarWidget>(this)->setSelectedDate(
      QDate::fromJulianDay(DayZero + static_cast<qint64>(FDateTime)));
  if (FEndDate < FDateTime) FEndDate = FDateTime;
}

void TMonthCalendar::ApplyLimits() {
  auto* calendar = QelWidgetOf<QCalendarWidget>(this);
  calendar->setMinimumDate(FMinDate != 0
                               ? QDate::fromJulianDay(DayZero + static_cast<qint64>(FMinDate))
                               : QDate(100, 1, 1));
  calendar->setMaximumDate(FMaxDate != 0
                               ? QDate::fromJulianDay(DayZero + static_cast<qint64>(FMaxDate))
                               : QDate(9999, 12, 31));
  calendar->setFirstDayOfWeek(FFirstDayOfWeek == dowLocaleDefault
                                  ? QLocale().firstDayOfWeek()
                                  : static_cast<Qt::DayOfWeek>(FFirstDayOfWeek + 1));
  calendar->setVerticalHeaderFormat(FWeekNumbers ? QCalendarWidget::ISOWeekNumbers
                                                 : QCalendarWidget::NoVerticalHeader);
}

bool TMonthCalendar::WidgetEvent(QEvent* AEvent) {
  const bool key = AEvent->type() == QEvent::KeyPress || AEvent->type() == QEvent::KeyRelease;
  if (key && FForwardingKey) return false;
  if (TCommonCalendar::WidgetEvent(AEvent)) return true;
  QWidget* grid = key ? QelWidgetOf<QCalendarWidget>(this)->focusProxy() : nullptr;
  if (!grid) return false;
  auto* event = static_cast<QKeyEvent*>(AEvent);
  QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                 event->isAutoRepeat(), event->count());
  FForwardingKey = true;
  QCoreApplication::sendEvent(grid, &copy);
  FForwardingKey = false;
  return true;
}
