{ expect:
linked Save|Save|Save|Save to disk|Save to disk|Ctrl+S
Caption=Store: Store Store Store
Enabled=False: False False False
Visible=False: False False False
Hint=Keep it: Keep it Keep it Keep it
own caption Own, item Again
execute TAction by TButton
execute TAction by TMenuItem
own click Other
disabled ran 0 times
checked True True True
checked False False False
group A1 True False
group A2 False True
group stays True
list handled Save
suspended False
update False False
update True True
freed nil Own
secondary True False
shortcut refused
actions 2 1 A2
index refused
idle True True False True
}
var Runs, Ready, Ticks, Updates;

procedure Executed(Sender);
begin
  Runs := Runs + 1;
  MessageList.Lines.Add('execute ' + Sender.ClassName + ' by ' + Sender.ActionComponent.ClassName);
end;
procedure Quiet(Sender); begin Runs := Runs + 1; end;
procedure OwnClick(Sender); begin MessageList.Lines.Add('own click ' + Sender.Caption); end;
procedure ListExecute(Action; var Handled);
begin
  MessageList.Lines.Add('list handled ' + Action.Caption);
  Handled := True;
end;
procedure Updating(Sender); begin Sender.Enabled := Ready; end;
procedure Tick(Sender); begin Ticks := Ticks + 1; end;
procedure Counting(Sender); begin Updates := Updates + 1; end;

function B2S(V); begin if V then Result := 'True' else Result := 'False'; end;

