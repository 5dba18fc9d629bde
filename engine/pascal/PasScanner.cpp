// The Pascal scanner: one current token over a private copy of the source.
#include <array>
#include <vector>

#include "engine/pascal/QelSctPasScanner.h"

const TQelPasTokenDescription TQelPasTokenDescriptions[QelPasTokenCount] = {
    {u"identifier", false}, {u"string constant", false}, {u"number", false},
    {u"real constant", false}, {u"array", true}, {u"begin", true}, {u"case", true},
    {u"const", true}, {u"do", true}, {u"downto", true}, {u"else", true}, {u"end", true},
    {u"except", true}, {u"finally", true}, {u"for", true}, {u"function", true}, {u"if", true},
    {u"nil", true}, {u"of", true}, {u"on", true}, {u"out", true}, {u"procedure", true},
    {u"raise", true}, {u"repeat", true}, {u"then", true}, {u"to", true}, {u"try", true},
    {u"until", true}, {u"uses", true}, {u"var", true}, {u"while", true}, {u"and", true},
    {u"div", true}, {u"/", false}, {u"=", false}, {u">", false}, {u">=", false}, {u"in", true},
    {u"is", true}, {u"<", false}, {u"<=", false}, {u"-", false}, {u"mod", true}, {u"*", false},
    {u"not", true}, {u"<>", false}, {u"or", true}, {u"+", false}, {u"shl", true},
    {u"shr", true}, {u"xor", true}, {u":=", false}, {u"]", false}, {u")", false}, {u":", false},
    {u",", false}, {u"[", false}, {u"(", false}, {u".", false}, {u"..", false}, {u";", false},
    {u"@", false}, {u"comment", false}, {u"end of file", false}};

namespace {

constexpr size_t MaxKeywordLength = 9;

bool IsBlank(char16_t c) { return (c >= 1 && c <= 32) || c > 255; }

// Keywords grouped by length, each group in token order, so the first match is the one the
// token table defines.
struct TKeywordIndex {
  std::array<std::vector<TQelPasToken>, MaxKeywordLength + 1> ByLength;
  TKeywordIndex() {
    for (int t = 0; t < QelPasTokenCount; ++t) {
      const TQelPasTokenDescription& d = TQelPasTokenDescriptions[t];
      if (d.IsKeyword) ByLength[std::char_traits<char16_t>::length(d.S)].push_back(TQelPasToken(t));
    }
  }
};
const TKeywordIndex KeywordIndex;

TQelPasToken FindKeyword(const char16_t* AText, size_t ALength) {
  if (ALength < 2 || ALength > MaxKeywordLength) return ptIdentifier;
  char16_t lower[MaxKeywordLength];
  for (size_t i = 0; i < ALength; ++i) lower[i] = QelLowerAscii(AText[i]);
  for (TQelPasToken t : KeywordIndex.ByLength[ALength])
    if (std::char_traits<char16_t>::compare(TQelPasTokenDescriptions[t].S, lower, ALength) == 0)
      return t;
  return ptIdentifier;
}

}  // namespace

void TQelPasScanner::Start(std::u16string_view ASource) {
  StartText(ASource);
  NextToken();
}

void TQelPasScanner::Rollback(size_t ASavepoint) {
  SetCursor(ASavepoint);
  NextToken();
}

std::u16string TQelPasScanner::TokenToStr(TQelPasToken AToken) {
  return u"'" + std::u16string(TQelPasTokenDescriptions[AToken].S) + u"'";
}

void TQelPasScanner::NextToken() {
  do {
    while (IsBlank(*FCurChar)) ++FCurChar;
    if (*FCurChar == 0) {
      FToken = ptEOf;
      FTokenStartPos = FTokenEndPos = CurPos();
      return;
    }
    FTokenStartPos = CurPos();
    ScanToken();
    FTokenEndPos = CurPos() - 1;
  } while (FSkipComments && FToken == ptComment);
}

