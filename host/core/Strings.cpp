// TStrings: the list-independent operations of string lists (text forms,
// names and values, update counting).
#include "host/core/Classes.h"

namespace {

constexpr char16_t kListIndexError[] = u"List index out of bounds (%d)";

bool IsBlank(char16_t C) { return C >= 1 && C <= u' '; }

}  // namespace

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}

void TStrings::Put(int AIndex, const String& S) {
  TObject* object = GetObject(AIndex);
  BeginUpdate();
  Delete(AIndex);
  InsertObject(AIndex, S, object);
  EndUpdate();
}

void TStrings::InsertObject(int AIndex, const String& S, TObject* AObject) {
  Insert(AIndex, S);
  PutObject(AIndex, AObject);
}

int TStrings::Add(const String& S) {
  const int index = GetCount();
  Insert(index, S);
  return index;
}

int TStrings::AddObject(const String& S, TObject* AObject) {
  const int index = Add(S);
  PutObject(index, AObject);
  return index;
}

void TStrings::AddStrings(const TStrings* AStrings) {
  BeginUpdate();
  for (int i = 0, n = AStrings->GetCount(); i < n; ++i) AddObject(AStrings->Get(i), AStrings->GetObject(i));
  EndUpdate();
}

void TStrings::Exchange(int AIndex1, int AIndex2) {
  BeginUpdate();
  const String s1 = Get(AIndex1);
  TObject* o1 = GetObject(AIndex1);
  Put(AIndex1, Get(AIndex2));
  PutObject(AIndex1, GetObject(AIndex2));
  Put(AIndex2, s1);
  PutObject(AIndex2, o1);
  EndUpdate();
}

void TStrings::Move(int ACurIndex, int ANewIndex) {
  if (ACurIndex == ANewIndex) return;
  BeginUpdate();
  const String s = Get(ACurIndex);
  TObject* object = GetObject(ACurIndex);
  Delete(ACurIndex);
  InsertObject(ANewIndex, s, object);
  EndUpdate();
}

