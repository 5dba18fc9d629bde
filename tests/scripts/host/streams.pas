// Streams: memory, string and file streams round-trip through a temporary file; string lists
// through streams; reading past the end; opening a missing file.
procedure Put(x); begin MessageList.Lines.Add(x) end;

// A caught message carries the source-position block on its next line: keep the first.
function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(10), S);
  if i > 0 then Result := SysUtils.Trim(Copy(S, 1, i - 1));
end;

procedure Main;
var M, S, F, L, Name;
begin
  Name := 'qel_corpus_streams.txt';
  S := TStringStream.Create('héllo');
  Put(S.Size);               // UTF-8 bytes
  S.Position := S.Size;
  S.WriteString(' world');
  Put(S.DataString);
  S.Position := 0;
  Put(S.ReadString(3));
  Put(S.Position);
  Put(S.Seek(-5, soEnd));
  Put(S.ReadString(100));
  try
    S.ReadByte;
  except
    on E: EReadError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;

  M := TMemoryStream.Create;
  M.CopyFrom(S, 0);
  Put(M.Size);
  M.SaveToFile(Name);
  M.Clear;
  Put(M.Size);
  M.LoadFromFile(Name);
  Put(M.Size);
  M.Position := 1;
  Put(M.ReadByte);

  F := TFileStream.Create(Name, fmOpenRead);
  Put(F.Size);
  Put(F.ReadText(5));
  F.Free;

  L := TStringList.Create;
  L.Add('one');
  L.Add('two');
  F := TFileStream.Create(Name, fmCreate);
  L.SaveToStream(F);
  Put(F.Position);
  F.Free;
  L.Clear;
  F := TFileStream.Create(Name, fmOpenRead);
  L.LoadFromStream(F);
  F.Free;
  Put(L.CommaText);
  L.Free;
  M.Free;
  S.Free;
  try
    TFileStream.Create('/nonexistent/dir/file.txt', fmOpenRead);
  except
    on E: EFileStreamError do Put(E.ClassName);
  end;
  try
    TFileStream.Create('/nonexistent/dir/file.txt', fmCreate);
  except
    on E: EStreamError do Put(E.ClassName);
  end;
end;

{ expect:
6
héllo world
hé
3
7
world
EReadError: Stream read error
12
0
12
195
12
héll
10
one,two
EFOpenError
EFCreateError
}
