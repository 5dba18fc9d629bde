// The System unit's routines: the classic runtime routines (strings, math, directories, random
// numbers) and the engine's set, type-test and event routines.
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>

#include "engine/wrappers/QelSctSysWrappers.h"
#include "host/core/Math.h"

namespace {

std::atomic<TQelExceptObjectQuery> GExceptObjectQuery{nullptr};

[[noreturn]] void RaiseIOError(int AErrorCode) {
  throw ExceptionPtr(new EInOutError(SysErrorMessage(AErrorCode), AErrorCode));
}

void RunDirOperation(bool (*AOperation)(const std::filesystem::path&, std::error_code&), std::u16string_view ADir) {
  std::error_code error;
  if (!AOperation(std::filesystem::path(StringToUtf8(ADir)), error)) RaiseIOError(error ? error.value() : ENOENT);
}

// The host's rounding: half to even; NaN, infinities and 64-bit overflow raise EInvalidOp.
int64_t RoundEven(double AValue) { return Round(AValue); }

String CurrentDir() { return Utf8ToString(std::filesystem::current_path().string()); }

// The real in the host's Str form: scientific with 15 significant digits when no decimals are
// given ("2.50000000000000E+0000"), fixed otherwise; right-aligned in AWidth.
String FormatStr(double AValue, int AWidth, int ADecimals) {
  char buffer[512];
  if (ADecimals < 0) {
    const int written = std::snprintf(buffer, sizeof buffer, "%.14E", AValue);
    std::string text(buffer, static_cast<size_t>(std::max(written, 0)));
    // Four exponent digits, as the class library writes them.
    const size_t e = text.find('E');
    if (e != std::string::npos && e + 2 < text.size()) {
      std::string digits = text.substr(e + 2);
      while (digits.size() < 4) digits.insert(digits.begin(), '0');
      text = text.substr(0, e + 2) + digits;
    }
    if (AValue >= 0 || std::isnan(AValue)) text.insert(text.begin(), ' ');
    std::snprintf(buffer, sizeof buffer, "%*s", std::clamp(AWidth, 0, 255), text.c_str());
  } else {
    std::snprintf(buffer, sizeof buffer, "%*.*f", std::clamp(AWidth, 0, 255), std::clamp(ADecimals, 0, 64), AValue);
  }
  return Utf8ToString(buffer);
}

String CopyOf(std::u16string_view S, int32_t AIndex, int32_t ACount) {
  const int64_t length = static_cast<int64_t>(S.size());
  const int64_t start = std::max<int64_t>(AIndex, 1) - 1;
  if (start >= length || ACount <= 0) return String();
  return String(S.substr(static_cast<size_t>(start), static_cast<size_t>(std::min<int64_t>(ACount, length - start))));
}

void DeleteOf(String& S, int32_t AIndex, int32_t ACount) {
  const int64_t length = static_cast<int64_t>(S.size());
  if (AIndex < 1 || AIndex > length || ACount <= 0) return;
  S.erase(static_cast<size_t>(AIndex - 1), static_cast<size_t>(std::min<int64_t>(ACount, length - AIndex + 1)));
}

void InsertOf(std::u16string_view ASource, String& S, int32_t AIndex) {
  const int64_t position = std::clamp<int64_t>(int64_t(AIndex) - 1, 0, static_cast<int64_t>(S.size()));
  S.insert(static_cast<size_t>(position), ASource);
}

String AnsiToUtf8Of(std::u16string_view S) {
  const std::string bytes = StringToUtf8(S);
  String result;
  result.reserve(bytes.size());
  for (unsigned char byte : bytes) result.push_back(static_cast<char16_t>(byte));
  return result;
}

void AssertOf(bool ACondition, std::u16string_view AMessage) {
  if (!ACondition) throw ExceptionPtr(new EAssertionFailed(String(AMessage)));
}

uint32_t BitOf(int32_t AElement) { return 1u << (static_cast<uint32_t>(AElement) & 31); }

VARIANT ConcatProc(void*, TQelDispArgs AArgs, int AArgsSize, bool) {
  String result;
  for (int i = 0; i < AArgsSize; ++i) result += QelVarToString(AArgs[i]);
  return QelStringVar(result);
}

VARIANT SetMakeProc(void*, TQelDispArgs AArgs, int AArgsSize, bool) {
  uint32_t bits = 0;
  for (int i = 0; i < AArgsSize; ++i) bits |= BitOf(QelVarToInt(AArgs[i]));
  return QelIntVar(static_cast<int32_t>(bits));
}

double SysAbs(double X) { return std::fabs(X); }
double SysArcTan(double X) { return std::atan(X); }
double SysCos(double X) { return std::cos(X); }
double SysSin(double X) { return std::sin(X); }
double SysExp(double X) { return std::exp(X); }
double SysLn(double X) { return std::log(X); }
double SysSqr(double X) { return X * X; }
double SysSqrt(double X) { return std::sqrt(X); }
double SysFrac(double X) { return Frac(X); }
double SysInt(double X) { return Int(X); }
double SysPi() { return 3.1415926535897932385; }
int64_t SysTrunc(double X) { return Trunc(X); }
bool SysOdd(int32_t X) { return (X & 1) != 0; }
String SysChr(int32_t ACode) { return String(1, static_cast<char16_t>(ACode & 0xFF)); }
int32_t SysLength(std::u16string_view S) { return static_cast<int32_t>(S.size()); }
int32_t SysPos(std::u16string_view ASubStr, std::u16string_view S) {
  const size_t found = S.find(ASubStr);
  return found == std::u16string_view::npos ? 0 : static_cast<int32_t>(found + 1);
}
void SysSetLength(String& S, int32_t ALength) { S.resize(static_cast<size_t>(std::max(ALength, 0))); }
void SysAssert1(bool ACondition) { AssertOf(ACondition, u"Assertion failure"); }
CY SysCompToCurrency(double X) {
  CY result;
  result.int64 = RoundEven(X) * 10000;
  return result;
}
double SysCompToDouble(double X) { return static_cast<double>(RoundEven(X)); }
void SysCurrencyToComp(CY AValue, double& AResult) {
  AResult = static_cast<double>(RoundEven(static_cast<double>(AValue.int64) / 10000.0));
}
void SysDoubleToComp(double AValue, double& AResult) { AResult = static_cast<double>(RoundEven(AValue)); }
TObject* SysExceptObject() {
  TQelExceptObjectQuery query = GExceptObjectQuery.load();
  return query ? query() : nullptr;
}
void SysGetDir(int32_t, String& S) { S = CurrentDir(); }

bool ChangeDir(const std::filesystem::path& APath, std::error_code& AError) {
  std::filesystem::current_path(APath, AError);
  return !AError;
}
bool MakeDir(const std::filesystem::path& APath, std::error_code& AError) {
  return std::filesystem::create_directory(APath, AError);
}
bool RemoveDir(const std::filesystem::path& APath, std::error_code& AError) {
  return std::filesystem::is_directory(APath, AError) && std::filesystem::remove(APath, AError);
}
void SysChDir(std::u16string_view ADir) { RunDirOperation(&ChangeDir, ADir); }
void SysMkDir(std::u16string_view ADir) { RunDirOperation(&MakeDir, ADir); }
void SysRmDir(std::u16string_view ADir) { RunDirOperation(&RemoveDir, ADir); }

double SysRandomReal() { return Random(); }
int32_t SysRandomInt(int32_t ARange) { return Random(ARange); }
int32_t SysGetRandSeed() { return RandSeed.load(); }
void SysSetRandSeed(int32_t ASeed) { RandSeed.store(ASeed); }

void SysStr2(double X, String& S) { S = FormatStr(X, 0, -1); }
void SysStr3(double X, int32_t AWidth, String& S) { S = FormatStr(X, AWidth, -1); }
void SysStr4(double X, int32_t AWidth, int32_t ADecimals, String& S) { S = FormatStr(X, AWidth, ADecimals); }

void SysInclude(int32_t& S, int32_t E) { S = static_cast<int32_t>(static_cast<uint32_t>(S) | BitOf(E)); }
void SysExclude(int32_t& S, int32_t E) { S = static_cast<int32_t>(static_cast<uint32_t>(S) & ~BitOf(E)); }
bool SysSetIn(int32_t E, int32_t S) { return (static_cast<uint32_t>(S) & BitOf(E)) != 0; }
int32_t SysSetEmpty() { return 0; }

VARIANT ObjectIsProc(void*, TQelDispArgs AArgs, int, bool) { return QelBoolVar(ObjectIs(AArgs[0], AArgs[1])); }
VARIANT RecIsProc(void*, TQelDispArgs AArgs, int, bool) { return QelBoolVar(RecIs(AArgs[0], AArgs[1])); }
VARIANT RecNewProc(void*, TQelDispArgs AArgs, int, bool) { return RecNew(AArgs[0]); }
VARIANT RecCopyProc(void*, TQelDispArgs AArgs, int, bool) { return RecCopy(AArgs[0]); }
VARIANT EventMakeProc(void* AObj, TQelDispArgs AArgs, int, bool) {
  auto* unit = static_cast<TQelUnitWrapper*>(AObj);
  return TQelEventWrapper::ToVar(unit->GetScriptControl(), QelVarToString(AArgs[0]));
}

void RegisterRuntimeRoutines(TQelUnitMembers& M, TQelUnitWrapperData& AData) {
  M.Routine<&SysAbs>(u"Abs");
  M.Routine<&AnsiToUtf8Of>(u"AnsiToUtf8");
  M.Routine<&SysArcTan>(u"ArcTan");
  M.Overloads<u"Assert", &SysAssert1, &AssertOf>();
  M.Routine<&SysChDir>(u"ChDir");
  M.Routine<&SysChr>(u"Chr");
  M.Routine<&SysCompToCurrency>(u"CompToCurrency");
  M.Routine<&SysCompToDouble>(u"CompToDouble");
  AData.AddFunction(u"Concat", &ConcatProc, QelWrapperClass<String_sw>(), 1, true);
  M.Routine<&CopyOf>(u"Copy");
  M.Routine<&SysCos>(u"Cos");
  M.Routine<&SysCurrencyToComp>(u"CurrencyToComp");
  M.Routine<&DeleteOf>(u"Delete");
  M.Routine<&SysDoubleToComp>(u"DoubleToComp");
  M.Routine<&SysExceptObject>(u"ExceptObject");
  M.Routine<&SysExp>(u"Exp");
  M.Routine<&SysFrac>(u"Frac");
  M.Routine<&SysGetDir>(u"GetDir");
  M.Routine<&InsertOf>(u"Insert");
  M.Routine<&SysInt>(u"Int");
  M.Routine<&SysLength>(u"Length");
  M.Routine<&SysLn>(u"Ln");
  M.Constant<int32_t{2147483647}>(u"MaxInt");
  M.Constant<int32_t{2147483647}>(u"MaxLongint");
  M.Routine<&SysMkDir>(u"MkDir");
  M.Routine<&SysOdd>(u"Odd");
  M.Routine<&SysPi>(u"Pi");
  M.Routine<&SysPos>(u"Pos");
  M.Overloads<u"Random", &SysRandomReal, &SysRandomInt>();
  M.Routine<&Randomize>(u"Randomize");
  M.Variable<&SysGetRandSeed, &SysSetRandSeed>(u"RandSeed");
  M.Routine<&SysRmDir>(u"RmDir");
  M.Routine<&RoundEven>(u"Round");
  M.Routine<&SysSetLength>(u"SetLength");
  M.Routine<&SysSin>(u"Sin");
  M.Routine<&SysSqr>(u"Sqr");
  M.Routine<&SysSqrt>(u"Sqrt");
  M.Overloads<u"Str", &SysStr2, &SysStr3, &SysStr4>();
  M.Routine<&SysTrunc>(u"Trunc");
}

// Set arguments and results are the VT_I4 bit masks sets travel as.
void RegisterEngineRoutines(TQelUnitMembers& M, TQelUnitWrapperData& AData) {
  const TQelWrapperClassRef variantType = QelWrapperClass<Variant_sw>();
  M.Routine<&SysInclude>(u"Include");
  M.Routine<&SysExclude>(u"Exclude");
  M.Routine<&SysSetIn>(u"SetIn");
  AData.AddFunction(u"SetMake", &SetMakeProc, QelWrapperClass<Integer_sw>(), 0, true);
  M.Routine<&SysSetEmpty>(u"SetEmpty");
  AData.AddFunction(u"ObjectIs", &ObjectIsProc, QelWrapperClass<Boolean_sw>(), 2, false);
  AData.AddFunction(u"RecIs", &RecIsProc, QelWrapperClass<Boolean_sw>(), 2, false);
  AData.AddFunction(u"RecNew", &RecNewProc, variantType, 1, false);
  AData.AddFunction(u"RecCopy", &RecCopyProc, variantType, 1, false);
  AData.AddFunction(u"EventMake", &EventMakeProc, variantType, 1, false);
}

}  // namespace

