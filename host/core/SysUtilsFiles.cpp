// File names, files, folders and the file search of "SysUtils" on POSIX calls.
#include "host/core/SysUtilsFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utime.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <map>
#include <mutex>

namespace {

std::string Native(std::u16string_view AName) { return StringToUtf8(AName); }

size_t LastDelimiterPos(std::u16string_view S) {
  const size_t pos = S.find_last_of(PathDelim);
  return pos;
}

// The extension's dot: after the last delimiter, and not a leading dot of a hidden name.
size_t ExtensionPos(std::u16string_view AFileName) {
  const size_t slash = LastDelimiterPos(AFileName);
  const size_t dot = AFileName.find_last_of(u'.');
  if (dot == std::u16string_view::npos || (slash != std::u16string_view::npos && dot < slash))
    return std::u16string_view::npos;
  return dot;
}

bool StatOf(std::u16string_view AName, struct stat& AInfo, bool AFollowLink) {
  if (AName.empty()) return false;
  const std::string name = Native(AName);
  return (AFollowLink ? stat(name.c_str(), &AInfo) : lstat(name.c_str(), &AInfo)) == 0;
}

int32_t AttrOf(std::u16string_view AName, const struct stat& AInfo, bool AIsLink) {
  int32_t attr = 0;
  if (S_ISDIR(AInfo.st_mode)) attr |= faDirectory;
  else if (!S_ISREG(AInfo.st_mode) && !S_ISLNK(AInfo.st_mode)) attr |= faSysFile;
  if (AIsLink) attr |= faSymLink;
  const std::u16string_view base = AName.substr(AName.find_last_of(PathDelim) + 1);
  if (!base.empty() && base[0] == u'.' && base != u"." && base != u"..") attr |= faHidden;
  if ((AInfo.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attr |= faReadOnly;
  return attr ? attr : faNormal;
}

int32_t PackedDate(time_t ATime) {
  struct tm local {};
  localtime_r(&ATime, &local);
  if (local.tm_year < 80) return 0;
  return ((local.tm_year - 80) << 25) | ((local.tm_mon + 1) << 21) | (local.tm_mday << 16) |
         (local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2);
}

TDateTime LocalDateTime(time_t ATime) {
  struct tm local {};
  localtime_r(&ATime, &local);
  TDateTime date = 0, time = 0;
  if (!TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date)) return 0;
  TryEncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), 0, time);
  return date + time;
}

// ---- searches ------------------------------------------------------------------------------

struct TSearch {
  String Folder;  // with its trailing delimiter, or empty for the current folder
  std::vector<String> Names;
  size_t Next = 0;
  int32_t ExcludeAttr = 0;
};

std::mutex SearchLock;
std::map<intptr_t, TSearch> Searches;
intptr_t LastSearchHandle = 0;

// Fills ARec with the next entry of ASearch that matches; false at the end.
bool NextEntry(TSearch& ASearch, TSearchRec& ARec) {
  while (ASearch.Next < ASearch.Names.size()) {
    const String& name = ASearch.Names[ASearch.Next++];
    const String full = ASearch.Folder + name;
    struct stat info {};
    if (!StatOf(full, info, false)) continue;
    const bool link = S_ISLNK(info.st_mode);
    if (link) {
      struct stat target {};
      if (StatOf(full, target, true)) info = target;
    }
    const int32_t attr = AttrOf(name, info, link);
    if (attr & ASearch.ExcludeAttr & (faHidden | faSysFile | faDirectory | faVolumeID)) continue;
    ARec.Name = name;
    ARec.Attr = attr;
    ARec.Size = S_ISDIR(info.st_mode) ? 0 : static_cast<int64_t>(info.st_size);
    ARec.Time = PackedDate(info.st_mtime);
    ARec.TimeStamp = LocalDateTime(info.st_mtime);
    ARec.ExcludeAttr = ASearch.ExcludeAttr;
    return true;
  }
  return false;
}

}  // namespace

// ---- file names ----------------------------------------------------------------------------

String ExtractFilePath(std::u16string_view AFileName) {
  const size_t pos = LastDelimiterPos(AFileName);
  return pos == std::u16string_view::npos ? String() : String(AFileName.substr(0, pos + 1));
}

String ExtractFileDir(std::u16string_view AFileName) {
  const size_t pos = LastDelimiterPos(AFileName);
  if (pos == std::u16string_view::npos) return String();
  return String(AFileName.substr(0, pos == 0 ? 1 : pos));
}

String ExtractFileName(std::u16string_view AFileName) {
  return String(AFileName.substr(LastDelimiterPos(AFileName) + 1));
}

String ExtractFileExt(std::u16string_view AFileName) {
  const size_t dot = ExtensionPos(AFileName);
  return dot == std::u16string_view::npos ? String() : String(AFileName.substr(dot));
}

