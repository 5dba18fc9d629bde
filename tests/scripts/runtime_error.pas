// An undeclared name is not a compile error; it fails when it runs.
procedure Main;
begin
  MessageList.Lines.Add('before');
  CallNobody;
  MessageList.Lines.Add('after');
end;

{ expect:
before
}
{ expect-error: Undeclared identifier: 'CallNobody' at line 5 pos 12 }
