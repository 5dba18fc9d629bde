// Host units never hide the language's own routines; a unit's routine is reached by
// qualifying it with the unit's name.
procedure Put(x); begin MessageList.Lines.Add(x) end;

procedure Main;
begin
  Put(Copy('hello', 2, 3));
  Put(Length('hello'));
  Put(Round(2.5));
  Put(SysUtils.Trim('  both  ') + '|');
  Put(SysUtils.IntToStr(-7));
  Put(Format('%d-%s', 3, 'x'));
  Put(dupError + csDesigning * 10);  // the Classes unit's enumeration values
  try
    Random(1, 2);
  except
    on E: Exception do Put(E.ClassName);
  end;
end;

{ expect:
ell
5
2
both|
-7
3-x
42
EQelVMRuntime
}
