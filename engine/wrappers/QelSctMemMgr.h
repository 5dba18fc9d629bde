// QelSctMemMgr: the watch on destroyed host objects. Every TObject reports its destruction to
// one observer; a bit filter over object addresses keeps that to a hash and a bit test for
// objects that were never wrapped, and only a possible hit takes the object map's lock.
#pragma once

#include <cstdint>

class TObject;

// Marks the address as possibly wrapped; every 100th call rebuilds the filter from the live
// objects of the map.
void AddWatchedObject(const void* AAddress);
// Whether the address's bit is set (the filter may answer yes for an unwrapped address).
bool IsWatchedAddress(const void* AAddress);

// Installs the destroy observer that tells the object map of destroyed objects (idempotent).
void QelInstallDestroyWatch();

class TGC {
 public:
  // Rebuilds the filter from the objects AEnumerator reports.
  static void Collect(void (*AEnumerator)(void (*AItemProc)(TObject*, void*), void* AData), void* AData);
  static void ItemProc(TObject* AObject, void* AData);
};
