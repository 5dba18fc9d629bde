procedure Fail(n);
begin
  raise Exception.Create('bad ' + IntToStr(n));
end;

procedure Main;
begin
  try
    Fail(1);
  except
    MessageList.Lines.Add('caught');
  end;
  try
    Fail(2);
  finally
    MessageList.Lines.Add('finally');
  end;
end;
