{ expect:
bounds 10 20 110 45
edit hello 5 True
check True 1
radio False True
list 3 1 b
combo 2 y
label Name
memo 2
timer 250 False
shape 4
font 12 -16
count 11
}
function B(Value); begin if Value then Result := 'True' else Result := 'False'; end;

procedure Main;
var F, C, R, R2, L, M, T;
begin
  F := TForm.Create(nil);
  C := TButton.Create(F); C.Parent := F;
  C.BoundsRect := Rect(10, 20, 110, 45);
  R := C.BoundsRect;
  MessageList.Lines.Add('bounds ' + IntToStr(R.Left) + ' ' + IntToStr(R.Top) + ' ' + IntToStr(R.Right) + ' ' + IntToStr(R.Bottom));
  C := TEdit.Create(F); C.Parent := F;
  C.Text := 'hello'; C.MaxLength := 5; C.ReadOnly := True;
  MessageList.Lines.Add('edit ' + C.Text + ' ' + IntToStr(C.MaxLength) + ' ' + B(C.ReadOnly));
  C := TCheckBox.Create(F); C.Parent := F;
  C.Checked := True;
  MessageList.Lines.Add('check ' + B(C.Checked) + ' ' + IntToStr(C.State));
  R := TRadioButton.Create(F); R.Parent := F;
  R2 := TRadioButton.Create(F); R2.Parent := F;
  R.Checked := True; R2.Checked := True;
  MessageList.Lines.Add('radio ' + B(R.Checked) + ' ' + B(R2.Checked));
  L := TListBox.Create(F); L.Parent := F;
  L.Items.Add('c'); L.Items.Add('a'); L.Items.Add('b');
  L.Sorted := True;
  L.ItemIndex := 1;
  MessageList.Lines.Add('list ' + IntToStr(L.Count) + ' ' + IntToStr(L.ItemIndex) + ' ' + L.Items[L.ItemIndex]);
  C := TComboBox.Create(F); C.Parent := F;
  C.Style := csDropDownList;
  C.Items.Add('x'); C.Items.Add('y');
  C.ItemIndex := 1;
  MessageList.Lines.Add('combo ' + IntToStr(C.Items.Count) + ' ' + C.Text);
  C := TLabel.Create(F); C.Parent := F; C.Caption := '&Name';
  MessageList.Lines.Add('label ' + StripHotkey(C.Caption));
  M := TMemo.Create(F); M.Parent := F;
  M.Text := 'one' + #13#10 + 'two';
  MessageList.Lines.Add('memo ' + IntToStr(M.Lines.Count));
  T := TTimer.Create(F); T.Interval := 250; T.Enabled := False;
  MessageList.Lines.Add('timer ' + IntToStr(T.Interval) + ' ' + B(T.Enabled));
  C := TShape.Create(F); C.Parent := F; C.Shape := stEllipse;
  MessageList.Lines.Add('shape ' + IntToStr(C.Shape));
  C := TPanel.Create(F); C.Parent := F; C.Font.Size := 12;
  MessageList.Lines.Add('font ' + IntToStr(C.Font.Size) + ' ' + IntToStr(C.Font.Height));
  MessageList.Lines.Add('count ' + IntToStr(F.ControlCount));
  F.Free;
end;
