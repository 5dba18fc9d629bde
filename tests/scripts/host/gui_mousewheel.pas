{ expect:
panel -120 at 300,200: wheel -120 at 300,200; down at 300,200
panel 240: wheel 240 at 10,20; up at 10,20
panel -120 handled by OnMouseWheel: wheel -120 at 5,5
panel shift -120: wheel -120 shift yes; down
edit 120: edit wheel up
}
// The mouse wheel as scripts see it: OnMouseWheel with the delta and the point on the screen,
// then OnMouseWheelUp or OnMouseWheelDown by the turn's direction unless it was handled.
var Log, Handle;

procedure Put(S); begin MessageList.Lines.Add(S); end;
function YesNo(B); begin if B then Result := 'yes' else Result := 'no'; end;
function At(P); begin Result := IntToStr(P.X) + ',' + IntToStr(P.Y); end;

procedure Wheel(Sender; Shift; WheelDelta; MousePos; var Handled);
begin
  Log := Log + 'wheel ' + IntToStr(WheelDelta);
  if ssShift in Shift then Log := Log + ' shift yes' else Log := Log + ' at ' + At(MousePos);
  Handled := Handle;
end;
procedure WheelUp(Sender; Shift; MousePos; var Handled); begin Log := Log + '; up at ' + At(MousePos); end;
procedure WheelDown(Sender; Shift; MousePos; var Handled);
begin
  if ssShift in Shift then Log := Log + '; down' else Log := Log + '; down at ' + At(MousePos);
end;
procedure EditWheelUp(Sender; Shift; MousePos; var Handled); begin Log := Log + 'edit wheel up'; Handled := True; end;

procedure Turn(C; Delta; Keys; X; Y; What);
begin
  Log := '';
  // The delta goes in the high word as a 16-bit two's complement value.
  C.Perform(WM_MOUSEWHEEL, (Delta and $FFFF) * 65536 + Keys, X + Y * 65536);
  Put(What + ': ' + Log);
end;

procedure Main;
var F, P, E;
begin
  F := TForm.Create(nil);
  P := TPanel.Create(F); P.Parent := F; P.SetBounds(0, 0, 100, 100);
  P.OnMouseWheel := @Wheel;
  P.OnMouseWheelUp := @WheelUp;
  P.OnMouseWheelDown := @WheelDown;
  Turn(P, -120, 0, 300, 200, 'panel -120 at 300,200');
  Turn(P, 240, 0, 10, 20, 'panel 240');
  Handle := True;
  Turn(P, -120, 0, 5, 5, 'panel -120 handled by OnMouseWheel');
  Handle := False;
  Turn(P, -120, MK_SHIFT, 5, 5, 'panel shift -120');
  E := TEdit.Create(F); E.Parent := F; E.Top := 120;
  E.OnMouseWheelUp := @EditWheelUp;
  Turn(E, 120, 0, 5, 5, 'edit 120');
  F.Free;
end;
