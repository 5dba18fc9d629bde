// String lists: sorting, duplicates, name/value pairs, quoting and Find with its var index.
procedure Put(x); begin MessageList.Lines.Add(x) end;

// A caught message carries the source-position block on its next line: keep the first.
function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(10), S);
  if i > 0 then Result := SysUtils.Trim(Copy(S, 1, i - 1));
end;

// One quoting case: the list ('a b,c', 'd"e') under the given delimiter, quote and strictness.
procedure Quoted(L; ADelimiter; AQuote; AStrict);
begin
  L.Clear;
  L.Add('a b,c');
  L.Add('d"e');
  L.Delimiter := ADelimiter;
  L.QuoteChar := AQuote;
  L.StrictDelimiter := AStrict;
  Put(L.DelimitedText);
end;

procedure Main;
var L, I, Found, B;
begin
  B := TStringBuilder.Create('ab');
  B.Append('cd').Append(5);
  B.Insert(0, '>').AppendLine;
  Put(B.Length);
  B.Length := 6;             // cuts the line break
  B.Remove(1, 2).Replace('cd', 'x');
  Put(B.ToString);
  Put(B.Chars[1]);
  try
    I := B.Chars[9];
  except
    on E: ERangeError do Put(FirstLine(E.Message));
  end;
  B.Free;
  L := TStringList.Create;
  try
    L.CommaText := 'pear,apple,"fig tree",banana';
    Put(L.Count);
    L.Sorted := True;
    Put(L.CommaText);
    I := -1;
    Found := L.Find('banana', I);
    Put(Found);
    Put(I);
    Found := L.Find('cherry', I);
    Put(Found);
    Put(I);
    L.Duplicates := dupIgnore;
    L.Add('apple');
    Put(L.Count);
    L.Duplicates := dupAccept;
    L.Add('apple');
    Put(L.Count);
    L.Clear;
    L.Sorted := False;
    L.Add('name=Ann');
    L.Add('age=7');
    L.Values['city'] := 'Rome';
    Put(L.Values['age']);
    Put(L.Names[2]);
    Put(L.ValueFromIndex[0]);
    Put(L.IndexOfName('city'));
    L.Values['age'] := '';
    Put(L.CommaText);
    Quoted(L, ',', '"', False);
    Quoted(L, ';', '''', False);
    Quoted(L, ';', '''', True);
    Quoted(L, '|', '"', True);
    L.Clear;
    L.Add('b'); L.Add('c'); L.Add('a');
    L.Sort;
    Put(L.CommaText);
    L.Exchange(0, 2);
    L.Move(0, 1);
    Put(L.CommaText);
  finally
    L.Free;
  end;
end;

{ expect:
8
>x5
120
Range check error
4
apple,banana,"fig tree",pear
True
1
False
2
4
5
7
city
Ann
2
name=Ann,city=Rome
"a b,c","d""e"
'a b,c';d"e
a b,c;d"e
a b,c|"d""e"
a,b,c
b,c,a
}
