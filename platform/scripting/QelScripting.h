// The objects script authors create by name in every language: "VBScript.RegExp",
// "Scripting.Dictionary" and "Scripting.FileSystemObject", registered in the COM class registry
// (QelRegisterScriptingObjects). Each is a host class bound to a class wrapper with the usual
// member lines; unlike a wrapped host object it belongs to its dispatch object
// (TQelScriptingWrapper), so it lives exactly as long as script references to it.
//
// Errors are EOleException with the published error numbers (as HRESULTs of the control
// facility, 0x800A0000 + number) and the object's ProgID as source, so callers through IDispatch
// read the number from EXCEPINFO and our own machine raises the exception object itself.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "engine/wrappers/QelSctConv.h"

// Registers the three ProgIDs once; later calls do nothing.
void QelRegisterScriptingObjects();

// ---------------------------------------------------------------------------
// Shared machinery (ScriptingCore.cpp)

// Error numbers with their texts.
enum TQelScriptingError : int32_t {
  seInvalidCall = 5,          // "Invalid procedure call or argument"
  seSubscript = 9,            // "Subscript out of range"
  seTypeMismatch = 13,        // "Type mismatch"
  seFileNotFound = 53,        // "File not found"
  seBadFileMode = 54,         // "Bad file mode"
  seDeviceIO = 57,            // "Device I/O error"
  seFileExists = 58,          // "File already exists"
  sePastEnd = 62,             // "Input past end of file"
  sePermission = 70,          // "Permission denied"
  sePathNotFound = 76,        // "Path not found"
  seKeyExists = 457,          // "This key is already associated with an element of this collection"
  seRegExpSyntax = 5017,      // "Syntax error in regular expression"
  seRegExpTooComplex = 5019,  // "Regular expression is too complex"
  seNotFound = 32811,         // "Element not found"
};

inline constexpr char16_t QelRegExpProgId[] = u"VBScript.RegExp";
inline constexpr char16_t QelDictionaryProgId[] = u"Scripting.Dictionary";
inline constexpr char16_t QelFileSystemProgId[] = u"Scripting.FileSystemObject";

[[noreturn]] void QelRaiseScriptingError(TQelScriptingError AError, std::u16string_view ASource);
// The HRESULT a scripting error travels as.
constexpr HRESULT QelScriptingHResult(TQelScriptingError AError) {
  return static_cast<HRESULT>(0x800A0000u | static_cast<uint32_t>(AError));
}

// The dispatch object owning one scripting object. DISPID_NEWENUM reaches the member named
// "_NewEnum", so For Each of every language finds the enumerator.
class TQelScriptingWrapper final : public TQelDispWrapper {
 public:
  TQelScriptingWrapper(TQelWrapperClassRef AClass, std::unique_ptr<TObject> AObject);
  TObject* GetObject() const { return FObject.get(); }

  HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                 VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
  HRESULT InvokeDirect(DISPID AId, WORD AFlags, VARIANT* AArgs, UINT AArgCount, VARIANT* AResult,
                       EXCEPINFO* AExcepInfo) override;
  VARIANT InvokeItem(const TQelInvokeItem& AItem, TQelDispArgs AArgs, int AArgsSize, bool IsGet) override;

 private:
  ~TQelScriptingWrapper() override = default;
  DISPID MapId(DISPID AId) const;
  std::unique_ptr<TObject> FObject;
};

// The new object as VT_DISPATCH (one reference for the caller).
VARIANT QelScriptingToVar(TQelWrapperClassRef AClass, std::unique_ptr<TObject> AObject);
template <class W, class T>
VARIANT QelScriptingToVar(std::unique_ptr<T> AObject) {
  return QelScriptingToVar(QelWrapperClass<W>(), std::unique_ptr<TObject>(std::move(AObject)));
}

// An IEnumVARIANT over AItems (taken over) as VT_UNKNOWN: the result of a _NewEnum member.
VARIANT QelNewEnumVar(std::vector<VARIANT> AItems);
// A zero-based one-dimensional variant array of AItems (taken over).
VARIANT QelVariantArray(std::vector<VARIANT> AItems);

