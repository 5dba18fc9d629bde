// Host units "ActnList" and "Actions" (with the action base classes of "Classes"): actions that
// hold a command's caption, state and handler once, and the links that keep buttons and menu
// items in step with them.
//
// An action knows its links; a link knows its client. Changing an action's property tells each
// link, which changes the client only while the client still shows the action's old value (a
// client whose caption was changed on its own keeps it). A client clicked runs its action.
#pragma once

#include "host/core/UnitData.h"

#include <vector>

#include "host/gui/Menus.h"

class TBasicAction;
class TContainedActionList;

enum TActionListState { asNormal, asSuspended, asSuspendedEnabled };
QEL_ENUM_TYPE(TActionListState, asNormal, asSuspended, asSuspendedEnabled);

QEL_EVENT_TYPE(TActionEvent, void(TBasicAction* Action, bool& Handled));

QEL_EXCEPTION(EActionError, Exception);

// ---- Classes: the action and its link, without any property to show ------

class TBasicActionLink : public TObject {
  QEL_CLASS(TBasicActionLink, TObject)
 public:
  TBasicActionLink() = default;
  ~TBasicActionLink() override;
  TBasicAction* GetAction() const { return FAction; }
  void SetAction(TBasicAction* AValue);
  // Runs the action for AComponent; false when nothing handled it.
  virtual bool Execute(TComponent* AComponent);
  virtual bool Update();
  TNotifyEvent OnChange;

 protected:
  friend class TBasicAction;
  virtual void Change() { OnChange(this); }
  TBasicAction* FAction = nullptr;
};

class TBasicAction : public TComponent {
  QEL_CLASS(TBasicAction, TComponent)
 public:
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
  ~TBasicAction() override;
  // OnExecute; true when it ran.
  virtual bool Execute();
  // OnUpdate; true when it ran.
  virtual bool Update();
  virtual bool HandlesTarget(TObject*) { return false; }
  TComponent* GetActionComponent() const { return FActionComponent; }
  void SetActionComponent(TComponent* AValue) { FActionComponent = AValue; }
  int GetClientCount() const { return static_cast<int>(FClients.size()); }
  virtual void RegisterChanges(TBasicActionLink* ALink);
  virtual void UnRegisterChanges(TBasicActionLink* ALink);
  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;
  TNotifyEvent OnChange;
  static void QelRegisterMembers(TClassInfo& AInfo);

 protected:
  void Notification(TComponent* AComponent, TOperation AOperation) override;
  virtual void Change();
  std::vector<TBasicActionLink*> FClients;

 private:
  TComponent* FActionComponent = nullptr;
};

QEL_PUBLISHED(TBasicAction, QelEvent<u"OnExecute", &TBasicAction::OnExecute>,
              QelEvent<u"OnUpdate", &TBasicAction::OnUpdate>);

// ---- Actions: actions in a list, with the properties their clients show ---

class TContainedAction;

// A link whose client shows the action's properties; each setter is told the new value.
class TContainedActionLink : public TBasicActionLink {
  QEL_CLASS(TContainedActionLink, TBasicActionLink)
 public:
  TContainedActionLink() = default;
  virtual void SetCaption(const String&) {}
  virtual void SetChecked(bool) {}
  virtual void SetEnabled(bool) {}
  virtual void SetHint(const String&) {}
  virtual void SetShortCut(TShortCut) {}
  virtual void SetVisible(bool) {}
  virtual void SetImageIndex(int) {}
  // Copies every property of the action onto the client.
  void Apply();

 protected:
  TContainedAction* Contained() const;
};

