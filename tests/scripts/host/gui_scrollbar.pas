{ expect:
defaults sbHorizontal 0..100 at 0, page 0, steps 1 1, size 121x17, tab stop yes
position -5: 0 told 0
position 50: 50 told 1
position 50 again: 50 told 0
position 150: 100 told 1
page 10, position 100: 91
page 10, max 200: 91 range 0..200
set params 5 0 10: 5 0..10 told 1
set params 20 0 10: 10 0..10 told 1
max below min: Scroll bar property out of range, range still 0..10
page above range: Scroll bar property out of range, page still 0
key VK_RIGHT: scroll 1 at 4 -> 4 told 1
key VK_NEXT: scroll 3 at 24 -> 24 told 1
key VK_LEFT: scroll 0 at 23 -> 23 told 1
key VK_HOME: scroll 6 at 0 -> 0 told 1
key VK_END: scroll 7 at 100 -> 100 told 1
pulled back: scroll 1 at 100 -> 90 told 1
vertical 17x121 kind sbVertical
class TScrollBar TWinControl
}
// A stand-alone scroll bar as scripts drive it: its range and clamping, page size, the
// parameters set at once, the limits that refuse, and keys running OnScroll before OnChange
// (whose handler may move where the bar lands).
var Told, ScrollLog, Pull;

procedure Put(S); begin MessageList.Lines.Add(S); end;
function YesNo(B); begin if B then Result := 'yes' else Result := 'no'; end;
function FirstLine(S); begin if Pos(#13, S) > 0 then Result := Copy(S, 1, Pos(#13, S) - 1) else Result := S; end;
function KindName(K); begin if K = sbHorizontal then Result := 'sbHorizontal' else Result := 'sbVertical'; end;

procedure Changed(Sender); begin Told := Told + 1; end;
procedure Scrolled(Sender; ScrollCode; var ScrollPos);
begin
  ScrollLog := 'scroll ' + IntToStr(Ord(ScrollCode)) + ' at ' + IntToStr(ScrollPos);
  if Pull > 0 then ScrollPos := Pull;
end;

procedure Position(SB; Value; What);
begin
  Told := 0;
  SB.Position := Value;
  Put('position ' + What + ': ' + IntToStr(SB.Position) + ' told ' + IntToStr(Told));
end;

procedure Params(SB; P; Lo; Hi);
begin
  Told := 0;
  SB.SetParams(P, Lo, Hi);
  Put('set params ' + IntToStr(P) + ' ' + IntToStr(Lo) + ' ' + IntToStr(Hi) + ': ' + IntToStr(SB.Position) + ' ' +
    IntToStr(SB.Min) + '..' + IntToStr(SB.Max) + ' told ' + IntToStr(Told));
end;

procedure Key(SB; K; What);
begin
  Told := 0; ScrollLog := 'no scroll';
  SB.Perform(WM_KEYDOWN, K, 0);
  Put(What + ': ' + ScrollLog + ' -> ' + IntToStr(SB.Position) + ' told ' + IntToStr(Told));
end;

procedure Main;
var F, SB;
begin
  F := TForm.Create(nil);
  SB := TScrollBar.Create(F); SB.Parent := F;
  Put('defaults ' + KindName(SB.Kind) + ' ' + IntToStr(SB.Min) + '..' + IntToStr(SB.Max) + ' at ' + IntToStr(SB.Position) +
    ', page ' + IntToStr(SB.PageSize) + ', steps ' + IntToStr(SB.SmallChange) + ' ' + IntToStr(SB.LargeChange) +
    ', size ' + IntToStr(SB.Width) + 'x' + IntToStr(SB.Height) + ', tab stop ' + YesNo(SB.TabStop));
  SB.OnChange := @Changed;
  Position(SB, -5, '-5');
  Position(SB, 50, '50');
  Position(SB, 50, '50 again');
  Position(SB, 150, '150');
  SB.PageSize := 10;
  SB.Position := 100;
  Put('page 10, position 100: ' + IntToStr(SB.Position));
  SB.Max := 200;
  Put('page 10, max 200: ' + IntToStr(SB.Position) + ' range ' + IntToStr(SB.Min) + '..' + IntToStr(SB.Max));
  SB.PageSize := 0;
  Params(SB, 5, 0, 10);
  Params(SB, 20, 0, 10);
  try
    SB.Max := -1;
  except
    on E: EInvalidOperation do
      Put('max below min: ' + FirstLine(E.Message) + ', range still ' + IntToStr(SB.Min) + '..' + IntToStr(SB.Max));
  end;
  try
    SB.PageSize := 12;
  except
    on E: EInvalidOperation do Put('page above range: ' + FirstLine(E.Message) + ', page still ' + IntToStr(SB.PageSize));
  end;

  SB.SetParams(3, 0, 100);
  SB.LargeChange := 20;
  SB.OnScroll := @Scrolled;
  Key(SB, VK_RIGHT, 'key VK_RIGHT');
  Key(SB, VK_NEXT, 'key VK_NEXT');
  Key(SB, VK_LEFT, 'key VK_LEFT');
  Key(SB, VK_HOME, 'key VK_HOME');
  Key(SB, VK_END, 'key VK_END');
  SB.Position := 99;
  Pull := 90;
  Key(SB, VK_RIGHT, 'pulled back');
  Pull := 0;

  SB.Kind := sbVertical;
  Put('vertical ' + IntToStr(SB.Width) + 'x' + IntToStr(SB.Height) + ' kind ' + KindName(SB.Kind));
  Put('class ' + SB.ClassName + ' ' + SB.ClassParent.ClassName);
  F.Free;
end;
