{ expect:
File 2
clicked Open
checked True
radio False True
shortcut Ctrl+O
key 79 4
found Open
stripped Save As
index refused
twice refused
}
procedure Clicked(Sender); begin MessageList.Lines.Add('clicked ' + Sender.Caption); end;

procedure Main;
var F, M, FileItem, Open, Save, A, B, K, S;
begin
  F := TForm.Create(nil);
  M := TMainMenu.Create(F);
  FileItem := TMenuItem.Create(M); FileItem.Caption := '&File';
  M.Items.Add(FileItem);
  Open := TMenuItem.Create(M); Open.Caption := 'Open'; Open.OnClick := @Clicked;
  Open.ShortCut := ShortCut(Ord('O'), [ssCtrl]);
  Save := TMenuItem.Create(M); Save.Caption := 'Save &As';
  FileItem.Add(Open);
  FileItem.Add(Save);
  F.Menu := M;
  MessageList.Lines.Add(StripHotkey(M.Items[0].Caption) + ' ' + IntToStr(FileItem.Count));
  FileItem.Items[0].Click;
  Save.AutoCheck := True;
  Save.Click;
  if Save.Checked then MessageList.Lines.Add('checked True');
  A := TMenuItem.Create(M); A.RadioItem := True; A.GroupIndex := 1; FileItem.Add(A);
  B := TMenuItem.Create(M); B.RadioItem := True; B.GroupIndex := 1; FileItem.Add(B);
  A.Checked := True;
  B.Checked := True;
  if A.Checked then S := 'True' else S := 'False';
  if B.Checked then S := S + ' True' else S := S + ' False';
  MessageList.Lines.Add('radio ' + S);
  MessageList.Lines.Add('shortcut ' + ShortCutToText(Open.ShortCut));
  K := 0; S := [];
  ShortCutToKey(TextToShortCut('Ctrl+O'), K, S);
  MessageList.Lines.Add('key ' + IntToStr(K) + ' ' + IntToStr(S));
  MessageList.Lines.Add('found ' + M.FindItem(Open.ShortCut).Caption);
  MessageList.Lines.Add('stripped ' + StripHotkey(Save.Caption));
  try
    FileItem.Items[9];
  except
    on E: Exception do if Pos('Menu index out of range', E.Message) = 1 then MessageList.Lines.Add('index refused');
  end;
  try
    M.Items.Add(Open);
  except
    on E: Exception do if Pos('Menu inserted twice', E.Message) = 1 then MessageList.Lines.Add('twice refused');
  end;
  F.Free;
end;
