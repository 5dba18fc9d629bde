// A failing assignment is reported at the end of its ":=", not at its target.
procedure Main;
var o;
begin
  o := nil;
  MessageList.Lines.Add('before');
  o.Field := 2;
end;

{ expect:
before
}
{ expect-error: Object required but nil found at line 7 pos 12 }
