// Scripting.Dictionary from Pascal: keys of every kind, insertion order, the default Item
// property (reading a missing key adds it), renaming, removal, compare modes and the errors.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(13), S);
  if i > 0 then Result := Copy(S, 1, i - 1);
end;

function Text(V);
begin
  if VarType(V) = varDispatch then Result := '<' + V.ClassName + '>' else Result := VarToStr(V);
end;

procedure ShowKeys(D);
var K, V, i, Line;
begin
  K := D.Keys;
  V := D.Items;
  Line := IntToStr(D.Count) + ':';
  for i := 0 to D.Count - 1 do
    Line := Line + ' ' + Text(K[i]) + '=' + Text(V[i]);
  Put(Line);
end;

procedure Main;
var D, O, P, E, Cases, i;
begin
  D := CreateOleObject('Scripting.Dictionary');
  D.Add('b', 'text');
  D.Add(1, 'one');
  D.Add(2.5, 'real');
  O := TStringList.Create;
  P := TStringList.Create;
  D.Add(O, 'first list');
  D.Add(P, 'second list');
  ShowKeys(D);
  // Numbers are one kind whatever their type; objects go by identity.
  Put(D.Exists(1.0));
  Put(D.Exists('1'));
  Put(D.Item[O] + ', ' + D.Item[P]);
  Put(D['b']);
  D['b'] := 'changed';
  D['new'] := 'added';
  Put(D['b'] + ' ' + D['new']);
  // Reading a missing key adds it with an empty value.
  Put(VarToStr(D['missing']) + '|' + IntToStr(D.Count));
  D.Key['missing'] := 'renamed';
  D.Remove(O);
  D.Remove(2.5);
  ShowKeys(D);

  Cases := 0;
  for i := 1 to 4 do
  try
    case i of
      1: D.Add('b', 'again');
      2: D.Remove('nothing');
      3: D.Key['nothing'] := 'x';
      4: D.CompareMode := 1;
    end;
  except
    on E: EOleException do
      Put(FirstLine(E.Message) + ' ' + IntToStr(E.ErrorCode and $FFFF) + ' ' + E.Source);
  end;

  D.RemoveAll;
  Put(D.Count);
  D.CompareMode := 1;
  D.Add('Key', 1);
  Put(D.Exists('KEY'));
  try
    D.Add('kEy', 2);
  except
    on E: EOleException do Put(FirstLine(E.Message));
  end;
  O.Free;
  P.Free;
end;

{ expect:
5: b=text 1=one 2.5=real <TStringList>=first list <TStringList>=second list
True
False
first list, second list
text
changed added
|7
5: b=changed 1=one <TStringList>=second list new=added renamed=
This key is already associated with an element of this collection 457 Scripting.Dictionary
Element not found 32811 Scripting.Dictionary
Element not found 32811 Scripting.Dictionary
Invalid procedure call or argument 5 Scripting.Dictionary
0
True
This key is already associated with an element of this collection
}