String ExtractFileDrive(std::u16string_view) { return String(); }

String ChangeFileExt(std::u16string_view AFileName, std::u16string_view AExtension) {
  const size_t dot = ExtensionPos(AFileName);
  return String(AFileName.substr(0, dot == std::u16string_view::npos ? AFileName.size() : dot)) +
         String(AExtension);
}

String ChangeFilePath(std::u16string_view AFileName, std::u16string_view APath) {
  return IncludeTrailingPathDelimiter(APath) + ExtractFileName(AFileName);
}

String IncludeTrailingPathDelimiter(std::u16string_view S) {
  String result(S);
  if (result.empty() || result.back() != PathDelim) result += PathDelim;
  return result;
}

String ExcludeTrailingPathDelimiter(std::u16string_view S) {
  String result(S);
  if (!result.empty() && result.back() == PathDelim) result.pop_back();
  return result;
}

String ExpandFileName(std::u16string_view AFileName) {
  String full = !AFileName.empty() && AFileName[0] == PathDelim
                    ? String(AFileName)
                    : IncludeTrailingPathDelimiter(GetCurrentDir()) + String(AFileName);
  std::vector<String> parts;
  size_t start = 0;
  while (start <= full.size()) {
    size_t end = full.find(PathDelim, start);
    if (end == String::npos) end = full.size();
    const String part = full.substr(start, end - start);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  String result;
  for (const String& part : parts) result += PathDelim + part;
  if (result.empty() ||
      (!AFileName.empty() && AFileName.back() == PathDelim && result.back() != PathDelim)) {
    result += PathDelim;
  }
  return result;
}

String ExtractRelativePath(std::u16string_view ABaseName, std::u16string_view ADestName) {
  const String base = ExtractFilePath(ABaseName), dest = ExtractFilePath(ADestName);
  size_t common = 0;
  for (size_t i = 0; i < base.size() && i < dest.size() && base[i] == dest[i]; ++i) {
    if (base[i] == PathDelim) common = i + 1;
  }
  String result;
  for (size_t i = common; i < base.size(); ++i) {
    if (base[i] == PathDelim) result += u"../";
  }
  return result + dest.substr(common) + ExtractFileName(ADestName);
}

int32_t LastDelimiter(std::u16string_view ADelimiters, std::u16string_view S) {
  const size_t pos = S.find_last_of(ADelimiters);
  return pos == std::u16string_view::npos ? 0 : static_cast<int32_t>(pos + 1);
}

bool IsDelimiter(std::u16string_view ADelimiters, std::u16string_view S, int32_t AIndex) {
  if (AIndex < 1 || AIndex > static_cast<int32_t>(S.size())) return false;
  return ADelimiters.find(S[AIndex - 1]) != std::u16string_view::npos;
}

bool IsPathDelimiter(std::u16string_view S, int32_t AIndex) {
  return IsDelimiter(std::u16string_view(&PathDelim, 1), S, AIndex);
}

// ---- files and folders ---------------------------------------------------------------------

bool FileExists(std::u16string_view AFileName, bool AFollowLink) {
  struct stat info {};
  return StatOf(AFileName, info, AFollowLink) && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(std::u16string_view ADirectory, bool AFollowLink) {
  struct stat info {};
  return StatOf(ADirectory, info, AFollowLink) && S_ISDIR(info.st_mode);
}

bool FileOrDirectoryExists(std::u16string_view AName) {
  struct stat info {};
  return StatOf(AName, info, true);
}

bool ForceDirectories(std::u16string_view ADir) {
  const String dir = ExcludeTrailingPathDelimiter(ADir);
  if (dir.empty()) {
    if (!ADir.empty()) return true;  // the root
    throw ExceptionPtr(new EInOutError(u"Unable to create directory"));
  }
  if (DirectoryExists(dir)) return true;
  const String parent = ExtractFileDir(dir);
  if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
  return CreateDir(dir) || DirectoryExists(dir);
}

bool CreateDir(std::u16string_view ADir) {
  return !ADir.empty() && mkdir(Native(ADir).c_str(), 0777) == 0;
}
bool RemoveDir(std::u16string_view ADir) {
  return !ADir.empty() && rmdir(Native(ADir).c_str()) == 0;
}

bool DeleteFile(std::u16string_view AFileName) {
  return !AFileName.empty() && !DirectoryExists(AFileName, false) &&
         unlink(Native(AFileName).c_str()) == 0;
}

bool RenameFile(std::u16string_view AOldName, std::u16string_view ANewName) {
  // rename() would replace an existing target; the class library's RenameFile refuses.
  if (AOldName.empty() || ANewName.empty() || FileOrDirectoryExists(ANewName)) return false;
  return rename(Native(AOldName).c_str(), Native(ANewName).c_str()) == 0;
}

String GetCurrentDir() {
  std::string buffer(4096, '\0');
  while (!getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return String();
    buffer.resize(buffer.size() * 2);
  }
  return Utf8ToString(buffer.c_str());
}

bool SetCurrentDir(std::u16string_view ADir) {
  return !ADir.empty() && chdir(Native(ADir).c_str()) == 0;
}

int32_t FileGetAttr(std::u16string_view AFileName, bool AFollowLink) {
  struct stat info {};
  if (!StatOf(AFileName, info, false)) return -1;
  const bool link = S_ISLNK(info.st_mode);
  if (link && AFollowLink) StatOf(AFileName, info, true);
  return AttrOf(AFileName, info, link);
}

int32_t FileSetAttr(std::u16string_view AFileName, int32_t AAttr) {
  struct stat info {};
  if (!StatOf(AFileName, info, true)) return ENOENT;
  mode_t mode = info.st_mode & 07777;
  mode = (AAttr & faReadOnly) ? mode & ~(S_IWUSR | S_IWGRP | S_IWOTH) : mode | S_IWUSR;
  return chmod(Native(AFileName).c_str(), mode) == 0 ? 0 : errno;
}

// By the file's mode, as FileGetAttr: a process with the right to write anyway (root) still sees
// the read-only file it asked for.
bool FileIsReadOnly(std::u16string_view AFileName) {
  const int32_t attr = FileGetAttr(AFileName);
  return attr != -1 && (attr & faReadOnly) != 0;
}

bool FileSetReadOnly(std::u16string_view AFileName, bool AReadOnly) {
  return FileSetAttr(AFileName, AReadOnly ? faReadOnly : 0) == 0;
}

String FileSearch(std::u16string_view AName, std::u16string_view ADirList) {
  if (FileExists(AName)) return String(AName);
  size_t start = 0;
  while (start < ADirList.size()) {
    size_t end = ADirList.find_first_of(u":;", start);
    if (end == std::u16string_view::npos) end = ADirList.size();
    const std::u16string_view dir = ADirList.substr(start, end - start);
    if (!dir.empty()) {
      const String candidate = IncludeTrailingPathDelimiter(dir) + String(AName);
      if (FileExists(candidate)) return candidate;
    }
    start = end + 1;
  }
  return String();
}

String GetEnvironmentVariable(std::u16string_view AName) {
  const char* value = AName.empty() ? nullptr : getenv(Native(AName).c_str());
  return value ? Utf8ToString(value) : String();
}

namespace {
int64_t DiskFigure(uint8_t ADrive, bool AFree) {
  struct statvfs info {};
  if (ADrive != 0 || statvfs(".", &info) != 0) return -1;
  return static_cast<int64_t>(AFree ? info.f_bavail : info.f_blocks) *
         static_cast<int64_t>(info.f_frsize);
}
}  // namespace

int64_t DiskFree(uint8_t ADrive) { return DiskFigure(ADrive, true); }
int64_t DiskSize(uint8_t ADrive) { return DiskFigure(ADrive, false); }

// ---- file dates ----------------------------------------------------------------------------

int32_t DateTimeToFileDate(TDateTime AValue) {
  int year, month, day, hour, minute, second, msec;
  DecodeDate(AValue, year, month, day);
  DecodeTime(AValue, hour, minute, second, msec);
  if (year < 1980 || year > 2107) return 0;
  return ((year - 1980) << 25) | (month << 21) | (day << 16) | (hour << 11) | (minute << 5) |
         (second / 2);
}

TDateTime FileDateToDateTime(int32_t AFileDate) {
  const auto bits = static_cast<uint32_t>(AFileDate);
  TDateTime date = 0, time = 0;
  if (!TryEncodeDate(static_cast<int>(bits >> 25) + 1980, (bits >> 21) & 15, (bits >> 16) & 31,
                     date) ||
      !TryEncodeTime((bits >> 11) & 31, (bits >> 5) & 63, (bits & 31) * 2, 0, time)) {
    throw ExceptionPtr(new EConvertError(u"Invalid argument to date encode"));
  }
  return date + time;
}

int32_t FileAge(std::u16string_view AFileName) {
  struct stat info {};
  return StatOf(AFileName, info, true) && !S_ISDIR(info.st_mode) ? PackedDate(info.st_mtime) : -1;
}

bool FileAge(std::u16string_view AFileName, TDateTime& AFileDateTime) {
  struct stat info {};
  if (!StatOf(AFileName, info, true) || S_ISDIR(info.st_mode)) return false;
  AFileDateTime = LocalDateTime(info.st_mtime);
  return true;
}

int32_t FileSetDate(std::u16string_view AFileName, int32_t AAge) {
  const TDateTime value = FileDateToDateTime(AAge);
  int year, month, day, hour, minute, second, msec;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, msec);
  struct tm local {};
  local.tm_year = year - 1900, local.tm_mon = month - 1, local.tm_mday = day;
  local.tm_hour = hour, local.tm_min = minute, local.tm_sec = second, local.tm_isdst = -1;
  struct utimbuf times {};
  times.actime = times.modtime = mktime(&local);
  return utime(Native(AFileName).c_str(), &times) == 0 ? 0 : errno;
}

// ---- handles -------------------------------------------------------------------------------

int32_t FileCreate(std::u16string_view AFileName) {
  return AFileName.empty()
             ? -1
             : open(Native(AFileName).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

int32_t FileOpen(std::u16string_view AFileName, uint32_t AMode) {
  static constexpr int Access[] = {O_RDONLY, O_WRONLY, O_RDWR};
  if (AFileName.empty() || (AMode & 3) > 2) return -1;
  return open(Native(AFileName).c_str(), Access[AMode & 3] | O_CLOEXEC);
}

void FileClose(int32_t AHandle) {
  if (AHandle >= 0) close(AHandle);
}

int64_t FileSeek(int32_t AHandle, int64_t AOffset, int32_t AOrigin) {
  static constexpr int Whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (AOrigin < 0 || AOrigin > 2) return -1;
  return lseek(AHandle, AOffset, Whence[AOrigin]);
}

int32_t FileGetDate(int32_t AHandle) {
  struct stat info {};
  return fstat(AHandle, &info) == 0 ? PackedDate(info.st_mtime) : -1;
}

bool FileTruncate(int32_t AHandle, int64_t ASize) {
  return ASize >= 0 && ftruncate(AHandle, ASize) == 0;
}

int32_t FileRead(int32_t AHandle, std::vector<uint8_t>& ABuffer, int32_t AOffset, int32_t ACount) {
  if (AOffset < 0 || ACount < 0) throw ExceptionPtr(new ERangeError());
  std::vector<uint8_t> bytes(static_cast<size_t>(std::min(ACount, 1 << 20)));
  int32_t total = 0;
  // In pieces, so a huge count allocates only for what the file gives.
  while (total < ACount) {
    const ssize_t count =
        read(AHandle, bytes.data(), std::min<size_t>(bytes.size(), ACount - total));
    if (count < 0) return total ? total : -1;
    if (count == 0) break;
    const size_t at = static_cast<size_t>(AOffset) + total;
    if (ABuffer.size() < at + count) ABuffer.resize(at + count);
    std::copy(bytes.begin(), bytes.begin() + count, ABuffer.begin() + at);
    total += static_cast<int32_t>(count);
  }
  return total;
}

int32_t FileWrite(int32_t AHandle, const std::vector<uint8_t>& ABuffer, int32_t AOffset,
                  int32_t ACount) {
  if (AOffset < 0 || ACount < 0 ||
      static_cast<size_t>(AOffset) + static_cast<size_t>(ACount) > ABuffer.size()) {
    throw ExceptionPtr(new ERangeError());
  }
  const ssize_t count = write(AHandle, ABuffer.data() + AOffset, static_cast<size_t>(ACount));
  return count < 0 ? -1 : static_cast<int32_t>(count);
}

// ---- search --------------------------------------------------------------------------------

int32_t FindFirst(std::u16string_view APath, int32_t AAttr, TSearchRec& AResult) {
  TSearch search;
  search.Folder = ExtractFilePath(APath);
  const std::string mask = Native(ExtractFileName(APath));
  search.ExcludeAttr = ~AAttr & (faHidden | faSysFile | faVolumeID | faDirectory);
  DIR* dir = opendir(search.Folder.empty() ? "." : Native(search.Folder).c_str());
  if (!dir) return errno;
  while (const dirent* entry = readdir(dir)) {
    if (fnmatch(mask.c_str(), entry->d_name, 0) == 0)
      search.Names.push_back(Utf8ToString(entry->d_name));
  }
  closedir(dir);
  std::sort(search.Names.begin(), search.Names.end());
  if (!NextEntry(search, AResult)) return ENOENT;
  std::lock_guard<std::mutex> lock(SearchLock);
  AResult.FindHandle = ++LastSearchHandle;
  Searches.emplace(AResult.FindHandle, std::move(search));
  return 0;
}

int32_t FindNext(TSearchRec& AResult) {
  std::lock_guard<std::mutex> lock(SearchLock);
  auto found = Searches.find(AResult.FindHandle);
  if (found == Searches.end()) return EBADF;
  return NextEntry(found->second, AResult) ? 0 : ENOENT;
}

void FindClose(TSearchRec& AResult) {
  std::lock_guard<std::mutex> lock(SearchLock);
  Searches.erase(AResult.FindHandle);
  AResult.FindHandle = 0;
}
