{ expect:
select fig True
change apple
items 3: apple fig pear
selected apple 0
deselect apple
select fig True
deselect fig
select apple True
report 3 columns, sub pear
edit refused
deleted apple, count 2, selected nil
images 3 16
bad image index: Invalid ImageList Index
status Ready 2 panels: One Two
panel rect 0 60
splitter 120 -> 150
bad item: List index out of bounds (5)
}
// The common controls as a script builds them: list view items, sorting, selection events,
// columns; the image list; status bar panels; a splitter moved as a drag would.
var Log;

procedure Selected(Sender; Item; IsSelected);
begin
  if IsSelected then MessageList.Lines.Add('select ' + Item.Caption + ' True')
  else MessageList.Lines.Add('deselect ' + Item.Caption);
end;
procedure Changed(Sender; Item; Change);
begin
  if Change = ctText then MessageList.Lines.Add('change ' + Item.Caption);
end;
procedure Editing(Sender; Item; var Allow); begin Allow := False; end;
procedure Deleted(Sender; Item); begin Log := Item.Caption; end;
// A caught message carries the source-position block on its next line.
function FirstLine(S); begin if Pos(#13, S) > 0 then Result := Copy(S, 1, Pos(#13, S) - 1) else Result := S; end;

procedure Main;
var F, LV, I, Names, k, Images, Bmp, SB, P, Side, Split, Before;
begin
  F := TForm.Create(nil);
  LV := TListView.Create(F); LV.Parent := F;
  LV.ViewStyle := vsList;
  LV.SortType := stText;
  LV.OnSelectItem := @Selected;
  I := LV.Items.Add; I.Caption := 'pear';
  I := LV.Items.Add; I.Caption := 'fig';
  I.Selected := True;
  LV.OnChange := @Changed;
  I := LV.Items.Add; I.Caption := 'apple';
  LV.OnChange := nil;
  Names := '';
  for k := 0 to LV.Items.Count - 1 do Names := Names + ' ' + LV.Items[k].Caption;
  MessageList.Lines.Add('items ' + IntToStr(LV.Items.Count) + ':' + Names);
  LV.OnSelectItem := nil;
  LV.Items[0].Selected := True;
  MessageList.Lines.Add('selected ' + LV.Selected.Caption + ' ' + IntToStr(LV.ItemIndex));
  LV.OnSelectItem := @Selected;
  LV.Items[1].Selected := True;
  LV.Items[0].Selected := True;
  LV.ViewStyle := vsReport;
  LV.Columns.Add.Caption := 'Name';
  LV.Columns.Add.Caption := 'Colour';
  LV.Columns.Add.Caption := 'Taste';
  LV.Items[2].SubItems.Add('green');
  MessageList.Lines.Add('report ' + IntToStr(LV.Columns.Count) + ' columns, sub ' + LV.Items[2].Caption);
  LV.OnEditing := @Editing;
  if LV.Items[0].EditCaption then MessageList.Lines.Add('edit allowed') else MessageList.Lines.Add('edit refused');
  LV.OnSelectItem := nil;
  LV.OnDeletion := @Deleted;
  LV.Items[0].Delete;
  if LV.Selected = nil then Names := 'nil' else Names := LV.Selected.Caption;
  MessageList.Lines.Add('deleted ' + Log + ', count ' + IntToStr(LV.Items.Count) + ', selected ' + Names);

  Images := TImageList.Create(F);
  Bmp := TBitmap.Create;
  Bmp.SetSize(48, 16);
  Images.Add(Bmp, nil);
  Bmp.Free;
  MessageList.Lines.Add('images ' + IntToStr(Images.Count) + ' ' + IntToStr(Images.Width));
  try
    Images.Delete(7);
  except
    on E: Exception do MessageList.Lines.Add('bad image index: ' + FirstLine(E.Message));
  end;
  LV.SmallImages := Images;
  LV.Items[0].ImageIndex := 1;

  SB := TStatusBar.Create(F); SB.Parent := F;
  SB.SimplePanel := True;
  SB.SimpleText := 'Ready';
  P := SB.Panels.Add; P.Text := 'One'; P.Width := 60;
  P := SB.Panels.Add; P.Text := 'Two';
  MessageList.Lines.Add('status ' + SB.SimpleText + ' ' + IntToStr(SB.Panels.Count) + ' panels: ' +
    SB.Panels[0].Text + ' ' + SB.Panels[1].Text);
  MessageList.Lines.Add('panel rect ' + IntToStr(SB.PanelRect(0).Left) + ' ' + IntToStr(SB.PanelRect(0).Right));

  F.ClientWidth := 400; F.ClientHeight := 300;
  LV.Align := alClient;
  Side := TPanel.Create(F); Side.Parent := F; Side.Width := 120; Side.Align := alLeft;
  Split := TSplitter.Create(F); Split.Parent := F; Split.Left := 125; Split.Align := alLeft;
  Before := Side.Width;
  Split.MoveBy(30);
  MessageList.Lines.Add('splitter ' + IntToStr(Before) + ' -> ' + IntToStr(Side.Width));
  try
    LV.Items[5].Caption := 'x';
  except
    on E: Exception do MessageList.Lines.Add('bad item: ' + FirstLine(E.Message));
  end;
  F.Free;
end;
