// SysUtils file names and files: the name routines case by case, then folders, files and the
// FindFirst/FindNext/FindClose search in a folder of its own under the temporary folder.
procedure Put(x); begin MessageList.Lines.Add(x) end;

// A caught message carries the source-position block on its next line: keep the first.
function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(10), S);
  if i > 0 then Result := SysUtils.Trim(Copy(S, 1, i - 1));
end;

// One file-name routine applied to one name: "Routine(name) = [result]".
procedure ShowName(Routine; S);
var R;
begin
  if Routine = 'ExtractFilePath' then R := ExtractFilePath(S)
  else if Routine = 'ExtractFileDir' then R := ExtractFileDir(S)
  else if Routine = 'ExtractFileName' then R := ExtractFileName(S)
  else if Routine = 'ExtractFileExt' then R := ExtractFileExt(S)
  else if Routine = 'Include' then R := IncludeTrailingPathDelimiter(S)
  else if Routine = 'Exclude' then R := ExcludeTrailingPathDelimiter(S)
  else if Routine = 'ChangeFileExt' then R := ChangeFileExt(S, '.bak')
  else if Routine = 'ExpandFileName' then R := ExpandFileName(S);
  Put(Routine + '(' + S + ') = [' + R + ']');
end;

// The names of a search, in order, with a marker for folders.
function Listing(Mask; Attr);
var F, Code;
begin
  Result := '';
  Code := FindFirst(Mask, Attr, F);
  while Code = 0 do
  begin
    Result := Result + F.Name;
    if (F.Attr and faDirectory) <> 0 then Result := Result + '/';
    Result := Result + ' ';
    Code := FindNext(F);
  end;
  FindClose(F);
  if Result = '' then Result := '(none, code ' + IntToStr(Code) + ')';
end;

