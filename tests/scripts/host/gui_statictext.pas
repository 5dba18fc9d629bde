{ expect:
defaults autosize yes, border none yes, transparent yes, accel yes, tab stop no
caption Save &as -> Save &as
Alignment 1 -> 1
Alignment 2 -> 2
BorderStyle 1 -> 1
BorderStyle 2 -> 2
ShowAccelChar 0 -> 0
Transparent 0 -> 0
border widens the autosized text: yes
focus control E, after freeing it: nil
class TStaticText TCustomStaticText TWinControl
}
// A static text as scripts use it: its published properties round trip, its border widens it
// while it sizes itself, and its focus control lets go of a freed control.
procedure Put(S); begin MessageList.Lines.Add(S); end;
function YesNo(B); begin if B then Result := 'yes' else Result := 'no'; end;

procedure Check(Name; Value; Got); begin Put(Name + ' ' + IntToStr(Value) + ' -> ' + IntToStr(Got)); end;

procedure Main;
var F, T, E, W, Name;
begin
  F := TForm.Create(nil);
  T := TStaticText.Create(F); T.Parent := F;
  Put('defaults autosize ' + YesNo(T.AutoSize) + ', border none ' + YesNo(T.BorderStyle = sbsNone) + ', transparent ' +
    YesNo(T.Transparent) + ', accel ' + YesNo(T.ShowAccelChar) + ', tab stop ' + YesNo(T.TabStop));
  T.Caption := 'Save &as';
  Put('caption Save &as -> ' + T.Caption);
  T.Alignment := taRightJustify; Check('Alignment', 1, Ord(T.Alignment));
  T.Alignment := taCenter; Check('Alignment', 2, Ord(T.Alignment));
  T.BorderStyle := sbsSingle; Check('BorderStyle', 1, Ord(T.BorderStyle));
  T.BorderStyle := sbsSunken; Check('BorderStyle', 2, Ord(T.BorderStyle));
  T.ShowAccelChar := False; Check('ShowAccelChar', 0, Ord(T.ShowAccelChar));
  T.Transparent := False; Check('Transparent', 0, Ord(T.Transparent));
  T.BorderStyle := sbsNone;
  W := T.Width;
  T.BorderStyle := sbsSingle;
  Put('border widens the autosized text: ' + YesNo(T.Width > W));
  E := TEdit.Create(F); E.Parent := F; E.Name := 'E';
  T.FocusControl := E;
  Name := T.FocusControl.Name;
  E.Free;
  if T.FocusControl = nil then Put('focus control ' + Name + ', after freeing it: nil')
  else Put('focus control still set after freeing it');
  Put('class ' + T.ClassName + ' ' + T.ClassParent.ClassName + ' ' + T.ClassParent.ClassParent.ClassName);
  F.Free;
end;
