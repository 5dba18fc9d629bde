// Types: points, sizes and rectangles by value with their record methods, case by case, and
// the unit's rectangle routines.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(10), S);
  if i > 0 then Result := SysUtils.Trim(Copy(S, 1, i - 1));
end;

function R2S(R); begin Result := '(' + IntToStr(R.Left) + ',' + IntToStr(R.Top) + ',' + IntToStr(R.Right) + ',' + IntToStr(R.Bottom) + ')' end;
function P2S(P); begin Result := '(' + IntToStr(P.X) + ',' + IntToStr(P.Y) + ')' end;
function F2S(R); begin Result := '(' + FloatToStr(R.Left) + ',' + FloatToStr(R.Top) + ',' + FloatToStr(R.Right) + ',' + FloatToStr(R.Bottom) + ')' end;

// One point against one rectangle: Contains, PtInRect.
procedure Inside(R; X; Y);
begin
  Put(R2S(R) + ' contains ' + P2S(Point(X, Y)) + ': ' + BoolToStr(R.Contains(Point(X, Y)), True));
end;

// Intersect and Union of two rectangles, and whether they meet.
procedure Pair(A; B);
var I, U;
begin
  I := A.Copy; I.Intersect(B);
  U := A.Copy; U.Union(B);
  Put(R2S(A) + ' ' + R2S(B) + ': meet ' + BoolToStr(A.IntersectsWith(B), True) + ' and ' + R2S(I) + ' or ' + R2S(U));
end;

procedure Main;
var P, Q, R, R2, S, F, RF;
begin
  P := TPoint.Create(3, 4);
  Q := P.Copy;
  Q.Offset(1, -1);
  Put(P2S(P) + ' ' + P2S(Q) + ' ' + P2S(P.Add(Q)) + ' ' + P2S(P.Subtract(Q)));
  Put(FloatToStr(TPoint.Zero.Distance(P)) + ' ' + BoolToStr(TPoint.Zero.IsZero, True) + ' ' + BoolToStr(P.IsZero, True));
  Put(TPoint.PointInCircle(Point(1, 1), Point(0, 0), 2));
  Q.SetLocation(-7, 8);
  Put(P2S(Q));
  Put(P2S(Point(MaxInt, 0).Add(Point(1, 0))));    // coordinates wrap around

  R := TRect.Create(10, 20, 110, 70);
  Put(R2S(R) + ' ' + IntToStr(R.Width) + 'x' + IntToStr(R.Height) + ' ' + P2S(R.CenterPoint) + ' ' + P2S(R.TopLeft) + ' ' + P2S(R.BottomRight));
  Put(IntToStr(R.Size.cx) + ' ' + IntToStr(R.Size.cy));
  Inside(R, 10, 20);
  Inside(R, 109, 69);
  Inside(R, 110, 50);
  Inside(R, 50, 70);
  Put(R.Contains(TRect.Create(10, 20, 110, 70)));
  Put(R.Contains(TRect.Create(9, 20, 50, 50)));
  Pair(Rect(0, 0, 10, 10), Rect(5, 5, 15, 15));
  Pair(Rect(0, 0, 10, 10), Rect(10, 0, 20, 10));
  Pair(Rect(0, 0, 10, 10), Rect(20, 20, 30, 30));
  Pair(Rect(0, 0, 0, 0), Rect(2, 3, 4, 5));
  R2 := R.Copy;
  R2.Offset(5, -5);
  R2.Inflate(2, 1);
  Put(R2S(R) + ' ' + R2S(R2));
  R2 := TRect.Create(Point(9, 8), Point(1, 2));
  Put(BoolToStr(R2.IsEmpty, True) + ' ' + R2S(R2));
  R2.NormalizeRect;
  Put(BoolToStr(R2.IsEmpty, True) + ' ' + R2S(R2));
  R2.SetLocation(100, 200);
  Put(R2S(R2));
  Put(R2S(TRect.Create(Point(1, 2), 30, 40)) + ' ' + R2S(TRect.Empty));
  Put(R2S(R.SplitRect(srLeft, 10)) + ' ' + R2S(R.SplitRect(srBottom, 5)));
  Put(R2S(CenteredRect(Rect(0, 0, 100, 100), Rect(0, 0, 20, 10))));
  Put(IntToStr(RectWidth(R)) + ' ' + IntToStr(RectHeight(R)) + ' ' + R2S(NormalizeRect(Rect(5, 5, 0, 0))));
  R2 := R.Copy;
  Put(BoolToStr(InflateRect(R2, -10, -5), True) + ' ' + R2S(R2));
  Put(BoolToStr(PointsEqual(Point(1, 2), Point(1, 2)), True) + ' ' + P2S(MinPoint(Point(5, 1), Point(0, 2))) + ' ' + P2S(ScalePoint(Point(10, 3), 1.5, 2)));

  S := TSize.Create(3, 4);
  Put(IntToStr(S.Width) + ' ' + IntToStr(S.Add(S).cy) + ' ' + FloatToStr(TSize.Create.Distance(S)));

  F := TPointF.Create(3, 4);
  Put(FloatToStr(F.Length) + ' ' + FloatToStr(F.Normalize.X) + ' ' + FloatToStr(F.DotProduct(PointF(1, 1))) + ' ' + FloatToStr(F.CrossProduct(PointF(1, 0))));
  Put(P2S(F.Scale(1.5).Round) + ' ' + P2S(PointF(5.5, -2.5).Round) + ' ' + P2S(PointF(-1.5, 2.5).Truncate) + ' ' + P2S(PointF(-1.5, 2.2).Ceiling));
  Put(FloatToStr(TPointF.Zero.Normalize.X) + ' ' + FloatToStr(PointF(2, 0).Rotate(cPIdiv2).Y) + ' ' + FloatToStr(F.MidPoint(PointF(1, 0)).X));
  RF := TRectF.Create(0.5, 0.5, 10.25, 4);
  Put(F2S(RF) + ' ' + FloatToStr(RF.Width) + ' ' + R2S(RF.Round) + ' ' + R2S(RF.Truncate) + ' ' + R2S(RF.Ceiling));
  Put(BoolToStr(RF.Contains(PointF(10, 3.9)), True) + ' ' + BoolToStr(RF.Contains(RectF(1, 1, 11, 2)), True));
  RF.Union(RectF(-1, 0, 1, 1));
  Put(F2S(RF));
  RF.Intersect(RectF(5, -5, 6, 50));
  Put(F2S(RF) + ' ' + FloatToStr(RF.CenterPoint.X));
  try
    PointF(1e30, 0).Round;
  except
    on E: Exception do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  try
    R.Contains(5);
  except
    on E: Exception do Put(FirstLine(E.Message));
  end;