int TStrings::IndexOf(std::u16string_view S) const {
  for (int i = 0, n = GetCount(); i < n; ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(std::u16string_view AName) const {
  for (int i = 0, n = GetCount(); i < n; ++i) {
    const String s = Get(i);
    const size_t sep = s.find(FNameValueSeparator);
    if (sep != String::npos && CompareStrings(std::u16string_view(s).substr(0, sep), AName) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
  for (int i = 0, n = GetCount(); i < n; ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

bool TStrings::Equals(const TStrings* AStrings) const {
  const int n = GetCount();
  if (n != AStrings->GetCount()) return false;
  for (int i = 0; i < n; ++i)
    if (Get(i) != AStrings->Get(i)) return false;
  return true;
}

void TStrings::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TStrings*>(ASource);
  if (!source) return TPersistent::Assign(ASource);
  if (source == this) return;
  BeginUpdate();
  Clear();
  FDelimiter = source->FDelimiter;
  FQuoteChar = source->FQuoteChar;
  FNameValueSeparator = source->FNameValueSeparator;
  FStrictDelimiter = source->FStrictDelimiter;
  AddStrings(source);
  EndUpdate();
}

void TStrings::BeginUpdate() {
  // The state change is told while the count is still 0, so the list's
  // OnChanging fires.
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

int TStrings::CompareStrings(std::u16string_view S1, std::u16string_view S2) const { return AnsiCompareText(S1, S2); }

void TStrings::Error(std::u16string_view AMessage, int AData) const {
  throw ExceptionPtr(new EStringListError(Exception::FormatMessage(AMessage, {IntToStr(AData)})));
}

void TStrings::IndexError(int AIndex) const { Error(kListIndexError, AIndex); }

// ---------------------------------------------------------------------------
// Text forms

String TStrings::GetText() const {
  String result;
  for (int i = 0, n = GetCount(); i < n; ++i) {
    result += Get(i);
    result += u"\r\n";
  }
  return result;
}

void TStrings::SetText(std::u16string_view AText) {
  BeginUpdate();
  Clear();
  for (size_t pos = 0; pos < AText.size();) {
    size_t end = AText.find_first_of(u"\r\n", pos);
    if (end == AText.npos) end = AText.size();
    Add(String(AText.substr(pos, end - pos)));
    pos = end;
    if (pos < AText.size() && AText[pos] == u'\r') ++pos;
    if (pos < AText.size() && AText[pos] == u'\n') ++pos;
  }
  EndUpdate();
}

String TStrings::QuotedItem(const String& S, char16_t ADelimiter, char16_t AQuote) const {
  bool quote = false;
  for (char16_t c : S)
    if (c == AQuote || c == ADelimiter || c == 0 || (!FStrictDelimiter && c <= u' ')) quote = true;
  if (!quote) return S;
  String result(1, AQuote);
  for (char16_t c : S) {
    result += c;
    if (c == AQuote) result += c;
  }
  result += AQuote;
  return result;
}

String TStrings::JoinItems(char16_t ADelimiter, char16_t AQuote) const {
  const int n = GetCount();
  if (n == 1 && Get(0).empty()) return String(2, AQuote);
  String result;
  for (int i = 0; i < n; ++i) {
    if (i) result += ADelimiter;
    result += QuotedItem(Get(i), ADelimiter, AQuote);
  }
  return result;
}

void TStrings::SplitItems(std::u16string_view AText, char16_t ADelimiter, char16_t AQuote) {
  const size_t n = AText.size();
  size_t p = 0;
  auto skipBlanks = [&] {
    if (!FStrictDelimiter)
      while (p < n && IsBlank(AText[p])) ++p;
  };
  BeginUpdate();
  Clear();
  skipBlanks();
  while (p < n) {
    String item;
    if (AText[p] == AQuote) {
      // A quoted item; a doubled quote stands for one.
      for (++p; p < n; ++p) {
        if (AText[p] == AQuote) {
          if (p + 1 < n && AText[p + 1] == AQuote) ++p;
          else break;
        }
        item += AText[p];
      }
      if (p < n) ++p;
    } else {
      const size_t start = p;
      while (p < n && AText[p] != ADelimiter && (FStrictDelimiter || AText[p] > u' ')) ++p;
      item.assign(AText.substr(start, p - start));
    }
    Add(item);
    skipBlanks();
    if (p < n && AText[p] == ADelimiter) {
      if (p + 1 == n) Add(String());
      ++p;
      skipBlanks();
    }
  }
  EndUpdate();
}

String TStrings::GetDelimitedText() const { return JoinItems(FDelimiter, FQuoteChar); }
void TStrings::SetDelimitedText(std::u16string_view AText) { SplitItems(AText, FDelimiter, FQuoteChar); }
String TStrings::GetCommaText() const { return JoinItems(u',', u'"'); }
void TStrings::SetCommaText(std::u16string_view AText) { SplitItems(AText, u',', u'"'); }

// ---------------------------------------------------------------------------
// Names and values

String TStrings::GetNames(int AIndex) const {
  const String s = Get(AIndex);
  const size_t sep = s.find(FNameValueSeparator);
  return sep == String::npos ? String() : s.substr(0, sep);
}

String TStrings::GetValueFromIndex(int AIndex) const {
  const String s = Get(AIndex);
  const size_t sep = s.find(FNameValueSeparator);
  return sep == String::npos ? String() : s.substr(sep + 1);
}

void TStrings::SetValueFromIndex(int AIndex, std::u16string_view AValue) {
  if (AValue.empty()) return Delete(AIndex);
  String line = GetNames(AIndex);
  line += FNameValueSeparator;
  line += AValue;
  Put(AIndex, line);
}

String TStrings::GetValues(std::u16string_view AName) const {
  const int index = IndexOfName(AName);
  return index < 0 ? String() : GetValueFromIndex(index);
}

void TStrings::SetValues(std::u16string_view AName, std::u16string_view AValue) {
  int index = IndexOfName(AName);
  if (AValue.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  String line(AName);
  line += FNameValueSeparator;
  line += AValue;
  if (index < 0) Add(line);
  else Put(index, line);
}

void TStrings::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<TStrings>(AInfo); }
