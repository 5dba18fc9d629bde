{ expect:
timer 3 False
radio 3 -1
ItemIndex=1: clicked 1, checked 1
ItemIndex=7: clicked 2, checked 2
ItemIndex=-1: clicked -1, checked none
ItemIndex=-5: clicked -1, checked none
radio user 0
columns 2 True
radio deleted 2 Three 1
radio empty 0 0
lpAbove 100 80
lpBelow 100 124
lpLeft 32 102
lpRight 223 102
label parent TForm
labeled freed 2
colorbox 50 clBlack clBlack
colorbox red 9 clRed
pretty 17 None Red 10
lacking -1 clBlack
custom 0 $00123456 Custom...
extra Orange $000080FF
colors refused
listbox 20 clMoneyGreen 16
fsLeftRightTopBottom 0,0 80,0 0,30
fsRightLeftTopBottom 120,0 40,0 120,30
fsLeftRightBottomTop 0,70 80,70 0,40
fsTopBottomLeftRight 0,0 0,30 0,60
fsBottomTopRightLeft 120,70 120,40 120,10
no wrap 0,0 80,0 160,0
index 0 80,0 160,0 0,0
grid 3 0,0 100,0 0,33 100,33 0,66
absolute 0,0 50,0 0,33 50,33 0,66
added TGridPanel 1,2 50,66
cell 1 1 False
cell refused
notebook 1 Default 0
notebook Two 1 False True 1
notebook One 0 1
notebook 2 Three 0 1
tray False False 3 10000
tray animated 4 1 False
category 2 0 100 100
collapsed True 24 24 10
header 30 30
expanded 100 100 130 11
collapsed all 30 30
bands 72,2 11,2 133,2 11,28
bands moved 72,2 11,2 143,2 11,28
header 3 80 80
sizing 0 90 sizing 0 100 sized 0 100
header 100 80
header refused
}
var Ticks, Clicked, Log;

procedure Tick(Sender);
begin
  Ticks := Ticks + 1;
  if Ticks = 3 then Sender.Enabled := False;
end;
procedure GroupClick(Sender); begin Clicked := Sender.ItemIndex; end;
procedure PageChanged(Sender); begin Clicked := Clicked + 1; end;
procedure Collapsing(Sender); begin Clicked := Clicked + 10; end;
procedure Sizing(Sender; ASection; AWidth); begin Log := Log + 'sizing ' + IntToStr(ASection) + ' ' + IntToStr(AWidth) + ' '; end;
procedure Sized(Sender; ASection; AWidth); begin Log := Log + 'sized ' + IntToStr(ASection) + ' ' + IntToStr(AWidth); end;
procedure BandMove(Sender; Control; var ARect);
begin
  if Control.Tag = 3 then ARect := Rect(ARect.Left + 10, ARect.Top, ARect.Right + 10, ARect.Bottom);
end;
procedure Expanding(Sender); begin Clicked := Clicked + 1; end;
procedure Animated(Sender);
begin
  Ticks := Ticks + 1;
  if Ticks = 4 then Sender.Animate := False;
end;
procedure MoreColors(Sender; Items); begin Items.Add('Orange=$0080FF'); Items.Add('=$FF'); end;

function Checked(R);
var I;
begin
  Result := 'none';
  for I := 0 to R.Items.Count - 1 do
    if R.Buttons[I].Checked then Result := IntToStr(I);
end;

function B2S(V); begin if V then Result := 'True' else Result := 'False'; end;

function Places(P);
var I;
begin
  Result := '';
  for I := 0 to P.ControlCount - 1 do
  begin
    if I > 0 then Result := Result + ' ';
    Result := Result + IntToStr(P.Controls[I].Left) + ',' + IntToStr(P.Controls[I].Top);
  end;
end;

procedure TryIndex(R; V);
begin
  Clicked := 99;
  R.ItemIndex := V;
  if Clicked = 99 then Clicked := R.ItemIndex;
  MessageList.Lines.Add('ItemIndex=' + IntToStr(V) + ': clicked ' + IntToStr(Clicked) + ', checked ' + Checked(R));
end;

procedure Place(LE; Position; Name);
begin
  LE.LabelPosition := Position;
  MessageList.Lines.Add(Name + ' ' + IntToStr(LE.EditLabel.Left) + ' ' + IntToStr(LE.EditLabel.Top));
end;

procedure Flow(FP; Style; Name);
begin
  FP.FlowStyle := Style;
  MessageList.Lines.Add(Name + ' ' + Places(FP));
