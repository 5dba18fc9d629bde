// SysUtils encodings: texts to bytes and back in the standard encodings and a code page,
// conversion, preamble detection, and bytes from a script's own array; the string builder's
// typed appends, formats, comparisons and ranges; a bytes stream over an encoding's bytes.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(10), S);
  if i > 0 then Result := SysUtils.Trim(Copy(S, 1, i - 1));
end;

function Bytes(B);
var i;
begin
  Result := '';
  for i := 0 to Length(B) - 1 do Result := Result + ' ' + IntToStr(B[i]);
  Result := '[' + SysUtils.Trim(Result) + ']';
end;

// A text through one encoding: its bytes and the text they give back.
procedure Encode(Name; E; Text);
var B;
begin
  B := E.GetBytes(Text);
  Put(Name + ' ' + IntToStr(E.CodePage) + ': ' + Bytes(B) + ' ' + E.GetString(B) + ' ' + IntToStr(E.GetByteCount(Text)));
end;

procedure Main;
var E, B, A, Found, SB, SB2, Args, S, R, L, Name;
begin
  Encode('UTF8', TEncoding.UTF8, 'hé€');
  Encode('Unicode', TEncoding.Unicode, 'hé');
  Encode('BigEndianUnicode', TEncoding.BigEndianUnicode, 'hé');
  Encode('ASCII', TEncoding.ASCII, 'hé');
  Encode('ANSI', TEncoding.ANSI, 'hé');
  Encode('UTF7', TEncoding.UTF7, 'hé');
  Encode('Default', TEncoding.Default, 'ok');
  E := TEncoding.GetEncoding(1252);
  Encode(E.EncodingName, E, '€ü');
  Put(BoolToStr(E.IsSingleByte, True) + ' ' + BoolToStr(TEncoding.UTF8.IsSingleByte, True) + ' ' +
      BoolToStr(TEncoding.IsStandardEncoding(E), True) + ' ' + BoolToStr(TEncoding.IsStandardEncoding(TEncoding.UTF8), True));
  E.Free;
  E := TMBCSEncoding.Create(28592);
  Encode(E.EncodingName, E, 'Łódź');
  E.Free;
  try
    TEncoding.GetEncoding(99999);
  except
    on X: EEncodingError do Put(X.ClassName + ': ' + FirstLine(X.Message));
  end;

  B := TEncoding.UTF8.GetBytes('aé');
  Put(TEncoding.UTF8.GetString(B, 1, 2) + ' ' + IntToStr(TEncoding.UTF8.GetCharCount(B)));
  try
    TEncoding.UTF8.GetString(B, 2, 5);
  except
    on X: EArgumentOutOfRangeException do Put(X.ClassName + ': ' + FirstLine(X.Message));
  end;
  Put(Bytes(TEncoding.Convert(TEncoding.UTF8, TEncoding.Unicode, B)));
  Put(Bytes(TEncoding.UTF8.GetPreamble) + ' ' + Bytes(TEncoding.BigEndianUnicode.GetPreamble) + ' ' + Bytes(TEncoding.ASCII.GetPreamble));
  Put(Bytes(TEncoding.UTF8.GetBytes('')));

  A := array[4];
  A[0] := 239; A[1] := 187; A[2] := 191; A[3] := 104; A[4] := 105;
  Found := nil;
  Put(IntToStr(TEncoding.GetBufferEncoding(A, Found)) + ' ' + IntToStr(Found.CodePage));
  A := array[2];
  A[0] := 255; A[1] := 254; A[2] := 104;
  Found := nil;
  Put(IntToStr(TEncoding.GetBufferEncoding(A, Found)) + ' ' + IntToStr(Found.CodePage));
  Found := TEncoding.UTF8;
  Put(IntToStr(TEncoding.GetBufferEncoding(A, Found)) + ' ' + IntToStr(Found.CodePage));
  A := array[2];
  A[0] := 104; A[1] := 105; A[2] := 33;
  Found := nil;
  Put(IntToStr(TEncoding.GetBufferEncoding(A, Found)) + ' ' + IntToStr(Found.CodePage) + ' ' + TEncoding.UTF8.GetString(A));
  A[2] := 300;
  try
    TEncoding.UTF8.GetString(A);
  except
    on X: ERangeError do Put(X.ClassName);
  end;
  try
    TEncoding.UTF8.GetString('text');
  except
    on X: Exception do Put(FirstLine(X.Message));
  end;

  S := TBytesStream.Create(TEncoding.UTF8.GetBytes('héllo'));
  Put(IntToStr(S.Size) + ' ' + S.ReadText(3) + ' ' + Bytes(S.Bytes));
  S.Free;
  S := TBytesStream.Create;
  S.WriteText('xy');
  Put(Bytes(S.Bytes));
  S.Free;

  // Byte arrays through a stream: Read grows the array it is given (an unassigned one too).
  S := TMemoryStream.Create;
  Put(S.Write(TEncoding.UTF8.GetBytes('abcdef'), 1, 3));
  S.WriteBuffer(TEncoding.UTF8.GetBytes('xyz'), 2);
  S.Position := 0;
  Put(IntToStr(S.Read(R, 7)) + ' ' + Bytes(R));
  S.Position := 1;
  S.ReadBuffer(R, 4, 3);
  Put(Bytes(R));
  S.Position := 3;
  Put(IntToStr(S.Read(R, 2000000000)) + ' ' + IntToStr(Length(R)));
  try
    S.ReadBuffer(R, 10);
  except
    on X: EReadError do Put(X.ClassName + ': ' + FirstLine(X.Message));
  end;
  try
    S.Write(TEncoding.UTF8.GetBytes('ab'), 1, 2);
  except
    on X: ERangeError do Put(X.ClassName);
  end;
  S.Free;

  // String lists saved in an encoding (its preamble first) and loaded by the preamble or by
  // the encoding named for a file without one.
  Randomize;
  Name := 'qel_corpus_enc_' + IntToStr(Random(1000000000)) + '.txt';
  L := TStringList.Create;
  L.Add('Łódź');
  L.SaveToFile(Name, TEncoding.BigEndianUnicode);
  S := TFileStream.Create(Name, fmOpenRead);
  Put(S.Size);
  S.Free;
  L.Clear;
  L.LoadFromFile(Name, TEncoding.ANSI);
  Put(L[0]);
  E := TMBCSEncoding.Create(28592);
  L.SaveToFile(Name, E);
  L.LoadFromFile(Name, E);
  Put(L[0] + ' ' + IntToStr(Length(L[0])));
  L.LoadFromFile(Name, TEncoding.ANSI);
  Put(L[0]);
  E.Free;
  L.SaveToFile(Name, True);
  L.LoadFromFile(Name);
  Put(L.Count);
  L.Free;
  Put(DeleteFile(Name));

  SB := TStringBuilder.Create('<');
  SB.Append(True).Append(1.5).Append(7).Append('s').AppendLine.AppendLine('end');
  Args := array[1];
  Args[0] := 42; Args[1] := 'x';
  SB.AppendFormat('%d-%s', Args);
  SB.Insert(0, False);
  Put(StringReplace(StringReplace(SB.ToString, Chr(13), '<', [rfReplaceAll]), Chr(10), '|', [rfReplaceAll]));
  Put(SB.ToString(5, 4));
  try
    SB.ToString(5, 100);
  except
    on X: ERangeError do Put(X.ClassName);
  end;
  SB2 := TStringBuilder.Create(SB.ToString);
  Put(BoolToStr(SB.Equals(SB2), True));
  SB2.Append('!');
  Put(BoolToStr(SB.Equals(SB2), True));
  SB.Free;
  SB2.Free;
end;

{ expect:
UTF8 65001: [104 195 169 226 130 172] hé€ 6
Unicode 1200: [104 0 233 0] hé 4
BigEndianUnicode 1201: [0 104 0 233] hé 4
ASCII 20127: [104 63] h? 2
ANSI 28591: [104 233] hé 2
UTF7 65000: [104 43 65 79 107 45] hé 6
Default 65001: [111 107] ok 2
windows-1252 1252: [128 252] €ü 2
True False False True
ISO-8859-2 28592: [163 243 100 188] Łódź 4
EEncodingError: No mapping for the Unicode character exists in the target multi-byte code page
é 2
EArgumentOutOfRangeException: Argument out of range
[97 0 233 0]
[239 187 191] [254 255] []
[]
3 65001
2 1200
0 65001
0 65001 hi!
ERangeError
Invalid type cast or type mismatch
6 hé [104 195 169 108 108 111]
[120 121]
3
5 [98 99 100 120 121]
[98 99 100 120 99 100 120]
2 7
EReadError: Stream read error
ERangeError
14
Łódź
Łódź 4
£ód¼
1
True
False<True1.57s<|end<|42-x
<Tru
ERangeError
True
False
}
