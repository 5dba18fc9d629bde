// try/except with typed handlers, a handler variable, else, re-raise, nested finally.
procedure Put(x); begin MessageList.Lines.Add(x) end;

procedure Fail(msg);
begin
  raise Exception.Create(msg);
end;

procedure Main;
begin
  try
    Fail('first');
  except
    on E: EQelVMRuntime do Put('wrong handler');
    on E: Exception do Put('caught ' + E.Message);
  end;

  try
    NoSuchRoutine(1);
  except
    on E: EQelVMRuntime do Put(E.Message);
  end;

  try
    try
      Fail('inner');
    except
      on EQelVMRuntime do Put('not this one');
    else
      begin
        Put('else part');
        raise;
      end;
    end;
  except
    on E: Exception do Put('outer got ' + E.Message);
  end;

  try
    try
      Fail('through finally');
    finally
      Put('finally ran');
    end;
  except
    Put('handled');
  end;
end;

{ expect:
caught first
Undeclared identifier: 'NoSuchRoutine'
else part
outer got inner
finally ran
handled
}
