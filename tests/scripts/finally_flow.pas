// Break, Continue and Exit leave through try/finally and run the finally part first.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function Find(limit);
var i;
begin
  Result := -1;
  for i := 1 to 100 do
    try
      if i = limit then
      begin
        Result := i;
        Exit;
      end;
    finally
      if i = limit then Put('leaving at ' + Name(i));
    end;
end;

function Name(i);
begin
  case i of
    1: Result := 'one';
    2: Result := 'two';
    3: Result := 'three';
  else
    Result := 'many';
  end;
end;

procedure Main;
var i;
begin
  for i := 1 to 3 do
    try
      if i = 1 then Continue;
      if i = 3 then Break;
      Put(Name(i));
    finally
      Put('finally ' + Name(i));
    end;
  Put(Find(3));
end;

{ expect:
finally one
two
finally two
finally three
leaving at three
3
}
