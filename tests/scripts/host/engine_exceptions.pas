// The engine's own exception classes are script types: handlers select them by class and read
// a compile error's position.
procedure Put(x); begin MessageList.Lines.Add(x) end;

procedure Main;
begin
  try
    NoSuchRoutine(1);
  except
    on E: EQelCompileBase do Put('wrong handler');
    on E: EQelVMRuntime do Put('runtime: ' + E.ClassName);
  end;
  try
    raise EQelPasCompiler.Create('made here', 42);
  except
    on E: EQelCompileBase do Put(E.ClassName + ' at ' + IntToStr(E.SourcePos));
  end;
  try
    raise EQelVMRuntime.Create('by hand');
  except
    on E: Exception do Put(E is EQelVMRuntime);
  end;
end;

{ expect:
runtime: EQelVMRuntime
EQelPasCompiler at 42
True
}
