// "Scripting.FileSystemObject": tests, creation, deletion, copies and moves of files and
// folders (with * and ? in the last part of a source), path texts, and text files.
#include <fnmatch.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "platform/scripting/ScriptingInternal.h"

namespace fs = std::filesystem;
using namespace qel_scripting_detail;

namespace {

bool IsWildcard(std::u16string_view AName) { return AName.find_first_of(u"*?") != std::u16string_view::npos; }

// The path without trailing slashes ("/" stays).
std::u16string_view TrimSlashes(std::u16string_view APath) {
  while (APath.size() > 1 && APath.back() == u'/') APath.remove_suffix(1);
  return APath;
}

std::u16string_view NamePart(std::u16string_view APath) {
  APath = TrimSlashes(APath);
  if (APath == u"/") return {};
  const size_t slash = APath.rfind(u'/');
  return slash == std::u16string_view::npos ? APath : APath.substr(slash + 1);
}

std::u16string_view FolderPart(std::u16string_view APath) {
  APath = TrimSlashes(APath);
  const size_t slash = APath.rfind(u'/');
  if (slash == std::u16string_view::npos || APath == u"/") return {};
  return slash == 0 ? APath.substr(0, 1) : TrimSlashes(APath.substr(0, slash));
}

bool IsDir(const std::string& APath) {
  struct stat info{};
  return ::stat(APath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
bool IsFile(const std::string& APath) {
  struct stat info{};
  return ::stat(APath.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

// The paths a source names: itself, or the entries of its folder its last part matches.
std::vector<std::string> Expand(std::u16string_view ASpec, bool AFolders) {
  std::vector<std::string> result;
  const std::u16string_view name = NamePart(ASpec);
  if (!IsWildcard(name)) {
    const std::string path = FsPath(TrimSlashes(ASpec));
    if (AFolders ? IsDir(path) : IsFile(path)) result.push_back(path);
    return result;
  }
  const std::u16string_view folder = FolderPart(ASpec);
  const std::string dir = folder.empty() ? std::string(".") : FsPath(folder);
  const std::string pattern = StringToUtf8(name);
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir, error)) {
    const std::string entryName = entry.path().filename().string();
    if (fnmatch(pattern.c_str(), entryName.c_str(), FNM_PERIOD) != 0) continue;
    if (AFolders ? IsDir(entry.path().string()) : IsFile(entry.path().string())) result.push_back(entry.path().string());
  }
  return result;
}

// Where a copy or move of ASource goes: into ADest when it ends with a slash or when several
// sources are copied, else to ADest itself.
std::string TargetOf(const std::string& ASource, std::u16string_view ADest, bool AIntoFolder) {
  if (!AIntoFolder) return FsPath(ADest);
  const std::string folder = FsPath(TrimSlashes(ADest));
  if (!IsDir(folder)) RaiseFs(sePathNotFound);
  return (fs::path(folder) / fs::path(ASource).filename()).string();
}

void CheckTargetFolder(const std::string& ATarget) {
  const fs::path parent = fs::path(ATarget).parent_path();
  if (!parent.empty() && !IsDir(parent.string())) RaiseFs(sePathNotFound);
  if (IsDir(ATarget)) RaiseFs(sePermission);
}

}  // namespace

bool TQelFileSystemObject::FileExists(const String& APath) { return !APath.empty() && IsFile(FsPath(APath)); }
bool TQelFileSystemObject::FolderExists(const String& APath) { return !APath.empty() && IsDir(FsPath(APath)); }

// Drives are the roots of mounted file systems: a folder on another device than its parent.
bool TQelFileSystemObject::DriveExists(const String& APath) {
  const std::string path = FsPath(AbsolutePath(APath));
  struct stat self{}, parent{};
  if (::stat(path.c_str(), &self) != 0 || !S_ISDIR(self.st_mode)) return false;
  if (path == "/") return true;
  return ::stat((path + "/..").c_str(), &parent) == 0 && parent.st_dev != self.st_dev;
}

VARIANT TQelFileSystemObject::CreateFolder(const String& APath) {
  const std::string path = FsPath(TrimSlashes(APath));
  struct stat info{};
  if (::stat(path.c_str(), &info) == 0) RaiseFs(seFileExists);
  if (::mkdir(path.c_str(), 0777) != 0) RaiseFsErrno(errno, sePathNotFound);
  return NewFolderVar(APath);
}

void TQelFileSystemObject::DeleteFile(const String& ASpec, bool) {
  const std::vector<std::string> paths = Expand(ASpec, false);
  if (paths.empty()) RaiseFs(seFileNotFound);
  for (const std::string& path : paths)
    if (::unlink(path.c_str()) != 0) RaiseFsErrno(errno, seFileNotFound);
}

void TQelFileSystemObject::DeleteFolder(const String& ASpec, bool) {
  const std::vector<std::string> paths = Expand(ASpec, true);
  if (paths.empty()) RaiseFs(sePathNotFound);
  for (const std::string& path : paths) {
    std::error_code error;
    fs::remove_all(path, error);
    if (error) RaiseFsErrno(error.value(), sePathNotFound);
  }
}

void TQelFileSystemObject::CopyFile(const String& ASource, const String& ADest, bool AOverwrite) {
  const std::vector<std::string> sources = Expand(ASource, false);
  if (sources.empty()) RaiseFs(seFileNotFound);
  const bool into = IsWildcard(NamePart(ASource)) || (!ADest.empty() && ADest.back() == u'/');
  for (const std::string& source : sources) {
    const std::string target = TargetOf(source, ADest, into);
    CheckTargetFolder(target);
    if (IsFile(target) && !AOverwrite) RaiseFs(seFileExists);
    std::error_code error;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
    if (error) RaiseFsErrno(error.value(), sePathNotFound);
  }
}

// A move never replaces an existing file.
void TQelFileSystemObject::MoveFile(const String& ASource, const String& ADest) {
  const std::vector<std::string> sources = Expand(ASource, false);
  if (sources.empty()) RaiseFs(seFileNotFound);
  const bool into = IsWildcard(NamePart(ASource)) || (!ADest.empty() && ADest.back() == u'/');
  for (const std::string& source : sources) {
    const std::string target = TargetOf(source, ADest, into);
    CheckTargetFolder(target);
    if (IsFile(target)) RaiseFs(seFileExists);
    std::error_code error;
    fs::rename(source, target, error);
    if (error == std::errc::cross_device_link) {
      error.clear();
      if (fs::copy_file(source, target, error)) fs::remove(source, error);
    }
    if (error) RaiseFsErrno(error.value(), sePathNotFound);
  }
}

VARIANT TQelFileSystemObject::GetFile(const String& APath) {
  if (!FileExists(APath)) RaiseFs(seFileNotFound);
  return NewFileVar(APath);
}

VARIANT TQelFileSystemObject::GetFolder(const String& APath) {
  if (!FolderExists(APath)) RaiseFs(sePathNotFound);
  return NewFolderVar(APath);
}

// Only the temporary folder (2) has a meaning here: $TMPDIR, else /tmp.
VARIANT TQelFileSystemObject::GetSpecialFolder(int32_t AKind) {
  if (AKind != 2) RaiseFs(seInvalidCall);
  std::error_code error;
  const fs::path temp = fs::temp_directory_path(error);
  return NewFolderVar(Utf8ToString(error ? std::string("/tmp") : temp.string()));
}

String TQelFileSystemObject::BuildPath(const String& APath, const String& AName) {
  if (APath.empty()) return AName;
  std::u16string_view name = AName;
  while (!name.empty() && name.front() == u'/') name.remove_prefix(1);
  return APath.back() == u'/' ? APath + String(name) : APath + u'/' + String(name);
}

String TQelFileSystemObject::GetFileName(const String& APath) { return String(NamePart(APath)); }

String TQelFileSystemObject::GetBaseName(const String& APath) {
  const std::u16string_view name = NamePart(APath);
  const size_t dot = name.rfind(u'.');
  return String(dot == std::u16string_view::npos ? name : name.substr(0, dot));
}

String TQelFileSystemObject::GetExtensionName(const String& APath) {
  const std::u16string_view name = NamePart(APath);
  const size_t dot = name.rfind(u'.');
  return dot == std::u16string_view::npos ? String() : String(name.substr(dot + 1));
}

String TQelFileSystemObject::GetParentFolderName(const String& APath) { return String(FolderPart(APath)); }

String TQelFileSystemObject::GetAbsolutePathName(const String& APath) { return AbsolutePath(APath); }

String TQelFileSystemObject::GetTempName() {
  static thread_local std::mt19937 random{std::random_device{}()};
  char16_t digits[6];
  const uint32_t value = random() & 0xFFFFF;
  for (int i = 0; i < 5; ++i) digits[i] = u"0123456789ABCDEF"[(value >> (16 - 4 * i)) & 0xF];
  return u"rad" + String(digits, 5) + u".tmp";
}

VARIANT TQelFileSystemObject::OpenTextFile(const String& APath, int32_t AMode, bool ACreate, int32_t AFormat) {
  if (AMode != ioForReading && AMode != ioForWriting && AMode != ioForAppending) RaiseFs(seInvalidCall);
  if (AFormat < tsUseDefault || AFormat > tsFalse) RaiseFs(seInvalidCall);
  return QelScriptingToVar<TQelTextStream_sw>(std::make_unique<TQelTextStream>(
      APath, static_cast<TQelIOMode>(AMode), ACreate, static_cast<TQelTristate>(AFormat)));
}

VARIANT TQelFileSystemObject::CreateTextFile(const String& APath, bool AOverwrite, bool AUnicode) {
  if (!AOverwrite && FileExists(APath)) RaiseFs(seFileExists);
  return QelScriptingToVar<TQelTextStream_sw>(
      std::make_unique<TQelTextStream>(APath, ioForWriting, true, AUnicode ? tsTrue : tsFalse));
}

// ---- shared helpers ------------------------------------------------------------------------

namespace qel_scripting_detail {

std::string FsPath(std::u16string_view APath) {
  if (APath.find(u'\0') != std::u16string_view::npos) RaiseFs(seInvalidCall);  // never cut short
  return StringToUtf8(APath);
}

void RaiseFs(TQelScriptingError AError) { QelRaiseScriptingError(AError, QelFileSystemProgId); }

void RaiseFsErrno(int AErrno, TQelScriptingError ANotFound) {
  switch (AErrno) {
    case ENOENT: case ENOTDIR: RaiseFs(ANotFound);
    case EEXIST: case ENOTEMPTY: RaiseFs(seFileExists);
    case EACCES: case EPERM: case EROFS: case EISDIR: case EBUSY: RaiseFs(sePermission);
    default: RaiseFs(seDeviceIO);
  }
}

String AbsolutePath(std::u16string_view APath) {
  std::error_code error;
  fs::path path = fs::absolute(fs::path(FsPath(APath.empty() ? u"." : APath)), error).lexically_normal();
  String text = Utf8ToString(path.string());
  return String(TrimSlashes(text));
}

}  // namespace qel_scripting_detail

template <>
void TQelFileSystemObject_sw::RegisterMembers(TQelClassWrapperData& AData) {
  using F = TQelFileSystemObject;
  TQelMembers<F> M(AData);
  M.Method<&F::FileExists>(u"FileExists");
  M.Method<&F::FolderExists>(u"FolderExists");
  M.Method<&F::DriveExists>(u"DriveExists");
  M.Method<&F::CreateFolder>(u"CreateFolder");
  M.Method<&F::DeleteFile, QelDefaults<false>>(u"DeleteFile");
  M.Method<&F::DeleteFolder, QelDefaults<false>>(u"DeleteFolder");
  M.Method<&F::CopyFile, QelDefaults<true>>(u"CopyFile");
  M.Method<&F::MoveFile>(u"MoveFile");
  M.Method<&F::GetFile>(u"GetFile");
  M.Method<&F::GetFolder>(u"GetFolder");
  M.Method<&F::GetSpecialFolder>(u"GetSpecialFolder");
  M.Method<&F::BuildPath>(u"BuildPath");
  M.Method<&F::GetBaseName>(u"GetBaseName");
  M.Method<&F::GetExtensionName>(u"GetExtensionName");
  M.Method<&F::GetFileName>(u"GetFileName");
  M.Method<&F::GetParentFolderName>(u"GetParentFolderName");
  M.Method<&F::GetAbsolutePathName>(u"GetAbsolutePathName");
  M.Method<&F::GetTempName>(u"GetTempName");
  M.Method<&F::OpenTextFile, QelDefaults<ioForReading, false, tsFalse>>(u"OpenTextFile");
  M.Method<&F::CreateTextFile, QelDefaults<true, false>>(u"CreateTextFile");
}
