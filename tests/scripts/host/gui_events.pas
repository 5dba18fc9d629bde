{ expect:
click Ok
click Ok
nil handler
key 65
press a
press b
press c
edit bc
enter E1
exit E1
enter E2
mouse 2 5 6
wanttabs found
memo 2 two
pixel 255 65280
}
var Log;

procedure Clicked(Sender); begin MessageList.Lines.Add('click ' + Sender.Caption); end;
procedure KeyDown(Sender; var Key; Shift); begin MessageList.Lines.Add('key ' + IntToStr(Key)); end;
procedure KeyPress(Sender; var Key);
begin
  MessageList.Lines.Add('press ' + Chr(Key));
  if Key = Ord('a') then Key := 0;
end;
procedure Entered(Sender); begin MessageList.Lines.Add('enter ' + Sender.Name); end;
procedure Exited(Sender); begin MessageList.Lines.Add('exit ' + Sender.Name); end;
procedure MouseDown(Sender; Button; Shift; X; Y);
begin
  MessageList.Lines.Add('mouse ' + IntToStr(Ord(Button) + 1) + ' ' + IntToStr(X) + ' ' + IntToStr(Y));
end;

procedure Main;
var F, B, E1, E2, P, M, Bmp;
begin
  F := TForm.Create(nil);
  B := TButton.Create(F); B.Parent := F; B.Caption := 'Ok';
  B.OnClick := @Clicked;
  B.Click;
  B.Perform(WM_LBUTTONDOWN, MK_LBUTTON, 5 + 5 * 65536);
  B.Perform(WM_LBUTTONUP, 0, 5 + 5 * 65536);
  B.OnClick := nil;
  if B.OnClick = nil then MessageList.Lines.Add('nil handler');
  B.Click;
  E1 := TEdit.Create(F); E1.Name := 'E1'; E1.Parent := F;
  E2 := TEdit.Create(F); E2.Name := 'E2'; E2.Parent := F; E2.Top := 30;
  E1.OnKeyDown := @KeyDown;
  E1.OnKeyPress := @KeyPress;
  E1.Perform(WM_KEYDOWN, 65, 0);
  E1.Perform(WM_CHAR, Ord('b'), 0);
  E1.Perform(WM_CHAR, Ord('c'), 0);
  MessageList.Lines.Add('edit ' + E1.Text);
  E1.OnEnter := @Entered; E1.OnExit := @Exited;
  E2.OnEnter := @Entered;
  F.Show;
  E1.SetFocus;
  E2.SetFocus;
  P := TPanel.Create(F); P.Parent := F;
  P.OnMouseDown := @MouseDown;
  P.Perform(WM_RBUTTONDOWN, 0, 5 + 6 * 65536);
  M := TMemo.Create(F); M.Parent := F;
  M.WantTabs := True;
  if M.WantTabs then MessageList.Lines.Add('wanttabs found');
  M.Lines.Add('one');
  M.Lines.Add('two');
  MessageList.Lines.Add('memo ' + IntToStr(M.Lines.Count) + ' ' + M.Lines[1]);
  Bmp := TBitmap.Create;
  Bmp.SetSize(20, 10);
  Bmp.Canvas.Brush.Color := clRed;
  Bmp.Canvas.FillRect(Rect(0, 0, 10, 10));
  Bmp.Canvas.Pixels[15, 5] := clLime;
  MessageList.Lines.Add('pixel ' + IntToStr(Bmp.Canvas.Pixels[3, 3]) + ' ' + IntToStr(Bmp.Canvas.Pixels[15, 5]));
  Bmp.Free;
  F.Free;
end;