procedure Main;
var Dir, Sub, Name1, Name2, L, F, SR, D, Code, Age, Buf;
begin
  ShowName('ExtractFilePath', '/a/b/c.txt');
  ShowName('ExtractFilePath', 'c.txt');
  ShowName('ExtractFileDir', '/a/b/c.txt');
  ShowName('ExtractFileDir', '/c.txt');
  ShowName('ExtractFileName', '/a/b/c.txt');
  ShowName('ExtractFileName', '/a/b/');
  ShowName('ExtractFileExt', '/a/b.d/c.tar.gz');
  ShowName('ExtractFileExt', '/a/b.d/c');
  ShowName('ExtractFileExt', '/a/.profile');
  ShowName('Include', '/a/b');
  ShowName('Include', '/a/b/');
  ShowName('Exclude', '/a/b/');
  ShowName('Exclude', '/');
  ShowName('ChangeFileExt', '/a/b.d/c.txt');
  ShowName('ChangeFileExt', '/a/b.d/c');
  ShowName('ExpandFileName', '/a/./b/../c/d.txt');
  ShowName('ExpandFileName', '/a/b/../../..');
  Put(ExtractRelativePath('/a/b/base.txt', '/a/c/d/e.txt'));
  Put(ExtractRelativePath('/a/b/base.txt', '/a/b/f.txt'));
  Put(ChangeFilePath('/x/y/z.txt', '/q'));
  Put(IntToStr(LastDelimiter('/.', '/a/b.c/d')) + ' ' + IntToStr(LastDelimiter('!', 'abc')));
  Put(IsPathDelimiter('/a/', 3));
  Put(IsPathDelimiter('/a/', 2));
  Put(IsDelimiter(';,', 'a,b', 2));
  Put(IsRelativePath('a/b'));
  Put(IsRelativePath('/a/b'));

  Randomize;
  Dir := GetCurrentDir + '/qel_corpus_files_' + IntToStr(Random(1000000000));
  Sub := Dir + '/deep/er';
  Put(DirectoryExists(Dir));
  Put(ForceDirectories(Sub));
  Put(DirectoryExists(Sub));
  Put(FileExists(Sub));
  Put(CreateDir(Sub));
  try
    ForceDirectories('');
  except
    on E: EInOutError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;

  Name1 := Dir + '/one.txt';
  Name2 := Dir + '/two.txt';
  L := TStringList.Create;
  L.Add('alpha');
  L.SaveToFile(Name1);
  L.Free;
  Put(FileExists(Name1));
  Put(DirectoryExists(Name1));
  Put(RenameFile(Name1, Name2));
  Put(FileExists(Name1));
  Put(FileExists(Name2));
  L := TStringList.Create;
  L.SaveToFile(Name1);
  L.Free;
  Put(RenameFile(Name1, Name2));     // the target exists
  Put(FileExists(Dir + '/.hidden') or FileExists(Dir + '/b.log'));
  F := TFileStream.Create(Dir + '/.hidden', fmCreate); F.Free;
  F := TFileStream.Create(Dir + '/b.log', fmCreate); F.WriteText('12345'); F.Free;

  Put(Listing(Dir + '/*', faAnyFile and not faHidden));
  Put(Listing(Dir + '/*', faAnyFile));
  Put(Listing(Dir + '/*.txt', 0));
  Put(Listing(Dir + '/*.none', faAnyFile));
  Put(Listing(Dir + '/missing/*', faAnyFile));
  Code := FindFirst(Dir + '/b.*', faAnyFile, SR);
  Put(IntToStr(Code) + ' ' + SR.Name + ' ' + IntToStr(SR.Size) + ' ' + IntToStr(SR.Attr and faDirectory));
  Put(Abs(SR.TimeStamp - Now) < 1);
  Put(FileDateToDateTime(SR.Time) <= SR.TimeStamp);
  FindClose(SR);
  Put(FindNext(SR) <> 0);             // a closed search

  Put(FileAge(Dir + '/b.log') = SR.Time);
  Put(FileAge(Dir + '/b.log', Age));
  Put(Abs(Age - SR.TimeStamp) < 1 / 86400);
  Put(FileAge(Dir + '/nothing') = -1);
  Put(FileGetAttr(Dir + '/nothing'));
  Put(FileGetAttr(Dir + '/deep') = faDirectory);
  Put(FileSetReadOnly(Name2, True));
  Put(FileIsReadOnly(Name2));
  Put((FileGetAttr(Name2) and faReadOnly) <> 0);
  Put(FileSetReadOnly(Name2, False));
  Put(FileIsReadOnly(Name2));
  Put(FileSearch('two.txt', '/nonexistent:' + Dir) = Name2);
  Put(FileSearch('three.txt', Dir));
  D := EncodeDate(2020, 2, 29) + EncodeTime(13, 14, 16, 0);
  Put(FormatDateTime('yyyy-mm-dd hh:nn:ss', FileDateToDateTime(DateTimeToFileDate(D))));
  Put(FileSetDate(Name2, DateTimeToFileDate(D)));
  Put(FormatDateTime('yyyy-mm-dd hh:nn:ss', FileDateToDateTime(FileAge(Name2))));

  // Raw handles: write bytes, truncate, seek and read them back.
  Code := FileCreate(Dir + '/raw.bin');
  Age := TEncoding.UTF8.GetBytes('0123456789');
  Put(FileWrite(Code, Age, 2, 6));
  Put(FileTruncate(Code, 4));
  Put(FileSeek(Code, 0, 0));
  Put(IntToStr(FileRead(Code, Buf, 1, 100)) + ' ' + TEncoding.UTF8.GetString(Buf, 1, 4) + ' ' + IntToStr(Length(Buf)));
  FileClose(Code);
  try
    FileWrite(Code, Age, 8, 5);
  except
    on E: ERangeError do Put(E.ClassName);
  end;
  Put(FileOpen(Dir + '/nothing', fmOpenRead));
  Put(DeleteFile(Dir + '/raw.bin'));

  Put(SetCurrentDir(Dir));
  Put(GetCurrentDir = Dir);
  Put(ExpandFileName('deep/../b.log') = Dir + '/b.log');
  Put(SetCurrentDir(Dir + '/nothing'));

  Put(DeleteFile(Name2));
  Put(DeleteFile(Name2));
  Put(DeleteFile(Dir + '/b.log') and DeleteFile(Dir + '/.hidden') and DeleteFile(Name1));
  Put(RemoveDir(Dir));               // not empty
  Put(RemoveDir(Sub) and RemoveDir(Dir + '/deep') and RemoveDir(Dir));
  Put(SetCurrentDir('/'));
  Put(DirectoryExists(Dir));
end;

{ expect:
ExtractFilePath(/a/b/c.txt) = [/a/b/]
ExtractFilePath(c.txt) = []
ExtractFileDir(/a/b/c.txt) = [/a/b]
ExtractFileDir(/c.txt) = [/]
ExtractFileName(/a/b/c.txt) = [c.txt]
ExtractFileName(/a/b/) = []
ExtractFileExt(/a/b.d/c.tar.gz) = [.gz]
ExtractFileExt(/a/b.d/c) = []
ExtractFileExt(/a/.profile) = [.profile]
Include(/a/b) = [/a/b/]
Include(/a/b/) = [/a/b/]
Exclude(/a/b/) = [/a/b]
Exclude(/) = []
ChangeFileExt(/a/b.d/c.txt) = [/a/b.d/c.bak]
ChangeFileExt(/a/b.d/c) = [/a/b.d/c.bak]
ExpandFileName(/a/./b/../c/d.txt) = [/a/c/d.txt]
ExpandFileName(/a/b/../../..) = [/]
../c/d/e.txt
f.txt
/q/z.txt
7 0
True
False
True
True
False
False
True
True
False
False
EInOutError: Unable to create directory
True
False
True
False
True
False
False
./ ../ b.log deep/ one.txt two.txt 
./ ../ .hidden b.log deep/ one.txt two.txt 
one.txt two.txt 
(none, code 2)
(none, code 2)
0 b.log 5 0
True
True
True
True
True
True
True
-1
True
True
True
True
True
False
True

2020-02-29 13:14:16
0
2020-02-29 13:14:16
6
True
0
4 2345 5
ERangeError
-1
True
True
True
True
False
True
False
True
False
True
True
False
}
