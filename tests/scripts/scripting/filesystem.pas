// Scripting.FileSystemObject from Pascal: a private folder under the temporary folder, text
// files written and read back in both formats, copies, moves, the folder's collections, path
// texts, and the errors; everything made here is deleted again.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(13), S);
  if i > 0 then Result := Copy(S, 1, i - 1);
end;

var FS, Root;

procedure Attempt(i);
var T;
begin
  case i of
    1: FS.GetFile(FS.BuildPath(Root, 'none.txt'));
    2: FS.GetFolder(FS.BuildPath(Root, 'none'));
    3: FS.CreateFolder(Root);
    4: FS.OpenTextFile(FS.BuildPath(Root, 'none/x.txt'));
    5: FS.CreateTextFile(FS.BuildPath(Root, 'a.txt'), False);
    6: FS.DeleteFile(FS.BuildPath(Root, '*.none'));
    7: begin
         T := FS.OpenTextFile(FS.BuildPath(Root, 'a.txt'));
         T.ReadAll;
         T.ReadLine;
       end;
    8: FS.OpenTextFile(FS.BuildPath(Root, 'a.txt')).Write('x');
    9: FS.OpenTextFile(FS.BuildPath(Root, 'a.txt'), 8).ReadLine;
    10: FS.MoveFile(FS.BuildPath(Root, 'a.txt'), FS.BuildPath(Root, 'moved.txt'));
    11: FS.CopyFile(FS.BuildPath(Root, 'a.txt'), FS.BuildPath(Root, 'moved.txt'), False);
    12: FS.OpenTextFile(FS.BuildPath(Root, 'a.txt'), 3);
  end;
end;

procedure Main;
var T, F, Folder, Files, i, E, Line;
begin
  FS := CreateOleObject('Scripting.FileSystemObject');
  Root := FS.BuildPath(FS.GetSpecialFolder(2).Path, FS.GetTempName);
  Put(FS.FolderExists(Root));
  Folder := FS.CreateFolder(Root);
  Put(FS.FolderExists(Root));
  Put(Folder.Name = FS.GetFileName(Root));

  T := FS.CreateTextFile(FS.BuildPath(Root, 'a.txt'));
  T.WriteLine('first line');
  T.Write('sec');
  T.Write('ond ü');
  Put(IntToStr(T.Line) + ',' + IntToStr(T.Column));
  T.WriteBlankLines(2);
  T.WriteLine('last');
  T.Close;

  T := FS.OpenTextFile(FS.BuildPath(Root, 'a.txt'), 1);
  Put(T.ReadLine);
  Put(T.Read(3) + '|' + IntToStr(T.Column));
  T.Skip(2);
  Put(T.ReadLine);
  Put(T.AtEndOfLine);
  T.SkipLine;
  Put(IntToStr(T.Line) + ' ' + IntToStr(Length(T.ReadAll)));
  Put(T.AtEndOfStream);
  T.Close;

  // Appending, then the Unicode format round trip.
  T := FS.OpenTextFile(FS.BuildPath(Root, 'a.txt'), 8);
  T.Write('more');
  T.Close;
  Put(FS.GetFile(FS.BuildPath(Root, 'a.txt')).Size);
  T := FS.CreateTextFile(FS.BuildPath(Root, 'u.txt'), True, True);
  T.WriteLine('wide ü');
  T.Close;
  Put(FS.GetFile(FS.BuildPath(Root, 'u.txt')).Size);
  T := FS.OpenTextFile(FS.BuildPath(Root, 'u.txt'), 1, False, -1);
  Put(T.ReadLine);
  T.Close;
  Put(FS.OpenTextFile(FS.BuildPath(Root, 'u.txt'), 1, False, -2).ReadLine);

  FS.CreateFolder(FS.BuildPath(Root, 'sub'));
  FS.CopyFile(FS.BuildPath(Root, '*.txt'), FS.BuildPath(Root, 'sub') + '/');
  FS.MoveFile(FS.BuildPath(Root, 'u.txt'), FS.BuildPath(Root, 'moved.txt'));
  Put(FS.FileExists(FS.BuildPath(Root, 'u.txt')));
  Folder := FS.GetFolder(Root);
  Files := Folder.Files;
  Line := IntToStr(Files.Count);
  Put(Line + ' ' + Files['moved.txt'].Name + ' ' + IntToStr(Folder.SubFolders.Count));
  F := FS.GetFile(FS.BuildPath(Root, 'sub/a.txt'));
  Put(F.ParentFolder.Name + ' ' + IntToStr(F.ParentFolder.Files.Count));
  Put(FS.GetFolder(Root + '/sub/..').Path = Root);
  Put(F.DateLastModified > EncodeDate(2020, 1, 1));

  for i := 1 to 12 do
  try
    Attempt(i);
    Put(IntToStr(i) + ': no error');
  except
    on E: EOleException do
      Put(IntToStr(i) + ': ' + FirstLine(E.Message) + ' ' + IntToStr(E.ErrorCode and $FFFF));
  end;

  FS.DeleteFile(FS.BuildPath(Root, '*.txt'));
  Put(FS.FileExists(FS.BuildPath(Root, 'a.txt')));
  FS.DeleteFolder(Root);
  Put(FS.FolderExists(Root));

  Put(FS.GetBaseName('/x/y/archive.tar.gz') + ' ' + FS.GetExtensionName('/x/y/archive.tar.gz'));
  Put(FS.GetFileName('/x/y/') + ' ' + FS.GetParentFolderName('/x/y/z') + ' ' + FS.GetParentFolderName('/x'));
  Put(FS.BuildPath('/x/', 'y') + ' ' + FS.BuildPath('/x', '/y'));
  Put(FS.GetAbsolutePathName('/a/b/../c/./d/'));
  Put(FS.DriveExists('/'));
  Put(Length(FS.GetTempName));
end;

{ expect:
False
True
True
2,9
first line
sec|4
d ü
True
4 5
True
31
16
wide ü
wide ü
False
2 moved.txt 1
sub 2
True
True
1: File not found 53
2: Path not found 76
3: File already exists 58
4: Path not found 76
5: File already exists 58
6: File not found 53
7: Input past end of file 62
8: Bad file mode 54
9: Bad file mode 54
10: File already exists 58
11: File already exists 58
12: Invalid procedure call or argument 5
False
False
archive.tar gz
y /x/y /
/x/y /x/y
/a/c/d
True
12
}
