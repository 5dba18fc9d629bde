{ expect:
top 0 0 300 40
bottom 0 170 300 30
left 0 40 80 130
client 80 40 220 130
inner 0 0 220 20
anchored 150 10
grown 250 190
constrained 50
}
procedure Show(Name; C);
begin
  MessageList.Lines.Add(Name + ' ' + IntToStr(C.Left) + ' ' + IntToStr(C.Top) + ' ' +
    IntToStr(C.Width) + ' ' + IntToStr(C.Height));
end;

procedure Main;
var F, Top, Bottom, Left, Client, Inner, B;
begin
  F := TForm.Create(nil);
  F.ClientWidth := 300;
  F.ClientHeight := 200;
  Top := TPanel.Create(F); Top.Parent := F; Top.Height := 40; Top.Align := alTop;
  Bottom := TPanel.Create(F); Bottom.Parent := F; Bottom.Height := 30; Bottom.Align := alBottom;
  Left := TPanel.Create(F); Left.Parent := F; Left.Width := 80; Left.Align := alLeft;
  Client := TPanel.Create(F); Client.Parent := F; Client.BevelOuter := bvNone; Client.Align := alClient;
  Inner := TPanel.Create(F); Inner.Parent := Client; Inner.Height := 20; Inner.Align := alTop;
  Show('top', Top);
  Show('bottom', Bottom);
  Show('left', Left);
  Show('client', Client);
  Show('inner', Inner);
  B := TButton.Create(F);
  B.Parent := Client;
  B.SetBounds(150, 10, 50, 25);
  B.Anchors := [akLeft, akTop, akRight];
  MessageList.Lines.Add('anchored ' + IntToStr(B.Left) + ' ' + IntToStr(B.Top));
  F.ClientWidth := 330;
  F.ClientHeight := 260;
  MessageList.Lines.Add('grown ' + IntToStr(Client.Width) + ' ' + IntToStr(Client.Height));
  B.Constraints.MaxWidth := 50;
  B.Width := 400;
  MessageList.Lines.Add('constrained ' + IntToStr(B.Width));
  F.Free;
end;