procedure Main;
var F, L, A, A1, A2, A3, A4, B, B2, C, M, Item, Item1, Item2, T, S;
begin
  F := TForm.Create(nil);
  L := TActionList.Create(F);
  A := TAction.Create(F); A.ActionList := L;
  A.Caption := 'Save'; A.Hint := 'Save to disk'; A.ShortCut := TextToShortCut('Ctrl+S');
  B := TButton.Create(F); B.Parent := F;
  C := TCheckBox.Create(F); C.Parent := F; C.Top := 40;
  M := TMainMenu.Create(F); F.Menu := M;
  Item := TMenuItem.Create(M); M.Items.Add(Item);
  B.Action := A; C.Action := A; Item.Action := A;
  MessageList.Lines.Add('linked ' + B.Caption + '|' + C.Caption + '|' + Item.Caption + '|' + B.Hint + '|' +
    Item.Hint + '|' + ShortCutToText(Item.ShortCut));

  // Each property set on the action shows on every client.
  A.Caption := 'Store';
  MessageList.Lines.Add('Caption=Store: ' + B.Caption + ' ' + C.Caption + ' ' + Item.Caption);
  A.Enabled := False;
  MessageList.Lines.Add('Enabled=False: ' + B2S(B.Enabled) + ' ' + B2S(C.Enabled) + ' ' + B2S(Item.Enabled));
  A.Enabled := True;
  A.Visible := False;
  MessageList.Lines.Add('Visible=False: ' + B2S(B.Visible) + ' ' + B2S(C.Visible) + ' ' + B2S(Item.Visible));
  A.Visible := True;
  A.Hint := 'Keep it';
  MessageList.Lines.Add('Hint=Keep it: ' + B.Hint + ' ' + C.Hint + ' ' + Item.Hint);

  // A client whose caption was changed on its own keeps it.
  B.Caption := 'Own';
  A.Caption := 'Again';
  MessageList.Lines.Add('own caption ' + B.Caption + ', item ' + Item.Caption);

  // Clicking a client runs the action, with the client as ActionComponent.
  A.OnExecute := @Executed;
  Runs := 0;
  B.Click;
  Item.Click;
  B2 := TButton.Create(F); B2.Parent := F; B2.Action := A;
  B2.Caption := 'Other'; B2.OnClick := @OwnClick;
  B2.Click;
  A.OnExecute := @Quiet;
  Runs := 0;
  A.Enabled := False;
  B.Click; Item.Click;
  if not A.Execute then MessageList.Lines.Add('disabled ran ' + IntToStr(Runs) + ' times');
  A.Enabled := True;

  // AutoCheck: the click toggles the action, and the action every client.
  A.AutoCheck := True;
  C.Checked := True;
  MessageList.Lines.Add('checked ' + B2S(A.Checked) + ' ' + B2S(C.Checked) + ' ' + B2S(Item.Checked));
  Item.Click;
  MessageList.Lines.Add('checked ' + B2S(A.Checked) + ' ' + B2S(C.Checked) + ' ' + B2S(Item.Checked));

  // Actions of one group: checking one unchecks the others; a checked one stays checked.
  A1 := TAction.Create(F); A1.ActionList := L; A1.GroupIndex := 1; A1.AutoCheck := True; A1.OnExecute := @Quiet;
  A2 := TAction.Create(F); A2.Name := 'A2'; A2.ActionList := L; A2.GroupIndex := 1; A2.AutoCheck := True; A2.OnExecute := @Quiet;
  Item1 := TMenuItem.Create(M); Item1.Action := A1; M.Items.Add(Item1);
  Item2 := TMenuItem.Create(M); Item2.Action := A2; M.Items.Add(Item2);
  Item1.Click;
  MessageList.Lines.Add('group A1 ' + B2S(Item1.Checked) + ' ' + B2S(Item2.Checked));
  Item2.Click;
  MessageList.Lines.Add('group A2 ' + B2S(A1.Checked) + ' ' + B2S(A2.Checked));
  A2.Execute;
  MessageList.Lines.Add('group stays ' + B2S(A2.Checked));

  // The list sees each execution first; a suspended list runs nothing.
  L.OnExecute := @ListExecute;
  A.AutoCheck := False;
  A.Caption := 'Save';
  A.Execute;
  L.OnExecute := nil;
  L.State := asSuspended;
  MessageList.Lines.Add('suspended ' + B2S(A.Execute));
  L.State := asNormal;

  // OnUpdate decides the state that clients show.
  A.OnUpdate := @Updating;
  Ready := False; A.Update;
  MessageList.Lines.Add('update ' + B2S(A.Enabled) + ' ' + B2S(Item.Enabled));
  Ready := True; A.Update;
  MessageList.Lines.Add('update ' + B2S(A.Enabled) + ' ' + B2S(Item.Enabled));

  // A freed action leaves its clients as they are, without an action.
  A.Free;
  if B.Action = nil then S := 'nil' else S := 'still';
  B.Click;
  MessageList.Lines.Add('freed ' + S + ' ' + B.Caption);

  A1.SecondaryShortCuts.Add('Ctrl+Q');
  MessageList.Lines.Add('secondary ' + B2S(A1.IsShortCut(TextToShortCut('Ctrl+Q'))) + ' ' +
    B2S(A1.IsShortCut(TextToShortCut('Ctrl+W'))));
  try
    A1.SecondaryShortCuts.Add('Nonsense+');
  except
    on E: EActionError do if Pos('Invalid shortcut', E.Message) = 1 then MessageList.Lines.Add('shortcut refused');
  end;
  MessageList.Lines.Add('actions ' + IntToStr(L.ActionCount) + ' ' + IntToStr(A2.Index) + ' ' +
    L.Actions[1].Name);
  try
    L.Actions[5];
  except
    on E: EListError do MessageList.Lines.Add('index refused');
  end;

  // While the application waits for events, the lists of a showing form update their actions:
  // OnUpdate runs, and an action that nothing could execute is disabled.
  A3 := TAction.Create(F); A3.ActionList := L; A3.OnUpdate := @Counting;
  A4 := TAction.Create(F); A4.ActionList := L;
  B.Action := A4;
  S := B2S(A4.Enabled) + ' ' + B2S(B.Enabled);
  F.Show;
  T := TTimer.Create(F); T.Interval := 1; T.OnTimer := @Tick;
  Ticks := 0; Updates := 0;
  while Ticks < 2 do Application.HandleMessage;
  T.Enabled := False;
  MessageList.Lines.Add('idle ' + S + ' ' + B2S(B.Enabled) + ' ' + B2S(Updates > 0));
  F.Free;
end;
