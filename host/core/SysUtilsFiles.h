// Host unit "SysUtils", file part: file names, files and folders on the real file system, and
// the FindFirst/FindNext/FindClose search. Names use '/' as the path delimiter; a drive part
// is always empty here.
#pragma once

#include <vector>

#include "host/core/SysUtils.h"

constexpr char16_t PathDelim = u'/';
constexpr char16_t PathSep = u':';

// File attributes as the class library numbers them. A POSIX file is faDirectory, faSymLink,
// faHidden (a name starting with '.'), faReadOnly (not writable by this process) or
// faSysFile (a device, socket or pipe); a plain file with none of these is faNormal.
constexpr int32_t faReadOnly = 0x00000001;
constexpr int32_t faHidden = 0x00000002;
constexpr int32_t faSysFile = 0x00000004;
constexpr int32_t faVolumeID = 0x00000008;
constexpr int32_t faDirectory = 0x00000010;
constexpr int32_t faArchive = 0x00000020;
constexpr int32_t faNormal = 0x00000080;
constexpr int32_t faTemporary = 0x00000100;
constexpr int32_t faSymLink = 0x00000400;
constexpr int32_t faCompressed = 0x00000800;
constexpr int32_t faEncrypted = 0x00004000;
constexpr int32_t faVirtual = 0x00010000;
constexpr int32_t faAnyFile = 0x000001FF;

// ---- file names ----------------------------------------------------------------------------

String ExtractFilePath(std::u16string_view AFileName);  // up to and with the last '/'
String ExtractFileDir(std::u16string_view AFileName);   // without it (the root keeps it)
String ExtractFileName(std::u16string_view AFileName);
String ExtractFileExt(std::u16string_view AFileName);  // with the dot; "" without one
String ExtractFileDrive(std::u16string_view AFileName);
String ChangeFileExt(std::u16string_view AFileName, std::u16string_view AExtension);
String ChangeFilePath(std::u16string_view AFileName, std::u16string_view APath);
String IncludeTrailingPathDelimiter(std::u16string_view S);
String ExcludeTrailingPathDelimiter(std::u16string_view S);
// Absolute, against the current folder, with "." and ".." resolved by name.
String ExpandFileName(std::u16string_view AFileName);
// ADestName relative to the folder of ABaseName ("../b/c.txt").
String ExtractRelativePath(std::u16string_view ABaseName, std::u16string_view ADestName);
// Indexes count from 1, as in the class library; 0 means none.
int32_t LastDelimiter(std::u16string_view ADelimiters, std::u16string_view S);
bool IsDelimiter(std::u16string_view ADelimiters, std::u16string_view S, int32_t AIndex);
bool IsPathDelimiter(std::u16string_view S, int32_t AIndex);

// ---- files and folders ---------------------------------------------------------------------

bool FileExists(std::u16string_view AFileName, bool AFollowLink = true);  // not a folder
bool DirectoryExists(std::u16string_view ADirectory, bool AFollowLink = true);
bool FileOrDirectoryExists(std::u16string_view AName);
// Creates every missing folder of the path; an empty path raises EInOutError
// "Unable to create directory".
bool ForceDirectories(std::u16string_view ADir);
bool CreateDir(std::u16string_view ADir);
bool RemoveDir(std::u16string_view ADir);
bool DeleteFile(std::u16string_view AFileName);
bool RenameFile(std::u16string_view AOldName, std::u16string_view ANewName);
String GetCurrentDir();
bool SetCurrentDir(std::u16string_view ADir);
// -1 when the file does not exist.
int32_t FileGetAttr(std::u16string_view AFileName, bool AFollowLink = true);
// Only faReadOnly changes anything here; returns 0 or the system's error code.
int32_t FileSetAttr(std::u16string_view AFileName, int32_t AAttr);
bool FileIsReadOnly(std::u16string_view AFileName);
bool FileSetReadOnly(std::u16string_view AFileName, bool AReadOnly);
// The first folder of ADirList (separated by PathSep or ';') holding AName, as a full name.
String FileSearch(std::u16string_view AName, std::u16string_view ADirList);
String GetEnvironmentVariable(std::u16string_view AName);
// Bytes free / in all on the file system of the current folder (drive 0); -1 otherwise.
int64_t DiskFree(uint8_t ADrive);
int64_t DiskSize(uint8_t ADrive);

// Modification times: the class library's packed file date (local time, two-second steps)
// and TDateTime.
int32_t DateTimeToFileDate(TDateTime AValue);
TDateTime FileDateToDateTime(int32_t AFileDate);
int32_t FileAge(std::u16string_view AFileName);  // -1 when missing
bool FileAge(std::u16string_view AFileName, TDateTime& AFileDateTime);
int32_t FileSetDate(std::u16string_view AFileName, int32_t AAge);  // 0 or the error code

// Raw file handles (descriptors); -1 on failure. The modes are the fmOpen/fmShare values.
int32_t FileCreate(std::u16string_view AFileName);
int32_t FileOpen(std::u16string_view AFileName, uint32_t AMode);
void FileClose(int32_t AHandle);
int64_t FileSeek(int32_t AHandle, int64_t AOffset, int32_t AOrigin);
int32_t FileGetDate(int32_t AHandle);
bool FileTruncate(int32_t AHandle, int64_t ASize);
// ACount bytes into ABuffer from AOffset on (the buffer grows to hold them) / from ABuffer at
// AOffset; the count moved, or -1. An offset or count outside the buffer raises ERangeError.
int32_t FileRead(int32_t AHandle, std::vector<uint8_t>& ABuffer, int32_t AOffset, int32_t ACount);
int32_t FileWrite(int32_t AHandle, const std::vector<uint8_t>& ABuffer, int32_t AOffset,
                  int32_t ACount);

// ---- search --------------------------------------------------------------------------------

struct TSearchRec {
  int32_t Time = 0;  // packed file date
  int64_t Size = 0;
  int32_t Attr = 0;
  String Name;
  int32_t ExcludeAttr = 0;
  intptr_t FindHandle = 0;
  TDateTime TimeStamp = 0;
};

// APath is a folder and a mask with '*' and '?' ("/tmp/x/*.txt"). Entries come in name order;
// faHidden, faSysFile and faDirectory entries only when AAttr asks for them. Returns 0, or
// the system's error code (ENOENT when nothing matches). FindClose releases the search; a
// FindNext after it returns the error code of a closed search (EBADF).
int32_t FindFirst(std::u16string_view APath, int32_t AAttr, TSearchRec& AResult);
int32_t FindNext(TSearchRec& AResult);
void FindClose(TSearchRec& AResult);
