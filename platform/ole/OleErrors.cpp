#include "platform/ole/OleErrors.h"

#include <cstdio>

namespace {

struct ErrorText {
  HRESULT code;
  const char16_t* text;
};

constexpr ErrorText kTexts[] = {
    {S_OK, u"The operation completed successfully."},
    {S_FALSE, u"Incorrect function."},
    {E_NOTIMPL, u"Not implemented"},
    {E_NOINTERFACE, u"No such interface supported"},
    {E_POINTER, u"Invalid pointer"},
    {E_ABORT, u"Operation aborted"},
    {E_FAIL, u"Unspecified error"},
    {E_UNEXPECTED, u"Catastrophic failure"},
    {E_ACCESSDENIED, u"Access is denied."},
    {E_HANDLE, u"The handle is invalid."},
    {E_OUTOFMEMORY, u"Not enough storage is available to complete this operation."},
    {E_INVALIDARG, u"The parameter is incorrect."},
    {CLASS_E_NOAGGREGATION, u"Class does not support aggregation (or class object is remote)"},
    {CLASS_E_CLASSNOTAVAILABLE, u"ClassFactory cannot supply requested class"},
    {REGDB_E_READREGDB, u"Could not read key from registry"},
    {REGDB_E_CLASSNOTREG, u"Class not registered"},
    {MK_E_UNAVAILABLE, u"Operation unavailable"},
    {CO_E_NOTINITIALIZED, u"CoInitialize has not been called."},
    {CO_E_ALREADYINITIALIZED, u"CoInitialize has already been called."},
    {CO_E_CLASSSTRING, u"Invalid class string"},
    {RPC_E_CHANGED_MODE, u"Cannot change thread mode after it is set."},
    {DISP_E_UNKNOWNINTERFACE, u"Unknown interface."},
    {DISP_E_MEMBERNOTFOUND, u"Member not found."},
    {DISP_E_PARAMNOTFOUND, u"Parameter not found."},
    {DISP_E_TYPEMISMATCH, u"Type mismatch."},
    {DISP_E_UNKNOWNNAME, u"Unknown name."},
    {DISP_E_NONAMEDARGS, u"No named arguments."},
    {DISP_E_BADVARTYPE, u"Bad variable type."},
    {DISP_E_EXCEPTION, u"Exception occurred."},
    {DISP_E_OVERFLOW, u"Out of present range."},
    {DISP_E_BADINDEX, u"Invalid index."},
    {DISP_E_UNKNOWNLCID, u"Unknown language."},
    {DISP_E_ARRAYISLOCKED, u"Memory is locked."},
    {DISP_E_BADPARAMCOUNT, u"Invalid number of parameters."},
    {DISP_E_PARAMNOTOPTIONAL, u"Parameter not optional."},
    {DISP_E_BADCALLEE, u"Invalid callee."},
    {DISP_E_NOTACOLLECTION, u"Does not support a collection."},
    {DISP_E_DIVBYZERO, u"Division by zero."},
    {DISP_E_BUFFERTOOSMALL, u"Buffer too small."},
    {TYPE_E_BUFFERTOOSMALL, u"Buffer too small."},
    {TYPE_E_FIELDNOTFOUND, u"Field name not defined in the record."},
    {TYPE_E_INVDATAREAD, u"Old format or invalid type library."},
    {TYPE_E_UNSUPFORMAT, u"Old format or invalid type library."},
    {TYPE_E_REGISTRYACCESS, u"Error accessing the OLE registry."},
    {TYPE_E_LIBNOTREGISTERED, u"Library not registered."},
    {TYPE_E_UNDEFINEDTYPE, u"Bound to unknown type."},
    {TYPE_E_QUALIFIEDNAMEDISALLOWED, u"Qualified name disallowed."},
    {TYPE_E_INVALIDSTATE, u"Invalid forward reference, or reference to uncompiled type."},
    {TYPE_E_WRONGTYPEKIND, u"Type mismatch."},
    {TYPE_E_ELEMENTNOTFOUND, u"Element not found."},
    {TYPE_E_AMBIGUOUSNAME, u"Ambiguous name."},
    {TYPE_E_NAMECONFLICT, u"Name already exists in the library."},
    {TYPE_E_UNKNOWNLCID, u"Unknown LCID."},
    {TYPE_E_DLLFUNCTIONNOTFOUND, u"Function not defined in specified DLL."},
    {TYPE_E_BADMODULEKIND, u"Wrong module kind for the operation."},
    {TYPE_E_SIZETOOBIG, u"Size may not exceed 64K."},
    {TYPE_E_DUPLICATEID, u"Duplicate ID in inheritance hierarchy."},
    {TYPE_E_INVALIDID, u"Incorrect inheritance depth in standard OLE hmember."},
    {TYPE_E_TYPEMISMATCH, u"Type mismatch."},
    {TYPE_E_OUTOFBOUNDS, u"Invalid number of arguments."},
    {TYPE_E_IOERROR, u"I/O Error."},
    {TYPE_E_CANTCREATETMPFILE, u"Error creating unique tmp file."},
    {TYPE_E_CANTLOADLIBRARY, u"Error loading type library/DLL."},
    {TYPE_E_INCONSISTENTPROPFUNCS, u"Inconsistent property functions."},
    {TYPE_E_CIRCULARTYPE, u"Circular dependency between types/modules."},
};

}  // namespace

std::u16string OleErrorText(HRESULT hr) {
  for (const ErrorText& e : kTexts)
    if (e.code == hr) return e.text;
  char buf[32];
  std::snprintf(buf, sizeof buf, "Unknown error 0x%08X", static_cast<unsigned>(hr));
  return std::u16string(buf, buf + std::char_traits<char>::length(buf));
}
