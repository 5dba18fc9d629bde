{ expect:
pages 3, active First 0, tabs: First/0 Second/1 Third/2
set active Third 2: visible First no Third yes, told 
next, allowed no: active Third, told changing Third
next, allowed yes: active First, told changing Third change First
back, allowed yes: active Third, told changing First change Third
hidden Second: tabs First Third, tab index -1 1, next after First Third
find next of First, any tab: Second
moved Third to 0: Third First Second
clicked tab 1: active First, tab 1, told changing Third change First
freed First: active Third, pages 2
bad page index: List index out of bounds (5)
bad page: List index out of bounds (9)
tab control: 2 tabs, index 0, display below tabs yes
tab index 1 set: index 1, told 
clicked tab 0, allowed no: index 1, told changing
clicked tab 0, allowed yes: index 0, told changing change
deleted tabs: index 0 of 1
bad tab index: List index out of bounds (7)
tabs top: display below yes, above no, right of no, left of no
tabs bottom: display below no, above yes, right of no, left of no
tabs left: display below no, above no, right of yes, left of no
tabs right: display below no, above no, right of no, left of yes
foreign page: The page does not belong to this page control
page moved over: 1 and 1, active Third, old active nil
freed and placed again: 2 controls, tab order 1
class TPageControl TCustomTabControl TTabSheet
}
// Page controls and tab controls: pages joined by PageControl or Parent, switched by program
// (no events) and as a user does (a tab click or the keyboard's next page, with OnChanging's
// veto and OnChange), hidden tabs, reordering and freeing pages.
var Log, Allow, PC;

