// How a table row reads in a test's name. ctest names each row of a parameterised suite after
// the parameter's printed form, so a source text is escaped (line ends, control characters and
// bytes beyond ASCII as \n, \t, \xNN) and cut to a length that still reads as a name.
#pragma once

#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

inline std::string QelTestLabel(std::string_view AText, size_t AMax = 40) {
  std::string label;
  for (unsigned char c : AText) {
    if (label.size() >= AMax) return label + "...";
    if (c == '\n') label += "\\n";
    else if (c == '\r') label += "\\r";
    else if (c == '\t') label += "\\t";
    else if (c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      label += hex;
    } else label += char(c);
  }
  return label.empty() ? "(empty)" : label;
}

inline std::string QelTestLabel(std::u16string_view AText, size_t AMax = 40) {
  std::string label;
  for (char16_t c : AText) {
    if (label.size() >= AMax) return label + "...";
    if (c >= 0x20 && c < 0x7F) {
      label += char(c);
      continue;
    }
    char hex[10];
    if (c == u'\n') std::snprintf(hex, sizeof hex, "\\n");
    else if (c == u'\r') std::snprintf(hex, sizeof hex, "\\r");
    else std::snprintf(hex, sizeof hex, "\\u%04X", unsigned(c));
    label += hex;
  }
  return label.empty() ? "(empty)" : label;
}