end;

procedure AddBand(Bar; X; Y; N);
var P;
begin
  P := TPanel.Create(Bar); P.SetBounds(X, Y, 50, 20); P.Tag := N; P.Parent := Bar;
end;

procedure Main;
var F, T, R, LE, CB, LB, FP, G, NB, TI, IL, CG, CP, P, I, N;
begin
  F := TForm.Create(nil);
  F.ClientWidth := 400; F.ClientHeight := 300;

  // A timer fires while the loop waits for events; its handler stops it.
  T := TTimer.Create(F); T.Interval := 1; T.OnTimer := @Tick;
  Ticks := 0;
  while Ticks < 3 do Application.HandleMessage;
  MessageList.Lines.Add('timer ' + IntToStr(Ticks) + ' ' + B2S(T.Enabled));

  // Radio groups: one button per item; ItemIndex and the buttons stay in step.
  R := TRadioGroup.Create(F); R.Parent := F; R.Caption := 'Size';
  R.Items.Add('One'); R.Items.Add('Two'); R.Items.Add('Three');
  R.OnClick := @GroupClick;
  MessageList.Lines.Add('radio ' + IntToStr(R.ControlCount) + ' ' + IntToStr(R.ItemIndex));
  TryIndex(R, 1); TryIndex(R, 7); TryIndex(R, -1); TryIndex(R, -5);
  R.Buttons[0].Checked := True;
  MessageList.Lines.Add('radio user ' + IntToStr(R.ItemIndex));
  R.Columns := 2;
  MessageList.Lines.Add('columns ' + IntToStr(R.Columns) + ' ' + B2S(R.Buttons[2].Left > R.Buttons[0].Left));
  R.Items.Delete(0);
  R.ItemIndex := 1;
  MessageList.Lines.Add('radio deleted ' + IntToStr(R.ControlCount) + ' ' + R.Buttons[1].Caption + ' ' +
    IntToStr(R.ItemIndex));
  R.Items.Clear;
  MessageList.Lines.Add('radio empty ' + IntToStr(R.ControlCount) + ' ' + IntToStr(R.ItemIndex + 1));

  // A labeled edit keeps its label beside it.
  LE := TLabeledEdit.Create(F); LE.Parent := F;
  LE.SetBounds(100, 100, 120, 21);
  LE.EditLabel.Caption := 'Name';
  Place(LE, lpAbove, 'lpAbove'); Place(LE, lpBelow, 'lpBelow'); Place(LE, lpLeft, 'lpLeft');
  Place(LE, lpRight, 'lpRight');
  MessageList.Lines.Add('label parent ' + LE.EditLabel.Parent.ClassName);
  N := F.ControlCount;
  LE.Free;
  MessageList.Lines.Add('labeled freed ' + IntToStr(N - F.ControlCount));

  // Colour boxes list the colours of their style.
  CB := TColorBox.Create(F); CB.Parent := F;
  MessageList.Lines.Add('colorbox ' + IntToStr(CB.Items.Count) + ' ' + CB.Items[0] + ' ' + ColorToString(CB.Selected));
  CB.Selected := clRed;
  MessageList.Lines.Add('colorbox red ' + IntToStr(CB.ItemIndex) + ' ' + CB.Text);
  CB.Style := [cbStandardColors, cbPrettyNames, cbIncludeNone];
  MessageList.Lines.Add('pretty ' + IntToStr(CB.Items.Count) + ' ' + CB.Items[0] + ' ' + CB.Items[10] + ' ' +
    IntToStr(CB.ItemIndex));
  CB.Selected := $123456;
  MessageList.Lines.Add('lacking ' + IntToStr(CB.ItemIndex) + ' ' + ColorToString(CB.Selected));
  CB.Style := [cbStandardColors, cbCustomColor];
  CB.Selected := $123456;
  MessageList.Lines.Add('custom ' + IntToStr(CB.ItemIndex) + ' ' + ColorToString(CB.Selected) + ' ' + CB.Items[0]);
  CB.OnGetColors := @MoreColors;
  CB.Style := [cbCustomColors];
  MessageList.Lines.Add('extra ' + CB.ColorNames[CB.Items.Count - 1] + ' ' +
    ColorToString(CB.Colors[CB.Items.Count - 1]));
  try
    CB.Colors[CB.Items.Count];
  except
    on E: EListError do MessageList.Lines.Add('colors refused');
  end;
  LB := TColorListBox.Create(F); LB.Parent := F;
  LB.Style := [cbStandardColors, cbExtendedColors];
  LB.Selected := clMoneyGreen;
  MessageList.Lines.Add('listbox ' + IntToStr(LB.Items.Count) + ' ' + LB.Items[LB.ItemIndex] + ' ' +
    IntToStr(LB.ItemIndex));

  // Flow panels place their children one after the other in the flow's direction.
  FP := TFlowPanel.Create(F); FP.Parent := F; FP.BevelOuter := bvNone;
  FP.SetBounds(0, 0, 200, 100);
  for I := 1 to 3 do
  begin
    P := TPanel.Create(F); P.Width := 80; P.Height := 30; P.Parent := FP;
  end;
  Flow(FP, fsLeftRightTopBottom, 'fsLeftRightTopBottom'); Flow(FP, fsRightLeftTopBottom, 'fsRightLeftTopBottom');
  Flow(FP, fsLeftRightBottomTop, 'fsLeftRightBottomTop'); Flow(FP, fsTopBottomLeftRight, 'fsTopBottomLeftRight');
  Flow(FP, fsBottomTopRightLeft, 'fsBottomTopRightLeft');
  FP.FlowStyle := fsLeftRightTopBottom;
  FP.AutoWrap := False;
  MessageList.Lines.Add('no wrap ' + Places(FP));
  FP.SetControlIndex(FP.Controls[2], 0);
  MessageList.Lines.Add('index ' + IntToStr(FP.GetControlIndex(FP.Controls[2])) + ' ' + Places(FP));

  // Grid panels fill their cells row by row and add a row when they are full.
  G := TGridPanel.Create(F); G.Parent := F; G.BevelOuter := bvNone; G.SetBounds(0, 0, 200, 100);
  for I := 1 to 5 do
  begin
    P := TPanel.Create(F); P.Width := 20; P.Height := 10; P.Parent := G;
  end;
  MessageList.Lines.Add('grid ' + IntToStr(G.RowCollection.Count) + ' ' + Places(G));
  G.ColumnCollection[0].SizeStyle := ssAbsolute;
  G.ColumnCollection[0].Value := 50;
  MessageList.Lines.Add('absolute ' + Places(G));
  P := TPanel.Create(F); P.Width := 20; P.Height := 10;
  N := G.ControlCollection.AddControl(P, 1, 2);
  MessageList.Lines.Add('added ' + P.Parent.ClassName + ' ' + IntToStr(N.Column) + ',' + IntToStr(N.Row) + ' ' +
    IntToStr(P.Left) + ',' + IntToStr(P.Top));
  MessageList.Lines.Add('cell ' + IntToStr(G.ControlCollection[3].Column) + ' ' + IntToStr(G.ControlCollection[3].Row) +
    ' ' + B2S(G.IsRowEmpty(2)));
  try
    G.ColumnCollection[1].Value := 150;
  except
    on E: EGridPanelException do MessageList.Lines.Add('cell refused');
  end;

  // Notebooks: a page per name, the active one showing.
  NB := TNotebook.Create(F); NB.Parent := F;
  MessageList.Lines.Add('notebook ' + IntToStr(NB.ControlCount) + ' ' + NB.ActivePage + ' ' + IntToStr(NB.PageIndex));
  NB.Pages.Clear;
  NB.Pages.Add('One'); NB.Pages.Add('Two'); NB.Pages.Add('Three');
  NB.OnPageChanged := @PageChanged;
  Clicked := 0;
  NB.PageIndex := 1;
  NB.PageIndex := 9;
  MessageList.Lines.Add('notebook ' + NB.ActivePage + ' ' + IntToStr(NB.PageIndex) + ' ' +
    B2S(NB.Pages.Objects[0].Visible) + ' ' + B2S(NB.Pages.Objects[1].Visible) + ' ' + IntToStr(Clicked));
  NB.ActivePage := 'one';
  NB.ActivePage := 'nowhere';
  MessageList.Lines.Add('notebook ' + NB.ActivePage + ' ' + IntToStr(NB.PageIndex) + ' ' + IntToStr(Clicked - 1));
  P := TButton.Create(F); P.Parent := NB.Pages.Objects[0];
  NB.Pages.Delete(1);
  MessageList.Lines.Add('notebook ' + IntToStr(NB.ControlCount) + ' ' + NB.Pages[1] + ' ' + IntToStr(NB.PageIndex) +
    ' ' + IntToStr(NB.Pages.Objects[0].ControlCount));

  // A tray icon animates through its Icons (without a notification area nothing is shown).
  TI := TTrayIcon.Create(F);
  IL := TImageList.Create(F);
  for I := 1 to 3 do
  begin
    P := TBitmap.Create; P.SetSize(16, 16); IL.Add(P, nil); P.Free;
  end;
  TI.Icons := IL; TI.Visible := True; TI.BalloonHint := 'Done';
  MessageList.Lines.Add('tray ' + B2S(TI.Animate) + ' ' + B2S(TI.ShowBalloonHint) + ' ' + IntToStr(IL.Count) + ' ' +
    IntToStr(TI.BalloonTimeout));
  TI.OnAnimate := @Animated; TI.AnimateInterval := 1;
  Ticks := 0;
  TI.Animate := True;
  while Ticks < 4 do Application.HandleMessage;
  MessageList.Lines.Add('tray animated ' + IntToStr(Ticks) + ' ' + IntToStr(TI.IconIndex) + ' ' + B2S(TI.Animate));

  // Category panels stack in their group; a click on a header collapses the panel to it.
  CG := TCategoryPanelGroup.Create(F); CG.Parent := F; CG.SetBounds(0, 0, 200, 300);
  CP := CG.CreatePanel(F); CP.Caption := 'First'; CP.Height := 100;
  P := CG.CreatePanel(F); P.Caption := 'Second'; P.Height := 100;
  MessageList.Lines.Add('category ' + IntToStr(CG.PanelCount) + ' ' + IntToStr(CP.Top) + ' ' + IntToStr(P.Top) + ' ' +
    IntToStr(CP.Height));
  CP.OnCollapse := @Collapsing; CP.OnExpand := @Expanding;
  Clicked := 0;
  CP.Perform(WM_LBUTTONDOWN, MK_LBUTTON, 5 + 5 * 65536);
  CP.Perform(WM_LBUTTONUP, 0, 5 + 5 * 65536);
  MessageList.Lines.Add('collapsed ' + B2S(CP.Collapsed) + ' ' + IntToStr(CP.Height) + ' ' + IntToStr(P.Top) + ' ' +
    IntToStr(Clicked));
  CG.HeaderHeight := 30;
  MessageList.Lines.Add('header ' + IntToStr(CP.Height) + ' ' + IntToStr(P.Top));
  CG.ExpandAll;
  MessageList.Lines.Add('expanded ' + IntToStr(CP.Height) + ' ' + IntToStr(P.Top) + ' ' +
    IntToStr(P.Top + P.Surface.Top) + ' ' + IntToStr(Clicked));
  CG.CollapseAll;
  MessageList.Lines.Add('collapsed all ' + IntToStr(CP.Height) + ' ' + IntToStr(P.Top));

  // Control bars keep their bands in rows, each after its grab handle and after the one before
  // (the second band, put left of where the first one went, goes before it).
  G := TControlBar.Create(F); G.Parent := F; G.SetBounds(0, 0, 300, 60);
  AddBand(G, 0, 0, 1); AddBand(G, 10, 0, 2); AddBand(G, 100, 0, 3); AddBand(G, 0, 30, 4);
  MessageList.Lines.Add('bands ' + Places(G));
  G.OnBandMove := @BandMove;
  G.RowSize := 26;
  MessageList.Lines.Add('bands moved ' + Places(G));

  // Headers: dragging a section's right edge resizes it.
  G := THeader.Create(F); G.Parent := F;
  G.Sections.Add('Name'); G.Sections.Add('Size'); G.Sections.Add('Date');
  MessageList.Lines.Add('header ' + IntToStr(G.Sections.Count) + ' ' + IntToStr(G.SectionWidth[0]) + ' ' +
    IntToStr(G.SectionWidth[1]));
  G.OnSizing := @Sizing; G.OnSized := @Sized;
  Log := '';
  G.Perform(WM_LBUTTONDOWN, MK_LBUTTON, 81 + 5 * 65536);
  G.Perform(WM_MOUSEMOVE, MK_LBUTTON, 91 + 5 * 65536);
  G.Perform(WM_MOUSEMOVE, MK_LBUTTON, 101 + 5 * 65536);
  G.Perform(WM_LBUTTONUP, 0, 101 + 5 * 65536);
  MessageList.Lines.Add(Log);
  MessageList.Lines.Add('header ' + IntToStr(G.SectionWidth[0]) + ' ' + IntToStr(G.SectionWidth[1]));
  try
    G.SectionWidth[3];
  except
    on E: EListError do MessageList.Lines.Add('header refused');
  end;
  F.Free;
end;
