// Host-object registry, the per-thread global-name caches and the global namespace.
#include "engine/vm/QelVMInternal.h"

// ---------------------------------------------------------------------------------------------
// Host objects

bool TQelExternObjects::Add(IDispatch* AObj, const std::u16string& AName, bool APublishMembers,
                            bool AIsUnit) {
  int name = QelNameTable().GetNameIndex(AName, true);
  auto object = std::make_unique<TQelExternObject>(name, AName, AObj, QelAsCodeObject(AObj),
                                                   APublishMembers, AIsUnit);
  std::lock_guard<std::mutex> guard(FSection);
  if (!FObjects.Add(object.get())) return false;
  TQelExternObject* added = object.release();
  if (APublishMembers) FPubMrsObjs.push_back(added);
  FChangeNumber.fetch_add(1, std::memory_order_acq_rel);
  return true;
}

void TQelExternObjects::Close() {
  std::lock_guard<std::mutex> guard(FSection);
  FPubMrsObjs.clear();
  FObjects.Clear();
  FChangeNumber.store(0, std::memory_order_release);
}

// ---------------------------------------------------------------------------------------------
// Per-thread cache

void TQelThreadGlobals::Clear() {
  FItems.Clear();
  FProcsCache.Clear();
  FValObjCache.Clear();
  FPubMrsExterns.clear();
  FChangeNumber = -1;
}

void TQelThreadGlobals::Rebuild(TQelVirtMachine* AVM) {
  TQelExternObjects& externs = AVM->ExternObjects();
  std::lock_guard<std::mutex> guard(externs.FSection);
  Clear();
  // First come, first kept: script globals hide host objects, which hide intrinsics.
  auto add = [this](TQelNamedItem* AItem, bool ATrySearchInPubs) {
    auto* object = static_cast<TQelGlobalObject*>(AItem);
    TQelNameSearchRes res =
        TQelNameSearchRes::Object(QelSearchKindOf(object->GetGlobalObjType()), object);
    auto item = std::make_unique<TThreadGlobalsItem>(object->FName, res, ATrySearchInPubs);
    if (FItems.Add(item.get())) item.release();
  };
  for (TQelNamedItem* item : AVM->ScriptGlobals()) add(item, false);
  for (TQelNamedItem* item : externs.FObjects) add(item, false);
  for (TQelNamedItem* item : AVM->IntrinsicObjects()) add(item, true);
  FPubMrsExterns = externs.FPubMrsObjs;
  FChangeNumber = externs.FChangeNumber.load(std::memory_order_acquire);
}

bool TQelThreadGlobals::SearchPubs(int AName, const std::u16string* AStrName, bool ASkipUnits,
                                   TQelNameSearchRes& ARes) {
  for (TQelExternObject* object : FPubMrsExterns) {
    if (ASkipUnits && object->FIsUnit) continue;
    DISPID id = DISPID_UNKNOWN;
    if (object->FCodeObject) {
      id = object->FCodeObject->GetIdOfName(AName);
    } else if (object->FObj && AStrName) {
      id = QelDispIdOfName(object->FObj, *AStrName);
    }
    if (id == DISPID_UNKNOWN) continue;
    ARes = TQelNameSearchRes::Object(srExternalMember, object);
    ARes.DispId = id;
    return true;
  }
  return false;
}

TQelNameSearchRes TQelThreadGlobals::Search(TQelVirtMachine* AVM, int AName,
                                            const std::u16string* AStrName) {
  EnsureBuilt(AVM);
  if (auto* item = FItems.FindAs<TThreadGlobalsItem>(AName)) [[likely]] {
    if (item->TrySearchInPubs) [[unlikely]] {
      // An intrinsic: the published members of named objects (not of units) hide it.
      TQelNameSearchRes member;
      if (SearchPubs(AName, AStrName, true, member)) item->SearchRes = member;
      item->TrySearchInPubs = false;
    }
    return item->SearchRes;
  }
  TQelNameSearchRes member;
  if (!SearchPubs(AName, AStrName, false, member)) return {};
  auto item = std::make_unique<TThreadGlobalsItem>(AName, member, false);
  if (FItems.Add(item.get())) item.release();
  return member;
}

TQelGlobalObject* TQelThreadGlobals::FindByStrName(TQelVirtMachine* AVM,
                                                   const std::u16string& AStrName) {
  int name = QelNameTable().GetNameIndex(AStrName, false);
  if (name < 0) return nullptr;
  auto* item = FItems.FindAs<TThreadGlobalsItem>(name);
  if (!item) return nullptr;
  switch (item->SearchRes.ObjKind) {
    case srGlobalVar: case srGlobalConst: case srProcedure:
      return item->SearchRes.NamedObject;
    default:
      return nullptr;
  }
}

TQelProcObject* TQelThreadGlobals::FindProcByStrName(TQelVirtMachine* AVM,
                                                     const std::u16string& AStrName) {
  EnsureBuilt(AVM);
  if (TQelIdentifierItem* hit = FProcsCache.Find(AStrName)) return hit->DataAs<TQelProcObject>();
  TQelGlobalObject* object = FindByStrName(AVM, AStrName);
  if (!object || object->GetGlobalObjType() != gtProcedure) return nullptr;
  FProcsCache.Add(new TQelIdentifierItem(AStrName, static_cast<const void*>(object)));
  return static_cast<TQelProcObject*>(object);
}

TQelGlobalValuedObject* TQelThreadGlobals::FindValObjByStrName(TQelVirtMachine* AVM,
                                                               const std::u16string& AStrName) {
  EnsureBuilt(AVM);
  if (TQelIdentifierItem* hit = FValObjCache.Find(AStrName))
    return hit->DataAs<TQelGlobalValuedObject>();
  TQelGlobalObject* object = FindByStrName(AVM, AStrName);
  if (!object) return nullptr;
  auto type = object->GetGlobalObjType();
  if (type != gtVar && type != gtConst) return nullptr;
  FValObjCache.Add(new TQelIdentifierItem(AStrName, static_cast<const void*>(object)));
  return static_cast<TQelGlobalValuedObject*>(object);
}

// ---------------------------------------------------------------------------------------------
// Global namespace

TQelNameSearchRes TGlobalObjectsNamespace::Find(TQelThread* AThread, int AName,
                                                const std::u16string* AStrName) {
  return AThread->VMData(FVM->Id().Index)->Globals().Search(FVM, AName, AStrName);
}

void TGlobalObjectsNamespace::EnumDebugVars(bool ALocalsOnly,
                                            const TQelNamespaceEnumVarsProc& AProc) {
  if (ALocalsOnly) return;
  for (TQelGlobalValuedObject* object : FVM->GlobalConsts())
    AProc(object->FStrName, TQelNameSearchRes::Object(srGlobalConst, object));
  for (TQelGlobalValuedObject* object : FVM->GlobalVars())
    AProc(object->FStrName, TQelNameSearchRes::Object(srGlobalVar, object));
}
