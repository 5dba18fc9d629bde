// Dates (days since 30 December 1899) to and from text under the regional settings.
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "platform/ole/OleInternal.h"

namespace ole_detail {

namespace {

constexpr int64_t kEpochOffset = 25569;  // 1 January 1970 as a day serial
constexpr int kSecondsPerDay = 86400;

constexpr const char16_t* kMonthNames[12] = {u"January",   u"February", u"March",    u"April",
                                             u"May",       u"June",     u"July",     u"August",
                                             u"September", u"October",  u"November", u"December"};
constexpr const char16_t* kDayNames[7] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                          u"Thursday", u"Friday", u"Saturday"};

struct Civil {
  int year = 0;
  unsigned month = 0, day = 0;
  int64_t serial = 0;
  int hour = 0, minute = 0, second = 0;
};

char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
unsigned daysInMonth(int y, unsigned m) {
  static constexpr unsigned kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && leapYear(y) ? 29 : kDays[m - 1];
}

void appendNumber(std::u16string& out, int v, int width) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + v % 10));
    v /= 10;
  } while (v);
  while (static_cast<int>(digits.size()) < width) digits.insert(digits.begin(), u'0');
  out += digits;
}

size_t runLength(std::u16string_view f, size_t i) {
  size_t n = 1;
  while (i + n < f.size() && upper(f[i + n]) == upper(f[i])) ++n;
  return n;
}

// Writes one pattern letter run; returns false when the letter is not a pattern letter.
bool formatField(std::u16string& out, char16_t letter, size_t n, const Civil& c, bool timeContext,
                 const OleRegionalSettings& rs) {
  const std::u16string& ampm = c.hour < 12 ? rs.TimeAMString : rs.TimePMString;
  switch (letter) {
    case u'd':
    case u'D':
      if (n >= 4) out += kDayNames[(c.serial % 7 + 7 + 6) % 7];
      else if (n == 3)
        out += std::u16string_view(kDayNames[(c.serial % 7 + 7 + 6) % 7]).substr(0, 3);
      else appendNumber(out, static_cast<int>(c.day), static_cast<int>(n));
      return true;
    case u'M':
    case u'm':
      if (timeContext) return appendNumber(out, c.minute, n >= 2 ? 2 : 1), true;
      if (n >= 4) out += kMonthNames[c.month - 1];
      else if (n == 3) out += std::u16string_view(kMonthNames[c.month - 1]).substr(0, 3);
      else appendNumber(out, static_cast<int>(c.month), static_cast<int>(n));
      return true;
    case u'n': return appendNumber(out, c.minute, n >= 2 ? 2 : 1), true;
    case u'y':
    case u'Y':
      if (n <= 2) appendNumber(out, c.year % 100, static_cast<int>(n));
      else appendNumber(out, c.year, 4);
      return true;
    case u'h': return appendNumber(out, c.hour % 12 == 0 ? 12 : c.hour % 12, n >= 2 ? 2 : 1), true;
    case u'H': return appendNumber(out, c.hour, n >= 2 ? 2 : 1), true;
    case u's':
    case u'S': return appendNumber(out, c.second, n >= 2 ? 2 : 1), true;
    case u't': out += n >= 2 ? ampm : ampm.substr(0, 1); return true;
    default: return false;
  }
}

std::u16string formatPattern(std::u16string_view f, const Civil& c, bool timeContext,
                             const OleRegionalSettings& rs) {
  std::u16string out;
  for (size_t i = 0; i < f.size();) {
    char16_t ch = f[i];
    if (ch == u'\'' || ch == u'"') {
      size_t close = f.find(ch, i + 1);
      if (close == std::u16string_view::npos) close = f.size();
      out += f.substr(i + 1, close - i - 1);
      i = close + 1;
    } else if (f.substr(i, 4) == u"AMPM") {
      out += c.hour < 12 ? rs.TimeAMString : rs.TimePMString;
      i += 4;
    } else if (ch == u'/') {
      out += rs.DateSeparator;
      ++i;
    } else if (ch == u':') {
      out += rs.TimeSeparator;
      ++i;
    } else {
      size_t n = runLength(f, i);
      if (!formatField(out, ch, n, c, timeContext, rs)) out += f.substr(i, n);
      i += n;
    }
  }
  return out;
}

// ---- parsing ------------------------------------------------------------------------------

struct Token {
  enum Kind { Number, Month, Am, Pm, TimeSep, DateSep } kind;
  int value = 0;
  int digits = 0;
};

