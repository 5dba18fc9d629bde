// The REXX side of host objects. Classic REXX has only strings, so a host object is a handle
// string ("QelObject#12"): one handle per object while the engine lives (identity holds: two
// reads of one object give equal strings), and its members are reached through a small
// function set the script calls like any external function:
//
//   QelCall(obj, 'Member', arg...)         calls a method (or reads a property with indexes)
//   QelGet(obj, 'Member', index...)        reads a property
//   QelSet(obj, 'Member', index..., value) writes a property
//   QelError()                             the message of the last host error
//
// 'Member' may be a path ('Lines.Add'): each name before the last is read without arguments.
// Members of global-members objects are external functions of their own name (IntToStr(7),
// call Add 'x'). Only the neutral bridge is seen here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engines/common/QelBridge.h"

class TRexxHost {
 public:
  TRexxHost() = default;
  TRexxHost(const TRexxHost&) = delete;
  TRexxHost& operator=(const TRexxHost&) = delete;
  ~TRexxHost();

  TQelBGlobalMembers GlobalMembers;

  // Appends the text REXX holds for a host value (an object as its handle, a Boolean as 1 or 0).
  void AppendText(const TQelBValue& AValue, std::string& AText);
  // A REXX string as a host value: a live handle gives its object, a number in REXX's plain
  // form (42, -7, 2.5) an integer or a double, anything else the string.
  void ToValue(std::string_view AText, TQelBValue& AValue) const;

  enum TOutcome { coNotMine, coDone, coFailed };
  // Runs the external function AName (upper case, as REXX gives it) when it is one of the set
  // or a member of a global-members object; the result's text in AResult.
  TOutcome Call(std::string_view AName, const std::string_view* AArgs, unsigned ACount, std::string& AResult,
                TQelBError& AError);
  // The last host error a call met (what QelError() gives), and whether one is pending since
  // the script's last successful host call.
  const TQelBError& LastError() const { return FLastError; }
  bool ErrorPending() const { return FErrorPending; }
  void ClearPending() { FErrorPending = false; }

  // Releases the objects whose handles none of the texts AForEach gives holds any longer.
  template <class TForEach>
  void Sweep(TForEach&& AForEach) {
    for (auto& [id, entry] : FById) entry.Marked = false;
    AForEach([this](std::string_view AText) { Mark(AText); });
    ReleaseUnmarked();
  }

 private:
  struct TEntry {
    TQelBObject* Object;
    bool Marked;
  };
  struct TNameHash {
    using is_transparent = void;
    size_t operator()(std::string_view AText) const { return std::hash<std::string_view>{}(AText); }
  };
  using TMembers = std::unordered_map<std::string, TQelBMember, TNameHash, std::equal_to<>>;

  TQelBObject* ObjectOf(std::string_view AText) const;
  bool Find(TQelBObject* AObject, std::string_view AName, TQelBMember& AMember);
  // Follows 'A.B.C' to the object holding C; AName becomes C.
  bool Resolve(TQelBObject*& AObject, std::string_view& AName, TQelBError& AError);
  TOutcome Member(TQelBCall ACall, const std::string_view* AArgs, unsigned ACount, std::string& AResult,
                  TQelBError& AError);
  TOutcome Invoke(TQelBObject* AObject, int32_t AId, TQelBCall ACall, const std::string_view* AArgs,
                  unsigned ACount, std::string& AResult, TQelBError& AError);
  void Mark(std::string_view AText);
  void ReleaseUnmarked();

  std::unordered_map<uint64_t, TEntry> FById;
  std::unordered_map<TQelBObject*, uint64_t> FIds;
  std::unordered_map<const void*, TMembers> FClasses;  // members found, per class
  uint64_t FNextId = 1;
  TQelBError FLastError;
  bool FErrorPending = false;
};
