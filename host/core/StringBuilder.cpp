// TStringBuilder.
#include "host/core/SysUtils.h"

void TStringBuilder::CheckIndex(int AIndex, size_t ALimit) const {
  if (AIndex < 0 || static_cast<size_t>(AIndex) > ALimit) throw ExceptionPtr(new ERangeError());
}

TStringBuilder* TStringBuilder::Append(std::u16string_view AValue) {
  FText += AValue;
  return this;
}

TStringBuilder* TStringBuilder::AppendLine(std::u16string_view AValue) {
  FText += AValue;
  FText += u"\r\n";
  return this;
}

TStringBuilder* TStringBuilder::Insert(int AIndex, std::u16string_view AValue) {
  CheckIndex(AIndex, FText.size());
  FText.insert(static_cast<size_t>(AIndex), AValue);
  return this;
}

TStringBuilder* TStringBuilder::Remove(int AStartIndex, int ARemoveLength) {
  CheckIndex(AStartIndex, FText.size());
  if (ARemoveLength < 0 || static_cast<size_t>(ARemoveLength) > FText.size() - AStartIndex)
    throw ExceptionPtr(new ERangeError());
  FText.erase(static_cast<size_t>(AStartIndex), static_cast<size_t>(ARemoveLength));
  return this;
}

TStringBuilder* TStringBuilder::Replace(std::u16string_view AOldValue, std::u16string_view ANewValue) {
  if (AOldValue.empty()) return this;
  for (size_t at = FText.find(AOldValue); at != String::npos; at = FText.find(AOldValue, at + ANewValue.size()))
    FText.replace(at, AOldValue.size(), ANewValue);
  return this;
}

TStringBuilder* TStringBuilder::Clear() {
  FText.clear();
  return this;
}

void TStringBuilder::SetLength(int AValue) {
  // Far beyond any real text; refuses lengths that would exhaust memory.
  if (AValue < 0 || AValue > (1 << 28)) throw ExceptionPtr(new ERangeError());
  FText.resize(static_cast<size_t>(AValue), u'\0');
}

char16_t TStringBuilder::GetChars(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetLength()) throw ExceptionPtr(new ERangeError());
  return FText[static_cast<size_t>(AIndex)];
}

void TStringBuilder::SetChars(int AIndex, char16_t AValue) {
  GetChars(AIndex);
  FText[static_cast<size_t>(AIndex)] = AValue;
}
