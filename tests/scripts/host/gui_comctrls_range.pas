{ expect:
progress position -5 -> 0
progress position 50 -> 50
progress position 150 -> 100
progress range 10..20: 10 20 -> 10 20
progress step 30: 30 60 90 0 30
progress step -50: 100 50 0 100
progress step by 15 -> 100, by -500 -> 0
progress max below min: TProgressBar property out of range, range still 0..100
track 4: 4 told 1
track 4 again: 4 told 0
track 99: 10 told 1
track max 6: 6 told 1
track min above max: TTrackBar property out of range
track keys home, right: 0 1 told 2
track vertical yes, frequency 2
updown text 2
updown next: 3 text 3, clicks next
updown next at max: 3 text 3, clicks next
updown wrap next: 0 text 0, clicks next
updown wrap prev: 3 text 3, clicks prev
updown typed 7 then next: 8 text 8
updown refused: 8 text 8, clicks 
updown thousands 1234: 1,234, plain 1234
updown clamp 99999: 5000
updown inverted next: 9 prev: 10
updown arrow keys in the edit: up 6, down twice 4
updown arrow keys off: 4
updown mouse top, bottom: next prev
updown beside the edit: yes
hotkey Ctrl+K 16459 ctrl yes shift no
hotkey modifiers shift+alt: 41035 Alt+Shift+K
hotkey typed Q: 81 Q, told 1
class TUpDown TCustomUpDown TProgressBar THotKey TCustomHotKey
}
// Position controls as a script drives them: progress bars, track bars and up-down buttons
// with their limits (clamping, stepping, wrapping, ranges that cannot cross), their events,
// and the hot-key editor.
var Log, Allow, Told;

