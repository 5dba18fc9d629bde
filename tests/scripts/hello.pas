// Global code, global variables and constants, a Main procedure.
var Greeting = 'Hello';
const Answer = 6 * 7;

procedure Main;
begin
  MessageList.Lines.Add(Greeting + ', world');
  MessageList.Lines.Add(Answer);
end;

begin
  MessageList.Lines.Add('global code runs first');
end;

{ expect:
global code runs first
Hello, world
42
}