end;

{ expect:
(3,4) (4,3) (7,7) (-1,1)
5 True False
True
(-7,8)
(-2147483648,0)
(10,20,110,70) 100x50 (60,45) (10,20) (110,70)
100 50
(10,20,110,70) contains (10,20): True
(10,20,110,70) contains (109,69): True
(10,20,110,70) contains (110,50): False
(10,20,110,70) contains (50,70): False
True
False
(0,0,10,10) (5,5,15,15): meet True and (5,5,10,10) or (0,0,15,15)
(0,0,10,10) (10,0,20,10): meet False and (0,0,0,0) or (0,0,20,10)
(0,0,10,10) (20,20,30,30): meet False and (0,0,0,0) or (0,0,30,30)
(0,0,0,0) (2,3,4,5): meet False and (0,0,0,0) or (2,3,4,5)
(10,20,110,70) (13,14,117,66)
True (9,8,1,2)
False (1,2,9,8)
(100,200,108,206)
(1,2,31,42) (0,0,0,0)
(10,20,20,70) (10,65,110,70)
(40,45,60,55)
100 50 (0,0,5,5)
True (20,25,100,65)
True (5,1) (15,6)
3 8 5
5 0.600000023841858 7 -4
(4,6) (6,-2) (-1,2) (-1,3)
0 2 2
(0.5,0.5,10.25,4) 9.75 (0,0,10,4) (0,0,10,4) (0,0,11,4)
True False
(-1,0,10.25,4)
(5,0,6,4) 5.5
EInvalidOp: Invalid floating point operation
Invalid type cast or type mismatch
}
