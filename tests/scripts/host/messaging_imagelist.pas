// Messaging: a message manager's subscribe, send and unsubscribe (by id and by listener),
// listeners that unsubscribe while a message is being sent, messages freed after sending.
// ImageList: links follow their list's changes, BeginUpdate/EndUpdate batch them, and a freed
// list leaves its links without one.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(10), S);
  if i > 0 then Result := SysUtils.Trim(Copy(S, 1, i - 1));
end;

var Log;

procedure First(Sender; M); begin Log := Log + ' first:' + M.Value end;
procedure Second(Sender; M); begin Log := Log + ' second:' + M.Value + ':' + Sender.ClassName end;
procedure Base(Sender; M); begin Log := Log + ' base:' + M.ClassName end;

var Manager, SecondId;
procedure Leaving(Sender; M);
begin
  Log := Log + ' leaving';
  Manager.Unsubscribe(TMessage, SecondId);
end;

procedure Changed(Sender); begin Log := Log + ' ' + Sender.ClassName end;

procedure Send(Text);
begin
  Log := '';
  Manager.SendMessage(Manager, TMessage.Create(Text));
  Put(Text + ':' + Log);
end;

procedure Main;
var Id, M, Images, Link, Link2;
begin
  Manager := TMessageManager.Create;
  Id := Manager.SubscribeToMessage(TMessage, @First);
  SecondId := Manager.SubscribeToMessage(TMessage, @Second);
  Manager.SubscribeToMessage(TMessageBase, @Base);
  Put(IntToStr(Id) + ' ' + IntToStr(SecondId) + ' ' + IntToStr(Manager.SubscriptionCount(TMessage)));
  Send('one');
  Log := '';
  Manager.SendMessage(nil, TMessageBase.Create);
  Put('base:' + Log);
  Manager.Unsubscribe(TMessage, Id);
  Send('two');
  Manager.Unsubscribe(TMessage, @Second);
  Send('three');
  Manager.SubscribeToMessage(TMessage, @Leaving);
  SecondId := Manager.SubscribeToMessage(TMessage, @Second);
  Send('four');
  Send('five');
  Manager.Unsubscribe(TMessage, 999);
  Put(Manager.SubscriptionCount(TMessage));
  // A message kept by the sender: not freed, so it can be sent again.
  M := TMessage.Create('kept');
  Log := '';
  Manager.SendMessage(Manager, M, False);
  Manager.SendMessage(Manager, M, False);
  Put(Log);
  M.Free;
  try
    Manager.SendMessage(Manager, nil);
  except
    on E: Exception do Put(FirstLine(E.Message));
  end;
  Manager.Free;

  Images := TBaseImageList.Create(nil);
  Images.OnChange := @Changed;
  Link := TImageLink.Create;
  Link.OnChange := @Changed;
  Link2 := TImageLink.Create;
  Link2.ImageIndex := 2;
  Link2.Images := Images;
  Link.Images := Images;
  Put(IntToStr(Images.LinkCount) + ' ' + IntToStr(Images.Count) + ' ' + IntToStr(Images.Links[0].ImageIndex));
  Log := '';
  Images.Change;
  Put('change:' + Log);
  Log := '';
  Images.BeginUpdate;
  Images.Change;
  Images.Change;
  Put(Images.Updating);
  Images.EndUpdate;
  Put('update:' + Log);
  Log := '';
  Link.ImageIndex := 3;
  Link.IgnoreIndex := True;
  Link.ImageIndex := 4;
  Put('index:' + Log + ' ' + IntToStr(Link.ImageIndex));
  Link2.Free;
  Put(Images.LinkCount);
  try
    Images.Links[5];
  except
    on E: EListError do Put(E.ClassName);
  end;
  Log := '';
  Images.Free;
  Put('freed:' + Log + ' ' + BoolToStr(Link.Images = nil, True));
  Link.Free;
end;

{ expect:
1 2 2
one: first:one second:one:TMessageManager
base: base:TMessageBase
two: second:two:TMessageManager
three:
four: leaving
five: leaving
1
 leaving leaving
Object required: argument 2 is nil.
2 0 2
change: TImageLink TBaseImageList
True
update: TImageLink TBaseImageList
index: TImageLink 4
1
EListError
freed: TImageLink True
}
