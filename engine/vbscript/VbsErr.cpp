// The Err object, VBScript's numbers and messages for runtime errors, and the machine hook
// that fills Err when On Error Resume Next catches an error.
#include "engine/vbscript/VbsInternal.h"
#include "engine/vm/QelSctVM.h"
#include "engine/vm/QelVMValues.h"
#include "host/core/ExceptRelay.h"

namespace qel_vbs {

namespace {

struct TVbsErrorText {
  int32_t Number;
  const char16_t* Text;
};

// The runtime errors scripts meet, by number.
constexpr TVbsErrorText kErrorTexts[] = {
    {5, u"Invalid procedure call or argument"},
    {6, u"Overflow"},
    {7, u"Out of memory"},
    {9, u"Subscript out of range"},
    {10, u"This array is fixed or temporarily locked"},
    {11, u"Division by zero"},
    {13, u"Type mismatch"},
    {14, u"Out of string space"},
    {28, u"Out of stack space"},
    {35, u"Sub or Function not defined"},
    {48, u"Error in loading DLL"},
    {51, u"Internal error"},
    {53, u"File not found"},
    {70, u"Permission denied"},
    {91, u"Object variable not set"},
    {92, u"For loop not initialized"},
    {94, u"Invalid use of Null"},
    {424, u"Object required"},
    {429, u"ActiveX component can't create object"},
    {438, u"Object doesn't support this property or method"},
    {440, u"Automation error"},
    {450, u"Wrong number of arguments or invalid property assignment"},
    {451, u"Object not a collection"},
    {500, u"Variable is undefined"},
    {506, u"Class not defined"},
    {501, u"Illegal assignment"},
    {502, u"Object not safe for scripting"},
    {1024 + 8, u"Expected literal constant"},
    {5020, u"Expected ')' in regular expression"},
    {32811, u"Element not found"},
};

// Messages of the machine and the host library, and the VBScript error each one is. A "%s"
// message keeps its name: "Undeclared identifier: 'x'" is "Variable is undefined: 'x'".
struct TVbsMessageMap {
  const char16_t* Prefix;
  int32_t Number;
  bool KeepsName;
};
constexpr TVbsMessageMap kMessageMap[] = {
    {u"Undeclared identifier: ", 500, true},
    {u"Object doesn't support this property or method: ", 438, true},
    {u"Class not defined: ", 506, true},
    {u"Invalid type cast or type mismatch", 13, false},
    {u"Invalid variant type conversion", 13, false},
    {u"Could not convert variant", 13, false},
    {u"Type mismatch", 13, false},
    {u"Object required", 424, false},
    {u"Invalid argument count", 450, false},
    {u"Invalid number of parameters", 450, false},
    {u"Constant expression violates subrange bounds", 9, false},
    {u"Variant or safe array index out of bounds", 9, false},
    {u"Invalid index", 9, false},
    {u"Invalid DispId", 438, false},
    {u"Unknown name", 438, false},
    {u"Member not found", 438, false},
    {u"Invalid assignment", 501, false},
    {u"Division by zero", 11, false},
    {u"Floating point division by zero", 11, false},
    {u"Integer overflow", 6, false},
    {u"Floating point overflow", 6, false},
    {u"Out of present range", 6, false},
    {u"Overflow", 6, false},
    {u"Variant overflow", 6, false},
    {u"Out of memory", 7, false},
    {u"Stack overflow", 28, false},
    {u"Invalid argument", 5, false},
};

const char16_t* TextOfNumber(int32_t ANumber) {
  for (const TVbsErrorText& text : kErrorTexts)
    if (text.Number == ANumber) return text.Text;
  return nullptr;
}

// A host error's HRESULT: errors of VBScript's own facility give their number, others the
// HRESULT itself (as VBScript reports errors of objects).
constexpr HRESULT kVbsFacility = HRESULT(0x800A0000);
int32_t NumberOfCode(HRESULT ACode) {
  if ((ACode & HRESULT(0xFFFF0000)) == kVbsFacility) return ACode & 0xFFFF;
  return ACode;
}

}  // namespace

String QelVbsErrorText(int32_t ANumber) {
  const char16_t* text = TextOfNumber(ANumber);
  return text ? String(text) : String(u"Unknown runtime error");
}

TVbsError QelVbsErrorOf(Exception* E) {
  TVbsError error;
  error.Description = E->GetMessage();
  if (auto* ole = dynamic_cast<EOleSysError*>(E)) {
    error.Number = NumberOfCode(ole->GetErrorCode());
    return error;
  }
  // A text that is no number or date: VBScript's conversions fail with Type mismatch; the
  // message keeps the text that failed.
  if (dynamic_cast<EConvertError*>(E)) {
    error.Number = 13;
    return error;
  }
  const String message = error.Description;
  for (const TVbsMessageMap& map : kMessageMap) {
    const std::u16string_view prefix(map.Prefix);
    if (message.compare(0, prefix.size(), prefix) != 0) continue;
    error.Number = map.Number;
    error.Description = TextOfNumber(map.Number);
    if (map.KeepsName) error.Description += u": " + message.substr(prefix.size());
    return error;
  }
  error.Number = DISP_E_EXCEPTION;  // an object's error without a code of its own
  return error;
}

// The machine reports a member an object does not have, and the class of a New that names
// none, as an undeclared name placed at the end of the name: a name written after a dot there
// is a member, one after New a class.
void QelVbsRefineErrorIn(Exception* E, std::u16string_view ASource, int ALine, int ALinePos) {
  static constexpr std::u16string_view kPrefix = u"Undeclared identifier: '";
  const String& message = E->GetMessage();
  if (message.size() <= kPrefix.size() + 1 || message.compare(0, kPrefix.size(), kPrefix) != 0 ||
      message.back() != u'\'')
    return;
  const std::u16string_view name =
      std::u16string_view(message).substr(kPrefix.size(), message.size() - kPrefix.size() - 1);
  size_t lineStart = 0;
  for (int line = 0; line < ALine; ++line) {
    const size_t end = ASource.find_first_of(u"\r\n", lineStart);
    if (end == std::u16string_view::npos) return;
    lineStart = end + (ASource.compare(end, 2, u"\r\n") == 0 ? 2 : 1);
  }
  // The place is the name's last character (or just after it); an assignment's is its '='.
  int assigned = ALinePos - 1;
  if (size_t at = lineStart + size_t(assigned); at < ASource.size() && ASource[at] == u'=') {
    while (assigned > 0 && (ASource[lineStart + size_t(assigned) - 1] == u' ' ||
                            ASource[lineStart + size_t(assigned) - 1] == u'\t'))
      --assigned;
  }
  for (const int end : {ALinePos, ALinePos - 1, assigned}) {
    if (end < int(name.size())) continue;
    const size_t start = lineStart + size_t(end) - name.size();
    if (start + name.size() > ASource.size() ||
        CompareText(String(ASource.substr(start, name.size())), String(name)) != 0)
      continue;
    size_t before = start;
    while (before > lineStart && (ASource[before - 1] == u' ' || ASource[before - 1] == u'\t'))
      --before;
    if (before > lineStart && ASource[before - 1] == u'.') {
      E->SetMessage(u"Object doesn't support this property or method: '" + String(name) + u"'");
      return;
    }
    const auto isWordChar = [](char16_t c) {
      return c == u'_' || (c >= u'0' && c <= u'9') || ((c | 0x20) >= u'a' && (c | 0x20) <= u'z');
    };
    if (before >= lineStart + 3 && before < start &&
        CompareText(String(ASource.substr(before - 3, 3)), u"New") == 0 &&
        (before == lineStart + 3 || !isWordChar(ASource[before - 4]))) {
      E->SetMessage(u"Class not defined: '" + String(name) + u"'");
      return;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// The Err object

namespace {

enum TErrMember : DISPID { emNumber = 0, emDescription, emSource, emHelpFile, emHelpContext, emRaise, emClear };
constexpr const char16_t* kErrMembers[] = {u"Number", u"Description", u"Source", u"HelpFile", u"HelpContext",
                                           u"Raise", u"Clear"};

const VARIANT* ArgAt(DISPPARAMS* AParams, UINT AIndex) {  // natural order, missing -> null
  if (!AParams || AIndex >= AParams->cArgs) return nullptr;
  const VARIANT* arg = QelDeref(&AParams->rgvarg[AParams->cArgs - 1 - AIndex]);
  return arg->vt == VT_ERROR && arg->scode == DISP_E_PARAMNOTFOUND ? nullptr : arg;
}

String TextOf(const VARIANT* AValue) {
  VARIANT text;
  VariantInit(&text);
  if (FAILED(VariantChangeType(&text, AValue, 0, VT_BSTR))) return String();
  String result(OleBstrView(text.bstrVal));
  VariantClear(&text);
  return result;
}

}  // namespace

void TVbsErrObject::Clear() {
  FNumber = 0;
  FDescription.clear();
  FSource.clear();
  FHelpFile.clear();
  FHelpContext = 0;
}

void TVbsErrObject::Note(Exception* E) {
  const TVbsError error = QelVbsErrorOf(E);
  FNumber = error.Number;
  FDescription = error.Description;
  if (FSource.empty() || !FRaised) FSource = u"VBScript runtime error";
  FRaised = false;
}

HRESULT TVbsErrObject::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) {
  for (UINT i = 0; i < cNames; ++i) rgDispId[i] = DISPID_UNKNOWN;
  if (cNames == 0) return S_OK;
  for (DISPID id = 0; id < DISPID(std::size(kErrMembers)); ++id)
    if (CompareText(kErrMembers[id], rgszNames[0]) == 0) {
      rgDispId[0] = id;
      return cNames == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  return DISP_E_UNKNOWNNAME;
}

HRESULT TVbsErrObject::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                              VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT*) {
  const bool put = (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  const VARIANT* value = put ? ArgAt(pDispParams, 0) : nullptr;
  if (put && !value) return DISP_E_BADPARAMCOUNT;
  auto result = [&](const VARIANT& AValue) {
    if (pVarResult) {
      VariantClear(pVarResult);
      *pVarResult = AValue;
    }
    return S_OK;
  };
  auto textResult = [&](const String& AText) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(AText.data(), UINT(AText.size()));
    if (!pVarResult) VariantClear(&v);
    return result(v);
  };
  auto intResult = [&](int32_t AValue) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = AValue;
    return result(v);
  };
  try {
    switch (dispIdMember) {
      case emNumber:
        if (!put) return intResult(FNumber);
        FNumber = QelToInt32(value);
        return S_OK;
      case emDescription:
        if (!put) return textResult(FDescription);
        FDescription = TextOf(value);
        return S_OK;
      case emSource:
        if (!put) return textResult(FSource);
        FSource = TextOf(value);
        return S_OK;
      case emHelpFile:
        if (!put) return textResult(FHelpFile);
        FHelpFile = TextOf(value);
        return S_OK;
      case emHelpContext:
        if (!put) return intResult(FHelpContext);
        FHelpContext = QelToInt32(value);
        return S_OK;
      case emClear:
        Clear();
        return S_OK;
      case emRaise:
        return Raise(pDispParams, pExcepInfo);
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  } catch (...) {
    return DISP_E_TYPEMISMATCH;
  }
}

// Err.Raise Number[, Source[, Description[, HelpFile[, HelpContext]]]]: the error leaves as a
// host error with VBScript's code, relayed so that the machine raises that very object.
HRESULT TVbsErrObject::Raise(DISPPARAMS* AParams, EXCEPINFO* AExcepInfo) {
  const VARIANT* number = ArgAt(AParams, 0);
  if (!number) return DISP_E_PARAMNOTOPTIONAL;
  const int32_t code = QelToInt32(number);
  FNumber = code;
  const VARIANT* source = ArgAt(AParams, 1);
  const VARIANT* description = ArgAt(AParams, 2);
  FSource = source ? TextOf(source) : String(u"VBScript runtime error");
  FDescription = description ? TextOf(description) : QelVbsErrorText(code);
  if (const VARIANT* help = ArgAt(AParams, 3)) FHelpFile = TextOf(help);
  if (const VARIANT* context = ArgAt(AParams, 4)) FHelpContext = QelToInt32(context);
  FRaised = true;
  const HRESULT scode = (code & HRESULT(0xFFFF0000)) ? HRESULT(code) : (kVbsFacility | code);
  if (!AExcepInfo) return scode;
  *AExcepInfo = EXCEPINFO{};
  AExcepInfo->scode = scode;
  AExcepInfo->bstrSource = SysAllocStringLen(FSource.data(), UINT(FSource.size()));
  AExcepInfo->bstrDescription = SysAllocStringLen(FDescription.data(), UINT(FDescription.size()));
  QelRelayException(ExceptionPtr(new EOleSysError(FDescription, scode)), AExcepInfo->bstrDescription);
  return DISP_E_EXCEPTION;
}

}  // namespace qel_vbs

void QelVbsRefineError(Exception* E, std::u16string_view ASource, int ALine, int ALinePos) {
  if (E && ALine >= 0 && ALinePos > 0) qel_vbs::QelVbsRefineErrorIn(E, ASource, ALine, ALinePos);
}