procedure Put(S); begin MessageList.Lines.Add(S); end;
function FirstLine(S); begin if Pos(#13, S) > 0 then Result := Copy(S, 1, Pos(#13, S) - 1) else Result := S; end;
function YesNo(B); begin if B then Result := 'yes' else Result := 'no'; end;
function ActiveName; begin if PC.ActivePage = nil then Result := 'nil' else Result := PC.ActivePage.Caption; end;

procedure PageChanging(Sender; var AllowChange);
begin
  Log := Trim(Log + ' changing ' + ActiveName);
  AllowChange := Allow;
end;
procedure PageChanged(Sender); begin Log := Log + ' change ' + ActiveName; end;
procedure TabChanging(Sender; var AllowChange); begin Log := Trim(Log + ' changing'); AllowChange := Allow; end;
procedure TabChanged(Sender); begin Log := Log + ' change'; end;

procedure Next(Forward; Allowed; What);
begin
  Allow := Allowed; Log := '';
  PC.SelectNextPage(Forward);
  Put(What + ', allowed ' + YesNo(Allowed) + ': active ' + ActiveName + ', told ' + Log);
end;

// A click in the middle of tab AIndex, as the mouse sends it.
procedure ClickTab(C; AIndex);
var R;
begin
  R := C.TabRect(AIndex);
  C.Perform(WM_LBUTTONDOWN, MK_LBUTTON, (R.Left + R.Right) div 2 + ((R.Top + R.Bottom) div 2) * 65536);
  C.Perform(WM_LBUTTONUP, 0, (R.Left + R.Right) div 2 + ((R.Top + R.Bottom) div 2) * 65536);
end;

procedure TabSide(C; Position; What);
var D, T;
begin
  C.TabPosition := Position;
  D := C.DisplayRect;
  T := C.TabRect(0);
  Put('tabs ' + What + ': display below ' + YesNo(D.Top >= T.Bottom) + ', above ' + YesNo(D.Bottom <= T.Top) +
    ', right of ' + YesNo(D.Left >= T.Right) + ', left of ' + YesNo(D.Right <= T.Left));
end;

function TabList;
var i;
begin
  Result := '';
  for i := 0 to PC.PageCount - 1 do
    if PC.Pages[i].TabVisible then Result := Result + ' ' + PC.Pages[i].Caption;
  Result := Trim(Result);
end;

procedure Main;
var F, S1, S2, S3, i, S, TC, R, P;
begin
  F := TForm.Create(nil);
  F.ClientWidth := 400; F.ClientHeight := 300;
  PC := TPageControl.Create(F); PC.Parent := F; PC.Align := alClient;
  S1 := TTabSheet.Create(F); S1.PageControl := PC; S1.Caption := 'First';
  S2 := TTabSheet.Create(F); S2.PageControl := PC; S2.Caption := 'Second';
  S3 := TTabSheet.Create(F); S3.Parent := PC; S3.Caption := 'Third';
  S := '';
  for i := 0 to PC.PageCount - 1 do S := S + ' ' + PC.Pages[i].Caption + '/' + IntToStr(PC.Pages[i].TabIndex);
  Put('pages ' + IntToStr(PC.PageCount) + ', active ' + ActiveName + ' ' + IntToStr(PC.ActivePageIndex) + ', tabs:' + S);

  PC.OnChanging := @PageChanging;
  PC.OnChange := @PageChanged;
  Log := '';
  PC.ActivePage := S3;
  Put('set active ' + ActiveName + ' ' + IntToStr(PC.ActivePageIndex) + ': visible First ' + YesNo(S1.Visible) +
    ' Third ' + YesNo(S3.Visible) + ', told ' + Log);
  Next(True, False, 'next');
  Next(True, True, 'next');
  Next(False, True, 'back');

  S2.TabVisible := False;
  PC.ActivePage := S1;
  Allow := True;
  PC.SelectNextPage(True);
  Put('hidden Second: tabs ' + TabList + ', tab index ' + IntToStr(S2.TabIndex) + ' ' + IntToStr(S3.TabIndex) +
    ', next after First ' + ActiveName);
  Put('find next of First, any tab: ' + PC.FindNextPage(S1, True, False).Caption);
  S3.PageIndex := 0;
  S := '';
  for i := 0 to PC.PageCount - 1 do S := S + ' ' + PC.Pages[i].Caption;
  Put('moved Third to 0:' + S);

  Log := '';
  ClickTab(PC, 1);
  Put('clicked tab 1: active ' + ActiveName + ', tab ' + IntToStr(PC.TabIndex) + ', told ' + Log);
  PC.OnChanging := nil; PC.OnChange := nil;
  S1.Free;
  Put('freed First: active ' + ActiveName + ', pages ' + IntToStr(PC.PageCount));
  try
    PC.ActivePageIndex := 5;
  except
    on E: Exception do Put('bad page index: ' + FirstLine(E.Message));
  end;
  try
    P := PC.Pages[9];
  except
    on E: Exception do Put('bad page: ' + FirstLine(E.Message));
  end;

  TC := TTabControl.Create(F); TC.Parent := F; TC.SetBounds(0, 0, 300, 100);
  TC.Tabs.Add('one');
  TC.Tabs.Add('two');
  R := TC.DisplayRect;
  Put('tab control: ' + IntToStr(TC.Tabs.Count) + ' tabs, index ' + IntToStr(TC.TabIndex) +
    ', display below tabs ' + YesNo(R.Top >= TC.TabRect(0).Bottom));
  TC.OnChanging := @TabChanging;
  TC.OnChange := @TabChanged;
  Log := '';
  TC.TabIndex := 1;
  Put('tab index 1 set: index ' + IntToStr(TC.TabIndex) + ', told ' + Log);
  Allow := False; Log := '';
  ClickTab(TC, 0);
  Put('clicked tab 0, allowed no: index ' + IntToStr(TC.TabIndex) + ', told ' + Log);
  Allow := True; Log := '';
  ClickTab(TC, 0);
  Put('clicked tab 0, allowed yes: index ' + IntToStr(TC.TabIndex) + ', told ' + Log);
  TC.Tabs.Delete(1);
  Put('deleted tabs: index ' + IntToStr(TC.TabIndex) + ' of ' + IntToStr(TC.Tabs.Count));
  try
    TC.TabIndex := 7;
  except
    on E: Exception do Put('bad tab index: ' + FirstLine(E.Message));
  end;
  // The display area sits on the side away from the tabs, for each tab position.
  TabSide(TC, tpTop, 'top');
  TabSide(TC, tpBottom, 'bottom');
  TabSide(TC, tpLeft, 'left');
  TabSide(TC, tpRight, 'right');
  P := TPageControl.Create(F); P.Parent := F;
  try
    P.ActivePage := S3;
  except
    on E: EInvalidOperation do Put('foreign page: ' + FirstLine(E.Message));
  end;
  S3.PageControl := P;
  Put('page moved over: ' + IntToStr(PC.PageCount) + ' and ' + IntToStr(P.PageCount) + ', active ' + P.ActivePage.Caption +
    ', old active ' + ActiveName);
  // A freed windowed control leaves its parent's focus order: placing another one after it
  // works.
  P.Free;
  TC.Free;
  TC := TTabControl.Create(F); TC.Parent := F;
  Put('freed and placed again: ' + IntToStr(F.ControlCount) + ' controls, tab order ' + IntToStr(TC.TabOrder));
  Put('class ' + ComCtrls.TPageControl.ClassName + ' ' + TPageControl.ClassParent.ClassName + ' ' + S2.ClassName);
  F.Free;
end;
