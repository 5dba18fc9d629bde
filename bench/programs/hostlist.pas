// Host objects: two million member calls on a string list through its wrapper
// (500,000 Add, then 500,000 rounds of Strings[i] read, Count, Strings[i] write).
procedure Main;
var L, i, n, total;
begin
  n := 500000;
  L := TStringList.Create;
  try
    for i := 1 to n do
      L.Add('item');
    total := 0;
    for i := 0 to n - 1 do
    begin
      total := total + Length(L.Strings[i]);
      if L.Count = n then total := total + 1;
      L.Strings[i] := 'x';
    end;
  finally
    L.Free;
  end;
  MessageList.Lines.Add(total);
end;
