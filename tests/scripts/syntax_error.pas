// A missing semicolon before "else" in a case statement.
procedure Main;
var x;
begin
  case x of
    1: x := 2
  else
    x := 3;
  end;
end;

{ expect-error: Invalid token: 'else'. at line 7 pos 6 }
