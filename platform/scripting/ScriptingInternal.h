// Private to the scripting objects' sources: the file-system helpers and the member lines
// every collection shares.
#pragma once

#include <string>

#include "engine/wrappers/QelSctBind.h"
#include "platform/scripting/QelScripting.h"

// Helpers of the file-system sources: paths travel as UTF-8 to the system.
namespace qel_scripting_detail {
std::string FsPath(std::u16string_view APath);
[[noreturn]] void RaiseFs(TQelScriptingError AError);
// The error of a failed system call (errno): missing things get ANotFound.
[[noreturn]] void RaiseFsErrno(int AErrno, TQelScriptingError ANotFound);
// A new File or Folder object for an existing path, made absolute.
VARIANT NewFileVar(std::u16string_view APath);
VARIANT NewFolderVar(std::u16string_view APath);
String AbsolutePath(std::u16string_view APath);
}  // namespace qel_scripting_detail

// A collection's members: Item (the default), Count and _NewEnum, from its list class L.
template <class T, class L>
void QelRegisterCollectionMembers(TQelClassWrapperData& AData) {
  TQelMembers<T> M(AData);
  M.template Property<&L::GetItem>(u"Item", qpDefault);
  M.template Property<&L::GetCount>(u"Count");
  M.template Method<&L::NewEnum>(u"_NewEnum");
}
