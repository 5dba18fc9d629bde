// Date and time intrinsics over the host's calendar routines (dates are OLE day numbers).
#include "engine/pascal/PasIntrinsics.h"

namespace qel_pas {
namespace {

template <String (*F)(TDateTime)>
void DateTextFn(VARIANT* AArgs, VARIANT& AResult) {
  SetText(AResult, F(ArgNumber(AArgs, 0)));
}

template <TDateTime (*F)(std::u16string_view)>
void ParseDateFn(VARIANT* AArgs, VARIANT& AResult) {
  SetDate(AResult, F(ArgText(AArgs, 0)));
}

// The host overloads taking format settings make plain function pointers ambiguous.
String DateTimeText(TDateTime A) { return DateTimeToStr(A); }
String DateText(TDateTime A) { return DateToStr(A); }
String TimeText(TDateTime A) { return TimeToStr(A); }
TDateTime ParseDate(std::u16string_view S) { return StrToDate(S); }
TDateTime ParseDateTime(std::u16string_view S) { return StrToDateTime(S); }
TDateTime ParseTime(std::u16string_view S) { return StrToTime(S); }

}  // namespace

void PasDateTimeToStr(const TQelCall&, VARIANT* A, VARIANT& R) { DateTextFn<DateTimeText>(A, R); }
void PasDateToStr(const TQelCall&, VARIANT* A, VARIANT& R) { DateTextFn<DateText>(A, R); }
void PasTimeToStr(const TQelCall&, VARIANT* A, VARIANT& R) { DateTextFn<TimeText>(A, R); }
void PasStrToDate(const TQelCall&, VARIANT* A, VARIANT& R) { ParseDateFn<ParseDate>(A, R); }
void PasStrToDateTime(const TQelCall&, VARIANT* A, VARIANT& R) { ParseDateFn<ParseDateTime>(A, R); }
void PasStrToTime(const TQelCall&, VARIANT* A, VARIANT& R) { ParseDateFn<ParseTime>(A, R); }

void PasDayOfWeek(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetInt(AResult, DayOfWeek(ArgNumber(AArgs, 0)));
}

void PasDecodeDate(const TQelCall&, VARIANT* AArgs, VARIANT&) {
  int parts[3] = {};
  DecodeDate(ArgNumber(AArgs, 0), parts[0], parts[1], parts[2]);
  for (int i = 0; i < 3; ++i) WriteBackInt(&AArgs[i + 1], parts[i]);
}

void PasDecodeTime(const TQelCall&, VARIANT* AArgs, VARIANT&) {
  int parts[4] = {};
  DecodeTime(ArgNumber(AArgs, 0), parts[0], parts[1], parts[2], parts[3]);
  for (int i = 0; i < 4; ++i) WriteBackInt(&AArgs[i + 1], parts[i]);
}

void PasEncodeDate(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetDate(AResult, EncodeDate(ArgInt(AArgs, 0), ArgInt(AArgs, 1), ArgInt(AArgs, 2)));
}

void PasEncodeTime(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetDate(AResult,
          EncodeTime(ArgInt(AArgs, 0), ArgInt(AArgs, 1), ArgInt(AArgs, 2), ArgInt(AArgs, 3)));
}

void PasIncMonth(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 1, 2);
  const int months = ACall.FArgCount == 2 ? ArgInt(AArgs, 1) : 1;
  SetDate(AResult, IncMonth(ArgNumber(AArgs, 0), months));
}

void PasIsLeapYear(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetBoolean(AResult, IsLeapYear(ArgInt(AArgs, 0)));
}

void PasFormatDateTime(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetText(AResult, FormatDateTime(ArgText(AArgs, 0), ArgNumber(AArgs, 1)));
}

}  // namespace qel_pas
