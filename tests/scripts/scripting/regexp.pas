// VBScript.RegExp from Pascal: tests, matches with their sub-matches, replacements with
// every substitution, the flags, and the error of a bad pattern.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(13), S);
  if i > 0 then Result := Copy(S, 1, i - 1);
end;

procedure ShowMatches(Matches);
var i, j, M, Line;
begin
  Put('count ' + IntToStr(Matches.Count));
  for i := 0 to Matches.Count - 1 do
  begin
    M := Matches.Item[i];
    Line := M.Value + ' at ' + IntToStr(M.FirstIndex) + ' len ' + IntToStr(M.Length);
    for j := 0 to M.SubMatches.Count - 1 do
      Line := Line + ' [' + VarToStr(M.SubMatches[j]) + ']';
    Put(Line);
  end;
end;

procedure Main;
var R, E;
begin
  R := CreateOleObject('VBScript.RegExp');
  R.Pattern := '(\w+)@(\w+)\.com';
  Put(R.Test('mail bob@example.com now'));
  Put(R.Test('no address'));
  // Without Global only the first match counts.
  ShowMatches(R.Execute('ann@a.com, bob@b.com'));
  R.Global := True;
  ShowMatches(R.Execute('ann@a.com, bob@b.com'));
  ShowMatches(R.Execute('nothing here'));
  // A group that takes no part is empty.
  R.Pattern := '(a)|(b)';
  ShowMatches(R.Execute('ba'));

  R.Pattern := '(\d+)-(\d+)';
  Put(R.Replace('1-2 and 30-40', '$2-$1'));
  Put(R.Replace('1-2 and 30-40', '<$&>'));
  Put(R.Replace('1-2 and 30-40', '$$1 $9 $x'));
  Put(R.Replace('a1-2b', '[$`|$'']'));
  R.Global := False;
  Put(R.Replace('1-2 and 30-40', 'X'));

  R.Pattern := 'hello';
  Put(R.Test('HELLO'));
  R.IgnoreCase := True;
  Put(R.Test('HELLO'));
  R.Pattern := '^b';
  R.Global := True;
  Put(R.Execute('a' + Chr(10) + 'b').Count);
  R.Multiline := True;
  Put(R.Execute('a' + Chr(10) + 'b').Count);
  // Empty matches advance instead of looping.
  R.Pattern := 'x*';
  Put(R.Replace('abc', '-'));

  R.Pattern := '(unclosed';
  try
    R.Test('x');
  except
    on E: EOleException do
      Put(FirstLine(E.Message) + ' ' + IntToStr(E.ErrorCode and $FFFF) + ' ' + E.Source);
  end;
  // The object is still usable.
  R.Pattern := 'ok';
  Put(R.Test('ok'));
end;

{ expect:
True
False
count 1
ann@a.com at 0 len 9 [ann] [a]
count 2
ann@a.com at 0 len 9 [ann] [a]
bob@b.com at 11 len 9 [bob] [b]
count 0
count 2
b at 0 len 1 [] [b]
a at 1 len 1 [a] []
2-1 and 40-30
<1-2> and <30-40>
$1 $9 $x and $1 $9 $x
a[a|b]b
X and 30-40
False
True
0
1
-a-b-c-
Syntax error in regular expression 5017 VBScript.RegExp
True
}
