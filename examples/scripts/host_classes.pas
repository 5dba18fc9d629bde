// Host classes from the registered units: a string list created, sorted and freed by the script.
procedure Main;
var List, i;
begin
  List := TStringList.Create;
  try
    List.Add('pear');
    List.Add('apple');
    List.Add('fig');
    List.Sort;
    for i := 0 to List.Count - 1 do
      MessageList.Lines.Add(IntToStr(i + 1) + '. ' + UpperCase(List[i]));
  finally
    List.Free;
  end;
end;