procedure Put(S); begin MessageList.Lines.Add(S); end;
function FirstLine(S); begin if Pos(#13, S) > 0 then Result := Copy(S, 1, Pos(#13, S) - 1) else Result := S; end;
function YesNo(B); begin if B then Result := 'yes' else Result := 'no'; end;

procedure TrackChanged(Sender); begin Told := Told + 1; end;
procedure UpDownClick(Sender; Button);
begin
  if Button = btNext then Log := Log + 'next' else Log := Log + 'prev';
end;
procedure UpDownChanging(Sender; var AllowChange); begin AllowChange := Allow; end;
procedure HotKeyChanged(Sender); begin Told := Told + 1; end;

procedure ProgressPosition(PB; Value);
begin
  PB.Position := Value;
  Put('progress position ' + IntToStr(Value) + ' -> ' + IntToStr(PB.Position));
end;

procedure ProgressSteps(PB; Step; Times);
var S, i;
begin
  PB.Step := Step;
  S := 'progress step ' + IntToStr(Step) + ':';
  for i := 1 to Times do begin PB.StepIt; S := S + ' ' + IntToStr(PB.Position); end;
  Put(S);
end;

procedure Track(TB; Value; What);
begin
  Told := 0;
  TB.Position := Value;
  Put('track ' + What + ': ' + IntToStr(TB.Position) + ' told ' + IntToStr(Told));
end;

procedure Step(UD; E; Button; What);
begin
  Log := '';
  UD.Click(Button);
  Put('updown ' + What + ': ' + IntToStr(UD.Position) + ' text ' + E.Text + ', clicks ' + Log);
end;

procedure Main;
var F, PB, TB, UD, E, HK, Low, High, Before;
begin
  F := TForm.Create(nil);
  PB := TProgressBar.Create(F); PB.Parent := F;
  ProgressPosition(PB, -5);
  ProgressPosition(PB, 50);
  ProgressPosition(PB, 150);
  PB.Max := 20; PB.Min := 10;
  PB.Position := 5; Low := PB.Position;
  PB.Position := 25; High := PB.Position;
  Put('progress range 10..20: ' + IntToStr(PB.Min) + ' ' + IntToStr(PB.Max) + ' -> ' + IntToStr(Low) + ' ' + IntToStr(High));
  PB.Min := 0; PB.Max := 100; PB.Position := 0;
  ProgressSteps(PB, 30, 5);
  PB.Position := 50;
  PB.Step := -50; PB.Position := 0;
  ProgressSteps(PB, -50, 4);
  PB.Position := 90;
  PB.StepBy(15);
  Before := PB.Position;
  PB.StepBy(-500);
  Put('progress step by 15 -> ' + IntToStr(Before) + ', by -500 -> ' + IntToStr(PB.Position));
  try
    PB.Max := -1;
  except
    on E: EInvalidOperation do
      Put('progress max below min: ' + FirstLine(E.Message) + ', range still ' + IntToStr(PB.Min) + '..' + IntToStr(PB.Max));
  end;

  TB := TTrackBar.Create(F); TB.Parent := F;
  TB.OnChange := @TrackChanged;
  Track(TB, 4, '4');
  Track(TB, 4, '4 again');
  Track(TB, 99, '99');
  Told := 0;
  TB.Max := 6;
  Put('track max 6: ' + IntToStr(TB.Position) + ' told ' + IntToStr(Told));
  try
    TB.Min := 8;
  except
    on E: EInvalidOperation do Put('track min above max: ' + FirstLine(E.Message));
  end;
  Told := 0;
  TB.Perform(WM_KEYDOWN, VK_HOME, 0);
  Before := TB.Position;
  TB.Perform(WM_KEYDOWN, VK_RIGHT, 0);
  Put('track keys home, right: ' + IntToStr(Before) + ' ' + IntToStr(TB.Position) + ' told ' + IntToStr(Told));
  TB.Orientation := trVertical;
  TB.Frequency := 2;
  Put('track vertical ' + YesNo(TB.Orientation = trVertical) + ', frequency ' + IntToStr(TB.Frequency));

  E := TEdit.Create(F); E.Parent := F; E.SetBounds(10, 100, 80, 21);
  UD := TUpDown.Create(F);
  UD.Associate := E;
  UD.Min := 0; UD.Max := 3;
  UD.Position := 2;
  UD.OnClick := @UpDownClick;
  Put('updown text ' + E.Text);
  Step(UD, E, btNext, 'next');
  Step(UD, E, btNext, 'next at max');
  UD.Wrap := True;
  Step(UD, E, btNext, 'wrap next');
  Step(UD, E, btPrev, 'wrap prev');
  UD.Max := 10;
  E.Text := '7';
  UD.Click(btNext);
  Put('updown typed 7 then next: ' + IntToStr(UD.Position) + ' text ' + E.Text);
  UD.OnChanging := @UpDownChanging;
  Allow := False;
  Step(UD, E, btNext, 'refused');
  UD.OnChanging := nil;
  UD.Max := 5000;
  UD.Position := 1234;
  Before := E.Text;
  UD.Thousands := False;
  Put('updown thousands 1234: ' + Before + ', plain ' + E.Text);
  UD.Position := 99999;
  Put('updown clamp 99999: ' + IntToStr(UD.Position));
  UD.Min := 10; UD.Max := 0; UD.Position := 10; UD.Wrap := False;
  UD.Click(btNext);
  Before := UD.Position;
  UD.Click(btPrev);
  Put('updown inverted next: ' + IntToStr(Before) + ' prev: ' + IntToStr(UD.Position));
  UD.Min := 0; UD.Max := 10; UD.Position := 5;
  E.Perform(WM_KEYDOWN, VK_UP, 0);
  Before := UD.Position;
  E.Perform(WM_KEYDOWN, VK_DOWN, 0);
  E.Perform(WM_KEYDOWN, VK_DOWN, 0);
  Put('updown arrow keys in the edit: up ' + IntToStr(Before) + ', down twice ' + IntToStr(UD.Position));
  UD.ArrowKeys := False;
  E.Perform(WM_KEYDOWN, VK_UP, 0);
  Put('updown arrow keys off: ' + IntToStr(UD.Position));
  Log := '';
  UD.Perform(WM_LBUTTONDOWN, MK_LBUTTON, 2 + 2 * 65536);
  UD.Perform(WM_LBUTTONUP, 0, 2 + 2 * 65536);
  Log := Log + ' ';
  UD.Perform(WM_LBUTTONDOWN, MK_LBUTTON, 2 + (UD.Height - 2) * 65536);
  UD.Perform(WM_LBUTTONUP, 0, 2 + (UD.Height - 2) * 65536);
  Put('updown mouse top, bottom: ' + Log);
  Put('updown beside the edit: ' + YesNo((UD.Left = E.Left + E.Width) and (UD.Top = E.Top) and (UD.Parent = F)));

  HK := THotKey.Create(F); HK.Parent := F;
  HK.HotKey := ShortCut(Ord('K'), [ssCtrl]);
  Put('hotkey ' + ShortCutToText(HK.HotKey) + ' ' + IntToStr(HK.HotKey) + ' ctrl ' + YesNo(hkCtrl in HK.Modifiers) +
    ' shift ' + YesNo(hkShift in HK.Modifiers));
  HK.Modifiers := [hkShift, hkAlt];
  Put('hotkey modifiers shift+alt: ' + IntToStr(HK.HotKey) + ' ' + ShortCutToText(HK.HotKey));
  HK.OnChange := @HotKeyChanged;
  Told := 0;
  HK.Perform(WM_KEYDOWN, Ord('Q'), 0);
  Put('hotkey typed Q: ' + IntToStr(HK.HotKey) + ' ' + ShortCutToText(HK.HotKey) + ', told ' + IntToStr(Told));
  Put('class ' + ComCtrls.TUpDown.ClassName + ' ' + TUpDown.ClassParent.ClassName + ' ' + PB.ClassName + ' ' +
    HK.ClassName + ' ' + THotKey.ClassParent.ClassName);
  F.Free;
end;
