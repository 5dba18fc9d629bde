// Leaving a finally part with Break is refused while running; the error is reported at the
// "try" whose finally part was left.
procedure Main;
var i;
begin
  for i := 1 to 3 do
    try
      MessageList.Lines.Add(i);
    finally
      Break;
    end;
end;

{ expect:
1
}
{ expect-error: Cannot BREAK, CONTINUE or EXIT out of a FINALLY clause at line 7 pos 7 }
