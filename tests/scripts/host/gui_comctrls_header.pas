{ expect:
sections 3: Name 0..80 Size 80..130 Date 130..230
width 500 -> 300, 5 -> 20
clicked Size
no click on Date
resized Name to 110, Size starts at 110
empty area: .
class THeaderControl TCustomHeaderControl THeaderSection
}
// Header controls: sections with their limits, clicks (unless AllowClick is off) and a
// user's drag of a section's edge, as the mouse sends them.
var Log;

procedure Put(S); begin MessageList.Lines.Add(S); end;
procedure SectionClick(HeaderControl; Section); begin Log := Log + 'clicked ' + Section.Text; end;
procedure SectionResize(HeaderControl; Section); begin Log := 'resized ' + Section.Text; end;
function At(X; Y); begin Result := X + Y * 65536; end;

procedure Main;
var F, H, S, i, Line, Before;
begin
  F := TForm.Create(nil);
  H := THeaderControl.Create(F); H.Parent := F;
  S := H.Sections.Add; S.Text := 'Name'; S.Width := 80;
  S := H.Sections.Add; S.Text := 'Size';
  S := H.Sections.Add; S.Text := 'Date'; S.Width := 100;
  Line := 'sections ' + IntToStr(H.Sections.Count) + ':';
  for i := 0 to H.Sections.Count - 1 do
    Line := Line + ' ' + H.Sections[i].Text + ' ' + IntToStr(H.Sections[i].Left) + '..' + IntToStr(H.Sections[i].Right);
  Put(Line);
  S.MinWidth := 20; S.MaxWidth := 300;
  S.Width := 500; Before := S.Width;
  S.Width := 5;
  Put('width 500 -> ' + IntToStr(Before) + ', 5 -> ' + IntToStr(S.Width));
  S.Width := 100;
  H.OnSectionClick := @SectionClick;
  H.OnSectionResize := @SectionResize;
  Log := '';
  H.Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(100, 5));
  H.Perform(WM_LBUTTONUP, 0, At(100, 5));
  Put(Log);
  S.AllowClick := False;
  Log := '';
  H.Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(170, 5));
  H.Perform(WM_LBUTTONUP, 0, At(170, 5));
  Put('no click on Date' + Log);
  Log := '';
  H.Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(79, 5));
  H.Perform(WM_MOUSEMOVE, MK_LBUTTON, At(95, 5));
  H.Perform(WM_MOUSEMOVE, MK_LBUTTON, At(109, 5));
  H.Perform(WM_LBUTTONUP, 0, At(109, 5));
  Put(Log + ' to ' + IntToStr(H.Sections[0].Width) + ', Size starts at ' + IntToStr(H.Sections[1].Left));
  // Past the last section and outside the control: no section, no event.
  Log := '';
  H.Width := 400;
  H.Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(380, 5));
  H.Perform(WM_LBUTTONUP, 0, At(380, 5));
  H.Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(900, 90));
  H.Perform(WM_LBUTTONUP, 0, At(900, 90));
  H.Perform(WM_RBUTTONDOWN, 2, At(20, 5));
  H.Perform(WM_RBUTTONUP, 0, At(20, 5));
  Put('empty area: ' + Log + '.');
  Put('class ' + ComCtrls.THeaderControl.ClassName + ' ' + THeaderControl.ClassParent.ClassName + ' ' + S.ClassName);
  F.Free;
end;
