// TQelVMSource: the compiled text with an index of every 32nd character's line and column.
#include "engine/vm/QelVMInternal.h"

namespace {
constexpr int IndexStep = 32;

bool IsBreakChar(char16_t C) { return C == u'\r' || C == u'\n'; }
}  // namespace

void TQelVMSource::Clear() {
  FText.clear();
  FIndex.clear();
}

void TQelVMSource::SetText(const std::u16string& AText) {
  FText = AText;
  FIndex.clear();
  int line = 0, column = 1;
  const int length = int(FText.size());
  for (int i = 0; i < length; ++i) {
    if (i % IndexStep == 0) FIndex.push_back({line, column, FText.data() + i});
    char16_t c = FText[size_t(i)];
    if (!IsBreakChar(c)) {
      ++column;
      continue;
    }
    // An LF right after the break character belongs to the same break (CR LF, LF LF).
    if (i + 1 < length && FText[size_t(i) + 1] == u'\n') {
      ++i;
      if (i % IndexStep == 0) FIndex.push_back({line, column + 1, FText.data() + i});
    }
    ++line;
    column = 1;
  }
}

void TQelVMSource::PosToLine(int ASrcPos1, int& ALine, int& ALinePos) const {
  // Positions are 1-based (the compilers' convention); work with the 0-based offset.
  const int ASrcPos = ASrcPos1 - 1;
  if (ASrcPos < 0 || ASrcPos >= int(FText.size())) {
    ALine = -1;
    ALinePos = -1;
    return;
  }
  const TQelVMSourceItem& item = FIndex[size_t(ASrcPos / IndexStep)];
  int line = item.Line, column = item.Pos;
  for (int i = int(item.Cur - FText.data()); i < ASrcPos; ++i) {
    char16_t c = FText[size_t(i)];
    if (!IsBreakChar(c)) {
      ++column;
      continue;
    }
    if (i + 1 < int(FText.size()) && FText[size_t(i) + 1] == u'\n') {
      ++i;
      if (i >= ASrcPos) break;  // the position is the break's second half: same line
    }
    ++line;
    column = 1;
  }
  ALine = line;
  ALinePos = column;
}

int TQelVMSource::PosToLine(int ASrcPos) const {
  int line, column;
  PosToLine(ASrcPos, line, column);
  return line;
}

void TQelVMSource::LineToPos(int ALine, int& ASrcPos, int& ALength) const {
  ASrcPos = -1;
  ALength = 0;
  if (ALine < 0) return;
  int line = 0, start = 0;
  const int length = int(FText.size());
  for (int i = 0; i <= length; ++i) {
    bool atEnd = i == length;
    if (!atEnd && !IsBreakChar(FText[size_t(i)])) continue;
    if (line == ALine) {
      ASrcPos = start + 1;
      ALength = i - start;
      return;
    }
    if (atEnd) return;
    if (i + 1 < length && FText[size_t(i) + 1] == u'\n') ++i;
    ++line;
    start = i + 1;
  }
}
