#include "platform/ole/OleLocale.h"

#include <langinfo.h>

#include <atomic>
#include <clocale>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

std::u16string widen(const char* s) {
  // Locale texts are taken as UTF-8; anything outside ASCII that is not a two- or three-byte
  // sequence is dropped (a separator is one UTF-16 unit anyway).
  std::u16string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); p && *p;) {
    if (*p < 0x80) {
      out += static_cast<char16_t>(*p++);
    } else if ((*p & 0xE0) == 0xC0 && p[1]) {
      out += static_cast<char16_t>(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
      p += 2;
    } else if ((*p & 0xF0) == 0xE0 && p[1] && p[2]) {
      out += static_cast<char16_t>(((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
      p += 3;
    } else {
      ++p;
    }
  }
  return out;
}

// Turns a strftime date or time format into the pattern letters of the regional settings.
std::u16string patternFromStrftime(const char* fmt) {
  struct Map {
    char conv;
    const char16_t* pattern;
  };
  static constexpr Map kMap[] = {
      {'d', u"dd"}, {'e', u"d"},  {'m', u"MM"}, {'y', u"yy"}, {'Y', u"yyyy"}, {'H', u"HH"},
      {'I', u"hh"}, {'M', u"mm"}, {'S', u"ss"}, {'p', u"tt"}, {'b', u"MMM"},  {'B', u"MMMM"},
  };
  std::u16string out;
  for (const char* p = fmt; *p; ++p) {
    if (*p != '%' || !p[1]) {
      out += static_cast<char16_t>(static_cast<unsigned char>(*p));
      continue;
    }
    ++p;
    for (const Map& m : kMap)
      if (m.conv == *p) out += m.pattern;
  }
  return out;
}

char16_t firstNonPattern(const std::u16string& pattern, char16_t fallback) {
  for (char16_t c : pattern)
    if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u' ')) return c;
  return fallback;
}

OleRegionalSettings fromProcessLocale() {
  OleRegionalSettings rs = OleDefaultRegionalSettings();
  const char* name = std::setlocale(LC_ALL, nullptr);
  if (!name || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0) return rs;
  const std::lconv* lc = std::localeconv();
  if (lc->decimal_point && lc->decimal_point[0]) rs.DecimalSeparator = widen(lc->decimal_point)[0];
  std::u16string thousands = widen(lc->thousands_sep);
  if (!thousands.empty() && thousands[0] != rs.DecimalSeparator)
    rs.ThousandSeparator = thousands[0];
  else if (rs.DecimalSeparator == u',') rs.ThousandSeparator = u'.';
  if (lc->currency_symbol && lc->currency_symbol[0]) rs.CurrencyString = widen(lc->currency_symbol);

  std::u16string date = patternFromStrftime(nl_langinfo(D_FMT));
  std::u16string time = patternFromStrftime(nl_langinfo(T_FMT));
  if (!date.empty()) {
    rs.ShortDateFormat = date;
    rs.DateSeparator = firstNonPattern(date, rs.DateSeparator);
  }
  if (!time.empty()) {
    rs.LongTimeFormat = time;
    rs.TimeSeparator = firstNonPattern(time, rs.TimeSeparator);
  }
  std::u16string am = widen(nl_langinfo(AM_STR)), pm = widen(nl_langinfo(PM_STR));
  if (!am.empty() && !pm.empty()) {
    rs.TimeAMString = am;
    rs.TimePMString = pm;
  }
  return rs;
}

// Replaced settings stay alive until exit: readers may still hold a reference to them.
std::atomic<const OleRegionalSettings*> gCurrent{nullptr};
std::mutex gMutex;

std::vector<std::unique_ptr<const OleRegionalSettings>>& retired() {
  static std::vector<std::unique_ptr<const OleRegionalSettings>> all;
  return all;
}

const OleRegionalSettings* publish(std::unique_ptr<const OleRegionalSettings> s) {
  const OleRegionalSettings* raw = s.get();
  retired().push_back(std::move(s));
  gCurrent.store(raw, std::memory_order_release);
  return raw;
}

}  // namespace

OleRegionalSettings OleDefaultRegionalSettings() {
  return {u'.', u',', u'/', u':', u"M/d/yyyy", u"h:mm:ss tt", u"AM", u"PM", u"$"};
}

const OleRegionalSettings& OleGetRegionalSettings() {
  if (const OleRegionalSettings* s = gCurrent.load(std::memory_order_acquire)) return *s;
  std::lock_guard lock(gMutex);
  if (const OleRegionalSettings* s = gCurrent.load(std::memory_order_acquire)) return *s;
  return *publish(std::make_unique<const OleRegionalSettings>(fromProcessLocale()));
}

void OleSetRegionalSettings(const OleRegionalSettings& settings) {
  std::lock_guard lock(gMutex);
  publish(std::make_unique<const OleRegionalSettings>(settings));
}