void QelSetExceptObjectQuery(TQelExceptObjectQuery AQuery) { GExceptObjectQuery.store(AQuery); }

void System_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  M.Type<TObject_sw>();
  M.Type<TInterfacedObject_sw>();
  M.Type<TAggregatedObject_sw>();
  M.Type<TContainedObject_sw>();
  RegisterRuntimeRoutines(M, AData);
  M.Type<Boolean_sw>();
  M.Type<WordBool_sw>();
  M.Type<Integer_sw>();
  M.Type<Cardinal_sw>();
  M.Type<Int64_sw>();
  M.Type<UInt64_sw>();
  M.Type<NativeInt_sw>();
  M.Type<NativeUInt_sw>();
  M.Type<FixedInt_sw>();
  M.Type<FixedUInt_sw>();
  M.Type<Single_sw>();
  M.Type<Double_sw>();
  M.Type<Extended_sw>();
  M.Type<Currency_sw>();
  M.Type<Byte_sw>();
  M.Type<Smallint_sw>();
  M.Type<Shortint_sw>();
  M.Type<Word_sw>();
  M.Type<Longword_sw>();
  M.Type<Longint_sw>();
  M.Type<Char_sw>();
  M.Type<AnsiChar_sw>();
  M.Type<WideChar_sw>();
  M.Type<String_sw>();
  M.Type<ShortString_sw>();
  M.Type<AnsiString_sw>();
  M.Type<WideString_sw>();
  M.Type<Variant_sw>();
  M.Type<OleVariant_sw>();
  M.Type<TGUID_sw>();
  M.Type<TVarRecord_sw>();
  M.Type<TVarData_sw>();
  M.Type<TTextLineBreakStyle_sw>();
  M.Type<RawByteString_sw>();
  M.Type<UnicodeString_sw>();
  M.Type<TCustomAttribute_sw>();
  M.Type<TPtrWrapper_sw>();
  M.Type<TMethod_sw>();
  RegisterEngineRoutines(M, AData);
}
