{ expect:
defaults ok yes, cancel yes, yes no, default ok yes, cancellable yes, result 0, buttons 0
button 0 Save: result 100, default no, enabled yes
button 1 Discard: result 101, default no, enabled yes
button 2 Later: result 7, default no, enabled no
find 101: Discard
find 7: Later
find 55: nil
default Save: yes, through the collection: Save
default after freeing Save: nil, Discard still answers 101
common [tcbYes, tcbNo, tcbClose]: yes yes, no yes, default close yes, ok no
flags [tfUseCommandLinks, tfVerificationFlagChecked]: links yes, checked yes
texts: Saving / Save changes? / Unsaved work / more / details / Do not ask again / hint
execute False, result 2
class TTaskDialog TCustomTaskDialog, buttons TTaskDialogButtons of TTaskDialogButtonItem
}
// The task dialog as scripts build it: its own buttons (numbered from 100 unless given a result,
// found by result, one of them the default), the common buttons and flags, its texts, and the
// answer it gives without a display.
procedure Put(S); begin MessageList.Lines.Add(S); end;
function YesNo(B); begin if B then Result := 'yes' else Result := 'no'; end;

procedure AddButton(D; Caption; ModalResult; Enabled);
var B;
begin
  B := D.Buttons.Add;
  B.Caption := Caption;
  if ModalResult > 0 then B.ModalResult := ModalResult;
  B.Enabled := Enabled;
end;

procedure Find(D; R);
var B;
begin
  B := D.Buttons.FindButton(R);
  if B = nil then Put('find ' + IntToStr(R) + ': nil') else Put('find ' + IntToStr(R) + ': ' + B.Caption);
end;

procedure Main;
var D, B, i;
begin
  D := TTaskDialog.Create(nil);
  Put('defaults ok ' + YesNo(tcbOk in D.CommonButtons) + ', cancel ' + YesNo(tcbCancel in D.CommonButtons) + ', yes ' +
    YesNo(tcbYes in D.CommonButtons) + ', default ok ' + YesNo(D.DefaultButton = tcbOk) + ', cancellable ' +
    YesNo(tfAllowDialogCancellation in D.Flags) + ', result ' + IntToStr(D.ModalResult) + ', buttons ' +
    IntToStr(D.Buttons.Count));
  AddButton(D, 'Save', 0, True);
  AddButton(D, 'Discard', 0, True);
  AddButton(D, 'Later', mrNo, False);
  for i := 0 to D.Buttons.Count - 1 do begin
    B := D.Buttons[i];
    Put('button ' + IntToStr(i) + ' ' + B.Caption + ': result ' + IntToStr(B.ModalResult) + ', default ' + YesNo(B.Default) +
      ', enabled ' + YesNo(B.Enabled));
  end;
  Find(D, 101);
  Find(D, mrNo);
  Find(D, 55);
  D.Buttons[0].Default := True;
  Put('default Save: ' + YesNo(D.Buttons[0].Default) + ', through the collection: ' + D.Buttons.DefaultButton.Caption);
  D.Buttons.Delete(0);
  if D.Buttons.DefaultButton = nil then
    Put('default after freeing Save: nil, Discard still answers ' + IntToStr(D.Buttons[0].ModalResult))
  else Put('default after freeing Save: still set');
  D.CommonButtons := [tcbYes, tcbNo, tcbClose];
  D.DefaultButton := tcbClose;
  Put('common [tcbYes, tcbNo, tcbClose]: yes ' + YesNo(tcbYes in D.CommonButtons) + ', no ' + YesNo(tcbNo in D.CommonButtons) +
    ', default close ' + YesNo(D.DefaultButton = tcbClose) + ', ok ' + YesNo(tcbOk in D.CommonButtons));
  D.Flags := [tfUseCommandLinks, tfVerificationFlagChecked];
  Put('flags [tfUseCommandLinks, tfVerificationFlagChecked]: links ' + YesNo(tfUseCommandLinks in D.Flags) + ', checked ' +
    YesNo(tfVerificationFlagChecked in D.Flags));
  D.Caption := 'Saving'; D.Title := 'Save changes?'; D.Text := 'Unsaved work'; D.FooterText := 'more';
  D.ExpandedText := 'details'; D.VerificationText := 'Do not ask again';
  D.Buttons[0].CommandLinkHint := 'hint';
  Put('texts: ' + D.Caption + ' / ' + D.Title + ' / ' + D.Text + ' / ' + D.FooterText + ' / ' + D.ExpandedText + ' / ' +
    D.VerificationText + ' / ' + D.Buttons[0].CommandLinkHint);
  if D.Execute then Put('execute True') else Put('execute False, result ' + IntToStr(D.ModalResult));
  Put('class ' + D.ClassName + ' ' + D.ClassParent.ClassName + ', buttons ' + D.Buttons.ClassName + ' of ' +
    D.Buttons[0].ClassName);
  D.Free;
end;