// Wrapper structs of the scripting classes: the name a script sees is their TypeName.
template <class Host, const char16_t* AName>
struct TQelScriptingClassOf : TQelClassWrapperOf<Host, TQelClassWrapperBase> {
  static constexpr std::u16string_view TypeName = AName;
  static void RegisterMembers(TQelClassWrapperData& AData);
};

// ---------------------------------------------------------------------------
// Regular expressions (ScriptingRegExp.cpp)

class TQelRegExp : public TObject {
  QEL_CLASS(TQelRegExp, TObject)
 public:
  TQelRegExp();
  ~TQelRegExp() override;
  const String& GetPattern() const { return FPattern; }
  void SetPattern(std::u16string_view AValue);
  bool GetGlobal() const { return FGlobal; }
  void SetGlobal(bool AValue) { FGlobal = AValue; }
  bool GetIgnoreCase() const { return FIgnoreCase; }
  void SetIgnoreCase(bool AValue);
  bool GetMultiline() const { return FMultiline; }
  void SetMultiline(bool AValue);
  bool Test(std::u16string_view AText);
  VARIANT Execute(std::u16string_view AText);
  String Replace(std::u16string_view AText, std::u16string_view AReplacement);

  struct TCompiled;

 private:
  TCompiled& Compiled();
  String FPattern;
  bool FGlobal = false;
  bool FIgnoreCase = false;
  bool FMultiline = false;
  std::unique_ptr<TCompiled> FCompiled;  // made on first use after a change
};

// One match: its text, place and the texts of its groups (Empty for a group that took no part).
class TQelMatch : public TObject {
  QEL_CLASS(TQelMatch, TObject)
 public:
  String Value;
  int32_t FirstIndex = 0;
  std::vector<VARIANT> Groups;  // owned
  ~TQelMatch() override;
  String GetValue() const { return Value; }
  int32_t GetFirstIndex() const { return FirstIndex; }
  int32_t GetLength() const { return static_cast<int32_t>(Value.size()); }
  VARIANT GetSubMatches() const;
};

// A read-only list of values (the matches of Execute, the sub-matches of one match).
class TQelValueList : public TObject {
  QEL_CLASS(TQelValueList, TObject)
 public:
  explicit TQelValueList(std::vector<VARIANT> AItems) : FItems(std::move(AItems)) {}
  ~TQelValueList() override;
  int32_t GetCount() const { return static_cast<int32_t>(FItems.size()); }
  VARIANT GetItem(int32_t AIndex) const;
  VARIANT NewEnum() const;

 private:
  std::vector<VARIANT> FItems;
};

class TQelMatchCollection : public TQelValueList {
  QEL_CLASS(TQelMatchCollection, TQelValueList)
 public:
  using TQelValueList::TQelValueList;
};

class TQelSubMatches : public TQelValueList {
  QEL_CLASS(TQelSubMatches, TQelValueList)
 public:
  using TQelValueList::TQelValueList;
};

// ---------------------------------------------------------------------------
// Dictionary (ScriptingDictionary.cpp)

class TQelDictionary : public TObject {
  QEL_CLASS(TQelDictionary, TObject)
 public:
  TQelDictionary();
  ~TQelDictionary() override;
  void Add(const VARIANT& AKey, const VARIANT& AItem);
  bool Exists(const VARIANT& AKey);
  void Remove(const VARIANT& AKey);
  void RemoveAll();
  int32_t GetCount() const;
  VARIANT GetItem(const VARIANT& AKey);
  void SetItem(const VARIANT& AKey, const VARIANT& AValue);
  void SetKey(const VARIANT& AOldKey, const VARIANT& ANewKey);
  VARIANT Keys() const;
  VARIANT Items() const;
  int32_t GetCompareMode() const;
  void SetCompareMode(int32_t AValue);
  VARIANT NewEnum() const;

  struct TImpl;

 private:
  std::unique_ptr<TImpl> FImpl;
};

// ---------------------------------------------------------------------------
// File system (ScriptingFileSystem.cpp, ScriptingFiles.cpp, ScriptingTextStream.cpp)

