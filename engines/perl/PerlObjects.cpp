// Host objects in Perl: the packages Qel::Object and Qel::Indexer, member calls and value
// conversion. Every XS sub and magic callback is a trampoline around a body that may own C++
// objects: the body returns, its objects are gone, and only then does the trampoline croak.
#include <cstring>
#include <vector>

#include "engines/perl/PerlObjects.h"

namespace {

constexpr char CBasePackage[] = "Qel::Object";
constexpr char CIndexerPackage[] = "Qel::Indexer";
constexpr int32_t CDefaultMember = 0;

using TEntry = TPerlObjects::TEntry;
using TBound = TPerlObjects::TBound;

struct TIndexer {
  TPerlObjects* Owner;
  TQelBObject* Object;  // counted
  int32_t Id;
};

int FreeObject(pTHX_ SV*, MAGIC* AMagic);
int FreeIndexer(pTHX_ SV*, MAGIC* AMagic);
int GetBound(pTHX_ SV* AValue, MAGIC* AMagic);
int SetBound(pTHX_ SV* AValue, MAGIC* AMagic);

// svt_get, svt_set, svt_len, svt_clear, svt_free, svt_copy, svt_dup, svt_local
MGVTBL ObjectVtbl = {nullptr, nullptr, nullptr, nullptr, FreeObject, nullptr, nullptr, nullptr};
MGVTBL IndexerVtbl = {nullptr, nullptr, nullptr, nullptr, FreeIndexer, nullptr, nullptr, nullptr};
MGVTBL BoundVtbl = {GetBound, SetBound, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

template <class T>
T* MagicOf(SV* AValue, svtype AType, MGVTBL* AVtbl) {
  if (!AValue || !SvROK(AValue)) return nullptr;
  SV* target = SvRV(AValue);
  if (SvTYPE(target) != AType) return nullptr;
  MAGIC* magic = mg_findext(target, PERL_MAGIC_ext, AVtbl);
  return magic ? reinterpret_cast<T*>(magic->mg_ptr) : nullptr;
}

TEntry* EntryOf(SV* AValue) { return MagicOf<TEntry>(AValue, SVt_PVHV, &ObjectVtbl); }

// A new reference to a fresh container blessed into APackage, tied to itself (through a weak
// reference, so the tie keeps nothing alive) and carrying AData in magic of AVtbl.
SV* NewTiedSelf(pTHX_ SV* AContainer, HV* AStash, MGVTBL* AVtbl, void* AData) {
  sv_magicext(AContainer, nullptr, PERL_MAGIC_ext, AVtbl, static_cast<const char*>(AData), 0);
  SV* reference = newRV_noinc(AContainer);
  sv_bless(reference, AStash);
  SV* tie = newRV_inc(AContainer);
  sv_rvweaken(tie);
  sv_magic(AContainer, tie, PERL_MAGIC_tied, nullptr, 0);
  SvREFCNT_dec(tie);
  return reference;
}

bool IsAscii(const char* AText, size_t ALength) {
  for (size_t i = 0; i < ALength; ++i)
    if (static_cast<unsigned char>(AText[i]) >= 0x80) return false;
  return true;
}

// The arguments ST(AFirst) .. ST(AItems - 1) as host values, read before anything may move
// Perl's stack.
bool ReadArgs(pTHX_ TPerlObjects& AObjects, I32 AAx, I32 AFirst, I32 AItems, TQelBArgs& AArgs,
              TQelBError& AError) {
  const unsigned count = AItems > AFirst ? static_cast<unsigned>(AItems - AFirst) : 0;
  TQelBValue* values = AArgs.Resize(count);
  for (unsigned i = 0; i < count; ++i)
    if (!AObjects.ToValue(aTHX_ PL_stack_base[AAx + AFirst + static_cast<I32>(i)], values[i], AError, false))
      return false;
  return true;
}

TQelBCall PutCall(const TQelBValue& AValue) {
  return static_cast<TQelBCall>(AValue.Kind() == bvObject ? bcPut | bcPutRef : bcPut);
}

std::string_view KeyOf(pTHX_ SV* AKey) {
  STRLEN length = 0;
  const char* text = SvPV(AKey, length);
  return std::string_view(text, length);
}

bool FindCached(TEntry& AEntry, std::string_view AName, TQelBMember& AMember, TQelBError& AError) {
  auto found = AEntry.Members->find(AName);
  if (found != AEntry.Members->end()) {
    AMember = found->second;
    return true;
  }
  if (!QelBFindMember(AEntry.Object, AName, AMember)) {
    AError.Message = "Unknown name: '" + std::string(AName) + "'";
    return false;
  }
  AEntry.Members->emplace(std::string(AName), AMember);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Bodies: each returns false with AError filled, or true with AResult (mortal, or null for
// undef).

using TBody = bool (*)(pTHX_ CV* ACv, I32 AAx, I32 AItems, SV*& AResult, TQelBError& AError);

template <TBody ABody>
void Trampoline(pTHX_ CV* cv) {
  dXSARGS;
  // Magic runs Perl code that may die: before any C++ object exists.
  for (I32 i = 0; i < items; ++i) SvGETMAGIC(ST(i));
  SV* result = nullptr;
  SV* failure = nullptr;
  {
    TQelBError error;
    if (!ABody(aTHX_ cv, ax, items, result, error)) failure = sv_2mortal(QelPerlNewString(aTHX_ error.Message));
  }
  if (failure) croak_sv(failure);  // appends the script's place
  ST(0) = result ? result : &PL_sv_undef;
  XSRETURN(1);
}

SV* NewIndexer(pTHX_ TPerlObjects& AOwner, TQelBObject* AObject, int32_t AId) {
  QelBAddRef(AObject);
  auto* indexer = new TIndexer{&AOwner, AObject, AId};
  return NewTiedSelf(aTHX_ reinterpret_cast<SV*>(newAV()), gv_stashpv(CIndexerPackage, GV_ADD), &IndexerVtbl,
                     indexer);
}

// Calls AMember with the arguments from AFirst, as a method or a property read as the member
// says: `$obj->Add("x")`, `$obj->Count`, `$obj->Strings(0)`, `Lines->Add(...)`.
bool CallMember(pTHX_ TPerlObjects& AOwner, TQelBObject* AObject, const TQelBMember& AMember, I32 AAx, I32 AFirst,
                I32 AItems, SV*& AResult, TQelBError& AError) {
  TQelBArgs args;
  if (!ReadArgs(aTHX_ AOwner, AAx, AFirst, AItems, args, AError)) return false;
  TQelBValue value;
  if (AMember.Kind == bmUnknown && args.Count() == 0) {
    // A member that does not say what it is: read it, and call it when it is a method.
    const TQelBRead read = QelBReadMember(AObject, AMember, value, AError);
    if (read == brFailed) return false;
    if (read == brIndexed) {
      AResult = sv_2mortal(NewIndexer(aTHX_ AOwner, AObject, AMember.Id));
      return true;
    }
    if (read == brMethod && !QelBInvoke(AObject, AMember.Id, bcMethod, nullptr, 0, &value, AError)) return false;
  } else {
    TQelBCall call = AMember.Kind == bmMethod ? bcMethod : bcGet;
    if (AMember.Kind == bmUnknown) call = static_cast<TQelBCall>(bcMethod | bcGet);
    if (!QelBInvoke(AObject, AMember.Id, call, args.Data(), args.Count(), &value, AError)) return false;
  }
  AResult = sv_2mortal(AOwner.NewValue(aTHX_ value));
  return true;
}

IV PackMember(const TQelBMember& AMember) {
  return static_cast<IV>((static_cast<uint64_t>(AMember.Kind) << 32) | static_cast<uint32_t>(AMember.Id));
}

TQelBMember UnpackMember(IV APacked) {
  const auto bits = static_cast<uint64_t>(APacked);
  return TQelBMember{static_cast<int32_t>(static_cast<uint32_t>(bits)), static_cast<TQelBMemberKind>(bits >> 32)};
}

TEntry* SelfOf(pTHX_ I32 AAx, I32 AItems, TQelBError& AError) {
  TEntry* entry = AItems > 0 ? EntryOf(PL_stack_base[AAx]) : nullptr;
  if (!entry) AError.Message = "a member of a host object was called without its object (use ->)";
  else if (!entry->Object) AError.Message = "the object has been released";
  return entry && entry->Object ? entry : nullptr;
}

// A member sub of a class's package: XSANY holds the member.
bool MemberBody(pTHX_ CV* ACv, I32 AAx, I32 AItems, SV*& AResult, TQelBError& AError) {
  TEntry* self = SelfOf(aTHX_ AAx, AItems, AError);
  return self &&
         CallMember(aTHX_ *self->Owner, self->Object, UnpackMember(CvXSUBANY(ACv).any_iv), AAx, 1, AItems, AResult, AError);
}

// Qel::Object::AUTOLOAD: the first call of a member on a class defines its sub there.
bool AutoloadBody(pTHX_ CV* ACv, I32 AAx, I32 AItems, SV*& AResult, TQelBError& AError) {
  std::string_view name(SvPVX(ACv), SvCUR(ACv));
  if (const size_t colons = name.rfind("::"); colons != std::string_view::npos) name.remove_prefix(colons + 2);
  TEntry* self = SelfOf(aTHX_ AAx, AItems, AError);
  if (!self) return false;
  TQelBMember member;
  if (!FindCached(*self, name, member, AError)) return false;
  HV* stash = SvSTASH(SvRV(PL_stack_base[AAx]));
  if (stash && std::strcmp(HvNAME(stash), CBasePackage) != 0) {
    const std::string full = std::string(HvNAME(stash)) + "::" + std::string(name);
    CV* sub = newXS(full.c_str(), Trampoline<MemberBody>, __FILE__);
    CvXSUBANY(sub).any_iv = PackMember(member);
  }
  return CallMember(aTHX_ *self->Owner, self->Object, member, AAx, 1, AItems, AResult, AError);
}

bool NothingBody(pTHX_ CV*, I32, I32, SV*&, TQelBError&) { return true; }

// The tie of an object's hash: $obj->{Name} reads and writes the member.
bool FetchBody(pTHX_ CV*, I32 AAx, I32 AItems, SV*& AResult, TQelBError& AError) {
  TEntry* self = SelfOf(aTHX_ AAx, AItems, AError);
  if (!self || AItems < 2) return false;
  const std::string_view name = KeyOf(aTHX_ PL_stack_base[AAx + 1]);
  TQelBMember member;
  if (!FindCached(*self, name, member, AError)) return false;
  TQelBValue value;
  TQelBRead read = member.Kind == bmIndexed ? brIndexed : brMethod;
  if (member.Kind != bmMethod && member.Kind != bmIndexed) read = QelBReadMember(self->Object, member, value, AError);
  switch (read) {
    case brValue:
      AResult = sv_2mortal(self->Owner->NewValue(aTHX_ value));
      return true;
    case brIndexed:
      AResult = sv_2mortal(NewIndexer(aTHX_ *self->Owner, self->Object, member.Id));
      return true;
    case brMethod:
      AError.Message = "'" + std::string(name) + "' is a method: call it as ->" + std::string(name) + "(...)";
      return false;
    case brFailed:
      break;
  }
  return false;
}

bool StoreBody(pTHX_ CV*, I32 AAx, I32 AItems, SV*& AResult, TQelBError& AError) {
  TEntry* self = SelfOf(aTHX_ AAx, AItems, AError);
  if (!self || AItems < 3) return false;
  TQelBMember member;
  if (!FindCached(*self, KeyOf(aTHX_ PL_stack_base[AAx + 1]), member, AError)) return false;
  TQelBValue value;
  if (!self->Owner->ToValue(aTHX_ PL_stack_base[AAx + 2], value, AError)) return false;
  AResult = nullptr;
  return QelBInvoke(self->Object, member.Id, PutCall(value), &value, 1, nullptr, AError);
}

bool ExistsBody(pTHX_ CV*, I32 AAx, I32 AItems, SV*& AResult, TQelBError& AError) {
  TEntry* self = SelfOf(aTHX_ AAx, AItems, AError);
  if (!self || AItems < 2) return false;
  TQelBMember member;
  AResult = FindCached(*self, KeyOf(aTHX_ PL_stack_base[AAx + 1]), member, AError) ? &PL_sv_yes : &PL_sv_no;
  return true;
}

bool DeleteBody(pTHX_ CV*, I32, I32, SV*&, TQelBError& AError) {
  AError.Message = "the members of a host object cannot be deleted";
  return false;
}

// The tie of an indexed property's array: $obj->{Strings}[i] reads and writes element i.
TIndexer* IndexerOf(pTHX_ I32 AAx, I32 AItems, TQelBError& AError) {
  TIndexer* indexer = AItems > 1 ? MagicOf<TIndexer>(PL_stack_base[AAx], SVt_PVAV, &IndexerVtbl) : nullptr;
  if (!indexer) AError.Message = "an indexed property needs its index";
  return indexer;
}

bool IndexGetBody(pTHX_ CV*, I32 AAx, I32 AItems, SV*& AResult, TQelBError& AError) {
  TIndexer* self = IndexerOf(aTHX_ AAx, AItems, AError);
  if (!self) return false;
  TQelBValue index, value;
  if (!self->Owner->ToValue(aTHX_ PL_stack_base[AAx + 1], index, AError)) return false;
  if (!QelBInvoke(self->Object, self->Id, bcGet, &index, 1, &value, AError)) return false;
  AResult = sv_2mortal(self->Owner->NewValue(aTHX_ value));
  return true;
}

bool IndexPutBody(pTHX_ CV*, I32 AAx, I32 AItems, SV*& AResult, TQelBError& AError) {
  TIndexer* self = IndexerOf(aTHX_ AAx, AItems, AError);
  if (!self || AItems < 3) return false;
  TQelBValue args[2];
  for (int i = 0; i < 2; ++i)
    if (!self->Owner->ToValue(aTHX_ PL_stack_base[AAx + 1 + i], args[i], AError)) return false;
  AResult = nullptr;
  return QelBInvoke(self->Object, self->Id, PutCall(args[1]), args, 2, nullptr, AError);
}

bool ZeroBody(pTHX_ CV*, I32, I32, SV*& AResult, TQelBError&) {
  AResult = sv_2mortal(newSViv(0));
  return true;
}

// A method of a global-members object, called without it: XSANY points at its binding.
bool BoundBody(pTHX_ CV* ACv, I32 AAx, I32 AItems, SV*& AResult, TQelBError& AError) {
  auto* bound = static_cast<TBound*>(CvXSUBANY(ACv).any_ptr);
  return CallMember(aTHX_ *bound->Owner, bound->Object, bound->Member, AAx, 0, AItems, AResult, AError);
}

// The variable of a property of a global-members object: get magic reads the member, set
// magic writes it.
template <bool (*ABody)(pTHX_ SV*, TBound&, TQelBError&)>
int MagicTrampoline(pTHX_ SV* AValue, MAGIC* AMagic) {
  SV* failure = nullptr;
  {
    TQelBError error;
    if (!ABody(aTHX_ AValue, *reinterpret_cast<TBound*>(AMagic->mg_ptr), error))
      failure = sv_2mortal(QelPerlNewString(aTHX_ error.Message));
  }
  if (failure) croak_sv(failure);
  return 0;
}

bool GetBoundBody(pTHX_ SV* AValue, TBound& ABound, TQelBError& AError) {
  TQelBValue value;
  const TQelBRead read = QelBReadMember(ABound.Object, ABound.Member, value, AError);
  if (read == brFailed) return false;
  if (read != brValue) {
    AError.Message = "the member is not a value";
    return false;
  }
  SV* fresh = sv_2mortal(ABound.Owner->NewValue(aTHX_ value));
  sv_setsv_flags(AValue, fresh, SV_NOSTEAL);
  return true;
}

bool SetBoundBody(pTHX_ SV* AValue, TBound& ABound, TQelBError& AError) {
  TQelBValue value;
  if (!ABound.Owner->ToValue(aTHX_ AValue, value, AError, false)) return false;
  return QelBInvoke(ABound.Object, ABound.Member.Id, PutCall(value), &value, 1, nullptr, AError);
}

int GetBound(pTHX_ SV* AValue, MAGIC* AMagic) { return MagicTrampoline<GetBoundBody>(aTHX_ AValue, AMagic); }
int SetBound(pTHX_ SV* AValue, MAGIC* AMagic) { return MagicTrampoline<SetBoundBody>(aTHX_ AValue, AMagic); }

int FreeIndexer(pTHX_ SV*, MAGIC* AMagic) {
  auto* indexer = reinterpret_cast<TIndexer*>(AMagic->mg_ptr);
  QelBRelease(indexer->Object);
  delete indexer;
  return 0;
}

struct TSub {
  const char* Name;
  XSUBADDR_t Code;
};

}  // namespace

// The hash of an object is freed: the object leaves Perl.
struct TPerlAccess {
  static void Forget(TEntry* AEntry) {
    AEntry->Owner->FLive.erase(AEntry->Object);
    QelBRelease(std::exchange(AEntry->Object, nullptr));
    delete AEntry;
  }
};

namespace {
int FreeObject(pTHX_ SV*, MAGIC* AMagic) {
  TPerlAccess::Forget(reinterpret_cast<TEntry*>(AMagic->mg_ptr));
  return 0;
}
}  // namespace

TPerlObjects::TPerlObjects(pTHX) {
  static const TSub subs[] = {
      {"Qel::Object::AUTOLOAD", Trampoline<AutoloadBody>}, {"Qel::Object::DESTROY", Trampoline<NothingBody>},
      {"Qel::Object::FETCH", Trampoline<FetchBody>},       {"Qel::Object::STORE", Trampoline<StoreBody>},
      {"Qel::Object::EXISTS", Trampoline<ExistsBody>},     {"Qel::Object::DELETE", Trampoline<DeleteBody>},
      {"Qel::Object::CLEAR", Trampoline<DeleteBody>},      {"Qel::Object::FIRSTKEY", Trampoline<NothingBody>},
      {"Qel::Object::NEXTKEY", Trampoline<NothingBody>},   {"Qel::Indexer::FETCH", Trampoline<IndexGetBody>},
      {"Qel::Indexer::STORE", Trampoline<IndexPutBody>},   {"Qel::Indexer::FETCHSIZE", Trampoline<ZeroBody>},
      {"Qel::Indexer::DESTROY", Trampoline<NothingBody>},
  };
  for (const TSub& sub : subs) newXS(sub.Name, sub.Code, __FILE__);
  FBaseStash = gv_stashpv(CBasePackage, GV_ADD);
}

TPerlObjects::~TPerlObjects() {
  // perl_destruct frees every hash, so normally nothing is left here.
  while (!FLive.empty()) TPerlAccess::Forget(FLive.begin()->second);
}

TPerlObjects::TClass& TPerlObjects::ClassOf(pTHX_ TQelBObject* AObject) {
  static TClass own{nullptr, nullptr};
  const void* key = QelBClassKey(AObject);
  if (!key) return own;
  auto [at, added] = FClasses.try_emplace(key);
  if (added) {
    const std::string package = std::string(CBasePackage) + "::C" + std::to_string(FClasses.size());
    at->second.Stash = gv_stashpvn(package.c_str(), static_cast<U32>(package.size()), GV_ADD);
    at->second.Members = std::make_unique<TMemberCache>();
    av_push(get_av((package + "::ISA").c_str(), GV_ADD), newSVpvs("Qel::Object"));
  }
  return at->second;
}

SV* TPerlObjects::NewObject(pTHX_ TQelBObject* AObject) {
  if (!AObject) return newSV(0);
  auto found = FLive.find(AObject);
  if (found != FLive.end()) return newRV_inc(reinterpret_cast<SV*>(found->second->Hash));
  TClass& cls = ClassOf(aTHX_ AObject);
  TMemberCache* members = cls.Members ? cls.Members.get() : &FOwnMembers.emplace_back();
  HV* hash = newHV();
  QelBAddRef(AObject);
  auto* entry = new TEntry{this, AObject, members, hash};
  FLive.emplace(AObject, entry);
  return NewTiedSelf(aTHX_ reinterpret_cast<SV*>(hash), cls.Stash ? cls.Stash : FBaseStash, &ObjectVtbl, entry);
}

void TPerlObjects::BindGlobal(pTHX_ const std::string& AName, TQelBObject* AObject, const TQelBMember& AMember) {
  TBound& bound = FBound.emplace_back(TBound{this, AObject, AMember});
  const std::string name = "main::" + AName;
  {  // a property read as a function too: `Count()`, `Strings(0)`
    CV* sub = newXS(name.c_str(), Trampoline<BoundBody>, __FILE__);
    CvXSUBANY(sub).any_ptr = &bound;
  }
  if (AMember.Kind != bmMethod) {
    SV* variable = QelPerlImportedScalar(aTHX_ AName);
    sv_magicext(variable, nullptr, PERL_MAGIC_ext, &BoundVtbl, reinterpret_cast<const char*>(&bound), 0);
  }
}

SV* TPerlObjects::NewValue(pTHX_ const TQelBValue& AValue) {
  switch (AValue.Kind()) {
    case bvEmpty:
    case bvNull:
      return newSV(0);
    case bvBoolean:
      return newSVsv(AValue.AsBoolean() ? &PL_sv_yes : &PL_sv_no);
    case bvInteger:
      return newSViv(static_cast<IV>(AValue.AsInteger()));
    case bvDouble:
    case bvDate:
      return newSVnv(AValue.AsDouble());
    case bvObject:
      return NewObject(aTHX_ AValue.Object());
    case bvArray: {
      AV* array = newAV();
      TQelBValue element;
      for (int i = 0, count = AValue.ArrayCount(); i < count; ++i) {
        AValue.ArrayGet(i, element);
        av_push(array, NewValue(aTHX_ element));
      }
      return newRV_noinc(reinterpret_cast<SV*>(array));
    }
    case bvString:
    case bvOther:
      break;
  }
  return QelPerlNewString(aTHX_ AValue.AsUtf8());
}

bool TPerlObjects::ToValue(pTHX_ SV* AValue, TQelBValue& AResult, TQelBError& AError, bool AGetMagic) {
  if (AGetMagic) SvGETMAGIC(AValue);
  if (SvROK(AValue)) {
    if (TEntry* entry = EntryOf(AValue)) {
      AResult.SetObject(entry->Object);
      return true;
    }
    SV* target = SvRV(AValue);
    if (SvTYPE(target) == SVt_PVAV) {
      AV* array = reinterpret_cast<AV*>(target);
      const SSize_t count = av_count(array);
      AResult.SetArray(static_cast<int>(count));
      for (SSize_t i = 0; i < count; ++i) {
        SV** element = av_fetch(array, i, 0);
        TQelBValue value;
        if (element && !ToValue(aTHX_ *element, value, AError)) return false;
        AResult.ArrayPut(static_cast<int>(i), std::move(value));
      }
      return true;
    }
    if (!SvOBJECT(target) || !HvAMAGIC(SvSTASH(target))) {
      AError.Message = SvTYPE(target) == SVt_PVCV ? "a code reference cannot be passed to the host"
                                                    : "this reference cannot be passed to the host";
      return false;
    }
    // An object that overloads its text crosses as that text.
  } else if (!SvOK(AValue)) {
    AResult.SetEmpty();
    return true;
  } else if (SvIsBOOL(AValue)) {
    AResult.SetBoolean(SvTRUE_nomg(AValue));
    return true;
  } else if (SvIOK(AValue)) {
    if (SvIsUV(AValue) && SvUV(AValue) > static_cast<UV>(INT64_MAX)) AResult.SetDouble(static_cast<double>(SvUV(AValue)));
    else AResult.SetInteger(static_cast<int64_t>(SvIVX(AValue)));
    return true;
  } else if (SvNOK(AValue)) {
    AResult.SetDouble(SvNVX(AValue));
    return true;
  }
  STRLEN length = 0;
  const char* text = SvPV_nomg(AValue, length);
  if (SvUTF8(AValue) || IsAscii(text, length)) {
    AResult.SetUtf8(std::string_view(text, length));
  } else {
    std::u16string wide(length, u'\0');
    for (STRLEN i = 0; i < length; ++i) wide[i] = static_cast<unsigned char>(text[i]);
    AResult.SetUtf16(wide);
  }
  return true;
}

std::string QelPerlUtf8(pTHX_ SV* AValue) {
  STRLEN length = 0;
  const char* text = SvPV(AValue, length);
  if (SvUTF8(AValue) || IsAscii(text, length)) return std::string(text, length);
  std::string result;
  result.reserve(length * 2);
  for (STRLEN i = 0; i < length; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      result += static_cast<char>(c);
    } else {
      result += static_cast<char>(0xC0 | (c >> 6));
      result += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return result;
}

SV* QelPerlImportedScalar(pTHX_ const std::string& AName) {
  GV* glob = gv_fetchpvn_flags(("main::" + AName).c_str(), AName.size() + 6, GV_ADD, SVt_PV);
  GvIMPORTED_SV_on(glob);
  return GvSVn(glob);
}

SV* QelPerlNewString(pTHX_ std::string_view AUtf8) {
  return newSVpvn_flags(AUtf8.data(), AUtf8.size(), IsAscii(AUtf8.data(), AUtf8.size()) ? 0 : SVf_UTF8);
}
