// VBScript's own library, beside the VB dialect's intrinsics: the script's own evaluation
// (Eval, Execute, ExecuteGlobal), the engine's name and version, Escape/Unescape, the number
// formats, and the class RegExp, which New creates through the COM class registry.
#include <algorithm>
#include <cmath>

#include "engine/compiler/QelSctIntrinsicKit.h"
#include "engine/vb/VbIntrinsics.h"
#include "engine/vbscript/VbsInternal.h"
#include "engine/vm/QelSctVM.h"
#include "engine/wrappers/QelSctWrappers.h"

namespace qel_vbs {

using namespace qel_intrinsics;

namespace {

constexpr HRESULT kVbsFacility = HRESULT(0x800A0000);

[[noreturn]] void RaiseVbsError(int32_t ANumber, const String& ADetail = String()) {
  String message = QelVbsErrorText(ANumber);
  if (!ADetail.empty()) message += u": '" + ADetail + u"'";
  RaiseException(new EOleSysError(message, kVbsFacility | ANumber));
}

TQelVirtMachine& MachineOf(TQelVMBase* AVM) { return *static_cast<TQelVirtMachine*>(AVM); }

// The text an Eval or Execute of this thread runs, innermost, while it runs: an error placed
// in it is read against it.
thread_local const String* tEvalText = nullptr;

struct TEvalTextScope {
  const String* Saved;
  explicit TEvalTextScope(const String& AText) : Saved(tEvalText) { tEvalText = &AText; }
  ~TEvalTextScope() { tEvalText = Saved; }
};

// Eval(Expression): the text evaluated among the script's globals.
void VbsEval(TQelVMBase* AVM, const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const String text = ArgText(AArgs, 0);
  TEvalTextScope scope(text);
  VARIANT value = MachineOf(AVM).Eval(text);
  QelClear(&AResult);
  AResult = value;
}

// Execute / ExecuteGlobal(Statements): the statements run among the script's globals.
void VbsExecute(TQelVMBase* AVM, const TQelCall&, VARIANT* AArgs, VARIANT&) {
  const String text = ArgText(AArgs, 0);
  TEvalTextScope scope(text);
  MachineOf(AVM).ExecStmt(text);
}

void VbsScriptEngine(const TQelCall&, VARIANT*, VARIANT& AResult) { SetText(AResult, u"VBScript"); }
void VbsMajorVersion(const TQelCall&, VARIANT*, VARIANT& AResult) { SetInt(AResult, 5); }
void VbsMinorVersion(const TQelCall&, VARIANT*, VARIANT& AResult) { SetInt(AResult, 8); }
void VbsBuildVersion(const TQelCall&, VARIANT*, VARIANT& AResult) { SetInt(AResult, 1); }

// The name New RegExp creates (the registry's class; built outside this engine).
void VbsRegExp(const TQelCall&, VARIANT*, VARIANT& AResult) { SetText(AResult, u"VBScript.RegExp"); }

bool KeptByEscape(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
         std::u16string_view(u"@*_+-./").find(c) != std::u16string_view::npos;
}

void VbsEscape(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  String text;
  for (char16_t c : ArgText(AArgs, 0)) {
    if (KeptByEscape(c)) {
      text += c;
    } else if (c < 256) {
      text += {u'%', kHex[c >> 4], kHex[c & 15]};
    } else {
      text += {u'%', u'u', kHex[c >> 12], kHex[(c >> 8) & 15], kHex[(c >> 4) & 15], kHex[c & 15]};
    }
  }
  SetText(AResult, text);
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// The value of ACount hexadecimal digits at AAt, or -1 when they are not all there.
int HexValue(std::u16string_view AText, size_t AAt, size_t ACount) {
  if (AAt + ACount > AText.size()) return -1;
  int value = 0;
  for (size_t i = 0; i < ACount; ++i) {
    const int digit = HexDigit(AText[AAt + i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

// Unescape: %XX and %uXXXX become their characters; a "%" not followed by them stays.
void VbsUnescape(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const String source = ArgText(AArgs, 0);
  String text;
  for (size_t i = 0; i < source.size(); ++i) {
    if (source[i] == u'%') {
      const int wide = i + 1 < source.size() && source[i + 1] == u'u' ? HexValue(source, i + 2, 4) : -1;
      if (wide >= 0) {
        text += char16_t(wide);
        i += 5;
        continue;
      }
      const int narrow = HexValue(source, i + 1, 2);
      if (narrow >= 0) {
        text += char16_t(narrow);
        i += 2;
        continue;
      }
    }
    text += source[i];
  }
  SetText(AResult, text);
}

// FormatNumber(Value[, Digits[, LeadingDigit[, Parens[, Group]]]]), the tristate arguments
// -2 (default), -1 (true), 0 (false). Digits -1 is the regional default (two here).
struct TNumberFormat {
  int Digits = 2;
  bool LeadingDigit = true;
  bool Parens = false;
  bool Group = true;
};

bool Tristate(const TQelCall& ACall, VARIANT* AArgs, int AIndex, bool ADefault) {
  if (AIndex >= ACall.FArgCount) return ADefault;
  const int32_t value = ArgInt(AArgs, AIndex);
  return value == -2 ? ADefault : value != 0;
}

TNumberFormat ReadFormat(const TQelCall& ACall, VARIANT* AArgs) {
  RequireArgCount(ACall, 1, 5);
  TNumberFormat format;
  if (ACall.FArgCount > 1) {
    const int32_t digits = ArgInt(AArgs, 1);
    if (digits < -1 || digits > 255) RaiseVbsError(5);
    if (digits >= 0) format.Digits = digits;
  }
  format.LeadingDigit = Tristate(ACall, AArgs, 2, true);
  format.Parens = Tristate(ACall, AArgs, 3, false);
  format.Group = Tristate(ACall, AArgs, 4, true);
  return format;
}

String FormatWith(double AValue, const TNumberFormat& AFormat) {
  String pattern = AFormat.Group ? u"#,##" : u"#";
  pattern += AFormat.LeadingDigit ? u"0" : u"#";
  if (AFormat.Digits > 0) pattern += u"." + String(size_t(AFormat.Digits), u'0');
  const double rounded = std::abs(AValue);
  String text = FormatFloat(pattern, rounded);
  if (text.empty()) text = u"0";
  const bool negative = AValue < 0 && text.find_first_not_of(u"0.,") != String::npos;
  if (!negative) return text;
  return AFormat.Parens ? u"(" + text + u")" : u"-" + text;
}

void VbsFormatNumber(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  const TNumberFormat format = ReadFormat(ACall, AArgs);
  SetText(AResult, FormatWith(ArgNumber(AArgs, 0), format));
}

void VbsFormatPercent(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  const TNumberFormat format = ReadFormat(ACall, AArgs);
  SetText(AResult, FormatWith(ArgNumber(AArgs, 0) * 100, format) + u"%");
}

// ---- Filter and Split as VBScript has them ----
bool TextCompare(const TQelCall& ACall, VARIANT* AArgs, int AIndex) {
  return ACall.FArgCount > AIndex && ArgInt(AArgs, AIndex) == 1;
}

// Filter(array, match[, include[, compare]]): the elements that contain match (or do not).
void VbsFilter(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 2, 4);
  LONG low = 0, high = -1;
  VectorBounds(AArgs, 0, low, high);
  const bool include = ACall.FArgCount >= 3 ? QelToBool(Arg(AArgs, 2)) : true;
  const bool ignoreCase = TextCompare(ACall, AArgs, 3);
  const String match = qel_vb::CaseKey(ArgText(AArgs, 1), ignoreCase);
  std::vector<String> kept;
  for (LONG i = low; i <= high; ++i) {
    String text = qel_vb::ElementText(Arg(AArgs, 0)->parray, i);
    const bool contains = qel_vb::CaseKey(text, ignoreCase).find(match) != String::npos;
    if (contains == include) kept.push_back(std::move(text));
  }
  qel_vb::SetTextVector(AResult, kept);
}

// Split(text[, delimiter[, limit[, compare]]]): with a limit, the last piece holds the rest.
void VbsSplit(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 1, 4);
  const String text = ArgText(AArgs, 0);
  const String delimiter = ACall.FArgCount >= 2 ? ArgText(AArgs, 1) : String(u" ");
  const int64_t limit = ACall.FArgCount >= 3 ? ArgInt(AArgs, 2) : -1;
  if (limit < -1) RaiseVbsError(5);
  const bool ignoreCase = TextCompare(ACall, AArgs, 3);
  std::vector<String> pieces;
  if (text.empty() || limit == 0) return qel_vb::SetTextVector(AResult, pieces);
  const String key = qel_vb::CaseKey(text, ignoreCase);
  const String delimiterKey = qel_vb::CaseKey(delimiter, ignoreCase);
  size_t from = 0;
  while (!delimiter.empty() && (limit < 0 || int64_t(pieces.size()) < limit - 1)) {
    const size_t at = key.find(delimiterKey, from);
    if (at == String::npos) break;
    pieces.push_back(text.substr(from, at - from));
    from = at + delimiter.size();
  }
  pieces.push_back(text.substr(from));
  qel_vb::SetTextVector(AResult, pieces);
}

// ---- DateDiff and DatePart ----
// Dates as the calendar counts them: whole seconds since the epoch day, and its parts.
struct TDateParts {
  int64_t Seconds;  // since day 0, midnight
  int64_t Day;      // whole days since day 0
  int Year, Month, DayOfMonth;
};

TDateParts PartsOf(double ADate) {
  TDateParts parts;
  // A negative date counts its time forwards from its (earlier) midnight.
  const double day = std::trunc(ADate);
  const double time = std::abs(ADate - day);
  parts.Day = int64_t(day);
  parts.Seconds = parts.Day * 86400 + int64_t(std::llround(time * 86400));
  DecodeDate(day, parts.Year, parts.Month, parts.DayOfMonth);
  return parts;
}

int64_t FloorDiv(int64_t A, int64_t B) { return A / B - ((A % B != 0) && ((A < 0) != (B < 0))); }

int FirstDayOfWeek(const TQelCall& ACall, VARIANT* AArgs, int AIndex) {
  if (AIndex >= ACall.FArgCount) return 1;
  const int32_t first = ArgInt(AArgs, AIndex);
  if (first < 0 || first > 7) RaiseVbsError(5);
  return first == 0 ? 1 : first;  // vbUseSystemDayOfWeek: Sunday here
}

// The week a day belongs to, weeks starting on AFirst (1 Sunday ... 7 Saturday); day 1 is a
// Sunday.
int64_t WeekOf(int64_t ADay, int AFirst) { return FloorDiv(ADay - AFirst, 7); }

// The count of AInterval boundaries between two dates, as DateDiff counts them.
int64_t IntervalOrdinal(const String& AInterval, const TDateParts& ADate, int AFirst) {
  if (AInterval == u"yyyy") return ADate.Year;
  if (AInterval == u"q") return int64_t(ADate.Year) * 4 + (ADate.Month - 1) / 3;
  if (AInterval == u"m") return int64_t(ADate.Year) * 12 + ADate.Month - 1;
  if (AInterval == u"y" || AInterval == u"d") return ADate.Day;
  if (AInterval == u"ww") return WeekOf(ADate.Day, AFirst);
  if (AInterval == u"h") return FloorDiv(ADate.Seconds, 3600);
  if (AInterval == u"n") return FloorDiv(ADate.Seconds, 60);
  if (AInterval == u"s") return ADate.Seconds;
  RaiseVbsError(5);
}

// DateDiff(interval, date1, date2[, firstdayofweek]): "w" counts whole weeks between the
// dates, every other interval the boundaries crossed.
void VbsDateDiff(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 3, 5);
  const String interval = LowerCase(ArgText(AArgs, 0));
  const TDateParts first = PartsOf(ArgDateLike(AArgs, 1));
  const TDateParts second = PartsOf(ArgDateLike(AArgs, 2));
  const int firstDay = FirstDayOfWeek(ACall, AArgs, 3);
  int64_t difference;
  if (interval == u"w")
    difference = (second.Day - first.Day) / 7;
  else
    difference = IntervalOrdinal(interval, second, firstDay) - IntervalOrdinal(interval, first, firstDay);
  SetInt64(AResult, difference);
}

// DatePart(interval, date[, firstdayofweek]).
void VbsDatePart(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 2, 4);
  const String interval = LowerCase(ArgText(AArgs, 0));
  const double date = ArgDateLike(AArgs, 1);
  const TDateParts parts = PartsOf(date);
  const int firstDay = FirstDayOfWeek(ACall, AArgs, 2);
  const int64_t secondOfDay = parts.Seconds - parts.Day * 86400;
  const int64_t yearStart = int64_t(EncodeDate(parts.Year, 1, 1));
  int64_t value;
  if (interval == u"yyyy") value = parts.Year;
  else if (interval == u"q") value = (parts.Month - 1) / 3 + 1;
  else if (interval == u"m") value = parts.Month;
  else if (interval == u"y") value = parts.Day - yearStart + 1;
  else if (interval == u"d") value = parts.DayOfMonth;
  else if (interval == u"w") value = (parts.Day - firstDay) - FloorDiv(parts.Day - firstDay, 7) * 7 + 1;
  else if (interval == u"ww") value = WeekOf(parts.Day, firstDay) - WeekOf(yearStart, firstDay) + 1;
  else if (interval == u"h") value = secondOfDay / 3600;
  else if (interval == u"n") value = secondOfDay / 60 % 60;
  else if (interval == u"s") value = secondOfDay % 60;
  else RaiseVbsError(5);
  SetInt64(AResult, value);
}

// FormatDateTime(Date[, NamedFormat]) with the regional formats: vbGeneralDate (0) shows the
// date and the time the value has (midnight of day 0 is a time), vbLongDate (1), vbShortDate
// (2), vbLongTime (3), and vbShortTime (4), which is always 24-hour "hh:mm".
void VbsFormatDateTime(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 1, 2);
  const double value = ArgDateLike(AArgs, 0);
  const int32_t named = ACall.FArgCount > 1 ? ArgInt(AArgs, 1) : 0;
  const TFormatSettings& settings = FormatSettings();
  const auto format = [&](std::u16string_view APattern) {
    return FormatDateTime(APattern, value, settings);
  };
  const bool hasDate = std::trunc(value) != 0;
  const bool hasTime = value != std::trunc(value);
  String text;
  switch (named) {
    case 0:
      if (hasDate) text = format(settings.ShortDateFormat);
      if (hasTime || !hasDate) text += (hasDate ? u" " : u"") + format(settings.LongTimeFormat);
      break;
    case 1: text = format(settings.LongDateFormat); break;
    case 2: text = format(settings.ShortDateFormat); break;
    case 3: text = format(settings.LongTimeFormat); break;
    case 4: text = format(u"hh:nn"); break;
    default: RaiseVbsError(5);
  }
  SetText(AResult, text);
}

// VBScript's text of a value: a Boolean is "True" or "False" ('&' passes its operands here).
bool BooleanText(const VARIANT* AValue, VARIANT& AResult) {
  if (AValue->vt != VT_BOOL) return false;
  SetText(AResult, AValue->boolVal ? u"True" : u"False");
  return true;
}

void VbsText(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (BooleanText(Arg(AArgs, 0), AResult)) return;
  QelClear(&AResult);
  if (AArgs[0].vt & VT_BYREF) {
    QelCheckVar(VariantCopyInd(&AResult, &AArgs[0]));
  } else {  // a value of the expression's own (a call's result): taken, not copied
    AResult = AArgs[0];
    AArgs[0].vt = VT_EMPTY;
  }
}

// VBScript's text of an operand of '&' (Empty and Null give nothing).
String ConcatText(const VARIANT* AValue) {
  if (AValue->vt == VT_EMPTY || AValue->vt == VT_NULL) return String();
  if (AValue->vt == VT_BOOL) return AValue->boolVal ? u"True" : u"False";
  if (AValue->vt == VT_BSTR) return String(OleBstrView(AValue->bstrVal));
  TQelVar text;
  QelCheckVar(VariantChangeType(&text.V, AValue, 0, VT_BSTR));
  return String(OleBstrView(text.V.bstrVal));
}

// Variable = Variable & Value, with the variable by reference: its string grows in place.
void VbsAppend(const TQelCall&, VARIANT* AArgs, VARIANT&) {
  if (!(AArgs[0].vt & VT_BYREF)) RaiseVbsError(501);
  VARIANT* target = QelDeref(&AArgs[0]);
  const VARIANT* value = Arg(AArgs, 1);
  if (target->vt == VT_BSTR && value->vt == VT_BSTR) {
    if (!OleBstrAppend(&target->bstrVal, value->bstrVal, SysStringLen(value->bstrVal)))
      throw ExceptionPtr(new EOutOfMemory());
    return;
  }
  const String text = ConcatText(target) + ConcatText(value);
  BSTR joined = SysAllocStringLen(text.data(), UINT(text.size()));
  if (!joined) throw ExceptionPtr(new EOutOfMemory());
  QelClear(target);
  target->vt = VT_BSTR;
  target->bstrVal = joined;
}

void VbsCStr(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  if (!BooleanText(Arg(AArgs, 0), AResult)) qel_vb::VbCStr(ACall, AArgs, AResult);
}

// The names VBScript users know the scripting objects by, where they differ from the class's.
constexpr std::pair<std::u16string_view, std::u16string_view> kInterfaceNames[] = {
    {u"RegExp", u"IRegExp2"},
    {u"Match", u"IMatch2"},
    {u"MatchCollection", u"IMatchCollection2"},
    {u"SubMatches", u"ISubMatches"},
};

// The class name of an object: a host object's wrapper class, else the type information's.
String HostClassName(IDispatch* AObject) {
  if (!AObject) return String();
  IQelDispWrapper* wrapper = nullptr;
  if (SUCCEEDED(AObject->QueryInterface(IID_IQelDispWrapper, reinterpret_cast<void**>(&wrapper))) &&
      wrapper) {
    const TQelWrapperClassRef type = wrapper->GetWrapper()->GetWrapperClass();
    wrapper->Release();
    if (!type || !type->IsTypeWrapper()) return String();
    for (const auto& [name, known] : kInterfaceNames)
      if (type->Name == name) return String(known);
    return String(type->Name);
  }
  ITypeInfo* info = nullptr;
  String name;
  if (SUCCEEDED(AObject->GetTypeInfo(0, 0, &info)) && info) {
    BSTR text = nullptr;
    if (SUCCEEDED(info->GetDocumentation(MEMBERID_NIL, &text, nullptr, nullptr, nullptr)) && text)
      name = String(OleBstrView(text));
    SysFreeString(text);
    info->Release();
  }
  return name;
}

// An instance of a script class is named by its class, a host object by its host class.
void VbsTypeName(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  const VARIANT* value = Arg(AArgs, 0);
  String name = QelVbsClassNameOf(*value);
  if (name.empty() && value->vt == VT_DISPATCH) name = HostClassName(value->pdispVal);
  if (name.empty()) return qel_vb::VbTypeName(ACall, AArgs, AResult);
  SetText(AResult, name);
}

// FormatCurrency(Value[, Digits[, LeadingDigit[, Parens[, Group]]]]): the regional currency
// symbol where the regional format puts it; Digits -1 is the regional count of decimals, and
// a negative amount takes parentheses when the regional negative format has them.
void VbsFormatCurrency(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  const TFormatSettings& settings = FormatSettings();
  TNumberFormat format = ReadFormat(ACall, AArgs);
  if (ACall.FArgCount < 2 || ArgInt(AArgs, 1) == -1) format.Digits = settings.CurrencyDecimals;
  static constexpr uint8_t kParenFormats[] = {0, 4, 14, 15};
  const bool regionalParens = std::find(std::begin(kParenFormats), std::end(kParenFormats),
                                        settings.NegCurrFormat) != std::end(kParenFormats);
  format.Parens = Tristate(ACall, AArgs, 3, regionalParens);
  const double value = ArgNumber(AArgs, 0);
  String amount = FormatWith(std::abs(value), format);
  const String& symbol = settings.CurrencyString;
  switch (settings.CurrencyFormat) {
    case 1: amount += symbol; break;
    case 2: amount = symbol + u" " + amount; break;
    case 3: amount += u" " + symbol; break;
    default: amount = symbol + amount; break;
  }
  const bool negative = value < 0 && FormatWith(value, format).find_first_of(u"-(") != String::npos;
  if (negative) amount = format.Parens ? u"(" + amount + u")" : u"-" + amount;
  SetText(AResult, amount);
}

// VBScript's own named constants: FormatDateTime's named formats and the tristates.
constexpr std::pair<const char16_t*, int32_t> kConstants[] = {
    {u"vbGeneralDate", 0}, {u"vbLongDate", 1},  {u"vbShortDate", 2},
    {u"vbLongTime", 3},    {u"vbShortTime", 4}, {u"vbUseDefault", -2},
    {u"vbTrue", -1},       {u"vbFalse", 0},     {u"vbObjectError", int32_t(0x80040000)},
};

// The text constants, each a row of its own that gives its text.
constexpr std::u16string_view kTextConstants[] = {
    u"\r\n", u"\r", u"\n", u"\r\n", u"\t", u"", std::u16string_view(u"\0", 1), u"\f", u"\v"};

template <int AIndex>
void VbsTextConstant(const TQelCall&, VARIANT*, VARIANT& AResult) {
  SetText(AResult, String(kTextConstants[AIndex]));
}

class TVbsConstant : public TIntrinsic {
 public:
  TVbsConstant(const std::u16string& AStrName, int32_t AValue)
      : TIntrinsic(QelNameTable().GetNameIndex(AStrName, true), AStrName) {
    VARIANT value;
    value.vt = VT_I4;
    value.lVal = AValue;
    SetFixedValue(value);
  }
  void Execute(TQelVMBase*, TQelCall* ACall, VARIANT*, VARIANT& AResult) override {
    if (ACall->FBracketType != bkNon) EQelVMRuntime::RaiseError(retTypeMismatch);
    SetInt(AResult, FixedValue()->lVal);
  }
};

constexpr TIntrinsicRow kLibraryRows[] = {
    {u" Text", bokFunction, 1, VbsText},
    {u" Append", bokProcedure, 2, VbsAppend},
    {u"CStr", bokFunction, 1, VbsCStr},
    {u"TypeName", bokFunction, 1, VbsTypeName},
    {u"FormatCurrency", bokFunction, kVariable, VbsFormatCurrency},
    {u"Eval", bokFunction, 1, nullptr, VbsEval},
    {u"Execute", bokProcedure, 1, nullptr, VbsExecute},
    {u"ExecuteGlobal", bokProcedure, 1, nullptr, VbsExecute},
    {u"ScriptEngine", bokFunction, 0, VbsScriptEngine},
    {u"ScriptEngineMajorVersion", bokFunction, 0, VbsMajorVersion},
    {u"ScriptEngineMinorVersion", bokFunction, 0, VbsMinorVersion},
    {u"ScriptEngineBuildVersion", bokFunction, 0, VbsBuildVersion},
    {u"RegExp", bokFunction, 0, VbsRegExp},
    {u"Escape", bokFunction, 1, VbsEscape},
    {u"Unescape", bokFunction, 1, VbsUnescape},
    {u"FormatNumber", bokFunction, kVariable, VbsFormatNumber},
    {u"FormatPercent", bokFunction, kVariable, VbsFormatPercent},
    {u"DateDiff", bokFunction, kVariable, VbsDateDiff},
    {u"Filter", bokFunction, kVariable, VbsFilter},
    {u"Split", bokFunction, kVariable, VbsSplit},
    {u"DatePart", bokFunction, kVariable, VbsDatePart},
    {u"FormatDateTime", bokFunction, kVariable, VbsFormatDateTime},
    {u"vbCrLf", bokFunction, 0, VbsTextConstant<0>},
    {u"vbCr", bokFunction, 0, VbsTextConstant<1>},
    {u"vbLf", bokFunction, 0, VbsTextConstant<2>},
    {u"vbNewLine", bokFunction, 0, VbsTextConstant<3>},
    {u"vbTab", bokFunction, 0, VbsTextConstant<4>},
    {u"vbNullString", bokFunction, 0, VbsTextConstant<5>},
    {u"vbNullChar", bokFunction, 0, VbsTextConstant<6>},
    {u"vbFormFeed", bokFunction, 0, VbsTextConstant<7>},
    {u"vbVerticalTab", bokFunction, 0, VbsTextConstant<8>},
};

}  // namespace

void EnumVbsLibrary(const std::function<void(TQelGlobalObject*)>& AProc) {
  for (const auto& [name, value] : kConstants) AProc(new TVbsConstant(name, value));
  EnumIntrinsicRows(kLibraryRows, AProc);
}

// New Name: a name that gives a class name of the registry (RegExp) creates that object.
void QelVbsCreateNamed(const VARIANT& AType, VARIANT& AResult) {
  const VARIANT* type = QelDeref(&AType);
  if (type->vt != VT_BSTR) RaiseVbsError(429);
  const std::u16string_view progId = OleBstrView(type->bstrVal);
  CLSID clsid{};
  IDispatch* object = nullptr;
  HRESULT hr = CLSIDFromProgID(String(progId).c_str(), &clsid);
  if (SUCCEEDED(hr))
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                          reinterpret_cast<void**>(&object));
  if (FAILED(hr) || !object) RaiseVbsError(429, String(progId));
  QelClear(&AResult);
  AResult.vt = VT_DISPATCH;
  AResult.pdispVal = object;
}

}  // namespace qel_vbs

const std::u16string* QelVbsEvalText() { return qel_vbs::tEvalText; }
