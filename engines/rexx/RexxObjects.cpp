#include "engines/rexx/RexxObjects.h"

#include <charconv>
#include <cstdlib>

namespace {

constexpr std::string_view CHandlePrefix = "QelObject#";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// REXX's plain form of a number: an optional minus, digits without a leading zero (0 alone
// excepted), and for a decimal a point with digits after it. "007" and "1E3" stay strings.
enum TNumberForm { nfNone, nfInteger, nfDecimal };
TNumberForm NumberForm(std::string_view AText) {
  size_t at = !AText.empty() && AText[0] == '-' ? 1 : 0;
  const size_t start = at;
  while (at < AText.size() && IsDigit(AText[at])) ++at;
  const size_t digits = at - start;
  if (digits == 0 || digits > 18 || (digits > 1 && AText[start] == '0')) return nfNone;
  if (at == AText.size()) return nfInteger;
  if (AText[at] != '.' || at + 1 == AText.size()) return nfNone;
  for (++at; at < AText.size(); ++at)
    if (!IsDigit(AText[at])) return nfNone;
  return nfDecimal;
}

void AppendNumber(auto AValue, std::string& AText) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, AValue);
  AText.append(buffer, end);
}

// How a call reaches a member the script calls: as what the object says it is.
TQelBCall CallOf(const TQelBMember& AMember) {
  switch (AMember.Kind) {
    case bmMethod:
      return bcMethod;
    case bmUnknown:
      return static_cast<TQelBCall>(bcMethod | bcGet);
    default:
      return bcGet;
  }
}

}  // namespace

TRexxHost::~TRexxHost() {
  for (auto& [id, entry] : FById) QelBRelease(entry.Object);
}

void TRexxHost::AppendText(const TQelBValue& AValue, std::string& AText) {
  switch (AValue.Kind()) {
    case bvEmpty:
    case bvNull:
      return;
    case bvBoolean:
      AText += AValue.AsBoolean() ? '1' : '0';
      return;
    case bvInteger:
      AppendNumber(AValue.AsInteger(), AText);
      return;
    case bvDouble:
    case bvDate:
      AppendNumber(AValue.AsDouble(), AText);
      return;
    case bvObject: {
      TQelBObject* object = AValue.Object();
      if (!object) return;
      auto [at, added] = FIds.try_emplace(object, FNextId);
      if (added) {
        QelBAddRef(object);
        FById.emplace(FNextId++, TEntry{object, false});
      }
      AText += CHandlePrefix;
      AppendNumber(at->second, AText);
      return;
    }
    default:
      AValue.AppendUtf8(AText);
  }
}

TQelBObject* TRexxHost::ObjectOf(std::string_view AText) const {
  if (!AText.starts_with(CHandlePrefix)) return nullptr;
  uint64_t id = 0;
  const char* end = AText.data() + AText.size();
  const auto [last, ec] = std::from_chars(AText.data() + CHandlePrefix.size(), end, id);
  if (ec != std::errc() || last != end) return nullptr;
  const auto found = FById.find(id);
  return found == FById.end() ? nullptr : found->second.Object;
}

void TRexxHost::ToValue(std::string_view AText, TQelBValue& AValue) const {
  if (TQelBObject* object = ObjectOf(AText)) return AValue.SetObject(object);
  switch (NumberForm(AText)) {
    case nfInteger: {
      int64_t number = 0;
      std::from_chars(AText.data(), AText.data() + AText.size(), number);
      return AValue.SetInteger(number);
    }
    case nfDecimal:
      return AValue.SetDouble(std::strtod(std::string(AText).c_str(), nullptr));
    case nfNone:
      return AValue.SetUtf8(AText);
  }
}

bool TRexxHost::Find(TQelBObject* AObject, std::string_view AName, TQelBMember& AMember) {
  const void* key = QelBClassKey(AObject);
  if (!key) return QelBFindMember(AObject, AName, AMember);
  TMembers& members = FClasses[key];
  if (const auto found = members.find(AName); found != members.end()) {
    AMember = found->second;
    return AMember.Id != -1;
  }
  const bool found = QelBFindMember(AObject, AName, AMember);
  if (!found) AMember = TQelBMember{};
  members.emplace(std::string(AName), AMember);
  return found;
}

