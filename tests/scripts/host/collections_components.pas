// Collections with their items, ownership of components and free notification, the
// exception hierarchy caught by base class, enumerations and sets as constants, records by
// value, and every unit reachable by name.
procedure Put(x); begin MessageList.Lines.Add(x) end;

// A caught message carries the source-position block on its next line: keep the first.
function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(10), S);
  if i > 0 then Result := SysUtils.Trim(Copy(S, 1, i - 1));
end;

procedure Main;
var C, Item, Owner, A, B, P, R, R2, E;
begin
  C := TCollection.Create(TCollectionItem);
  Item := C.Add;
  C.Add;
  C.Add.DisplayName := 'third';
  Put(C.Count);
  Put(C[2].DisplayName);
  Put(C[0].DisplayName);
  Put(Item.Index);
  Item.Index := 2;
  Put(C[2].ID);
  Put(C.FindItemID(1).Index);
  Item.Free;                 // leaves its collection
  Put(C.Count);
  try
    Item := C[5];
  except
    on E: EListError do Put(FirstLine(E.Message));
  end;
  C.Free;

  Owner := TComponent.Create(nil);
  A := TComponent.Create(Owner);
  A.Name := 'First';
  B := TComponent.Create(Owner);
  B.Name := 'Second';
  Put(Owner.ComponentCount);
  Put(Owner.FindComponent('second').Name);
  Put(Owner.Components[0].Name);
  try
    B.Name := 'First';
  except
    on E: EComponentError do Put(FirstLine(E.Message));
  end;
  B.Free;
  Put(Owner.ComponentCount);
  Owner.Free;                // frees A too
  try
    Put(A.Name);
  except
    on E: Exception do Put(FirstLine(E.Message));
  end;

  try
    raise EDivByZero.Create('by hand');
  except
    on E: EIntError do Put('EIntError caught ' + E.ClassName);
  end;
  try
    raise EFileNotFoundException.Create('gone');
  except
    on E: EArgumentException do Put('EArgumentException caught ' + E.ClassName);
  end;
  try
    raise EVariantOverflowError.Create('too big');
  except
    on E: EVariantError do Put('EVariantError caught ' + E.ClassName);
  end;
  Put(Classes.TBits.ClassName);
  Put(Contnrs.TObjectQueue.ClassName);
  Put(SysUtils.EWin32Error.ClassName);
  Put(alClient);
  Put(Controls.akBottom);
  Put(StdCtrls.ecNormal);
  Put(StdCtrls.ecLowerCase);
  Put(Forms.caFree);
  Put(UITypes.clRed);
  Put(UITypes.mrCancel);
  Put(Dialogs.ofFileMustExist);

  R := Types.Rect(1, 2, 11, 22);
  R2 := R.Copy;              // a copy: changing R2 leaves R alone
  R2.Left := 5;
  Put(R.Left);
  Put(R2.Left);
  Put(R.Width);
  P := Types.Point(3, 4);
  Put(Types.PtInRect(R, P));
  P.X := 0;
  Put(Types.PtInRect(R, P));
  Put(Types.Bounds(10, 10, 5, 5).Right);
end;

{ expect:
3
third
TCollectionItem
0
0
0
2
List index out of bounds (5)
2
Second
First
A component named First already exists
1
Object has been destroyed.
EIntError caught EDivByZero
EArgumentException caught EFileNotFoundException
EVariantError caught EVariantOverflowError
TBits
TObjectQueue
EWin32Error
5
3
0
2
2
255
2
9
1
5
10
True
False
15
}