bool matchWord(std::u16string_view word, std::u16string_view name, size_t minLen) {
  if (word.size() < minLen || word.size() > name.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (upper(word[i]) != upper(name[i])) return false;
  return true;
}

bool wordToken(std::u16string_view word, const OleRegionalSettings& rs, std::vector<Token>& out) {
  if (matchWord(word, rs.TimeAMString, rs.TimeAMString.size()) && !word.empty())
    return out.push_back({Token::Am}), true;
  if (matchWord(word, rs.TimePMString, rs.TimePMString.size()) && !word.empty())
    return out.push_back({Token::Pm}), true;
  for (int m = 0; m < 12; ++m)
    if (matchWord(word, kMonthNames[m], 3)) return out.push_back({Token::Month, m + 1}), true;
  for (const char16_t* day : kDayNames)  // a weekday name is allowed and ignored
    if (matchWord(word, day, 3)) return true;
  return word.size() == 1 && upper(word[0]) == u'T';  // ISO date-time separator
}

bool tokenize(std::u16string_view t, const OleRegionalSettings& rs, std::vector<Token>& out) {
  for (size_t i = 0; i < t.size();) {
    char16_t c = t[i];
    if (isDigit(c)) {
      Token tok{Token::Number};
      for (; i < t.size() && isDigit(t[i]); ++i, ++tok.digits)
        tok.value = std::min(tok.value * 10 + (t[i] - u'0'), 100000);
      out.push_back(tok);
    } else if (isLetter(c) ||
               (!rs.TimeAMString.empty() &&
                t.substr(i, rs.TimeAMString.size()) == rs.TimeAMString) ||
               (!rs.TimePMString.empty() &&
                t.substr(i, rs.TimePMString.size()) == rs.TimePMString)) {
      size_t start = i;
      while (i < t.size() && !isDigit(t[i]) && t[i] != u' ' && t[i] != rs.DateSeparator &&
             t[i] != rs.TimeSeparator && t[i] != u',' && t[i] != u'/' && t[i] != u'-' &&
             t[i] != u'.' && t[i] != u':')
        ++i;
      if (!wordToken(t.substr(start, i - start), rs, out)) return false;
    } else if (c == rs.TimeSeparator || c == u':') {
      out.push_back({Token::TimeSep});
      ++i;
    } else if (c == rs.DateSeparator || c == u'/' || c == u'-' || c == u'.' || c == u',') {
      out.push_back({Token::DateSep});
      ++i;
    } else if (c == u' ' || c == u'\t' || c == 0xA0) {
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

struct DateParts {
  std::vector<Token> dateNums;
  int monthName = 0;
  std::vector<int> time;
  int ampm = 0;  // 0 none, 1 AM, 2 PM
};

bool splitTokens(const std::vector<Token>& toks, DateParts& parts) {
  for (size_t i = 0; i < toks.size(); ++i) {
    const Token& t = toks[i];
    if (t.kind == Token::Number) {
      bool startsTime =
          i + 1 < toks.size() && (toks[i + 1].kind == Token::TimeSep ||
                                  toks[i + 1].kind == Token::Am || toks[i + 1].kind == Token::Pm);
      if (!startsTime) {
        parts.dateNums.push_back(t);
        continue;
      }
      if (!parts.time.empty()) return false;
      parts.time.push_back(t.value);
      while (i + 2 < toks.size() && toks[i + 1].kind == Token::TimeSep &&
             toks[i + 2].kind == Token::Number) {
        parts.time.push_back(toks[i + 2].value);
        i += 2;
      }
      if (parts.time.size() > 3) return false;
    } else if (t.kind == Token::Month) {
      if (parts.monthName) return false;
      parts.monthName = t.value;
    } else if (t.kind == Token::Am || t.kind == Token::Pm) {
      if (parts.ampm || parts.time.empty()) return false;
      parts.ampm = t.kind == Token::Am ? 1 : 2;
    } else if (t.kind == Token::TimeSep && (i == 0 || toks[i - 1].kind != Token::Number)) {
      return false;
    }
  }
  return true;
}

// Order of day, month and year in the short date format: "MDY", "DMY" or "YMD".
std::string dateOrder(const OleRegionalSettings& rs) {
  std::string order;
  for (char16_t c : rs.ShortDateFormat) {
    char k = upper(c) == u'D' ? 'D' : upper(c) == u'M' ? 'M' : upper(c) == u'Y' ? 'Y' : 0;
    if (k && order.find(k) == std::string::npos) order += k;
  }
  return order.size() == 3 ? order : "MDY";
}

int currentYear() {
  auto days = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
  return static_cast<int>(std::chrono::year_month_day(days).year());
}

int fullYear(const Token& t) {
  return t.digits <= 2 ? (t.value < 30 ? 2000 + t.value : 1900 + t.value) : t.value;
}
bool looksLikeYear(const Token& t) { return t.digits >= 3 || t.value > 31; }

bool assignDate(const DateParts& p, const OleRegionalSettings& rs, Civil& c) {
  const auto& n = p.dateNums;
  if (p.monthName) {
    c.month = static_cast<unsigned>(p.monthName);
    if (n.size() == 2) {
      bool yearFirst = looksLikeYear(n[0]);
      c.day = static_cast<unsigned>(n[yearFirst ? 1 : 0].value);
      c.year = fullYear(n[yearFirst ? 0 : 1]);
    } else if (n.size() == 1) {
      if (looksLikeYear(n[0])) c.day = 1, c.year = fullYear(n[0]);
      else c.day = static_cast<unsigned>(n[0].value), c.year = currentYear();
    } else {
      return false;
    }
    return true;
  }
  std::string order = dateOrder(rs);
  if (n.size() == 3) {
    if (looksLikeYear(n[0])) order = "YMD";
    int y = 0, m = 0, d = 0;
    for (size_t i = 0; i < 3; ++i) {
      if (order[i] == 'Y') y = fullYear(n[i]);
      else if (order[i] == 'M') m = n[i].value;
      else d = n[i].value;
    }
    if (m > 12 && d <= 12) std::swap(m, d);  // the published parser accepts swapped fields
    c.year = y, c.month = static_cast<unsigned>(m), c.day = static_cast<unsigned>(d);
    return true;
  }
  if (n.size() == 2) {
    if (looksLikeYear(n[1])) {
      c.month = static_cast<unsigned>(n[0].value), c.day = 1, c.year = fullYear(n[1]);
      return true;
    }
    bool dayFirst = order.find('D') < order.find('M');
    int m = n[dayFirst ? 1 : 0].value, d = n[dayFirst ? 0 : 1].value;
    if (m > 12 && d <= 12) std::swap(m, d);
    c.month = static_cast<unsigned>(m), c.day = static_cast<unsigned>(d), c.year = currentYear();
    return true;
  }
  return false;
}

bool assignTime(const DateParts& p, Civil& c) {
  if (p.time.empty()) return true;
  c.hour = p.time[0];
  c.minute = p.time.size() > 1 ? p.time[1] : 0;
  c.second = p.time.size() > 2 ? p.time[2] : 0;
  if (p.ampm) {
    if (c.hour < 0 || c.hour > 12) return false;
    c.hour = c.hour % 12 + (p.ampm == 2 ? 12 : 0);
  }
  return c.hour < 24 && c.minute < 60 && c.second < 60;
}

}  // namespace

int64_t serialFromCivil(int y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468 + kEpochOffset;
}

void civilFromSerial(int64_t serial, int& y, unsigned& m, unsigned& d) {
  const int64_t z = serial - kEpochOffset + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

HRESULT dateToText(DATE date, const OleRegionalSettings& rs, std::u16string& out) {
  if (!dateInRange(date)) return E_INVALIDARG;
  // The day is the whole part toward zero; the time is the fraction's size on that day.
  Civil c;
  c.serial = static_cast<int64_t>(std::trunc(date));
  auto secs = static_cast<int>(std::llround(std::fabs(date - std::trunc(date)) * kSecondsPerDay));
  if (secs == kSecondsPerDay) secs = 0, ++c.serial;
  civilFromSerial(c.serial, c.year, c.month, c.day);
  c.hour = secs / 3600, c.minute = secs / 60 % 60, c.second = secs % 60;
  out.clear();
  if (c.serial != 0) out = formatPattern(rs.ShortDateFormat, c, false, rs);
  if (secs != 0 || c.serial == 0) {
    if (!out.empty()) out += u' ';
    out += formatPattern(rs.LongTimeFormat, c, true, rs);
  }
  return S_OK;
}

HRESULT textToDate(std::u16string_view text, const OleRegionalSettings& rs, DATE& out) {
  std::vector<Token> toks;
  DateParts parts;
  if (!tokenize(text, rs, toks) || !splitTokens(toks, parts)) return DISP_E_TYPEMISMATCH;
  if (parts.dateNums.empty() && !parts.monthName && parts.time.empty()) return DISP_E_TYPEMISMATCH;
  Civil c;
  if (parts.dateNums.empty() && !parts.monthName) {
    c.year = 1899, c.month = 12, c.day = 30;
  } else if (!assignDate(parts, rs, c)) {
    return DISP_E_TYPEMISMATCH;
  }
  if (!assignTime(parts, c)) return DISP_E_TYPEMISMATCH;
  if (c.year < 100 || c.year > 9999 || c.month < 1 || c.month > 12 || c.day < 1 ||
      c.day > daysInMonth(c.year, c.month))
    return DISP_E_TYPEMISMATCH;
  const double day = static_cast<double>(serialFromCivil(c.year, c.month, c.day));
  const double time =
      (c.hour * 3600 + c.minute * 60 + c.second) / static_cast<double>(kSecondsPerDay);
  out = day >= 0 ? day + time : day - time;
  return S_OK;
}

}  // namespace ole_detail