class TContainedAction : public TBasicAction {
  QEL_CLASS(TContainedAction, TBasicAction)
 public:
  explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  ~TContainedAction() override;
  TContainedActionList* GetActionList() const { return FActionList; }
  void SetActionList(TContainedActionList* AValue);
  int GetIndex() const;
  void SetIndex(int AValue);
  const String& GetCategory() const { return FCategory; }
  void SetCategory(const String& AValue) { FCategory = AValue; Change(); }
  // The list's OnExecute, then the action's own.
  bool Execute() override;
  // The list's OnUpdate, then the action's own.
  bool Update() override;
  bool Suspended() const;

  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& AValue);
  bool GetChecked() const { return FChecked; }
  // Checking an action of a group (GroupIndex > 0) unchecks the others of its list's group.
  void SetChecked(bool AValue);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue);
  const String& GetHint() const { return FHint; }
  void SetHint(const String& AValue);
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut AValue);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int AValue) { FGroupIndex = AValue; Change(); }
  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool AValue) { FAutoCheck = AValue; Change(); }
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int AValue) { FHelpContext = AValue; Change(); }
  TStatusAction GetStatusAction() const { return FStatusAction; }
  void SetStatusAction(TStatusAction AValue) { FStatusAction = AValue; }
  static void QelRegisterMembers(TClassInfo& AInfo);

 protected:
  template <class V, class F>
  void Tell(V& AField, const V& AValue, F ASetter);

 private:
  friend class TContainedActionList;

  TContainedActionList* FActionList = nullptr;
  String FCategory, FCaption, FHint;
  TShortCut FShortCut = 0;
  int FImageIndex = -1, FGroupIndex = 0, FHelpContext = 0;
  bool FChecked = false, FEnabled = true, FVisible = true, FAutoCheck = false;
  TStatusAction FStatusAction = saNone;
};

QEL_PUBLISHED(TContainedAction, QelProp<u"Caption", &TContainedAction::GetCaption, &TContainedAction::SetCaption>,
              QelProp<u"Category", &TContainedAction::GetCategory, &TContainedAction::SetCategory>,
              QelProp<u"Checked", &TContainedAction::GetChecked, &TContainedAction::SetChecked>,
              QelProp<u"Enabled", &TContainedAction::GetEnabled, &TContainedAction::SetEnabled>,
              QelProp<u"Hint", &TContainedAction::GetHint, &TContainedAction::SetHint>,
              QelProp<u"ShortCut", &TContainedAction::GetShortCut, &TContainedAction::SetShortCut>,
              QelProp<u"Visible", &TContainedAction::GetVisible, &TContainedAction::SetVisible>,
              QelProp<u"ImageIndex", &TContainedAction::GetImageIndex, &TContainedAction::SetImageIndex>,
              QelProp<u"GroupIndex", &TContainedAction::GetGroupIndex, &TContainedAction::SetGroupIndex>,
              QelProp<u"AutoCheck", &TContainedAction::GetAutoCheck, &TContainedAction::SetAutoCheck>,
              QelProp<u"HelpContext", &TContainedAction::GetHelpContext, &TContainedAction::SetHelpContext>);

class TContainedActionList : public TComponent {
  QEL_CLASS(TContainedActionList, TComponent)
 public:
  // A list owned by a form updates its actions whenever the application waits for events
  // while the form is showing (the list's and the actions' OnUpdate run then).
  explicit TContainedActionList(TComponent* AOwner);
  ~TContainedActionList() override;
  int GetActionCount() const { return static_cast<int>(FActions.size()); }
  // Raises EListError "List index out of bounds (%d)".
  TContainedAction* GetActions(int AIndex) const;
  int IndexOfName(const String& AName) const;
  // OnExecute of the list; true when it set Handled.
  virtual bool ExecuteAction(TBasicAction* AAction);
  virtual bool UpdateAction(TBasicAction* AAction);
  // Runs Update on every action (as the application does when idle); an action freed by
  // another's handler is skipped.
  void UpdateActions();
  TActionListState GetState() const { return FState; }
  void SetState(TActionListState AValue);
  TActionEvent OnExecute;
  TActionEvent OnUpdate;
  TNotifyEvent OnChange;
  TNotifyEvent OnStateChange;
  static void QelRegisterMembers(TClassInfo& AInfo);

 private:
  friend class TContainedAction;
  std::vector<TContainedAction*> FActions;
  TActionListState FState = asNormal;
};

QEL_PUBLISHED(TContainedActionList, QelProp<u"State", &TContainedActionList::GetState, &TContainedActionList::SetState>,
              QelEvent<u"OnExecute", &TContainedActionList::OnExecute>,
              QelEvent<u"OnUpdate", &TContainedActionList::OnUpdate>, QelEvent<u"OnChange", &TContainedActionList::OnChange>,
              QelEvent<u"OnStateChange", &TContainedActionList::OnStateChange>);

// The actions of a list, one after the other.
class TActionListEnumerator : public TObject {
  QEL_CLASS(TActionListEnumerator, TObject)
 public:
  explicit TActionListEnumerator(TContainedActionList* AList) : FList(AList) {}
  TContainedAction* GetCurrent() const { return FList->GetActions(FIndex); }
  bool MoveNext() { return ++FIndex < FList->GetActionCount(); }

