// Date literals, #...#: numbers, separators and AM/PM read as parts, then read as a date and a
// time in either order (year, month, day; hour, minute, second).
#include <chrono>

#include "host/core/SysUtils.h"

#include "engine/vb/QelSctVbScanner.h"

namespace qel_vb {

namespace {

constexpr const char16_t* SDateError = u"Syntax error in date constant";
constexpr int MaxDateParts = 12;  // the closing "#" included

enum TPartKind : uint8_t { pkNumber, pkDateSep, pkTimeSep, pkAM, pkPM, pkClose };

struct TPart {
  TPartKind Kind;
  int32_t Value;
  int EndPos;  // where a fault found at this part is reported
};

int CurrentYear() {
  const auto now = std::chrono::system_clock::now();
  const std::chrono::year_month_day ymd{std::chrono::floor<std::chrono::days>(now)};
  return int(ymd.year());
}

class TDateReader {
 public:
  TDateReader(const TPart* AParts, int ACount) : FParts(AParts), FCount(ACount) {}

  bool Read(double& AValue) {
    if (!IsNumber(0)) return Fail(0);
    const int32_t first = FParts[0].Value;
    FIndex = 1;
    if (Is(FIndex, pkTimeSep)) {
      if (!Time(first)) return false;
      if (IsNumber(FIndex) && !Date(FParts[FIndex++].Value)) return false;
    } else {
      if (!Date(first)) return false;
      if (IsNumber(FIndex) && !Time(FParts[FIndex++].Value)) return false;
    }
    if (!Is(FIndex, pkClose)) return Fail(FIndex);
    FFaultPos = FParts[FIndex].EndPos;
    if (FYear <= 29) FYear += 2000;
    else if (FYear <= 99) FYear += 1900;
    TDateTime day = 0, time = 0;
    if (!TryEncodeDate(FYear, FMonth, FDay, day) || !TryEncodeTime(FHour, FMinute, FSecond, 0, time))
      return false;
    AValue = day >= 0 ? day + time : day - time;  // the fraction counts away from the origin
    return true;
  }
  int FaultPos() const { return FFaultPos; }

 private:
  bool Is(int AIndex, TPartKind AKind) const { return AIndex < FCount && FParts[AIndex].Kind == AKind; }
  bool IsNumber(int AIndex) const { return Is(AIndex, pkNumber); }
  bool Fail(int AIndex) {
    FFaultPos = FParts[AIndex < FCount ? AIndex : FCount - 1].EndPos;
    return false;
  }
  bool Number(int32_t& AValue) {
    if (!IsNumber(FIndex)) return Fail(FIndex);
    AValue = FParts[FIndex++].Value;
    return true;
  }

  bool Date(int32_t AFirst) {
    FYear = AFirst;
    if (Is(FIndex, pkDateSep)) ++FIndex;
    if (!Number(FMonth)) return false;
    if (Is(FIndex, pkDateSep)) {
      ++FIndex;
      return Number(FDay);
    }
    if (IsNumber(FIndex) && !Is(FIndex + 1, pkTimeSep)) {
      FDay = FParts[FIndex++].Value;
      return true;
    }
    // Two numbers: month and day of the current year.
    FDay = FMonth;
    FMonth = AFirst;
    FYear = CurrentYear();
    return true;
  }

  bool Time(int32_t AHour) {
    FHour = AHour;
    if (!Is(FIndex, pkTimeSep)) return Fail(FIndex);
    ++FIndex;
    if (!Number(FMinute)) return false;
    if (Is(FIndex, pkTimeSep)) {
      ++FIndex;
      if (!Number(FSecond)) return false;
    }
    if (Is(FIndex, pkAM)) {
      ++FIndex;
    } else if (Is(FIndex, pkPM)) {
      ++FIndex;
      if (FHour < 12) FHour += 12;
    }
    return true;
  }

  const TPart* FParts;
  int FCount;
  int FIndex = 0;
  int FFaultPos = 0;
  int32_t FYear = 0, FMonth = 0, FDay = 0, FHour = 0, FMinute = 0, FSecond = 0;
};

}  // namespace

void TVBScanner::ScanDate() {
  ++FCurChar;
  TPart parts[MaxDateParts];
  int count = 0;
  for (;;) {
    if (count == MaxDateParts) Error(SDateError, CurPos() - 1);
    while (QelVbIsBlank(*FCurChar)) ++FCurChar;
    const char16_t c = *FCurChar;
    TPart& part = parts[count++];
    part.Value = 0;
    if (QelIsDigit(c)) {
      const char16_t* start = FCurChar;
      while (QelIsDigit(*FCurChar)) ++FCurChar;
      int64_t value = 0;
      for (const char16_t* p = start; p < FCurChar; ++p) {
        value = value * 10 + (*p - u'0');
        if (value > INT32_MAX) Error(SDateError, CurPos() - 1);
      }
      part.Kind = pkNumber;
      part.Value = int32_t(value);
    } else if (c == u',' || c == u'-' || c == u'/') {
      ++FCurChar;
      part.Kind = pkDateSep;
    } else if (c == u'.' || c == u':') {
      ++FCurChar;
      part.Kind = pkTimeSep;
    } else if ((c == u'A' || c == u'a' || c == u'P' || c == u'p') &&
               (FCurChar[1] == u'M' || FCurChar[1] == u'm')) {
      FCurChar += 2;
      part.Kind = (c == u'A' || c == u'a') ? pkAM : pkPM;
    } else if (c == u'#') {
      ++FCurChar;
      part.Kind = pkClose;
    } else {
      Error(SDateError, CurPos() - 1);
    }
    part.EndPos = CurPos() - 1;
    if (part.Kind == pkClose) break;
  }
  TDateReader reader(parts, count);
  double value = 0;
  if (!reader.Read(value)) Error(SDateError, reader.FaultPos());
  FDData = value;
  FToken = ptCDate;
}

}  // namespace qel_vb
