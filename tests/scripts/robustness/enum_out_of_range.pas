// An enumeration property set outside its range is refused; the property keeps its value.
procedure Put(x); begin MessageList.Lines.Add(x) end;

procedure Main;
var L;
begin
  L := TStringList.Create;
  L.Duplicates := dupAccept;
  try
    L.Duplicates := 7;
  except
    on E: Exception do Put(Copy(E.Message, 1, 43));
  end;
  try
    L.Duplicates := -1;
  except
    on E: Exception do Put(Copy(E.Message, 1, 44));
  end;
  Put(L.Duplicates = dupAccept);
  L.Free;
end;

{ expect:
Value 7 is out of the range of TDuplicates.
Value -1 is out of the range of TDuplicates.
True
}