void TQelPasScanner::ScanToken() {
  const char16_t c = *FCurChar;
  auto single = [this](TQelPasToken t) { ++FCurChar; FToken = t; };
  auto pair = [this](char16_t second, TQelPasToken two, TQelPasToken one) {
    if (FCurChar[1] == second) { FCurChar += 2; FToken = two; } else { ++FCurChar; FToken = one; }
  };
  switch (c) {
    case u'\'': case u'#': ScanString(); return;
    case u'$': ScanNumber(true); return;
    case u'{': ScanBraceComment(); return;
    case u'(': if (FCurChar[1] == u'*') ScanParenComment(); else single(ptOpenRound); return;
    case u'/': if (FCurChar[1] == u'/') ScanLineComment(); else single(ptDivide); return;
    case u':': pair(u'=', ptAssignment, ptColon); return;
    case u'.': pair(u'.', ptDoublePeriod, ptPeriod); return;
    case u'>': pair(u'=', ptGreaterEqual, ptGreater); return;
    case u'<':
      if (FCurChar[1] == u'>') { FCurChar += 2; FToken = ptNotEqual; }
      else pair(u'=', ptLessEqual, ptLess);
      return;
    case u')': single(ptCloseRound); return;
    case u'*': single(ptMultiply); return;
    case u'+': single(ptPlus); return;
    case u',': single(ptComma); return;
    case u'-': single(ptMinus); return;
    case u';': single(ptSemiColon); return;
    case u'=': single(ptEqual); return;
    case u'@': single(ptReference); return;
    case u'[': single(ptOpenBlock); return;
    case u']': single(ptCloseBlock); return;
    default: break;
  }
  if (QelIsDigit(c)) return ScanNumber(true);
  if (QelIsAsciiLetter(c) || c == u'_') return ScanIdentifier();
  IllegalChar(c);
}

void TQelPasScanner::ScanIdentifier() {
  const char16_t* start = FCurChar;
  while (QelIsIdentChar(*FCurChar)) ++FCurChar;
  SetSData(start);
  FToken = FindKeyword(start, size_t(FCurChar - start));
}

void TQelPasScanner::ScanNumber(bool AFloatsAllowed) {
  if (*FCurChar == u'$') {
    ++FCurChar;
    ScanHexDigits();
    FToken = ptCInteger;
    return;
  }
  if (!QelIsDigit(*FCurChar)) Error(SIntError, CurPos() - 1);
  const char16_t* start = FCurChar;
  bool isFloat = false;
  while (QelIsDigit(*FCurChar) ||
         (AFloatsAllowed && *FCurChar == u'.' && FCurChar[1] != u'.')) {
    if (*FCurChar == u'.') isFloat = true;
    ++FCurChar;
  }
  if (AFloatsAllowed && (*FCurChar == u'E' || *FCurChar == u'e')) {
    isFloat = true;
    ++FCurChar;
    if (*FCurChar == u'+' || *FCurChar == u'-') ++FCurChar;
    while (QelIsDigit(*FCurChar)) ++FCurChar;
  }
  ConvertDecimal(start, isFloat);
  FToken = isFloat ? ptCFloat : ptCInteger;
}

void TQelPasScanner::ScanString() {
  FSData.clear();
  FSData.reserve(16);
  for (;;) {
    if (*FCurChar == u'\'') {
      ++FCurChar;
      for (;;) {
        const char16_t c = *FCurChar;
        if (c == 0 || c == 13 || c == 10) Error(u"Unterminated string", CurPos() - 1);
        ++FCurChar;
        if (c == u'\'') {
          if (*FCurChar != u'\'') break;
          ++FCurChar;
        }
        FSData += c;
      }
    } else if (*FCurChar == u'#') {
      ++FCurChar;
      ScanNumber(false);
      FSData += char16_t(uint32_t(FIData) & 0xFFFF);
    } else {
      break;
    }
  }
  FToken = ptCString;
}

void TQelPasScanner::ScanBraceComment() {
  const char16_t* start = FCurChar;
  while (*FCurChar != 0 && *FCurChar != u'}') ++FCurChar;
  if (*FCurChar == u'}') ++FCurChar;
  if (!FSkipComments) SetSData(start);
  FToken = ptComment;
}

void TQelPasScanner::ScanParenComment() {
  const char16_t* start = FCurChar;
  FCurChar += 2;
  while (*FCurChar != 0 && !(FCurChar[0] == u'*' && FCurChar[1] == u')')) ++FCurChar;
  if (*FCurChar != 0) FCurChar += 2;
  if (!FSkipComments) SetSData(start);
  FToken = ptComment;
}

void TQelPasScanner::ScanLineComment() {
  const char16_t* start = FCurChar;
  while (*FCurChar != 0 && *FCurChar != 13 && *FCurChar != 10) ++FCurChar;
  if (!FSkipComments) SetSData(start);
  FToken = ptComment;
}
