// Object lists with and without ownership, component lists that forget freed components,
// stacks, queues, bucket lists and bits.
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
var L, A, B, C, S, Q, Bits, Buckets, Data, Owner;
begin
  L := TObjectList.Create;
  A := TStringList.Create;
  A.Add('kept');
  L.Add(A);
  L.Add(TStringList.Create);
  Put(L.Count);
  Put(L[0].Strings[0]);
  L.Delete(1);              // owned: freed with its slot
  Put(L.Count);
  L.OwnsObjects := False;
  B := L.Extract(A);
  Put(B = A);
  Put(L.Count);
  L.Free;
  Put(A.Count);             // not owned any more: still alive
  A.Free;
  L := TObjectList.Create(False);
  L.Add(TStringList.Create);
  Put(L.FindInstanceOf(TStringList));
  Put(L.FindInstanceOf(TStrings));
  Put(L.FindInstanceOf(TStrings, False));
  L[0].Free;
  L.Free;

  Owner := TComponent.Create(nil);
  L := TComponentList.Create(False);
  C := TComponent.Create(Owner);
  L.Add(C);
  Put(L.Count);
  C.Free;                   // freed elsewhere: the list drops it
  Put(L.Count);
  L.Free;
  Owner.Free;

  S := TObjectStack.Create;
  Q := TObjectQueue.Create;
  A := TStringList.Create; A.Add('first');
  B := TStringList.Create; B.Add('second');
  S.Push(A); S.Push(B);
  Q.Push(A); Q.Push(B);
  Put(S.Peek.Strings[0]);
  Put(S.Count);
  Put(S.Pop.Strings[0]);
  Put(S.Pop.Strings[0]);
  Put(Q.Pop.Strings[0]);
  Put(Q.AtLeast(1));
  Put(Q.Pop.Strings[0]);
  Put(Q.AtLeast(1));
  try
    S.Pop;
  except
    on E: EListError do Put(FirstLine(E.Message));
  end;
  S.Free; Q.Free; A.Free; B.Free;

  Buckets := TIntegerBucketList.Create;
  Buckets.Add(7, 70);
  Buckets.Add(8, 80);
  Put(Buckets[8]);
  Put(Buckets.Count);
  Data := 0;
  Put(Buckets.Find(7, Data));
  Put(Data);
  Put(Buckets.Exists(9));
  try
    Buckets.Add(7, 1);
  except
    on E: EListError do Put(FirstLine(E.Message));
  end;
  Put(Buckets.Remove(7));
  Put(Buckets.Count);
  Buckets.Free;

  Bits := TBits.Create;
  Bits[0] := True;
  Bits[1] := True;
  Bits[5] := True;
  Put(Bits.Size);
  Put(Bits.OpenBit);
  Put(Bits[5]);
  Put(Bits[40]);
  try
    Bits[-1] := True;
  except
    on E: EBitsError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  Bits.Free;
end;

{ expect:
2
kept
1
True
0
1
0
-1
0
1
0
second
2
second
first
first
True
second
False
List index out of bounds (-1)
80
2
True
70
False
Duplicate item
70
1
6
2
True
False
EBitsError: Bits index out of range
}