 private:
  TContainedActionList* FList;
  int FIndex = -1;
};

// Shortcut texts ("Ctrl+S"); each line's shortcut is its text's.
class TCustomShortCutList : public TStringList {
  QEL_CLASS(TCustomShortCutList, TStringList)
 public:
  TCustomShortCutList() = default;
  TShortCut GetShortCuts(int AIndex) const;
  // The index of the line whose shortcut is AShortCut, or -1.
  int IndexOfShortCut(TShortCut AShortCut) const;
};

// ---- ActnList ---------------------------------------------------------------

class TCustomActionList : public TContainedActionList {
  QEL_CLASS(TCustomActionList, TContainedActionList)
 public:
  explicit TCustomActionList(TComponent* AOwner) : TContainedActionList(AOwner) {}
  TComponent* GetImages() const { return FImages; }
  void SetImages(TComponent* AValue) { FImages = AValue; }
  // Runs the enabled action with this shortcut; false when none has it.
  bool IsShortCut(TShortCut AShortCut);

 private:
  TComponent* FImages = nullptr;
};

class TActionList : public TCustomActionList {
  QEL_CLASS(TActionList, TCustomActionList)
 public:
  explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};

class TShortCutList : public TCustomShortCutList {
  QEL_CLASS(TShortCutList, TCustomShortCutList)
 public:
  TShortCutList() = default;
  // Adds the shortcut of a text such as "Ctrl+S" in its usual spelling; raises EActionError
  // for a text that names no shortcut.
  int Add(const String& S) override;
};

class TCustomAction : public TContainedAction {
  QEL_CLASS(TCustomAction, TContainedAction)
 public:
  explicit TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}
  // Updates, toggles an AutoCheck action, then runs the handlers of an enabled action.
  bool Execute() override;
  // An action without any OnExecute is disabled when no OnUpdate handled it and
  // DisableIfNoHandler (it is never enabled this way).
  bool Update() override;
  bool GetDisableIfNoHandler() const { return FDisableIfNoHandler; }
  void SetDisableIfNoHandler(bool AValue) { FDisableIfNoHandler = AValue; }
  TShortCutList* GetSecondaryShortCuts();
  void SetSecondaryShortCuts(TShortCutList* AValue) { GetSecondaryShortCuts()->Assign(AValue); }
  // True for the action's shortcut or one of its secondary ones.
  bool IsShortCut(TShortCut AShortCut);
  ~TCustomAction() override;

 private:
  TShortCutList* FSecondaryShortCuts = nullptr;
  bool FDisableIfNoHandler = true;
};

class TAction : public TCustomAction {
  QEL_CLASS(TAction, TCustomAction)
 public:
  explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

// The link of a client whose properties an action sets.
class TActionLink : public TContainedActionLink {
  QEL_CLASS(TActionLink, TContainedActionLink)
 public:
  TActionLink() = default;
};

// A control's link: caption, enabled, hint, visible, and the check of check boxes and radio
// buttons.
class TControlActionLink : public TActionLink {
  QEL_CLASS(TControlActionLink, TActionLink)
 public:
  explicit TControlActionLink(TControl* AClient) : FClient(AClient) {}
  TControl* GetClient() const { return FClient; }
  void SetCaption(const String& AValue) override;
  void SetChecked(bool AValue) override;
  void SetEnabled(bool AValue) override;
  void SetHint(const String& AValue) override;
  void SetVisible(bool AValue) override;

 private:
  TControl* FClient;
};

// A menu item's link: caption, check mark, enabled, hint, shortcut, visible and image.
class TMenuActionLink : public TActionLink {
  QEL_CLASS(TMenuActionLink, TActionLink)
 public:
  explicit TMenuActionLink(TMenuItem* AClient) : FClient(AClient) {}
  TMenuItem* GetClient() const { return FClient; }
  void SetCaption(const String& AValue) override;
  void SetChecked(bool AValue) override;
  void SetEnabled(bool AValue) override;
  void SetHint(const String& AValue) override;
  void SetShortCut(TShortCut AValue) override;
  void SetVisible(bool AValue) override;
  void SetImageIndex(int AValue) override;

 private:
  TMenuItem* FClient;
};

// A client's click: runs its own OnClick when that is not the action's handler, else the
// action through ALink; true when something ran.
bool QelActionClick(TObject* AClient, TBasicActionLink* ALink, const TNotifyEvent& AOnClick);