bool TRexxHost::Resolve(TQelBObject*& AObject, std::string_view& AName, TQelBError& AError) {
  for (size_t dot = AName.find('.'); dot != std::string_view::npos; dot = AName.find('.')) {
    TQelBMember member;
    if (!Find(AObject, AName.substr(0, dot), member)) {
      AError.Message = "The object has no member '" + std::string(AName.substr(0, dot)) + "'";
      return false;
    }
    TQelBValue value;
    if (!QelBInvoke(AObject, member.Id, CallOf(member), nullptr, 0, &value, AError))
      return false;
    // The chain's objects stay alive through their handles until the next sweep.
    std::string ignored;
    AppendText(value, ignored);
    AObject = value.Object();
    if (!AObject) {
      AError.Message = "'" + std::string(AName.substr(0, dot)) + "' is not an object";
      return false;
    }
    AName.remove_prefix(dot + 1);
  }
  return true;
}

TRexxHost::TOutcome TRexxHost::Invoke(TQelBObject* AObject, int32_t AId, TQelBCall ACall,
                                      const std::string_view* AArgs, unsigned ACount, std::string& AResult,
                                      TQelBError& AError) {
  TQelBArgs args;
  TQelBValue* values = args.Resize(ACount);
  for (unsigned i = 0; i < ACount; ++i) ToValue(AArgs[i], values[i]);
  if (ACall & bcPut && ACount > 0 && values[ACount - 1].Kind() == bvObject)
    ACall = static_cast<TQelBCall>(bcPut | bcPutRef);
  TQelBValue result;
  if (!QelBInvoke(AObject, AId, ACall, values, ACount, ACall & bcPut ? nullptr : &result, AError)) return coFailed;
  AppendText(result, AResult);
  return coDone;
}

TRexxHost::TOutcome TRexxHost::Member(TQelBCall ACall, const std::string_view* AArgs, unsigned ACount,
                                      std::string& AResult, TQelBError& AError) {
  const unsigned least = ACall & bcPut ? 3 : 2;
  if (ACount < least) {
    AError.Message = ACall & bcPut ? "QelSet needs an object, a member name and a value"
                                   : "An object and a member name are needed";
    return coFailed;
  }
  TQelBObject* object = ObjectOf(AArgs[0]);
  if (!object) {
    AError.Message = "'" + std::string(AArgs[0]) + "' is not an object";
    return coFailed;
  }
  std::string_view name = AArgs[1];
  if (!Resolve(object, name, AError)) return coFailed;
  TQelBMember member;
  if (!Find(object, name, member)) {
    AError.Message = "The object has no member '" + std::string(name) + "'";
    return coFailed;
  }
  if (ACall == bcMethod) ACall = CallOf(member);
  return Invoke(object, member.Id, ACall, AArgs + 2, ACount - 2, AResult, AError);
}

TRexxHost::TOutcome TRexxHost::Call(std::string_view AName, const std::string_view* AArgs, unsigned ACount,
                                    std::string& AResult, TQelBError& AError) {
  TOutcome outcome;
  if (AName == "QELCALL") {
    outcome = Member(bcMethod, AArgs, ACount, AResult, AError);
  } else if (AName == "QELGET") {
    outcome = Member(bcGet, AArgs, ACount, AResult, AError);
  } else if (AName == "QELSET") {
    outcome = Member(bcPut, AArgs, ACount, AResult, AError);
  } else if (AName == "QELERROR") {
    AResult = FLastError.Message;
    return coDone;
  } else {
    TQelBObject* object;
    TQelBMember member;
    if (!GlobalMembers.Find(AName, object, member)) return coNotMine;
    outcome = Invoke(object, member.Id, CallOf(member), AArgs, ACount, AResult, AError);
  }
  FErrorPending = outcome == coFailed;
  if (FErrorPending) FLastError = AError;
  return outcome;
}

void TRexxHost::Mark(std::string_view AText) {
  for (size_t at = AText.find(CHandlePrefix); at != std::string_view::npos;
       at = AText.find(CHandlePrefix, at + 1)) {
    uint64_t id = 0;
    const char* begin = AText.data() + at + CHandlePrefix.size();
    std::from_chars(begin, AText.data() + AText.size(), id);
    if (auto found = FById.find(id); found != FById.end()) found->second.Marked = true;
  }
}

void TRexxHost::ReleaseUnmarked() {
  for (auto at = FById.begin(); at != FById.end();) {
    if (at->second.Marked) {
      ++at;
      continue;
    }
    TQelBObject* object = at->second.Object;
    FIds.erase(object);
    at = FById.erase(at);
    QelBRelease(object);
  }
}
