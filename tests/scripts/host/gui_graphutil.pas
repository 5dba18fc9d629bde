{ expect:
hls clRed 0 120 240
hls clLime 80 120 240
hls clBlue 160 120 240
hls clNavy 160 60 240
hls clGray 160 120 0
hls clWhite 160 240 0
hls orange 20 120 240
rgb 0 120 240 clRed
rgb 160 240 0 clWhite
rgb 20 120 240 $000080FF
highlight navy 160 79 240
shadow red 0 70 240
highlight white clWhite
shadow black clBlack
none stays clNone
luma up $00BFBFBF
luma down $003F3F3F
luma plain $003F3F3F
web #FF0000 #FF8000 #F0F0F0
from web 33023 $0000FF80
web refused #12345
web refused #GG0000
web refused x
names navy #FF8000 clTeal
gradient 0 16777215 9276813
arrow 255 255 255 16777215
check 255 255 16777215 16777215
check shadow 255 16777215
chevron 255 255 16777215
edges 2 2 96 36
edges [ebTop] 0 2 100 38
edges no inner 0 1 100 39
edges none 0 0 100 40
}
function HLS(C);
var H, L, S;
begin
  H := 0; L := 0; S := 0;
  ColorRGBToHLS(C, H, L, S);
  Result := IntToStr(H) + ' ' + IntToStr(L) + ' ' + IntToStr(S);
end;

procedure Rgb(H; L; S);
begin
  MessageList.Lines.Add('rgb ' + IntToStr(H) + ' ' + IntToStr(L) + ' ' + IntToStr(S) + ' ' +
    ColorToString(ColorHLSToRGB(H, L, S)));
end;

procedure BadWeb(S);
begin
  try
    WebColorStrToColor(S);
    MessageList.Lines.Add('web accepted ' + S);
  except
    on E: EConvertError do MessageList.Lines.Add('web refused ' + S);
  end;
end;

procedure Edges(TW; P; Name);
begin
  MessageList.Lines.Add('edges ' + Name + IntToStr(P.Left) + ' ' + IntToStr(P.Top) + ' ' + IntToStr(P.Width) + ' ' +
    IntToStr(P.Height));
end;

