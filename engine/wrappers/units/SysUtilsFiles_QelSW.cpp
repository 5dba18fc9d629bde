// The "SysUtils" unit wrapper, file part: file names, files, folders and the search record.
#include "engine/wrappers/units/SysUtils_QelSW.h"

namespace {

using TSearchArg = TQelOutRecord<TSearchRec>;

int32_t FindFirstOf(std::u16string_view APath, int32_t AAttr, TSearchArg& AResult) {
  return FindFirst(APath, AAttr, AResult.Value);
}
int32_t FindNextOf(TSearchArg& AResult) { return FindNext(AResult.Value); }
void FindCloseOf(TSearchArg& AResult) { FindClose(AResult.Value); }

int32_t FileAgeOf(std::u16string_view AFileName) { return FileAge(AFileName); }
bool FileAgeAsDate(std::u16string_view AFileName, TQelDate& ADate) {
  return FileAge(AFileName, ADate.Value);
}
TQelDate FileDateToDateTimeOf(int32_t AFileDate) { return {FileDateToDateTime(AFileDate)}; }
String SameName(std::u16string_view AFileName) { return String(AFileName); }
String ExpandOf(std::u16string_view AFileName) { return ExpandFileName(AFileName); }
uint32_t SearchHandle(const TSearchRec& ARec) { return static_cast<uint32_t>(ARec.FindHandle); }

}  // namespace

void TSearchRec_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TSearchRec_sw> M(AData);
  M.CreateAndCopy();
  M.Field<&TSearchRec::Time>(u"Time");
  M.Field<&TSearchRec::Size>(u"Size");
  M.Field<&TSearchRec::Attr>(u"Attr");
  M.Field<&TSearchRec::Name>(u"Name");
  M.Field<&TSearchRec::ExcludeAttr>(u"ExcludeAttr");
  M.Method<&SearchHandle>(u"FindHandle");
  M.FieldAs<&TSearchRec::TimeStamp, TDateTime_sw>(u"TimeStamp");
}

void QelSysUtilsFiles(TQelUnitMembers& M) {
  QelAddTypes<TSearchRec_sw>(M);
  M.Constant<PathDelim>(u"PathDelim");
  M.Constant<PathSep>(u"PathSep");
  M.Constant<faReadOnly>(u"faReadOnly");
  M.Constant<faHidden>(u"faHidden");
  M.Constant<faSysFile>(u"faSysFile");
  M.Constant<faVolumeID>(u"faVolumeID");
  M.Constant<faDirectory>(u"faDirectory");
  M.Constant<faArchive>(u"faArchive");
  M.Constant<faNormal>(u"faNormal");
  M.Constant<faTemporary>(u"faTemporary");
  M.Constant<faSymLink>(u"faSymLink");
  M.Constant<faCompressed>(u"faCompressed");
  M.Constant<faEncrypted>(u"faEncrypted");
  M.Constant<faVirtual>(u"faVirtual");
  M.Constant<faAnyFile>(u"faAnyFile");
  QelAddFileModeConstants(M);

  M.Routine<&ExtractFilePath>(u"ExtractFilePath");
  M.Routine<&ExtractFileDir>(u"ExtractFileDir");
  M.Routine<&ExtractFileName>(u"ExtractFileName");
  M.Routine<&ExtractFileExt>(u"ExtractFileExt");
  M.Routine<&ExtractFileDrive>(u"ExtractFileDrive");
  M.Routine<&SameName>(u"ExtractShortPathName");
  M.Routine<&ChangeFileExt>(u"ChangeFileExt");
  M.Routine<&ChangeFilePath>(u"ChangeFilePath");
  M.Routine<&IncludeTrailingPathDelimiter>(u"IncludeTrailingPathDelimiter");
  M.Routine<&ExcludeTrailingPathDelimiter>(u"ExcludeTrailingPathDelimiter");
  M.Routine<&IncludeTrailingPathDelimiter>(u"IncludeTrailingBackslash");
  M.Routine<&ExcludeTrailingPathDelimiter>(u"ExcludeTrailingBackslash");
  M.Routine<&ExpandOf>(u"ExpandFileName");
  M.Routine<&ExpandOf>(u"ExpandUNCFileName");
  M.Routine<&ExtractRelativePath>(u"ExtractRelativePath");
  M.Routine<&LastDelimiter>(u"LastDelimiter");
  M.Routine<&IsDelimiter>(u"IsDelimiter");
  M.Routine<&IsPathDelimiter>(u"IsPathDelimiter");
  M.Routine<&IsRelativePath>(u"IsRelativePath");
  M.Routine<&AnsiCompareFileName>(u"AnsiCompareFileName");
  M.Routine<&SameFileName>(u"SameFileName");
  M.Routine<&AnsiLowerCase>(u"AnsiLowerCaseFileName");
  M.Routine<&AnsiUpperCase>(u"AnsiUpperCaseFileName");

  M.Routine<&FileExists, QelDefaults<true>>(u"FileExists");
  M.Routine<&DirectoryExists, QelDefaults<true>>(u"DirectoryExists");
  M.Routine<&ForceDirectories>(u"ForceDirectories");
  M.Routine<&CreateDir>(u"CreateDir");
  M.Routine<&RemoveDir>(u"RemoveDir");
  M.Routine<&DeleteFile>(u"DeleteFile");
  M.Routine<&RenameFile>(u"RenameFile");
  M.Routine<&GetCurrentDir>(u"GetCurrentDir");
  M.Routine<&SetCurrentDir>(u"SetCurrentDir");
  M.Routine<&FileGetAttr, QelDefaults<true>>(u"FileGetAttr");
  M.Routine<&FileSetAttr>(u"FileSetAttr");
  M.Routine<&FileIsReadOnly>(u"FileIsReadOnly");
  M.Routine<&FileSetReadOnly>(u"FileSetReadOnly");
  M.Routine<&FileSearch>(u"FileSearch");
  M.Routine<&GetEnvironmentVariable>(u"GetEnvironmentVariable");
  M.Routine<&DiskFree>(u"DiskFree");
  M.Routine<&DiskSize>(u"DiskSize");
  M.Overloads<u"FileAge", &FileAgeOf, &FileAgeAsDate>();
  M.Routine<&FileSetDate>(u"FileSetDate");
  M.Routine<&FileGetDate>(u"FileGetDate");
  M.Routine<&DateTimeToFileDate>(u"DateTimeToFileDate");
  M.Routine<&FileDateToDateTimeOf>(u"FileDateToDateTime");
  M.Routine<&FileCreate>(u"FileCreate");
  M.Routine<&FileOpen>(u"FileOpen");
  M.Routine<&FileClose>(u"FileClose");
  M.Routine<&FileSeek>(u"FileSeek");
  M.Routine<&FileTruncate>(u"FileTruncate");
  M.Routine<&FileRead>(u"FileRead");
  M.Routine<&FileWrite>(u"FileWrite");
  M.Routine<&FindFirstOf>(u"FindFirst");
  M.Routine<&FindNextOf>(u"FindNext");
  M.Routine<&FindCloseOf>(u"FindClose");
}