enum TQelIOMode : int32_t { ioForReading = 1, ioForWriting = 2, ioForAppending = 8 };
enum TQelTristate : int32_t { tsUseDefault = -2, tsTrue = -1, tsFalse = 0 };

class TQelTextStream : public TObject {
  QEL_CLASS(TQelTextStream, TObject)
 public:
  // Opens APath (raising the scripting errors); ACreate makes a missing file.
  TQelTextStream(const String& APath, TQelIOMode AMode, bool ACreate, TQelTristate AFormat);
  ~TQelTextStream() override;
  String Read(int32_t ACount);
  String ReadLine();
  String ReadAll();
  void Skip(int32_t ACount);
  void SkipLine();
  bool GetAtEndOfStream();
  bool GetAtEndOfLine();
  int32_t GetLine() const { return FLine; }
  int32_t GetColumn() const { return FColumn; }
  void Write(std::u16string_view AText);
  void WriteLine(std::u16string_view AText);
  void WriteBlankLines(int32_t ACount);
  void Close();

 private:
  void CheckReading();
  void CheckWriting();
  // Moves the read position ACount characters on, counting lines and columns.
  void Advance(size_t ACount);
  void Put(std::u16string_view AText);
  TQelIOMode FMode;
  bool FUnicode = false;
  std::FILE* FFile = nullptr;  // writing
  String FText;                // reading: the whole file, decoded
  size_t FPos = 0;
  int32_t FLine = 1;
  int32_t FColumn = 1;
};

class TQelFileSystemObject : public TObject {
  QEL_CLASS(TQelFileSystemObject, TObject)
 public:
  bool FileExists(const String& APath);
  bool FolderExists(const String& APath);
  bool DriveExists(const String& APath);
  VARIANT CreateFolder(const String& APath);
  void DeleteFile(const String& ASpec, bool AForce);
  void DeleteFolder(const String& ASpec, bool AForce);
  void CopyFile(const String& ASource, const String& ADest, bool AOverwrite);
  void MoveFile(const String& ASource, const String& ADest);
  VARIANT GetFile(const String& APath);
  VARIANT GetFolder(const String& APath);
  VARIANT GetSpecialFolder(int32_t AKind);
  String BuildPath(const String& APath, const String& AName);
  String GetBaseName(const String& APath);
  String GetExtensionName(const String& APath);
  String GetFileName(const String& APath);
  String GetParentFolderName(const String& APath);
  String GetAbsolutePathName(const String& APath);
  String GetTempName();
  VARIANT OpenTextFile(const String& APath, int32_t AMode, bool ACreate, int32_t AFormat);
  VARIANT CreateTextFile(const String& APath, bool AOverwrite, bool AUnicode);
};

// A file or folder by its absolute path; its properties are read from the disk when asked.
class TQelFileItem : public TObject {
  QEL_CLASS(TQelFileItem, TObject)
 public:
  explicit TQelFileItem(String APath) : FPath(std::move(APath)) {}
  const String& GetPath() const { return FPath; }
  String GetName() const;
  VARIANT GetParentFolder() const;
  VARIANT GetDateLastModified() const;

 protected:
  // Raises the item's not-found error when it is gone.
  virtual void CheckExists() const = 0;
  String FPath;
};

class TQelFile : public TQelFileItem {
  QEL_CLASS(TQelFile, TQelFileItem)
 public:
  using TQelFileItem::TQelFileItem;
  double GetSize() const;
  void Delete(bool AForce);
  VARIANT OpenAsTextStream(int32_t AMode, int32_t AFormat);

 protected:
  void CheckExists() const override;
};

class TQelFolder : public TQelFileItem {
  QEL_CLASS(TQelFolder, TQelFileItem)
 public:
  using TQelFileItem::TQelFileItem;
  double GetSize() const;
  bool GetIsRootFolder() const { return FPath == u"/"; }
  VARIANT GetFiles() const;
  VARIANT GetSubFolders() const;
  void Delete(bool AForce);

 protected:
  void CheckExists() const override;
};

