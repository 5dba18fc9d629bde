// Exception constructors of the host units: Create, CreateFmt, CreateHelp and CreateFmtHelp
// keep the class they are called on, caught by that class; a class whose host constructor takes
// more than a message refuses its ancestor's forms instead of making the ancestor.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(10), S);
  if i > 0 then Result := SysUtils.Trim(Copy(S, 1, i - 1));
end;

function Args2(A; B);
begin
  Result := array[1];
  Result[0] := A;
  Result[1] := B;
end;

// Raises E and shows what a handler of its class sees.
procedure Show(E);
begin
  try
    raise E;
  except
    on X: Exception do Put(X.ClassName + ' [' + FirstLine(X.Message) + '] ' + IntToStr(X.HelpContext));
  end;
end;

procedure Main;
begin
  Show(Exception.Create('plain'));
  Show(EConvertError.CreateFmt('%d is not %s', Args2(7, 'seven')));
  Show(EListError.CreateHelp('help', 42));
  Show(EStreamError.CreateFmtHelp('%s-%s', Args2('a', 'b'), 9));
  Show(EInOutError.CreateFmt('file %s', 'x.txt'));
  Show(EAbort.CreateHelp('stopped', 1));
  try
    raise EReadError.CreateFmt('read %d', 5);
  except
    on X: EFilerError do Put('caught as EFilerError: ' + X.ClassName);
  end;
  try
    EOleSysError.CreateFmt('%d', 1);
  except
    on X: ENoConstructException do Put(X.ClassName + ': ' + FirstLine(X.Message));
  end;
  try
    EConvertError.CreateFmt('%d %d', 1);
  except
    on X: EConvertError do Put(X.ClassName + ': ' + FirstLine(X.Message));
  end;
end;

{ expect:
Exception [plain] 0
EConvertError [7 is not seven] 0
EListError [help] 42
EStreamError [a-b] 9
EInOutError [file x.txt] 0
EAbort [stopped] 1
caught as EFilerError: EReadError
ENoConstructException: EOleSysError has no constructor of this form
EConvertError: No argument for format '%d %d'
}
