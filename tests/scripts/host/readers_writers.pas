// Classes readers and writers: text written through a stream writer to a temporary file and
// read back line by line and whole, string readers and writers, binary values round-tripping
// through a memory stream, and the errors of reading past the end and of a freed stream.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(10), S);
  if i > 0 then Result := SysUtils.Trim(Copy(S, 1, i - 1));
end;

function Shown(S);
begin
  Result := StringReplace(StringReplace(S, Chr(13), '<', [rfReplaceAll]), Chr(10), '|', [rfReplaceAll]);
end;

// Every line a reader gives, then what it gives at its end.
procedure Lines(R);
var S;
begin
  S := '';
  while R.Peek >= 0 do S := S + '[' + R.ReadLine + ']';
  Put(S + ' end: ' + IntToStr(R.Read) + ' [' + R.ReadLine + ']');
end;

procedure Main;
var Name, W, R, M, B, S, i, Big;
begin
  Randomize;
  Name := 'qel_corpus_rw_' + IntToStr(Random(1000000000)) + '.txt';
  W := TStreamWriter.Create(Name);
  W.WriteLine('first');
  W.Write(42);
  W.Write(True);
  W.Write(2.5);
  W.WriteLine;
  W.NewLine := Chr(13) + Chr(10);
  W.WriteLine('crlf ünï');
  W.NewLine := Chr(13);
  W.WriteLine('cr');
  W.Write('last');
  W.Free;

  R := TStreamReader.Create(Name);
  Put(R.EndOfStream);
  Lines(R);
  Put(R.EndOfStream);
  R.Rewind;
  Put(Shown(R.ReadToEnd));
  R.Free;

  W := TStreamWriter.Create(Name, True);
  W.Write('+appended');
  W.Close;
  try
    W.Write('x');
  except
    on E: EInvalidOperation do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  W.Free;
  R := TStreamReader.Create(Name);
  R.ReadLine;
  Put(Shown(R.ReadToEnd));
  R.Free;
  Put(DeleteFile(Name));
  try
    TStreamReader.Create(Name);
  except
    on E: EFOpenError do Put(E.ClassName);
  end;

  // A stream the reader does not own: the reader starts at the stream's position, and a
  // freed stream leaves the reader at its end.
  S := TStringStream.Create('skip|a' + Chr(10) + 'b');
  S.Position := 5;
  R := TStreamReader.Create(S);
  Put(Chr(R.Read) + ' ' + IntToStr(R.Peek));
  S.Free;
  R.DiscardBufferedData;
  Put(IntToStr(R.Peek) + ' ' + BoolToStr(R.EndOfStream, True));
  R.Free;

  // Long text crosses the reader's blocks; a multi-byte character may sit on the boundary.
  Big := '';
  for i := 1 to 4095 do Big := Big + 'a';
  S := TStringStream.Create(Big + 'é' + Chr(10) + 'next');
  R := TStreamReader.Create(S);
  R.OwnStream;
  Put(IntToStr(Length(R.ReadLine)) + ' ' + R.ReadLine);
  R.Free;

  R := TStringReader.Create('x' + Chr(13) + Chr(10) + Chr(13) + 'y');
  Lines(R);
  R.Rewind;
  Put(Chr(R.Read) + Shown(R.ReadToEnd));
  R.Free;

  W := TStringWriter.Create;
  W.Write('a');
  W.WriteLine(1);
  W.Write(False);
  Put(Shown(W.ToString));
  W.Free;

  M := TMemoryStream.Create;
  B := TBinaryWriter.Create(M);
  B.Write(-5);
  B.Write(2.5);
  B.Write(True);
  B.Write('héllo');
  B.Write(StrToInt64('1099511627776'));
  Put(M.Size);
  B.Free;
  M.Position := 0;
  B := TBinaryReader.Create(M);
  Put(B.ReadInteger);
  Put(B.ReadDouble);
  Put(B.ReadBoolean);
  Put(B.ReadString);
  Put(B.PeekChar);
  Put(B.ReadInt64);
  Put(B.PeekChar);
  try
    B.ReadInt32;
  except
    on E: EReadError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  M.Position := 0;
  Put(IntToStr(B.ReadByte) + ' ' + IntToStr(B.ReadByte) + ' ' + IntToStr(B.ReadUInt16));
  M.Position := 0;
  Put(IntToStr(B.ReadSmallInt) + ' ' + IntToStr(B.ReadWord));
  M.Free;
  try
    B.ReadByte;
  except
    on E: EInvalidOperation do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  B.Free;

  // Name-value pairs written through a string writer and read back into a list.
  W := TStringWriter.Create;
  M := TStringList.Create;
  M.AddPair('a', 1).AddPair('b', 'two');
  for i := 0 to M.Count - 1 do W.WriteLine(M.KeyNames[i] + '->' + M.Values[M.KeyNames[i]]);
  R := TStringReader.Create(W.ToString);
  Lines(R);
  R.Free;
  W.Free;
  M.Free;
end;

{ expect:
False
[first][42True2.5][crlf ünï][cr][last] end: -1 []
True
first|42True2.5|crlf ünï<|cr<last
EInvalidOperation: Writer is closed
42True2.5|crlf ünï<|cr<last+appended
True
EFOpenError
a 10
-1 True
4096 next
[x][][y] end: -1 []
x<|<y
a1|False
28
-5
2.5
True
héllo
0
1099511627776
-1
EReadError: Stream read error
251 255 65535
-5 65535
EInvalidOperation: Reader is closed
[a->1][b->two] end: -1 []
}
