// Creates and frees host objects from a script: N cycles of a string list (with one line) and
// a component owned by another.
procedure Run(N);
var i, Count, L, Owner, C;
begin
  Count := SysUtils.StrToInt(N);  // the runner passes its arguments as text
  Owner := TComponent.Create(nil);
  for i := 1 to Count do
  begin
    L := TStringList.Create;
    L.Add('x');
    L.Free;
    C := TComponent.Create(Owner);
    C.Free;
  end;
  Owner.Free;
end;
