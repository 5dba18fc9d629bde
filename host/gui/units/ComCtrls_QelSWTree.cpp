// The "ComCtrls" unit wrapper, tree views.
#include "host/gui/units/ComCtrls_QelSW.h"

namespace {

// A node argument that may be nil (a top-level node's sibling or parent): the binding refuses
// nil for a parameter of the node's own class, so these take the persistent base and check it.
TTreeNode* NodeOrNil(TPersistent* AValue) {
  if (!AValue) return nullptr;
  auto* node = dynamic_cast<TTreeNode*>(AValue);
  if (!node) throw ExceptionPtr(new EInvalidCast(u"Invalid class typecast"));
  return node;
}

template <TTreeNode* (TTreeNodes::*F)(TTreeNode*, const String&)>
TTreeNode* AddBeside(TTreeNodes* Self, TPersistent* ANode, const String& S) {
  return (Self->*F)(NodeOrNil(ANode), S);
}
template <TTreeNode* (TTreeNodes::*F)(TTreeNode*, const String&, void*)>
TTreeNode* AddBesideWithData(TTreeNodes* Self, TPersistent* ANode, const String& S, void* AData) {
  return (Self->*F)(NodeOrNil(ANode), S, AData);
}
void MoveNode(TTreeNode* Self, TPersistent* ADestination, TNodeAttachMode AMode) {
  Self->MoveTo(NodeOrNil(ADestination), AMode);
}

}  // namespace

void TTreeNode_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TTreeNode> M(AData);
  M.Property<&TTreeNode::GetText, &TTreeNode::SetText>(u"Text");
  M.Property<&TTreeNode::GetData, &TTreeNode::SetData>(u"Data");
  M.Property<&TTreeNode::GetImageIndex, &TTreeNode::SetImageIndex>(u"ImageIndex");
  M.Property<&TTreeNode::GetSelectedIndex, &TTreeNode::SetSelectedIndex>(u"SelectedIndex");
  M.Property<&TTreeNode::GetStateIndex, &TTreeNode::SetStateIndex>(u"StateIndex");
  M.Property<&TTreeNode::GetParent>(u"Parent");
  M.Property<&TTreeNode::GetCount>(u"Count");
  M.Property<&TTreeNode::GetItem>(u"Item", qpDefault);
  M.Property<&TTreeNode::GetIndex>(u"Index");
  M.Property<&TTreeNode::GetAbsoluteIndex>(u"AbsoluteIndex");
  M.Property<&TTreeNode::GetLevel>(u"Level");
  M.Property<&TTreeNode::GetHasChildren, &TTreeNode::SetHasChildren>(u"HasChildren");
  M.Property<&TTreeNode::GetExpanded, &TTreeNode::SetExpanded>(u"Expanded");
  M.Property<&TTreeNode::GetSelected, &TTreeNode::SetSelected>(u"Selected");
  M.Property<&TTreeNode::GetFocused, &TTreeNode::SetFocused>(u"Focused");
  M.Property<&TTreeNode::GetIsVisible>(u"IsVisible");
  M.Property<&TTreeNode::GetOwner>(u"Owner");
  M.Property<&TTreeNode::GetTreeView>(u"TreeView");
  M.Method<&TTreeNode::GetFirstChild>(u"GetFirstChild");
  M.Method<&TTreeNode::GetLastChild>(u"GetLastChild");
  M.Method<&TTreeNode::GetNextChild>(u"GetNextChild");
  M.Method<&TTreeNode::GetPrevChild>(u"GetPrevChild");
  M.Method<&TTreeNode::GetNextSibling>(u"GetNextSibling");
  M.Method<&TTreeNode::GetPrevSibling>(u"GetPrevSibling");
  M.Method<&TTreeNode::GetNext>(u"GetNext");
  M.Method<&TTreeNode::GetPrev>(u"GetPrev");
  M.Method<&TTreeNode::GetNextVisible>(u"GetNextVisible");
  M.Method<&TTreeNode::GetPrevVisible>(u"GetPrevVisible");
  M.Method<&TTreeNode::IndexOf>(u"IndexOf");
  M.Method<&TTreeNode::HasAsParent>(u"HasAsParent");
  M.Method<&TTreeNode::Expand>(u"Expand");
  M.Method<&TTreeNode::Collapse>(u"Collapse");
  M.Method<&TTreeNode::Delete>(u"Delete");
  M.Method<&TTreeNode::DeleteChildren>(u"DeleteChildren");
  M.Method<&MoveNode>(u"MoveTo");
  M.Method<&TTreeNode::AlphaSort, QelDefaults<false>>(u"AlphaSort");
  M.Method<&TTreeNode::EditText>(u"EditText");
  M.Method<&TTreeNode::MakeVisible>(u"MakeVisible");
  M.Method<&TTreeNode::DisplayRect>(u"DisplayRect");
}

