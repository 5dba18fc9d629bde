{ expect:
numbers only typed 4x2: 42
numbers only off typed x: 42x
numbers only set by the program: a1
auto select on entering: 0+5
auto select off on entering: 0+0
auto select in a memo: 0+0
extended select default yes
home, down, extended: first no, second yes, 1 selected
home, down, toggling: first yes, second no, 1 selected
}
// Edit and list box options scripts set: digits-only typing, selecting the whole text on
// entering, and how moving through a multi-select list box selects (or leaves the selection
// to be toggled).
procedure Put(S); begin MessageList.Lines.Add(S); end;
function YesNo(B); begin if B then Result := 'yes' else Result := 'no'; end;

procedure Typed(E; S);
var i;
begin
  for i := 1 to Length(S) do E.Perform(WM_CHAR, Ord(Copy(S, i, 1)), 0);
end;

procedure Enter(F; E; Other; What);
begin
  Other.SetFocus;
  E.SelStart := 0; E.SelLength := 0;
  E.SetFocus;
  Put(What + ': ' + IntToStr(E.SelStart) + '+' + IntToStr(E.SelLength));
end;

procedure KeyItems(L; What);
begin
  L.ClearSelection;
  L.Selected[0] := True;
  L.Perform(WM_KEYDOWN, VK_HOME, 0);
  L.Perform(WM_KEYDOWN, VK_DOWN, 0);
  Put('home, down, ' + What + ': first ' + YesNo(L.Selected[0]) + ', second ' + YesNo(L.Selected[1]) + ', ' +
    IntToStr(L.SelCount) + ' selected');
end;

procedure Main;
var F, E, E2, M, L;
begin
  F := TForm.Create(nil);
  E := TEdit.Create(F); E.Parent := F;
  E2 := TEdit.Create(F); E2.Parent := F; E2.Top := 30;
  M := TMemo.Create(F); M.Parent := F; M.Top := 60;
  E.NumbersOnly := True;
  Typed(E, '4x2');
  Put('numbers only typed 4x2: ' + E.Text);
  E.NumbersOnly := False;
  Typed(E, 'x');
  Put('numbers only off typed x: ' + E.Text);
  E.NumbersOnly := True;
  E.Text := 'a1';
  Put('numbers only set by the program: ' + E.Text);
  F.Show;
  E.Text := 'hello';
  Enter(F, E, E2, 'auto select on entering');
  E.AutoSelect := False;
  Enter(F, E, E2, 'auto select off on entering');
  M.Text := 'memo';
  Enter(F, M, E2, 'auto select in a memo');

  L := TListBox.Create(F); L.Parent := F; L.SetBounds(150, 10, 100, 100);
  L.Items.Add('one'); L.Items.Add('two'); L.Items.Add('three');
  L.MultiSelect := True;
  Put('extended select default ' + YesNo(L.ExtendedSelect));
  KeyItems(L, 'extended');
  L.ExtendedSelect := False;
  KeyItems(L, 'toggling');
  F.Free;
end;
