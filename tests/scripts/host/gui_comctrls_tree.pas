{ expect:
count 9, roots 2
walk: fruit(0,0) apple(1,0) fig(1,1) pear(1,2) seed(2,0) veg(0,1) kale(1,0) leek(1,1) yam(1,2)
back: yam leek kale veg seed pear fig apple fruit
siblings: apple fig pear
item[4] seed, parent pear, abs 4, has children no
first-child fruit apple, last veg yam
insert: apple0 apple cake fig pear, cake index 2, count 11
expand fruit, allowed no: expanded no, told 
expand fruit, allowed yes: expanded yes, told fruit
expand kale, allowed yes: expanded no, told 
expand pear, allowed yes: expanded yes, told pear
collapse refused: expanded yes
collapsed: expanded no, visible seed no
selected kale, told kale
refused: selected kale, told 
multi: 2 apple fig, focused kale
bad selection: List index out of bounds (2)
cleared: 0
sorted: apple apple0 cake fig pear
sorted insert: apple apple0 banana cake fig pear
renamed: apple apple0 banana fig pear zest
reversed by OnCompare: zest pear fig banana apple0 apple
reversed insert: zest pear mango fig banana apple0 apple
moved: yam leek kale pear, seed level 2
roots: veg fruit
data 42
deleted veg, count 6, deletions 6, selected nil
delete in OnDeletion: Tree nodes cannot be added, moved or deleted in this event, count 6
failing OnCompare: no order, count 6
file: fruit(0) zest(1) fig(1) banana(1) apple0(1) apple(1) kid(2)
bad index: List index out of bounds (99)
bad child: List index out of bounds (7)
move into own subtree: A node cannot be moved into itself or its own subtree
other view: The node belongs to another tree view
other view: The node belongs to another tree view
other view, count 1 and 7
class TTreeView TCustomTreeView
}
// Tree views as a script builds them: nodes added every way, walked depth-first and by
// siblings, expanded and collapsed under the events' veto, selected, sorted, moved, deleted,
// saved and loaded.
var Log, Allow, Deletions;