void TTreeNodes_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TTreeNodes> M(AData);
  M.Method<&AddBeside<&TTreeNodes::Add>>(u"Add");
  M.Method<&AddBesideWithData<&TTreeNodes::AddObject>>(u"AddObject");
  M.Method<&AddBeside<&TTreeNodes::AddFirst>>(u"AddFirst");
  M.Method<&AddBesideWithData<&TTreeNodes::AddObjectFirst>>(u"AddObjectFirst");
  M.Method<&AddBeside<&TTreeNodes::AddChild>>(u"AddChild");
  M.Method<&AddBesideWithData<&TTreeNodes::AddChildObject>>(u"AddChildObject");
  M.Method<&AddBeside<&TTreeNodes::AddChildFirst>>(u"AddChildFirst");
  M.Method<&AddBesideWithData<&TTreeNodes::AddChildObjectFirst>>(u"AddChildObjectFirst");
  M.Method<&AddBeside<&TTreeNodes::Insert>>(u"Insert");
  M.Method<&AddBesideWithData<&TTreeNodes::InsertObject>>(u"InsertObject");
  M.Method<&TTreeNodes::Delete>(u"Delete");
  M.Method<&TTreeNodes::Clear>(u"Clear");
  M.Method<&TTreeNodes::BeginUpdate>(u"BeginUpdate");
  M.Method<&TTreeNodes::EndUpdate>(u"EndUpdate");
  M.Method<&TTreeNodes::GetFirstNode>(u"GetFirstNode");
  M.Property<&TTreeNodes::GetCount>(u"Count");
  M.Property<&TTreeNodes::GetItem>(u"Item", qpDefault);
  M.Property<&TTreeNodes::GetOwner>(u"Owner");
}

void TCustomTreeView_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomTreeView> M(AData);
  M.Constructor();
  M.Property<&TCustomTreeView::GetItems, &TCustomTreeView::SetItems>(u"Items", qpProtected);
  M.Property<&TCustomTreeView::GetSortType, &TCustomTreeView::SetSortType>(u"SortType",
                                                                           qpProtected);
  M.Property<&TCustomTreeView::GetReadOnly, &TCustomTreeView::SetReadOnly>(u"ReadOnly",
                                                                           qpProtected);
  M.Property<&TCustomTreeView::GetShowButtons, &TCustomTreeView::SetShowButtons>(u"ShowButtons",
                                                                                 qpProtected);
  M.Property<&TCustomTreeView::GetShowLines, &TCustomTreeView::SetShowLines>(u"ShowLines",
                                                                             qpProtected);
  M.Property<&TCustomTreeView::GetShowRoot, &TCustomTreeView::SetShowRoot>(u"ShowRoot",
                                                                           qpProtected);
  M.Property<&TCustomTreeView::GetHideSelection, &TCustomTreeView::SetHideSelection>(
      u"HideSelection", qpProtected);
  M.Property<&TCustomTreeView::GetRowSelect, &TCustomTreeView::SetRowSelect>(u"RowSelect",
                                                                             qpProtected);
  M.Property<&TCustomTreeView::GetAutoExpand, &TCustomTreeView::SetAutoExpand>(u"AutoExpand",
                                                                               qpProtected);
  M.Property<&TCustomTreeView::GetIndent, &TCustomTreeView::SetIndent>(u"Indent", qpProtected);
  M.Property<&TCustomTreeView::GetImages, &TCustomTreeView::SetImages>(u"Images", qpProtected);
  M.Field<&TCustomTreeView::OnChange>(u"OnChange", qpProtected);
  M.Field<&TCustomTreeView::OnChanging>(u"OnChanging", qpProtected);
  M.Field<&TCustomTreeView::OnExpanding>(u"OnExpanding", qpProtected);
  M.Field<&TCustomTreeView::OnExpanded>(u"OnExpanded", qpProtected);
  M.Field<&TCustomTreeView::OnCollapsing>(u"OnCollapsing", qpProtected);
  M.Field<&TCustomTreeView::OnCollapsed>(u"OnCollapsed", qpProtected);
  M.Field<&TCustomTreeView::OnEditing>(u"OnEditing", qpProtected);
  M.Field<&TCustomTreeView::OnEdited>(u"OnEdited", qpProtected);
  M.Field<&TCustomTreeView::OnDeletion>(u"OnDeletion", qpProtected);
  M.Field<&TCustomTreeView::OnAddition>(u"OnAddition", qpProtected);
  M.Field<&TCustomTreeView::OnCompare>(u"OnCompare", qpProtected);
  M.Property<&TCustomTreeView::GetMultiSelect, &TCustomTreeView::SetMultiSelect>(u"MultiSelect",
                                                                                 qpProtected);
  M.Property<&TCustomTreeView::GetSelected, &TCustomTreeView::SetSelected>(u"Selected");
  M.Property<&TCustomTreeView::GetSelectionCount>(u"SelectionCount");
  M.Property<&TCustomTreeView::GetSelections>(u"Selections");
  M.Method<&TCustomTreeView::ClearSelection>(u"ClearSelection");
  M.Property<&TCustomTreeView::GetTopItem>(u"TopItem");
  M.Property<&TCustomTreeView::GetIsEditing>(u"IsEditing");
  M.Method<&TCustomTreeView::GetNodeAt>(u"GetNodeAt");
  M.Method<&TCustomTreeView::FullExpand>(u"FullExpand");
  M.Method<&TCustomTreeView::FullCollapse>(u"FullCollapse");
  M.Method<&TCustomTreeView::AlphaSort, QelDefaults<true>>(u"AlphaSort");
  M.Method<&TCustomTreeView::SaveToFile>(u"SaveToFile");
  M.Method<&TCustomTreeView::LoadFromFile>(u"LoadFromFile");
}

constexpr std::u16string_view STreeViewPublished[] = {
    u"Items",         u"SortType",    u"ReadOnly",   u"ShowButtons",  u"ShowLines",   u"ShowRoot",
    u"HideSelection", u"RowSelect",   u"AutoExpand", u"Indent",       u"Images",      u"OnChange",
    u"OnChanging",    u"OnExpanding", u"OnExpanded", u"OnCollapsing", u"OnCollapsed", u"OnEditing",
    u"OnEdited",      u"OnDeletion",  u"OnAddition", u"OnCompare",    u"MultiSelect"};

void TTreeView_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TTreeView> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  QelRedeclare(M, STreeViewPublished);
}
