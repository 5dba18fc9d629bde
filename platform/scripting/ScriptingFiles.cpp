// File and Folder objects and the Files and SubFolders collections of a folder.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>

#include "platform/scripting/ScriptingInternal.h"

namespace fs = std::filesystem;
using namespace qel_scripting_detail;

namespace {

bool StatOf(const String& APath, struct stat& AInfo) { return ::stat(FsPath(APath).c_str(), &AInfo) == 0; }

// A modification time as a local date value.
VARIANT LocalDateVar(const timespec& ATime) {
  struct tm local{};
  const time_t seconds = ATime.tv_sec;
  localtime_r(&seconds, &local);
  TDateTime date = 0, time = 0;
  if (!TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date) ||
      !TryEncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), 0, time))
    return VARIANT{};
  return QelDateVar(date >= 0 ? date + time : date - time);
}

}  // namespace

namespace qel_scripting_detail {

VARIANT NewFileVar(std::u16string_view APath) {
  return QelScriptingToVar<TQelFile_sw>(std::make_unique<TQelFile>(AbsolutePath(APath)));
}

VARIANT NewFolderVar(std::u16string_view APath) {
  return QelScriptingToVar<TQelFolder_sw>(std::make_unique<TQelFolder>(AbsolutePath(APath)));
}

}  // namespace qel_scripting_detail

// ---- files and folders ---------------------------------------------------------------------

String TQelFileItem::GetName() const {
  const size_t slash = FPath.rfind(u'/');
  return FPath == u"/" ? String() : FPath.substr(slash + 1);
}

// The root's parent is Nothing.
VARIANT TQelFileItem::GetParentFolder() const {
  if (FPath == u"/") return NilObjectVar();
  const size_t slash = FPath.rfind(u'/');
  return NewFolderVar(slash == 0 ? String(u"/") : FPath.substr(0, slash));
}

VARIANT TQelFileItem::GetDateLastModified() const {
  CheckExists();
  struct stat info{};
  StatOf(FPath, info);
  return LocalDateVar(info.st_mtim);
}

void TQelFile::CheckExists() const {
  struct stat info{};
  if (!StatOf(FPath, info) || S_ISDIR(info.st_mode)) RaiseFs(seFileNotFound);
}

double TQelFile::GetSize() const {
  CheckExists();
  struct stat info{};
  StatOf(FPath, info);
  return static_cast<double>(info.st_size);
}

void TQelFile::Delete(bool) {
  if (::unlink(FsPath(FPath).c_str()) != 0) RaiseFsErrno(errno, seFileNotFound);
}

VARIANT TQelFile::OpenAsTextStream(int32_t AMode, int32_t AFormat) {
  CheckExists();
  TQelFileSystemObject fso;
  return fso.OpenTextFile(FPath, AMode, false, AFormat);
}

void TQelFolder::CheckExists() const {
  struct stat info{};
  if (!StatOf(FPath, info) || !S_ISDIR(info.st_mode)) RaiseFs(sePathNotFound);
}

// The bytes of every file below the folder; what cannot be read is left out.
double TQelFolder::GetSize() const {
  CheckExists();
  double total = 0;
  std::error_code error;
  for (fs::recursive_directory_iterator it(FsPath(FPath), fs::directory_options::skip_permission_denied, error), end;
       !error && it != end; it.increment(error)) {
    std::error_code sizeError;
    if (it->is_regular_file(sizeError)) {
      const auto size = it->file_size(sizeError);
      if (!sizeError) total += static_cast<double>(size);
    }
  }
  return total;
}

VARIANT TQelFolder::GetFiles() const {
  CheckExists();
  return QelScriptingToVar<TQelFileCollection_sw>(std::make_unique<TQelFileCollection>(FPath, false));
}

VARIANT TQelFolder::GetSubFolders() const {
  CheckExists();
  return QelScriptingToVar<TQelFolderCollection_sw>(std::make_unique<TQelFolderCollection>(FPath, true));
}

void TQelFolder::Delete(bool AForce) {
  TQelFileSystemObject fso;
  fso.DeleteFolder(FPath, AForce);
}

// ---- collections ---------------------------------------------------------------------------

TQelFileList::TQelFileList(String AFolder, bool AFolders) : FFolder(std::move(AFolder)), FFolders(AFolders) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(FsPath(FFolder), error)) {
    std::error_code kindError;
    if (entry.is_directory(kindError) == AFolders) FNames.push_back(Utf8ToString(entry.path().filename().string()));
  }
  std::sort(FNames.begin(), FNames.end());
}

VARIANT TQelFileList::ItemAt(size_t AIndex) const {
  const String path = FFolder == u"/" ? u"/" + FNames[AIndex] : FFolder + u'/' + FNames[AIndex];
  return FFolders ? NewFolderVar(path) : NewFileVar(path);
}

VARIANT TQelFileList::GetItem(const String& AName) const {
  const auto found = std::find(FNames.begin(), FNames.end(), AName);
  if (found == FNames.end()) RaiseFs(FFolders ? sePathNotFound : seFileNotFound);
  return ItemAt(static_cast<size_t>(found - FNames.begin()));
}

VARIANT TQelFileList::NewEnum() const {
  std::vector<VARIANT> items;
  for (size_t i = 0; i < FNames.size(); ++i) items.push_back(ItemAt(i));
  return QelNewEnumVar(std::move(items));
}

// ---- members -------------------------------------------------------------------------------

namespace {
template <class T>
void RegisterItemMembers(TQelMembers<T>& M) {
  M.template Property<&TQelFileItem::GetPath>(u"Path", qpDefault);
  M.template Property<&TQelFileItem::GetName>(u"Name");
  M.template Property<&TQelFileItem::GetParentFolder>(u"ParentFolder");
  M.template Property<&TQelFileItem::GetDateLastModified>(u"DateLastModified");
  M.template Property<&T::GetSize>(u"Size");
}

}  // namespace

template <>
void TQelFile_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TQelFile> M(AData);
  RegisterItemMembers(M);
  M.Method<&TQelFile::Delete, QelDefaults<false>>(u"Delete");
  M.Method<&TQelFile::OpenAsTextStream, QelDefaults<ioForReading, tsFalse>>(u"OpenAsTextStream");
}

template <>
void TQelFolder_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TQelFolder> M(AData);
  RegisterItemMembers(M);
  M.Property<&TQelFolder::GetIsRootFolder>(u"IsRootFolder");
  M.Property<&TQelFolder::GetFiles>(u"Files");
  M.Property<&TQelFolder::GetSubFolders>(u"SubFolders");
  M.Method<&TQelFolder::Delete, QelDefaults<false>>(u"Delete");
}

template <>
void TQelFileCollection_sw::RegisterMembers(TQelClassWrapperData& AData) {
  QelRegisterCollectionMembers<TQelFileCollection, TQelFileList>(AData);
}

template <>
void TQelFolderCollection_sw::RegisterMembers(TQelClassWrapperData& AData) {
  QelRegisterCollectionMembers<TQelFolderCollection, TQelFileList>(AData);
}
