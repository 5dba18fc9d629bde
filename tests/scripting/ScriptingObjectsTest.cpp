// What scripts of the engine's own languages cannot reach: the objects as other engines see
// them, through CoCreateInstance and IDispatch::Invoke with DISPID_NEWENUM, DISPID_VALUE and
// EXCEPINFO.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/scripting/QelScripting.h"
#include "tests/support/QelTestVariant.h"

namespace {

ComPtr<IDispatch> Create(const char16_t* AProgId) {
  QelRegisterScriptingObjects();
  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(AProgId, &clsid), S_OK);
  ComPtr<IDispatch> object;
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.putVoid()), S_OK);
  return object;
}

DISPID IdOf(IDispatch* AObject, const char16_t* AName) {
  LPOLESTR name = const_cast<LPOLESTR>(AName);
  DISPID id = DISPID_UNKNOWN;
  EXPECT_EQ(AObject->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK) << StringToUtf8(AName);
  return id;
}

struct TCallResult {
  HRESULT Hr;
  TQelTestVariant Value;
  EXCEPINFO Error{};
  ~TCallResult() {
    SysFreeString(Error.bstrSource);
    SysFreeString(Error.bstrDescription);
  }
};

// Invokes AId with the arguments in natural order (reversed here, as IDispatch wants them).
// A procedure is called without a result place, as its callers do.
void Call(TCallResult& AResult, IDispatch* AObject, DISPID AId, WORD AFlags, std::vector<VARIANT> AArgs,
          bool AWantsResult = true) {
  std::vector<VARIANT> reversed(AArgs.rbegin(), AArgs.rend());
  DISPID putId = DISPID_PROPERTYPUT;
  const bool put = AFlags & DISPATCH_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), put ? &putId : nullptr, static_cast<UINT>(reversed.size()), put ? 1u : 0u};
  UINT argErr = 0;
  AResult.Hr = AObject->Invoke(AId, IID_NULL, 0, AFlags, &params, put || !AWantsResult ? nullptr : &AResult.Value.V, &AResult.Error,
                               &argErr);
  for (VARIANT& arg : AArgs) VariantClear(&arg);
}

std::vector<std::u16string> Enumerate(IDispatch* AObject) {
  TCallResult result;
  Call(result, AObject, DISPID_NEWENUM, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {});
  EXPECT_EQ(result.Hr, S_OK);
  EXPECT_EQ(result.Value.Vt(), VT_UNKNOWN);
  ComPtr<IEnumVARIANT> items;
  EXPECT_EQ(result.Value.V.punkVal->QueryInterface(IID_IEnumVARIANT, items.putVoid()), S_OK);
  std::vector<std::u16string> texts;
  TQelTestVariant item;
  while (items->Next(1, &item.V, nullptr) == S_OK) {
    VARIANT text{};
    EXPECT_EQ(VariantChangeType(&text, &item.V, 0, VT_BSTR), S_OK);
    texts.emplace_back(OleBstrView(text.bstrVal));
    VariantClear(&text);
    VariantClear(&item.V);
  }
  return texts;
}

