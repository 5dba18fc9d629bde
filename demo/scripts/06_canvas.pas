// Drawing on a canvas: a bitmap drawn by the script, shown in a window of its own, and a few
// of its pixels read back.
procedure Draw(Canvas; W; H);
var i;
begin
  Canvas.Brush.Color := clWhite;
  Canvas.FillRect(Rect(0, 0, W, H));
  for i := 0 to 9 do
  begin
    Canvas.Pen.Color := RGB(25 * i, 80, 255 - 25 * i);
    Canvas.Brush.Color := Canvas.Pen.Color;
    Canvas.Ellipse(10 + i * 18, 10 + i * 8, 60 + i * 18, 60 + i * 8);
  end;
  Canvas.Brush.Style := bsClear;
  Canvas.Font.Color := clNavy;
  Canvas.TextOut(10, H - 24, 'Drawn by a script');
end;

procedure Main;
var Bmp, F, Img;
begin
  Bmp := TBitmap.Create;
  try
    Bmp.SetSize(260, 160);
    Draw(Bmp.Canvas, Bmp.Width, Bmp.Height);
    MessageList.Lines.Add('pixel (1, 1) = $' + IntToHex(Bmp.Canvas.Pixels[1, 1], 6) +
      ', pixel (35, 35) = $' + IntToHex(Bmp.Canvas.Pixels[35, 35], 6));
    F := TForm.Create(nil);
    try
      F.Caption := 'Canvas';
      F.ClientWidth := Bmp.Width;
      F.ClientHeight := Bmp.Height;
      F.Position := poScreenCenter;
      Img := TImage.Create(F);
      Img.Parent := F;
      Img.Align := alClient;
      Img.Picture.Assign(Bmp);
      F.ShowModal;
    finally
      F.Free;
    end;
  finally
    Bmp.Free;
  end;
end;
