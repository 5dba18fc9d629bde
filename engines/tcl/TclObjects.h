// The Tcl side of host objects. A host object is a command of its own, named by a handle
// ("qelobj7") that is also the value scripts pass around: `set list [TStringList Create]`,
// `$list Add x`, `$list Count`, `$list Strings 0`, `$list 0` (the default property),
// `$list -set Sorted 1`. One handle per object while the engine lives, so identity is `eq`.
// Only Tcl's headers and the neutral bridge are seen here.
#pragma once

#include <tcl.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engines/common/QelBridge.h"

class TTclObjects {
 public:
  explicit TTclObjects(Tcl_Interp* AInterp);
  TTclObjects(const TTclObjects&) = delete;
  TTclObjects& operator=(const TTclObjects&) = delete;
  ~TTclObjects();  // releases every object

  // A new Tcl value (reference count 0) for the object: its handle, "" for null.
  Tcl_Obj* Handle(TQelBObject* AObject);
  // The object a value names, borrowed; null unless it is a live handle.
  TQelBObject* FromHandle(Tcl_Obj* AValue);
  // A named item: the command AName calls its members as its handle does.
  void AddNamed(std::string_view AName, TQelBObject* AObject);
  // Calls AMember of AObject with the words AArgs (a put's value last); the result in the
  // interpreter's result.
  int Call(TQelBObject* AObject, const TQelBMember& AMember, TQelBCall ACall, int AArgCount,
           Tcl_Obj* const AArgs[]);
  // `object word ...`: AObjv[0] is the command word, the rest as for a handle's command.
  int Send(TQelBObject* AObject, int AObjc, Tcl_Obj* const AObjv[]) {
    size_t index = 0;
    return Dispatch(EntryOf(AObject, index), AObjc, AObjv);
  }
  // The Tcl value of a host value (reference count 0), and back.
  Tcl_Obj* NewValue(const TQelBValue& AValue);
  void ToValue(Tcl_Obj* AValue, TQelBValue& AResult);
  // Fails the command with AError's message.
  int Fail(const TQelBError& AError);

  Tcl_Interp* Interp() const { return FInterp; }

 private:
  struct TNameHash {
    using is_transparent = void;
    size_t operator()(std::string_view AName) const { return std::hash<std::string_view>()(AName); }
  };
  using TMemberCache = std::unordered_map<std::string, TQelBMember, TNameHash, std::equal_to<>>;
  struct TEntry {
    TTclObjects* Owner;
    TQelBObject* Object;  // counted
    TMemberCache* Members;
  };
  static int ObjectCommand(void* AData, Tcl_Interp* AInterp, int AObjc, Tcl_Obj* const AObjv[]);
  int Dispatch(TEntry& AEntry, int AObjc, Tcl_Obj* const AObjv[]);
  bool Member(TEntry& AEntry, Tcl_Obj* AName, TQelBMember& AMember);
  TEntry& EntryOf(TQelBObject* AObject, size_t& AIndex);

  Tcl_Interp* FInterp;
  std::deque<TEntry> FEntries;  // by handle number; stable for the commands' client data
  std::unordered_map<TQelBObject*, size_t> FIndex;
  std::map<const void*, std::unique_ptr<TMemberCache>> FClassMembers;
  std::deque<TMemberCache> FOwnMembers;
};

// Text between Tcl's internal form and standard UTF-8 (they differ for U+0000 and characters
// beyond the BMP).
std::string QelTclUtf8(const char* AText, int ALength);
Tcl_Obj* QelTclNewString(std::string_view AUtf8);
