{ expect:
hierarchy TStaticListAction<TCustomStaticListAction<TCustomListAction<TCustomAction True
hierarchy TVirtualListAction<TCustomVirtualListAction<TCustomListAction<TCustomAction True
items TListControlItems<TOwnedCollection True
static clients 2: Red,Green,Blue | Red,Green,Blue
ItemIndex 1: 1 1
added: Red,Green,Blue,Cyan | Red,Green,Blue,Cyan
renamed: Red,Lime,Blue,Cyan
chosen by TListBox: 3 3 3 selected 3 runs 1
inactive: 0 0, active again: 4 4 chosen 2 2
deleted chosen: index -1
count 1 via OnGetItemCount: 1
virtual: Item 0,Item 1,Item 2 images 2
virtual count 5: 5
chosen by TComboBox: 4 4 selected 4
freed client: 1
ItemIndex 9: EListError List index out of bounds (9)
ItemIndex -2: EListError List index out of bounds (-2)
Count -1: EListError List index out of bounds (-1)
}
var Runs, Chosen, Images;

function B2S(V); begin if V then Result := 'True' else Result := 'False'; end;

function Chain(C);
begin
  Result := C.ClassName;
  C := C.ClassParent;
  while (C <> nil) and (C.ClassName <> 'TContainedAction') do
  begin
    Result := Result + '<' + C.ClassName;
    C := C.ClassParent;
  end;
end;

function Shown(L);
var I;
begin
  Result := '';
  for I := 0 to L.Items.Count - 1 do
  begin
    if I > 0 then Result := Result + ',';
    Result := Result + L.Items[I];
  end;
end;

procedure Selected(Sender; Control); begin Chosen := Sender.ItemIndex; end;
procedure Executed(Sender); begin Runs := Runs + 1; end;
procedure OnlyOne(Sender; var Count); begin Count := 1; end;
procedure VirtualItem(Sender; Index; var Value; var ImageIndex);
begin
  Value := 'Item ' + IntToStr(Index);
  ImageIndex := Index * 10;
  if ImageIndex > 0 then Images := Images + 1;
end;

procedure Fails(A; Index; Name);
begin
  try
    case Index of
      0: A.ItemIndex := 9;
      1: A.ItemIndex := -2;
      2: A.Count := -1;
    end;
    MessageList.Lines.Add(Name + ': no error');
  except
    on E: EListError do
      MessageList.Lines.Add(Name + ': ' + E.ClassName + ' ' + Trim(Copy(E.Message, 1, Pos(#10, E.Message + #10) - 1)));
  end;
end;

procedure Main;
var F, S, V, L1, L2, C, I;
begin
  F := TForm.Create(nil);
  S := TStaticListAction.Create(F);
  V := TVirtualListAction.Create(F);
  MessageList.Lines.Add('hierarchy ' + Chain(S.ClassType) + ' ' + B2S(S is TCustomListAction));
  MessageList.Lines.Add('hierarchy ' + Chain(V.ClassType) + ' ' + B2S(V is TCustomListAction));
  MessageList.Lines.Add('items ' + S.Items.ClassParent.ClassName + '<' + S.Items.ClassParent.ClassParent.ClassName + ' ' +
    B2S(S.Items is TListControlItems));

  // Both list boxes show the action's items and its chosen one.
  S.Items.AddItem('Red', 0); S.Items.AddItem('Green', 1); S.Items.AddItem('Blue', 2);
  L1 := TListBox.Create(F); L1.Parent := F;
  L2 := TListBox.Create(F); L2.Parent := F;
  L1.Action := S; L2.Action := S;
  MessageList.Lines.Add('static clients ' + IntToStr(S.ListClientCount) + ': ' + Shown(L1) + ' | ' + Shown(L2));
  S.ItemIndex := 1;
  MessageList.Lines.Add('ItemIndex 1: ' + IntToStr(L1.ItemIndex) + ' ' + IntToStr(L2.ItemIndex));
  S.Items.AddItem('Cyan', 3);
  MessageList.Lines.Add('added: ' + Shown(L1) + ' | ' + Shown(L2));
  S.Items[1].Caption := 'Lime';
  MessageList.Lines.Add('renamed: ' + Shown(L2));

  // Choosing in one client sets the action's index, which the other client shows.
  S.OnItemSelected := @Selected; S.OnExecute := @Executed;
  L1.ItemIndex := 3;
  L1.Click;
  MessageList.Lines.Add('chosen by ' + L1.ClassName + ': ' + IntToStr(S.ItemIndex) + ' ' + IntToStr(L2.ItemIndex) + ' ' +
    IntToStr(L1.ItemIndex) + ' selected ' + IntToStr(Chosen) + ' runs ' + IntToStr(Runs));

  S.Active := False;
  I := IntToStr(L1.Items.Count) + ' ' + IntToStr(L2.Items.Count);
  // Chosen while inactive, shown once active again.
  S.ItemIndex := 2;
  S.Active := True;
  MessageList.Lines.Add('inactive: ' + I + ', active again: ' + IntToStr(L1.Items.Count) + ' ' + IntToStr(L2.Items.Count) +
    ' chosen ' + IntToStr(L1.ItemIndex) + ' ' + IntToStr(L2.ItemIndex));
  S.ItemIndex := 3;
  // Deleting the chosen item leaves nothing chosen.
  S.Items.Delete(3);
  MessageList.Lines.Add('deleted chosen: index ' + IntToStr(S.ItemIndex));
  S.OnGetItemCount := @OnlyOne;
  MessageList.Lines.Add('count 1 via OnGetItemCount: ' + IntToStr(S.Count));
  S.OnGetItemCount := nil;

  // A virtual list asks OnGetItem for each item it shows.
  V.OnGetItem := @VirtualItem;
  V.OnItemSelected := @Selected;
  C := TComboBox.Create(F); C.Parent := F; C.Style := csDropDownList;
  C.Action := V;
  V.Count := 3;
  MessageList.Lines.Add('virtual: ' + Shown(C) + ' images ' + IntToStr(Images));
  V.Count := 5;
  MessageList.Lines.Add('virtual count 5: ' + IntToStr(C.Items.Count));
  C.ItemIndex := 4;
  C.Click;
  MessageList.Lines.Add('chosen by ' + C.ClassName + ': ' + IntToStr(V.ItemIndex) + ' ' + IntToStr(C.ItemIndex) +
    ' selected ' + IntToStr(Chosen));

  // A freed client leaves the action.
  L2.Free;
  MessageList.Lines.Add('freed client: ' + IntToStr(S.ListClientCount));
  Fails(S, 0, 'ItemIndex 9'); Fails(S, 1, 'ItemIndex -2'); Fails(V, 2, 'Count -1');
  F.Free;
end;