TEST(ScriptingObjects, DictionaryDefaultPropertyAndEnumerationInInsertionOrder) {
  ComPtr<IDispatch> dict = Create(u"scripting.dictionary");
  for (const char16_t* key : {u"z", u"a", u"m"}) {
    TCallResult put;
    Call(put, dict.get(), DISPID_VALUE, DISPATCH_PROPERTYPUT, {QelStringVar(key), QelIntVar(key[0])});
    ASSERT_EQ(put.Hr, S_OK);
  }
  TCallResult get;
  Call(get, dict.get(), DISPID_VALUE, DISPATCH_PROPERTYGET, {QelStringVar(u"a")});
  ASSERT_EQ(get.Hr, S_OK);
  EXPECT_EQ(get.Value.V.lVal, 'a');
  EXPECT_EQ(Enumerate(dict.get()), (std::vector<std::u16string>{u"z", u"a", u"m"}));
  // The enumerator is a snapshot: removing a key later does not disturb it, a clone goes on
  // from the same place.
  TCallResult newEnum;
  Call(newEnum, dict.get(), DISPID_NEWENUM, DISPATCH_METHOD, {});
  ComPtr<IEnumVARIANT> items;
  ASSERT_EQ(newEnum.Value.V.punkVal->QueryInterface(IID_IEnumVARIANT, items.putVoid()), S_OK);
  TCallResult removed;
  Call(removed, dict.get(), IdOf(dict.get(), u"Remove"), DISPATCH_METHOD, {QelStringVar(u"m")}, false);
  ASSERT_EQ(removed.Hr, S_OK);
  EXPECT_EQ(items->Skip(1), S_OK);
  ComPtr<IEnumVARIANT> clone;
  ASSERT_EQ(items->Clone(clone.put()), S_OK);
  VARIANT rest[3]{};
  ULONG fetched = 0;
  EXPECT_EQ(clone->Next(3, rest, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 2u);
  EXPECT_EQ(OleBstrView(rest[1].bstrVal), u"m");
  for (VARIANT& v : rest) VariantClear(&v);
  EXPECT_EQ(items->Skip(5), S_FALSE);
  EXPECT_EQ(items->Reset(), S_OK);
}

struct TErrorCase {
  const char16_t* ProgId;
  const char16_t* Member;
  std::vector<std::u16string> Setup;  // property name, value pairs put first
  std::u16string Argument;
  HRESULT Code;
  const char16_t* Description;
};

void PrintTo(const TErrorCase& ACase, std::ostream* AOut) { *AOut << StringToUtf8(ACase.Member); }

class ScriptingErrors : public ::testing::TestWithParam<TErrorCase> {};

// Errors reach any IDispatch caller with their number, text and source in EXCEPINFO.
TEST_P(ScriptingErrors, ReachTheCallerAsExcepInfo) {
  const TErrorCase& c = GetParam();
  ComPtr<IDispatch> object = Create(c.ProgId);
  for (size_t i = 0; i + 1 < c.Setup.size(); i += 2) {
    TCallResult put;
    Call(put, object.get(), IdOf(object.get(), c.Setup[i].c_str()), DISPATCH_PROPERTYPUT, {QelStringVar(c.Setup[i + 1])});
    ASSERT_EQ(put.Hr, S_OK);
  }
  TCallResult result;
  Call(result, object.get(), IdOf(object.get(), c.Member), DISPATCH_METHOD, {QelStringVar(c.Argument)},
       std::u16string_view(c.Member) != u"Remove");
  ASSERT_EQ(result.Hr, DISP_E_EXCEPTION);
  EXPECT_EQ(result.Error.scode, c.Code);
  EXPECT_EQ(OleBstrView(result.Error.bstrSource), std::u16string_view(c.ProgId));
  EXPECT_EQ(OleBstrView(result.Error.bstrDescription), std::u16string_view(c.Description));
}

INSTANTIATE_TEST_SUITE_P(
    Objects, ScriptingErrors,
    ::testing::Values(
        TErrorCase{QelDictionaryProgId, u"Remove", {}, u"missing", HRESULT(0x800A802B), u"Element not found"},
        TErrorCase{QelRegExpProgId, u"Test", {u"Pattern", u"a)"}, u"a", HRESULT(0x800A1399),
                   u"Syntax error in regular expression"},
        TErrorCase{QelFileSystemProgId, u"GetFile", {}, u"/nonexistent/qel/file", HRESULT(0x800A0035),
                   u"File not found"},
        TErrorCase{QelFileSystemProgId, u"OpenTextFile", {}, std::u16string(u"bad\0name", 8), HRESULT(0x800A0005),
                   u"Invalid procedure call or argument"}));

// A match collection enumerates its matches; each match's default value is its text.
TEST(ScriptingObjects, MatchesEnumerateMatchObjects) {
  ComPtr<IDispatch> regexp = Create(QelRegExpProgId);
  TCallResult put, global, matches;
  Call(put, regexp.get(), IdOf(regexp.get(), u"Pattern"), DISPATCH_PROPERTYPUT, {QelStringVar(u"\\d+")});
  Call(global, regexp.get(), IdOf(regexp.get(), u"Global"), DISPATCH_PROPERTYPUT, {QelBoolVar(true)});
  Call(matches, regexp.get(), IdOf(regexp.get(), u"Execute"), DISPATCH_METHOD, {QelStringVar(u"a1 b22 c333")});
  ASSERT_EQ(matches.Hr, S_OK);
  ASSERT_EQ(matches.Value.Vt(), VT_DISPATCH);
  EXPECT_EQ(Enumerate(matches.Value.V.pdispVal), (std::vector<std::u16string>{u"1", u"22", u"333"}));
}

}  // namespace