// The files or the subfolders of one folder when it was asked, by name.
class TQelFileList : public TObject {
  QEL_CLASS(TQelFileList, TObject)
 public:
  TQelFileList(String AFolder, bool AFolders);
  int32_t GetCount() const { return static_cast<int32_t>(FNames.size()); }
  VARIANT GetItem(const String& AName) const;
  VARIANT NewEnum() const;

 private:
  VARIANT ItemAt(size_t AIndex) const;
  String FFolder;
  bool FFolders;
  std::vector<String> FNames;
};

class TQelFileCollection : public TQelFileList {
  QEL_CLASS(TQelFileCollection, TQelFileList)
 public:
  using TQelFileList::TQelFileList;
};

class TQelFolderCollection : public TQelFileList {
  QEL_CLASS(TQelFolderCollection, TQelFileList)
 public:
  using TQelFileList::TQelFileList;
};

// Script-visible class names and their wrappers.
namespace qel_scripting_names {
inline constexpr char16_t RegExp[] = u"RegExp";
inline constexpr char16_t Match[] = u"Match";
inline constexpr char16_t MatchCollection[] = u"MatchCollection";
inline constexpr char16_t SubMatches[] = u"SubMatches";
inline constexpr char16_t Dictionary[] = u"Dictionary";
inline constexpr char16_t FileSystemObject[] = u"FileSystemObject";
inline constexpr char16_t File[] = u"File";
inline constexpr char16_t Folder[] = u"Folder";
inline constexpr char16_t Files[] = u"Files";
inline constexpr char16_t Folders[] = u"Folders";
inline constexpr char16_t TextStream[] = u"TextStream";
}  // namespace qel_scripting_names

using TQelRegExp_sw = TQelScriptingClassOf<TQelRegExp, qel_scripting_names::RegExp>;
using TQelMatch_sw = TQelScriptingClassOf<TQelMatch, qel_scripting_names::Match>;
using TQelMatchCollection_sw = TQelScriptingClassOf<TQelMatchCollection, qel_scripting_names::MatchCollection>;
using TQelSubMatches_sw = TQelScriptingClassOf<TQelSubMatches, qel_scripting_names::SubMatches>;
using TQelDictionary_sw = TQelScriptingClassOf<TQelDictionary, qel_scripting_names::Dictionary>;
using TQelFileSystemObject_sw = TQelScriptingClassOf<TQelFileSystemObject, qel_scripting_names::FileSystemObject>;
using TQelFile_sw = TQelScriptingClassOf<TQelFile, qel_scripting_names::File>;
using TQelFolder_sw = TQelScriptingClassOf<TQelFolder, qel_scripting_names::Folder>;
using TQelFileCollection_sw = TQelScriptingClassOf<TQelFileCollection, qel_scripting_names::Files>;
using TQelFolderCollection_sw = TQelScriptingClassOf<TQelFolderCollection, qel_scripting_names::Folders>;
using TQelTextStream_sw = TQelScriptingClassOf<TQelTextStream, qel_scripting_names::TextStream>;

template <> void TQelRegExp_sw::RegisterMembers(TQelClassWrapperData& AData);
template <> void TQelMatch_sw::RegisterMembers(TQelClassWrapperData& AData);
template <> void TQelMatchCollection_sw::RegisterMembers(TQelClassWrapperData& AData);
template <> void TQelSubMatches_sw::RegisterMembers(TQelClassWrapperData& AData);
template <> void TQelDictionary_sw::RegisterMembers(TQelClassWrapperData& AData);
template <> void TQelFileSystemObject_sw::RegisterMembers(TQelClassWrapperData& AData);
template <> void TQelFile_sw::RegisterMembers(TQelClassWrapperData& AData);
template <> void TQelFolder_sw::RegisterMembers(TQelClassWrapperData& AData);
template <> void TQelFileCollection_sw::RegisterMembers(TQelClassWrapperData& AData);
template <> void TQelFolderCollection_sw::RegisterMembers(TQelClassWrapperData& AData);
template <> void TQelTextStream_sw::RegisterMembers(TQelClassWrapperData& AData);
