// A window built by the script, with its events handled by script procedures. The script
// presses the buttons itself first, then shows the window until you close it.
var Counter, Info;

procedure AddClicked(Sender);
begin
  Counter := Counter + 1;
  Info.Caption := 'Clicked ' + IntToStr(Counter) + ' time(s)';
  MessageList.Lines.Add(Sender.Caption + ' -> ' + Info.Caption);
end;

procedure NameChanged(Sender);
begin
  MessageList.Lines.Add('Name is now "' + Sender.Text + '"');
end;

procedure Main;
var F, Add, Close, Name;
begin
  Counter := 0;
  F := TForm.Create(nil);
  try
    F.Caption := 'A form made by a script';
    F.ClientWidth := 300;
    F.ClientHeight := 120;
    F.Position := poScreenCenter;
    Info := TLabel.Create(F); Info.Parent := F; Info.SetBounds(12, 12, 270, 17);
    Info.Caption := 'Not clicked yet';
    Name := TEdit.Create(F); Name.Parent := F; Name.SetBounds(12, 36, 270, 21);
    Name.OnChange := @NameChanged;
    Add := TButton.Create(F); Add.Parent := F; Add.SetBounds(12, 80, 90, 25);
    Add.Caption := 'Click me';
    Add.OnClick := @AddClicked;
    Close := TButton.Create(F); Close.Parent := F; Close.SetBounds(192, 80, 90, 25);
    Close.Caption := 'Close'; Close.ModalResult := mrOk;
    Add.Click;
    Name.Text := 'Orvane';
    F.ShowModal;
    MessageList.Lines.Add('The window closed after ' + IntToStr(Counter) + ' click(s)');
  finally
    F.Free;
  end;
end;