procedure Main;
var Bmp, F, TW, P;
begin
  MessageList.Lines.Add('hls clRed ' + HLS(clRed));
  MessageList.Lines.Add('hls clLime ' + HLS(clLime));
  MessageList.Lines.Add('hls clBlue ' + HLS(clBlue));
  MessageList.Lines.Add('hls clNavy ' + HLS(clNavy));
  MessageList.Lines.Add('hls clGray ' + HLS(clGray));
  MessageList.Lines.Add('hls clWhite ' + HLS(clWhite));
  MessageList.Lines.Add('hls orange ' + HLS($0080FF));
  Rgb(0, 120, 240); Rgb(160, 240, 0); Rgb(20, 120, 240);

  // Lighter and darker shades keep hue and saturation and move the luminance.
  MessageList.Lines.Add('highlight navy ' + HLS(GetHighLightColor(clNavy)));
  MessageList.Lines.Add('shadow red ' + HLS(GetShadowColor(clRed)));
  MessageList.Lines.Add('highlight white ' + ColorToString(GetHighLightColor(clWhite, 19)));
  MessageList.Lines.Add('shadow black ' + ColorToString(GetShadowColor(clBlack)));
  MessageList.Lines.Add('none stays ' + ColorToString(GetHighLightColor(clNone)));
  MessageList.Lines.Add('luma up ' + ColorToString(ColorAdjustLuma(clGray, 500, True)));
  MessageList.Lines.Add('luma down ' + ColorToString(ColorAdjustLuma(clGray, -500, True)));
  MessageList.Lines.Add('luma plain ' + ColorToString(ColorAdjustLuma(clBlack, 250, False)));

  MessageList.Lines.Add('web ' + ColorToWebColorStr(clRed) + ' ' + ColorToWebColorStr($0080FF) + ' ' +
    ColorToWebColorStr(clBtnFace));
  MessageList.Lines.Add('from web ' + IntToStr(WebColorStrToColor('#FF8000')) + ' ' +
    ColorToString(WebColorStrToColor('80ff00')));
  BadWeb('#12345'); BadWeb('#GG0000'); BadWeb('x');
  MessageList.Lines.Add('names ' + ColorToWebColorName(clNavy) + ' ' + ColorToWebColorName($0080FF) + ' ' +
    ColorToString(WebColorNameToColor('Teal')));

  // Drawing helpers on a bitmap.
  Bmp := TBitmap.Create;
  Bmp.SetSize(10, 10);
  GradientFillCanvas(Bmp.Canvas, clBlack, clWhite, Rect(0, 0, 10, 10), gdHorizontal);
  MessageList.Lines.Add('gradient ' + IntToStr(Bmp.Canvas.Pixels[0, 5]) + ' ' + IntToStr(Bmp.Canvas.Pixels[9, 5]) +
    ' ' + IntToStr(Bmp.Canvas.Pixels[5, 0]));
  Bmp.Canvas.Brush.Color := clWhite;
  Bmp.Canvas.FillRect(Rect(0, 0, 10, 10));
  Bmp.Canvas.Pen.Color := clRed;
  DrawArrow(Bmp.Canvas, sdDown, Point(0, 0), 3);
  MessageList.Lines.Add('arrow ' + IntToStr(Bmp.Canvas.Pixels[2, 0]) + ' ' + IntToStr(Bmp.Canvas.Pixels[4, 0]) + ' ' +
    IntToStr(Bmp.Canvas.Pixels[2, 2]) + ' ' + IntToStr(Bmp.Canvas.Pixels[0, 1]));
  Bmp.Canvas.FillRect(Rect(0, 0, 10, 10));
  DrawCheck(Bmp.Canvas, Point(0, 0), 9, False);
  MessageList.Lines.Add('check ' + IntToStr(Bmp.Canvas.Pixels[1, 6]) + ' ' + IntToStr(Bmp.Canvas.Pixels[6, 5]) + ' ' +
    IntToStr(Bmp.Canvas.Pixels[8, 8]) + ' ' + IntToStr(Bmp.Canvas.Pixels[0, 0]));
  Bmp.Canvas.Brush.Color := clBlack;
  Bmp.Canvas.FillRect(Rect(0, 0, 10, 10));
  DrawCheck(Bmp.Canvas, Point(0, 0), 9);
  MessageList.Lines.Add('check shadow ' + IntToStr(Bmp.Canvas.Pixels[1, 6]) + ' ' + IntToStr(Bmp.Canvas.Pixels[4, 9]));
  Bmp.Canvas.Brush.Color := clWhite;
  Bmp.Canvas.FillRect(Rect(0, 0, 10, 10));
  DrawChevron(Bmp.Canvas, sdRight, Point(0, 0), 8);
  MessageList.Lines.Add('chevron ' + IntToStr(Bmp.Canvas.Pixels[2, 2]) + ' ' + IntToStr(Bmp.Canvas.Pixels[5, 2]) + ' ' +
    IntToStr(Bmp.Canvas.Pixels[1, 4]));
  Bmp.Free;

  // A tool window's edges take their room from the aligned children.
  F := TForm.Create(nil);
  TW := TToolWindow.Create(F); TW.Parent := F; TW.SetBounds(0, 0, 100, 40);
  P := TPanel.Create(F); P.Parent := TW; P.Align := alClient;
  Edges(TW, P, '');
  TW.EdgeBorders := [ebTop];
  Edges(TW, P, '[ebTop] ');
  TW.EdgeInner := esNone;
  Edges(TW, P, 'no inner ');
  TW.EdgeOuter := esNone;
  Edges(TW, P, 'none ');
  F.Free;
end;
