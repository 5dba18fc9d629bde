{ expect:
open False
save False
color False 255
font False
find False
answer 1
input default
}
procedure Main;
var D, S;
begin
  D := TOpenDialog.Create(nil);
  D.Filter := 'Text|*.txt|All|*.*';
  D.FileName := 'x.txt';
  if D.Execute then S := 'True' else S := 'False';
  MessageList.Lines.Add('open ' + S);
  D.Free;
  D := TSaveDialog.Create(nil);
  if D.Execute then S := 'True' else S := 'False';
  MessageList.Lines.Add('save ' + S);
  D.Free;
  D := TColorDialog.Create(nil);
  D.Color := clRed;
  if D.Execute then S := 'True' else S := 'False';
  MessageList.Lines.Add('color ' + S + ' ' + IntToStr(D.Color));
  D.Free;
  D := TFontDialog.Create(nil);
  if D.Execute then S := 'True' else S := 'False';
  MessageList.Lines.Add('font ' + S);
  D.Free;
  D := TFindDialog.Create(nil);
  if D.Execute then S := 'True' else S := 'False';
  MessageList.Lines.Add('find ' + S);
  D.Free;
  MessageList.Lines.Add('answer ' + IntToStr(Dialogs.MessageDlg('Sure?', mtConfirmation, [mbOK, mbCancel], 0)));
  MessageList.Lines.Add('input ' + Dialogs.InputBox('Caption', 'Prompt', 'default'));
end;
