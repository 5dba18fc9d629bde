// The Perl side of host objects. A host object is a reference to a hash blessed into a package
// of its class and tied to itself: `$list->Add("x")` calls a method, `$list->{Count}` reads a
// property and `$list->{Sorted} = 1` writes one, `$list->Strings(0)` and `$list->{Strings}[0]`
// read an indexed property, `$list->{Strings}[0] = "y"` writes it. The first call of a member
// on a class defines it as a sub of the class's package, so later calls find it through Perl's
// own method cache. One hash per object while the object lives in Perl, so `==` on two
// references to it is identity. Only Perl's headers and the neutral bridge are seen here.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engines/common/QelBridge.h"

#define PERL_NO_GET_CONTEXT
#include <EXTERN.h>
#include <perl.h>
#include <XSUB.h>

class TPerlObjects {
 public:
  explicit TPerlObjects(pTHX);  // defines the packages and their subs
  TPerlObjects(const TPerlObjects&) = delete;
  TPerlObjects& operator=(const TPerlObjects&) = delete;
  ~TPerlObjects();  // releases what the interpreter did not free (call after perl_destruct)

  // A new reference to the object (undef for null), with a reference count of 1.
  SV* NewObject(pTHX_ TQelBObject* AObject);
  // The Perl value of a host value (reference count 1), and back; false with AError for what
  // the host cannot hold (code references, globs, ...).
  SV* NewValue(pTHX_ const TQelBValue& AValue);
  // AGetMagic false reads the value as it stands (inside the value's own set magic).
  bool ToValue(pTHX_ SV* AValue, TQelBValue& AResult, TQelBError& AError, bool AGetMagic = true);
  // A member of a global-members object under its own name in package main: a method as the
  // sub `Name(...)`, a property as the variable `$Name` read and written through the member
  // (and as a sub that reads it).
  void BindGlobal(pTHX_ const std::string& AName, TQelBObject* AObject, const TQelBMember& AMember);

  struct TEntry;
  struct TBound;

 private:
  struct TNameHash {
    using is_transparent = void;
    size_t operator()(std::string_view AName) const { return std::hash<std::string_view>()(AName); }
  };
  using TMemberCache = std::unordered_map<std::string, TQelBMember, TNameHash, std::equal_to<>>;
  struct TClass {
    HV* Stash;
    std::unique_ptr<TMemberCache> Members;
  };
  TClass& ClassOf(pTHX_ TQelBObject* AObject);

  std::unordered_map<TQelBObject*, TEntry*> FLive;  // the objects' hashes, not counted
  std::map<const void*, TClass> FClasses;
  std::deque<TMemberCache> FOwnMembers;
  std::deque<TBound> FBound;  // the bindings of global names (their objects are borrowed)
  HV* FBaseStash;

  friend struct TPerlAccess;
};

struct TPerlObjects::TEntry {
  TPerlObjects* Owner;
  TQelBObject* Object;  // counted
  TMemberCache* Members;
  HV* Hash;  // not counted: the entry lives as long as the hash
};

struct TPerlObjects::TBound {
  TPerlObjects* Owner;
  TQelBObject* Object;
  TQelBMember Member;
};

// Text between Perl strings and UTF-8: a string without Perl's UTF-8 flag holds Latin-1.
std::string QelPerlUtf8(pTHX_ SV* AValue);
SV* QelPerlNewString(pTHX_ std::string_view AUtf8);
// The variable $main::AName, marked as imported so that `use strict` lets scripts name it
// (the host's named objects and properties are declared by the host, not by the script).
SV* QelPerlImportedScalar(pTHX_ const std::string& AName);
