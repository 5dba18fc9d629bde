// A host member's exception reaches the script as its own object: handlers select it by its
// class and ancestors, E.ClassName tells it, the message is the host's. A character property
// takes a one-character string as well as a code.
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
var L, E, P, S;
begin
  P := TList.Create;
  try
    P.Delete(0);
  except
    on E: EStringListError do Put('wrong handler');
    on E: EListError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  P.Free;
  L := TStringList.Create;
  try
    L.Add('a');
    try
      L.Delete(3);
    except
      on E: EListError do Put(E.ClassName + ': ' + FirstLine(E.Message));
    end;
    try
      S := L.Strings[-1];
    except
      on E: Exception do
      begin
        Put(E is EListError);
        Put(E.ClassName);
      end;
    end;
    L.Sorted := True;
    L.Duplicates := dupError;
    try
      L.Add('a');
    except
      on E: EStringListError do Put(E.ClassName + ': ' + FirstLine(E.Message));
    end;
    L.Sorted := False;
    L.Delimiter := ';';
    L.Add('b c');
    Put(L.DelimitedText);
    L.QuoteChar := 39;
    Put(L.DelimitedText);
    L.Delimiter := '|';
    L.StrictDelimiter := True;
    Put(L.DelimitedText);
    Put(L.Delimiter);
  finally
    L.Free;
  end;
  L := TStringList.Create;
  L.Free;
  try
    L.Add('x');
  except
    on E: Exception do Put(FirstLine(E.Message));
  end;
end;

{ expect:
EListError: List index out of bounds (0)
EStringListError: List index out of bounds (3)
True
EStringListError
EStringListError: String list does not allow duplicates
a;"b c"
a;'b c'
a|b c
124
Object has been destroyed.
}
