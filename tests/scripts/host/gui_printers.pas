{ expect:
printers: PDF file is last True
default index in the list True, goes to printout.pdf
landscape wider True, portrait taller True
printing True page 1
page 2 of True
done printing False page 0 file True
from title Report.pdf
aborted True printing False file False
EndDoc: EPrinter Printer is not currently printing
NewPage: EPrinter Printer is not currently printing
Abort: EPrinter Printer is not currently printing
Canvas: EPrinter Printer is not currently printing
BeginDoc twice: EPrinter Printing in progress
Copies 0: EPrinter Copies must be at least 1 (0)
PrinterIndex 99: EPrinter Printer index out of range (99)
Title while printing: EPrinter Printing in progress: cannot change Title
unwritable: EPrinter Cannot print to "no/such/folder/x.pdf"
default chosen again
copies 3 orientation landscape
swapped True True
TPrintDialog False copies 2 range pages
TPrinterSetupDialog False
TPageSetupDialog False margins 1000 2500 width>0 True
}
// Prints a two-page document to printout.pdf in the current folder; a check outside the
// script counts its pages.
function B2S(V); begin if V then Result := 'True' else Result := 'False'; end;

procedure Fails(P; Index; Name);
begin
  try
    case Index of
      0: P.EndDoc;
      1: P.NewPage;
      2: P.Abort;
      3: P.Canvas.TextOut(0, 0, 'x');
      4: begin P.BeginDoc; P.BeginDoc; end;
      5: P.Copies := 0;
      6: P.PrinterIndex := 99;
      7: begin P.BeginDoc; P.Title := 'late'; end;
      8: begin P.FileName := 'no/such/folder/x.pdf'; P.BeginDoc; end;
    end;
    MessageList.Lines.Add(Name + ': no error');
  except
    on E: EPrinter do
      MessageList.Lines.Add(Name + ': ' + E.ClassName + ' ' + Trim(Copy(E.Message, 1, Pos(#10, E.Message + #10) - 1)));
  end;
  if P.Printing then P.Abort;
  P.FileName := 'scratch.pdf';
end;

procedure Main;
var P, W, H, I, Old, Mine, D, S;
begin
  P := Printer;
  MessageList.Lines.Add('printers: PDF file is last ' + B2S(P.Printers[P.Printers.Count - 1] = 'PDF file'));
  // Without a chosen printer the machine's default is used; a file name sends it to a PDF file.
  P.FileName := 'printout.pdf';
  MessageList.Lines.Add('default index in the list ' + B2S((P.PrinterIndex >= 0) and (P.PrinterIndex < P.Printers.Count)) +
    ', goes to ' + P.FileName);
  P.Orientation := poLandscape;
  W := P.PageWidth; H := P.PageHeight;
  P.Orientation := poPortrait;
  MessageList.Lines.Add('landscape wider ' + B2S(W > H) + ', portrait taller ' + B2S(P.PageHeight > P.PageWidth));

  P.Title := 'Two pages';
  P.BeginDoc;
  MessageList.Lines.Add('printing ' + B2S(P.Printing) + ' page ' + IntToStr(P.PageNumber));
  P.Canvas.Font.Size := 24;
  P.Canvas.TextOut(200, 200, 'First page');
  P.Canvas.Brush.Color := clRed;
  P.Canvas.Rectangle(200, 600, 2200, 1600);
  P.Canvas.Ellipse(2400, 600, 4400, 1600);
  P.NewPage;
  P.Canvas.TextOut(200, 200, 'Second page');
  P.Canvas.MoveTo(200, 600); P.Canvas.LineTo(P.PageWidth - 200, P.PageHeight - 200);
  MessageList.Lines.Add('page ' + IntToStr(P.PageNumber) + ' of ' + B2S(P.Canvas.TextWidth('Second page') > 0));
  P.EndDoc;
  MessageList.Lines.Add('done printing ' + B2S(P.Printing) + ' page ' + IntToStr(P.PageNumber) +
    ' file ' + B2S(FileExists('printout.pdf')));

  // Without a file name the PDF printer names the file after the title.
  P.FileName := '';
  P.PrinterIndex := P.Printers.Count - 1;
  P.Title := 'Report';
  P.BeginDoc; P.Canvas.TextOut(10, 10, 'r'); P.EndDoc;
  if FileExists('Report.pdf') then MessageList.Lines.Add('from title Report.pdf');

  // An aborted document leaves no file that could pass for a finished one.
  P.FileName := 'aborted.pdf';
  P.BeginDoc; P.Canvas.TextOut(10, 10, 'lost'); P.Abort;
  MessageList.Lines.Add('aborted ' + B2S(P.Aborted) + ' printing ' + B2S(P.Printing) + ' file ' +
    B2S(FileExists('aborted.pdf')));

  Fails(P, 0, 'EndDoc'); Fails(P, 1, 'NewPage'); Fails(P, 2, 'Abort'); Fails(P, 3, 'Canvas');
  Fails(P, 4, 'BeginDoc twice'); Fails(P, 5, 'Copies 0'); Fails(P, 6, 'PrinterIndex 99');
  Fails(P, 7, 'Title while printing'); Fails(P, 8, 'unwritable');

  P.PrinterIndex := -1;
  if P.PrinterIndex >= 0 then MessageList.Lines.Add('default chosen again');
  P.Copies := 3; P.Orientation := poLandscape;
  if (P.Copies = 3) and (P.Orientation = poLandscape) then MessageList.Lines.Add('copies 3 orientation landscape');
  P.Orientation := poPortrait;

  // A printer of the script's own takes the process's place; the old one comes back.
  Mine := TPrinter.Create;
  Old := SetPrinter(Mine);
  MessageList.Lines.Add('swapped ' + B2S(Printer = Mine) + ' ' + B2S(SetPrinter(Old) = Mine));
  Mine.Free;

  // Without a display the dialogs answer as cancelled and keep their settings.
  D := TPrintDialog.Create(nil);
  D.Copies := 2; D.PrintRange := prPageNums; D.MinPage := 1; D.MaxPage := 2;
  if D.PrintRange = prPageNums then S := 'pages' else S := 'other';
  MessageList.Lines.Add('TPrintDialog ' + B2S(D.Execute) + ' copies ' + IntToStr(D.Copies) + ' range ' + S);
  D.Free;
  D := TPrinterSetupDialog.Create(nil);
  MessageList.Lines.Add('TPrinterSetupDialog ' + B2S(D.Execute));
  D.Free;
  D := TPageSetupDialog.Create(nil);
  D.MarginLeft := 1000;
  MessageList.Lines.Add('TPageSetupDialog ' + B2S(D.Execute) + ' margins ' + IntToStr(D.MarginLeft) + ' ' +
    IntToStr(D.MarginTop) + ' width>0 ' + B2S(D.PageWidth > 0));
  D.Free;
end;