procedure Put(S); begin MessageList.Lines.Add(S); end;
function FirstLine(S); begin if Pos(#13, S) > 0 then Result := Copy(S, 1, Pos(#13, S) - 1) else Result := S; end;
function NameOf(N); begin if N = nil then Result := 'nil' else Result := N.Text; end;
function YesNo(B); begin if B then Result := 'yes' else Result := 'no'; end;

procedure Expanding(Sender; Node; var AllowExpansion); begin AllowExpansion := Allow; end;
procedure Expanded(Sender; Node); begin Log := Log + Node.Text; end;
procedure Collapsing(Sender; Node; var AllowCollapse); begin AllowCollapse := False; end;
procedure Changing(Sender; Node; var AllowChange); begin AllowChange := Allow; end;
procedure Changed(Sender; Node); begin Log := Log + NameOf(Node); end;
procedure Deleted(Sender; Node); begin Deletions := Deletions + 1; end;
// Freeing a node in the middle of a deletion is refused.
procedure DeletedAndMore(Sender; Node);
begin
  try
    Node.Delete;
  except
    on E: ETreeViewError do Log := FirstLine(E.Message);
  end;
end;
procedure BadCompare(Sender; Node1; Node2; Data; var Compare); begin raise Exception.Create('no order'); end;
// Reverse order of the texts.
procedure Reversed(Sender; Node1; Node2; Data; var Compare);
begin
  if Node1.Text < Node2.Text then Compare := 1 else if Node1.Text > Node2.Text then Compare := -1 else Compare := 0;
end;

// The texts of a node's children, or of the top-level nodes for nil.
function Children(TV; N);
var C;
begin
  Result := '';
  if N = nil then C := TV.Items.GetFirstNode else C := N.GetFirstChild;
  while C <> nil do begin Result := Result + ' ' + C.Text; C := C.GetNextSibling; end;
end;

procedure TryExpand(N; Allowed);
begin
  Allow := Allowed;
  Log := '';
  N.Expand(False);
  Put('expand ' + N.Text + ', allowed ' + YesNo(Allowed) + ': expanded ' + YesNo(N.Expanded) + ', told ' + Log);
end;

procedure Main;
var F, TV, Fruit, Veg, Pear, Kale, Cake, N, S, Roots, Path, Other;
begin
  F := TForm.Create(nil);
  TV := TTreeView.Create(F); TV.Parent := F;
  Fruit := TV.Items.Add(nil, 'fruit');
  Veg := TV.Items.Add(Fruit, 'veg');
  TV.Items.AddChild(Fruit, 'fig');
  Pear := TV.Items.AddChild(Fruit, 'pear');
  TV.Items.AddChildFirst(Fruit, 'apple');
  TV.Items.AddChild(Pear, 'seed');
  TV.Items.AddChild(Veg, 'leek');
  TV.Items.AddChild(Veg, 'yam');
  Kale := TV.Items.AddChildFirst(Veg, 'kale');
  Roots := 0;
  N := TV.Items.GetFirstNode;
  while N <> nil do begin Roots := Roots + 1; N := N.getNextSibling; end;
  Put('count ' + IntToStr(TV.Items.Count) + ', roots ' + IntToStr(Roots));

  // Depth-first both ways, with each node's level and index.
  S := 'walk:';
  N := TV.Items.GetFirstNode;
  while N <> nil do begin
    S := S + ' ' + N.Text + '(' + IntToStr(N.Level) + ',' + IntToStr(N.Index) + ')';
    N := N.GetNext;
  end;
  Put(S);
  S := 'back:';
  N := TV.Items[TV.Items.Count - 1];
  while N <> nil do begin S := S + ' ' + N.Text; N := N.GetPrev; end;
  Put(S);
  Put('siblings:' + Children(TV, Fruit));
  N := TV.Items[4];
  Put('item[4] ' + N.Text + ', parent ' + N.Parent.Text + ', abs ' + IntToStr(N.AbsoluteIndex) +
    ', has children ' + YesNo(N.HasChildren));
  Put('first-child ' + Fruit.Text + ' ' + Fruit.GetFirstChild.Text + ', last ' + Veg.Text + ' ' + Veg.GetLastChild.Text);

  // Insert goes before its sibling, AddFirst first among the siblings.
  Cake := TV.Items.Insert(Fruit.Item[1], 'cake');
  TV.Items.AddFirst(Fruit.Item[0], 'apple0');
  Put('insert:' + Children(TV, Fruit) + ', cake index ' + IntToStr(Cake.Index) + ', count ' + IntToStr(TV.Items.Count));

  // Expanding under the veto of OnExpanding; a node without children does not open.
  TV.OnExpanding := @Expanding;
  TV.OnExpanded := @Expanded;
  TryExpand(Fruit, False);
  TryExpand(Fruit, True);
  TryExpand(Kale, True);
  TryExpand(Pear, True);
  TV.OnCollapsing := @Collapsing;
  Fruit.Collapse(False);
  Put('collapse refused: expanded ' + YesNo(Fruit.Expanded));
  TV.OnCollapsing := nil;
  Fruit.Collapse(True);
  Put('collapsed: expanded ' + YesNo(Fruit.Expanded) + ', visible ' + Pear.Item[0].Text + ' ' + YesNo(Pear.Item[0].IsVisible));

  // Selection, with OnChanging's veto.
  TV.OnChanging := @Changing;
  TV.OnChange := @Changed;
  Allow := True; Log := '';
  TV.Selected := Kale;
  Put('selected ' + NameOf(TV.Selected) + ', told ' + Log);
  Allow := False; Log := '';
  Pear.Selected := True;
  Put('refused: selected ' + NameOf(TV.Selected) + ', told ' + Log);
  Allow := True;

  // Several selected nodes, listed in the tree's order.
  TV.OnChanging := nil; TV.OnChange := nil;
  TV.MultiSelect := True;
  TV.ClearSelection;
  Fruit.Item[3].Selected := True;
  Fruit.Item[1].Selected := True;
  Kale.Selected := True;
  Kale.Selected := False;
  S := '';
  for N := 0 to TV.SelectionCount - 1 do S := S + ' ' + TV.Selections[N].Text;
  Put('multi: ' + IntToStr(TV.SelectionCount) + S + ', focused ' + NameOf(TV.Selected));
  try
    N := TV.Selections[2];
  except
    on E: ETreeViewError do Put('bad selection: ' + FirstLine(E.Message));
  end;
  TV.ClearSelection;
  TV.MultiSelect := False;
  Put('cleared: ' + IntToStr(TV.SelectionCount));

  // Sorted views keep each level in order, for new and renamed nodes too.
  TV.SortType := stText;
  Put('sorted:' + Children(TV, Fruit));
  TV.Items.AddChild(Fruit, 'banana');
  Put('sorted insert:' + Children(TV, Fruit));
  Cake.Text := 'zest';
  Put('renamed:' + Children(TV, Fruit));
  TV.OnCompare := @Reversed;
  TV.AlphaSort;
  Put('reversed by OnCompare:' + Children(TV, Fruit));
  TV.Items.AddChild(Fruit, 'mango');
  Put('reversed insert:' + Children(TV, Fruit));
  TV.Items.Delete(Fruit.Item[2]);
  TV.OnCompare := nil;
  TV.SortType := stNone;

  Pear.MoveTo(Veg, naAddChild);
  Put('moved:' + Children(TV, Veg) + ', seed level ' + IntToStr(Pear.Item[0].Level));
  Fruit.MoveTo(nil, naAdd);
  Put('roots:' + Children(TV, nil));
  Kale.Data := 42;
  Put('data ' + IntToStr(Kale.Data));

  TV.OnDeletion := @Deleted;
  Deletions := 0;
  Veg.Delete;
  Put('deleted veg, count ' + IntToStr(TV.Items.Count) + ', deletions ' + IntToStr(Deletions) +
    ', selected ' + NameOf(TV.Selected));

  TV.OnDeletion := @DeletedAndMore;
  Log := '';
  TV.Items.Add(nil, 'brief').Delete;
  Put('delete in OnDeletion: ' + Log + ', count ' + IntToStr(TV.Items.Count));
  TV.OnDeletion := nil;
  TV.OnCompare := @BadCompare;
  try
    TV.AlphaSort;
  except
    on E: Exception do Put('failing OnCompare: ' + FirstLine(E.Message) + ', count ' + IntToStr(TV.Items.Count));
  end;
  TV.OnCompare := nil;

  // The nodes as indented lines, and back.
  TV.Items.AddChild(TV.Items.GetFirstNode.GetLastChild, 'kid');
  Path := 'qel_corpus_tree.txt';
  TV.SaveToFile(Path);
  TV.Items.Clear;
  TV.LoadFromFile(Path);
  S := 'file:';
  N := TV.Items.GetFirstNode;
  while N <> nil do begin S := S + ' ' + N.Text + '(' + IntToStr(N.Level) + ')'; N := N.GetNext; end;
  Put(S);

  try
    N := TV.Items[99];
  except
    on E: Exception do Put('bad index: ' + FirstLine(E.Message));
  end;
  try
    N := TV.Items.GetFirstNode.Item[7];
  except
    on E: Exception do Put('bad child: ' + FirstLine(E.Message));
  end;
  try
    TV.Items.GetFirstNode.MoveTo(TV.Items.GetFirstNode.GetLastChild, naAddChild);
  except
    on E: ETreeViewError do Put('move into own subtree: ' + FirstLine(E.Message));
  end;
  // A node of one view is no parent, sibling or target in another.
  Other := TTreeView.Create(F); Other.Parent := F;
  Other.Items.Add(nil, 'alone');
  try
    Other.Items.AddChild(TV.Items.GetFirstNode, 'stray');
  except
    on E: ETreeViewError do Put('other view: ' + FirstLine(E.Message));
  end;
  try
    TV.Items.GetFirstNode.MoveTo(Other.Items[0], naAddChild);
  except
    on E: ETreeViewError do Put('other view: ' + FirstLine(E.Message));
  end;
  Put('other view, count ' + IntToStr(Other.Items.Count) + ' and ' + IntToStr(TV.Items.Count));
  Put('class ' + ComCtrls.TTreeView.ClassName + ' ' + TTreeView.ClassParent.ClassName);
  F.Free;
end;
