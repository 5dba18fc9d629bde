// The VB scanner: one current token over a private copy of the source.
#include <array>
#include <vector>

#include "engine/vb/QelSctVbScanner.h"

namespace qel_vb {

const TQelVbTokenDescription TQelVbTokenDescriptions[QelVbTokenCount] = {
    {u"identifier", false}, {u"string constant", false}, {u"number", false},
    {u"real constant", false}, {u"date constant", false}, {u"Imp", true}, {u"Eqv", true},
    {u"Xor", true}, {u"Or", true}, {u"And", true}, {u"Not", true}, {u"TypeOf", true},
    {u"Is", true}, {u">", false}, {u">=", false}, {u"<", false}, {u"<=", false}, {u"=", false},
    {u"=", false}, {u"<>", false}, {u"&", false}, {u"+", false}, {u"-", false}, {u"*", false},
    {u"/", false}, {u"\\", false}, {u"Mod", true}, {u"^", false}, {u"(", false}, {u")", false},
    {u",", false}, {u":", false}, {u".", false}, {u"True", true}, {u"False", true},
    {u"Nothing", true}, {u"Empty", true}, {u"Null", true}, {u"Dim", true}, {u"Set", true},
    {u"Redim", true}, {u"Preserve", true}, {u"For", true}, {u"To", true}, {u"Step", true},
    {u"Next", true}, {u"If", true}, {u"Then", true}, {u"Else", true}, {u"ElseIf", true},
    {u"End", true}, {u"Do", true}, {u"Loop", true}, {u"While", true}, {u"Until", true},
    {u"Function", true}, {u"Sub", true}, {u"ByRef", true}, {u"ByVal", true}, {u"Erase", true},
    {u"Call", true}, {u"Select", true}, {u"Case", true}, {u"Exit", true}, {u"Try", true},
    {u"Catch", true}, {u"As", true}, {u"Finally", true}, {u"Throw", true}, {u"Return", true},
    {u"New", true}, {u"comment", false}, {u"hidden end of line", false},
    {u"end of line", false}, {u"end of file", false}};

namespace {

constexpr size_t MaxKeywordLength = 8;

// Keywords grouped by length, each group in token order, so the first match is the one the
// token table defines.
struct TKeywordIndex {
  std::array<std::vector<TQelVbToken>, MaxKeywordLength + 1> ByLength;
  TKeywordIndex() {
    for (int t = 0; t < QelVbTokenCount; ++t) {
      const TQelVbTokenDescription& d = TQelVbTokenDescriptions[t];
      if (d.IsKeyword) ByLength[std::char_traits<char16_t>::length(d.S)].push_back(TQelVbToken(t));
    }
  }
};
const TKeywordIndex KeywordIndex;

TQelVbToken FindKeyword(const char16_t* AText, size_t ALength) {
  if (ALength < 2 || ALength > MaxKeywordLength) return ptIdentifier;
  for (TQelVbToken t : KeywordIndex.ByLength[ALength])
    if (QelSameAsciiText(TQelVbTokenDescriptions[t].S, std::u16string_view(AText, ALength)))
      return t;
  return ptIdentifier;
}

}  // namespace

void TVBScanner::Start(std::u16string_view ASource) {
  StartText(ASource);
  FLastEOlSkipped = false;
  NextToken();
}

void TVBScanner::Rollback(size_t ASavepoint) {
  SetCursor(ASavepoint);
  NextToken();
}

std::u16string TVBScanner::TokenToStr(TQelVbToken AToken) {
  return u"'" + std::u16string(TQelVbTokenDescriptions[AToken].S) + u"'";
}

void TVBScanner::NextToken() {
  do {
    while (QelVbIsBlank(*FCurChar)) ++FCurChar;
    if (*FCurChar == 0) {
      // Every text ends with one end of line, then the end of file for ever after.
      FToken = FLastEOlSkipped ? ptEOf : ptEOl;
      FLastEOlSkipped = true;
      FTokenStartPos = FTokenEndPos = CurPos();
      return;
    }
    FTokenStartPos = CurPos();
    ScanToken();
    FTokenEndPos = CurPos() - 1;
  } while (FToken == ptHiddenEOl || (FSkipComments && FToken == ptComment));
}

void TVBScanner::ScanToken() {
  const char16_t c = *FCurChar;
  auto single = [this](TQelVbToken t) { ++FCurChar; FToken = t; };
  switch (c) {
    case 13:
      ++FCurChar;
      if (*FCurChar == 10) ++FCurChar;
      FToken = ptEOl;
      return;
    case u'"': ScanString(); return;
    case u'#': ScanDate(); return;
    case u'&':
      ++FCurChar;
      if (QelIsHexDigit(*FCurChar)) {
        ScanHexDigits();
        FToken = ptCInteger;
      } else {
        FToken = ptStrConcat;
      }
      return;
    case u'\'': ScanComment(); return;
    case u'[': ScanBracketIdentifier(); return;
    case u'_': ScanContinuation(); return;
    case u'<':
      ++FCurChar;
      if (*FCurChar == u'=') { ++FCurChar; FToken = ptLessEqual; }
      else if (*FCurChar == u'>') { ++FCurChar; FToken = ptNotEqual; }
      else FToken = ptLess;
      return;
    case u'>':
      ++FCurChar;
      if (*FCurChar == u'=') { ++FCurChar; FToken = ptGreaterEqual; }
      else FToken = ptGreater;
      return;
    case u'=': single(ptEqual); return;
    case u'+': single(ptPlus); return;
    case u'-': single(ptMinus); return;
    case u'*': single(ptMultiply); return;
    case u'/': single(ptDivide); return;
    case u'\\': single(ptIntDivide); return;
    case u'^': single(ptExp); return;
    case u'(': single(ptOpenRound); return;
    case u')': single(ptCloseRound); return;
    case u',': single(ptComma); return;
    case u':': single(ptColon); return;
    case u'.': single(ptDot); return;
    default: break;
  }
  if (QelIsDigit(c)) return ScanNumber();
  if (QelIsAsciiLetter(c)) return ScanIdentifier();
  IllegalChar(c);
}

void TVBScanner::ScanIdentifier() {
  const char16_t* start = FCurChar;
  while (QelIsIdentChar(*FCurChar)) ++FCurChar;
  SetSData(start);
  FToken = FindKeyword(start, size_t(FCurChar - start));
}

void TVBScanner::ScanBracketIdentifier() {
  ++FCurChar;
  const char16_t* start = FCurChar;
  for (;; ++FCurChar) {
    const char16_t c = *FCurChar;
    if (c == u']') break;
    if (c == 0 || c == 13 || c == 10) Error(u"Unterminated identifier", CurPos() - 1);
  }
  if (FCurChar == start) Error(u"Identifiers with empty name not supported", CurPos() - 1);
  SetSData(start);
  ++FCurChar;
  FToken = ptIdentifier;
}

void TVBScanner::ScanNumber() {
  const char16_t* start = FCurChar;
  bool isFloat = false;
  while (QelIsDigit(*FCurChar)) {
    ++FCurChar;
    if (*FCurChar == u'.') {  // a period right after a digit belongs to the number
      isFloat = true;
      ++FCurChar;
    }
  }
  if (*FCurChar == u'E' || *FCurChar == u'e') {
    isFloat = true;
    ++FCurChar;
    if (*FCurChar == u'+' || *FCurChar == u'-') ++FCurChar;
    while (QelIsDigit(*FCurChar)) ++FCurChar;
  }
  ConvertDecimal(start, isFloat);
  FToken = isFloat ? ptCFloat : ptCInteger;
}

void TVBScanner::ScanString() {
  ++FCurChar;
  FSData.clear();
  FSData.reserve(16);
  for (;;) {
    const char16_t c = *FCurChar;
    if (c == 0 || c == 13 || c == 10) Error(u"Unterminated string", CurPos() - 1);
    ++FCurChar;
    if (c == u'"') {
      if (*FCurChar != u'"') break;
      ++FCurChar;
    }
    FSData += c;
  }
  FToken = ptCString;
}

void TVBScanner::ScanComment() {
  ++FCurChar;
  const char16_t* start = FCurChar;
  while (*FCurChar != 0 && *FCurChar != 13 && *FCurChar != 10) ++FCurChar;
  if (!FSkipComments) SetSData(start);
  FToken = ptComment;
}

// "_", blanks, then a line end (CR, LF or CR LF) or the end of the text: the next line continues
// this one.
void TVBScanner::ScanContinuation() {
  ++FCurChar;
  while (QelVbIsBlank(*FCurChar)) ++FCurChar;
  const char16_t c = *FCurChar;
  if (c == 13 || c == 10) {
    ++FCurChar;
    if (*FCurChar == 10) ++FCurChar;
  } else if (c != 0) {
    IllegalChar(c);
  }
  FToken = ptHiddenEOl;
}

}  // namespace qel_vb
