{ expect:
lines 2: Hello world | Second line
0+5 "Hello": bold yes italic no red yes size 16 face Courier, same bold yes
6+5 "world": bold no italic yes red no size 10 face Sans, same bold yes
3+5 "lo wo": bold yes italic no red yes size 16 face Courier, same bold no
paragraphs: center left
indents 20 8, bullet yes
bullet off yes, lines 2
height 32 is size 24
sel text replaced: Hello there
find there 6, THERE match case -1, line within 11 -1, whole word wor -1
default colour blue yes, unformatted blue yes
file has markup yes
loaded: Hello there | Second line
0+5 "Hello": bold yes italic no red yes size 16 face Courier, same bold yes
6+5 "there": bold no italic yes red no size 10 face Sans, same bold yes
loaded paragraphs: center left
plain file: Hello there
plain load keeps the markup yes
bad size: The font size must be positive
class TRichEdit TCustomRichEdit TCustomMemo
}
// Rich edits: character attributes of the selection and the default ones, paragraph
// alignment, search, and the formatting kept through Lines.SaveToFile and LoadFromFile (plain
// text when PlainText is set).
procedure Put(S); begin MessageList.Lines.Add(S); end;
function FirstLine(S); begin if Pos(#13, S) > 0 then Result := Copy(S, 1, Pos(#13, S) - 1) else Result := S; end;
function YesNo(B); begin if B then Result := 'yes' else Result := 'no'; end;

procedure Attributes(R; Start; Len);
var A;
begin
  R.SelStart := Start; R.SelLength := Len;
  A := R.SelAttributes;
  Put(IntToStr(Start) + '+' + IntToStr(Len) + ' "' + R.SelText + '": bold ' + YesNo(fsBold in A.Style) +
    ' italic ' + YesNo(fsItalic in A.Style) + ' red ' + YesNo(A.Color = clRed) + ' size ' + IntToStr(A.Size) +
    ' face ' + A.Name + ', same bold ' + YesNo(caBold in A.ConsistentAttributes));
end;

function Alignments(R);
var S, i;
begin
  S := '';
  for i := 0 to 1 do begin
    if i = 0 then R.SelStart := 0 else R.SelStart := Length(R.Lines[0]) + 1;
    R.SelLength := 0;
    case R.Paragraph.Alignment of
      taLeftJustify: S := S + ' left';
      taCenter: S := S + ' center';
      taRightJustify: S := S + ' right';
    end;
  end;
  Result := Trim(S);
end;

procedure Main;
var F, R, R2, L, Path;
begin
  F := TForm.Create(nil);
  R := TRichEdit.Create(F); R.Parent := F;
  R.DefAttributes.Name := 'Sans';
  R.DefAttributes.Size := 10;
  R.Lines.Add('Hello world');
  R.Lines.Add('Second line');
  Put('lines ' + IntToStr(R.Lines.Count) + ': ' + R.Lines[0] + ' | ' + R.Lines[1]);
  R.SelStart := 0; R.SelLength := 5;
  R.SelAttributes.Style := [fsBold];
  R.SelAttributes.Color := clRed;
  R.SelAttributes.Size := 16;
  R.SelAttributes.Name := 'Courier';
  R.SelStart := 6; R.SelLength := 5;
  R.SelAttributes.Style := [fsItalic];
  Attributes(R, 0, 5);
  Attributes(R, 6, 5);
  Attributes(R, 3, 5);
  R.SelStart := 2; R.SelLength := 0;
  R.Paragraph.Alignment := taCenter;
  Put('paragraphs: ' + Alignments(R));
  R.Paragraph.LeftIndent := 20;
  R.Paragraph.FirstIndent := 8;
  R.Paragraph.Numbering := nsBullet;
  Put('indents ' + IntToStr(R.Paragraph.LeftIndent) + ' ' + IntToStr(R.Paragraph.FirstIndent) + ', bullet ' +
    YesNo(R.Paragraph.Numbering = nsBullet));
  R.Paragraph.Numbering := nsNone;
  R.Paragraph.LeftIndent := 0; R.Paragraph.FirstIndent := 0;
  Put('bullet off ' + YesNo(R.Paragraph.Numbering = nsNone) + ', lines ' + IntToStr(R.Lines.Count));
  R.SelStart := 0; R.SelLength := 5;
  R.SelAttributes.Height := 32;
  Put('height 32 is size ' + IntToStr(R.SelAttributes.Size));
  R.SelAttributes.Size := 16;
  R.SelStart := 6; R.SelLength := 5;
  R.SelText := 'there';
  Put('sel text replaced: ' + R.Lines[0]);
  Put('find there ' + IntToStr(R.FindText('there', 0, 100, [])) + ', THERE match case ' +
    IntToStr(R.FindText('THERE', 0, 100, [stMatchCase])) + ', line within 11 ' + IntToStr(R.FindText('line', 0, 11, [])) +
    ', whole word wor ' + IntToStr(R.FindText('wor', 0, 100, [stWholeWord])));
  R.DefAttributes.Color := clBlue;
  R.SelStart := Length(R.Lines[0]) + 1; R.SelLength := 6;
  Put('default colour blue ' + YesNo(R.DefAttributes.Color = clBlue) + ', unformatted blue ' + YesNo(R.SelAttributes.Color = clBlue));

  Path := 'qel_corpus_richedit.html';
  R.Lines.SaveToFile(Path);
  L := TStringList.Create;
  L.LoadFromFile(Path);
  Put('file has markup ' + YesNo(Pos('<', L.Text) > 0));
  R2 := TRichEdit.Create(F); R2.Parent := F;
  R2.DefAttributes.Name := 'Sans';
  R2.DefAttributes.Size := 10;
  R2.Lines.LoadFromFile(Path);
  Put('loaded: ' + R2.Lines[0] + ' | ' + R2.Lines[1]);
  Attributes(R2, 0, 5);
  Attributes(R2, 6, 5);
  Put('loaded paragraphs: ' + Alignments(R2));

  R.PlainText := True;
  R.Lines.SaveToFile(Path);
  L.LoadFromFile(Path);
  Put('plain file: ' + L[0]);
  R.Lines.Clear;
  R2.Lines.SaveToFile(Path);
  R.Lines.LoadFromFile(Path);
  Put('plain load keeps the markup ' + YesNo(Pos('<', R.Lines.Text) > 0));
  L.Free;
  try
    R.SelAttributes.Size := 0;
  except
    on E: EInvalidOperation do Put('bad size: ' + FirstLine(E.Message));
  end;
  Put('class ' + ComCtrls.TRichEdit.ClassName + ' ' + TRichEdit.ClassParent.ClassName + ' ' +
    TRichEdit.ClassParent.ClassParent.ClassName);
  F.Free;
end;
