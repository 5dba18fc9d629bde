// A loop bound that spells no number fails where the loop first tests it.
procedure Main;
var i;
begin
  MessageList.Lines.Add('before');
  for i := 1 to 'ten' do
    MessageList.Lines.Add(i);
end;

{ expect:
before
}
{ expect-error: Invalid variant type conversion at line 6 pos 5 }
