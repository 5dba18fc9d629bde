// The "ComCtrls" unit wrapper: position controls, date controls and rich edits.
#include "host/gui/units/ComCtrls_QelSW.h"

namespace {

// TDateTime is a double in C++; dates reach scripts as dates.
template <class C, TDateTime (C::*Get)() const>
VARIANT AsDate(C* Self) {
  return QelDateVar((Self->*Get)());
}

}  // namespace

void TProgressBar_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TProgressBar> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  M.Property<&TProgressBar::GetMin, &TProgressBar::SetMin>(u"Min");
  M.Property<&TProgressBar::GetMax, &TProgressBar::SetMax>(u"Max");
  M.Property<&TProgressBar::GetPosition, &TProgressBar::SetPosition>(u"Position");
  M.Property<&TProgressBar::GetStep, &TProgressBar::SetStep>(u"Step");
  M.Property<&TProgressBar::GetOrientation, &TProgressBar::SetOrientation>(u"Orientation");
  M.Property<&TProgressBar::GetSmooth, &TProgressBar::SetSmooth>(u"Smooth");
  M.Property<&TProgressBar::GetStyle, &TProgressBar::SetStyle>(u"Style");
  M.Property<&TProgressBar::GetState, &TProgressBar::SetState>(u"State");
  M.Property<&TProgressBar::GetBarColor, &TProgressBar::SetBarColor>(u"BarColor");
  M.Method<&TProgressBar::StepIt>(u"StepIt");
  M.Method<&TProgressBar::StepBy>(u"StepBy");
}

void TTrackBar_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TTrackBar> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  M.Property<&TTrackBar::GetMin, &TTrackBar::SetMin>(u"Min");
  M.Property<&TTrackBar::GetMax, &TTrackBar::SetMax>(u"Max");
  M.Property<&TTrackBar::GetPosition, &TTrackBar::SetPosition>(u"Position");
  M.Property<&TTrackBar::GetFrequency, &TTrackBar::SetFrequency>(u"Frequency");
  M.Property<&TTrackBar::GetLineSize, &TTrackBar::SetLineSize>(u"LineSize");
  M.Property<&TTrackBar::GetPageSize, &TTrackBar::SetPageSize>(u"PageSize");
  M.Property<&TTrackBar::GetOrientation, &TTrackBar::SetOrientation>(u"Orientation");
  M.Property<&TTrackBar::GetTickMarks, &TTrackBar::SetTickMarks>(u"TickMarks");
  M.Property<&TTrackBar::GetTickStyle, &TTrackBar::SetTickStyle>(u"TickStyle");
  M.Property<&TTrackBar::GetSelStart, &TTrackBar::SetSelStart>(u"SelStart");
  M.Property<&TTrackBar::GetSelEnd, &TTrackBar::SetSelEnd>(u"SelEnd");
  M.Property<&TTrackBar::GetSliderVisible, &TTrackBar::SetSliderVisible>(u"SliderVisible");
  M.Field<&TTrackBar::OnChange>(u"OnChange");
}

void TCustomUpDown_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomUpDown> M(AData);
  M.Constructor();
  M.Property<&TCustomUpDown::GetMin, &TCustomUpDown::SetMin>(u"Min", qpProtected);
  M.Property<&TCustomUpDown::GetMax, &TCustomUpDown::SetMax>(u"Max", qpProtected);
  M.Property<&TCustomUpDown::GetPosition, &TCustomUpDown::SetPosition>(u"Position", qpProtected);
  M.Property<&TCustomUpDown::GetIncrement, &TCustomUpDown::SetIncrement>(u"Increment", qpProtected);
  M.Property<&TCustomUpDown::GetWrap, &TCustomUpDown::SetWrap>(u"Wrap", qpProtected);
  M.Property<&TCustomUpDown::GetThousands, &TCustomUpDown::SetThousands>(u"Thousands", qpProtected);
  M.Property<&TCustomUpDown::GetArrowKeys, &TCustomUpDown::SetArrowKeys>(u"ArrowKeys", qpProtected);
  M.Property<&TCustomUpDown::GetOrientation, &TCustomUpDown::SetOrientation>(u"Orientation",
                                                                             qpProtected);
  M.Property<&TCustomUpDown::GetAlignButton, &TCustomUpDown::SetAlignButton>(u"AlignButton",
                                                                             qpProtected);
  M.Property<&TCustomUpDown::GetAssociate, &TCustomUpDown::SetAssociate>(u"Associate", qpProtected);
  M.Field<&TCustomUpDown::OnClick>(u"OnClick", qpProtected);
  M.Field<&TCustomUpDown::OnChanging>(u"OnChanging", qpProtected);
  M.Method<&TCustomUpDown::Click>(u"Click");
}

void TUpDown_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TUpDown> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name :
       {u"Min", u"Max", u"Position", u"Increment", u"Wrap", u"Thousands", u"ArrowKeys",
        u"Orientation", u"AlignButton", u"Associate", u"OnClick", u"OnChanging"})
    M.Redeclare(name);
}

void TCustomHotKey_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomHotKey> M(AData);
  M.Constructor();
  M.Property<&TCustomHotKey::GetHotKey, &TCustomHotKey::SetHotKey>(u"HotKey", qpProtected);
  M.Property<&TCustomHotKey::GetModifiers, &TCustomHotKey::SetModifiers>(u"Modifiers", qpProtected);
  M.Field<&TCustomHotKey::OnChange>(u"OnChange", qpProtected);
}

void THotKey_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<THotKey> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name : {u"HotKey", u"Modifiers", u"OnChange"}) M.Redeclare(name);
}

void TCommonCalendar_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCommonCalendar> M(AData);
  M.Property<&AsDate<TCommonCalendar, &TCommonCalendar::GetDate>, &TCommonCalendar::SetDate>(
      u"Date");
  M.Property<&AsDate<TCommonCalendar, &TCommonCalendar::GetMinDate>, &TCommonCalendar::SetMinDate>(
      u"MinDate");
  M.Property<&AsDate<TCommonCalendar, &TCommonCalendar::GetMaxDate>, &TCommonCalendar::SetMaxDate>(
      u"MaxDate");
  M.Property<&TCommonCalendar::GetFirstDayOfWeek, &TCommonCalendar::SetFirstDayOfWeek>(
      u"FirstDayOfWeek");
  M.Property<&TCommonCalendar::GetWeekNumbers, &TCommonCalendar::SetWeekNumbers>(u"WeekNumbers");
  M.Property<&TCommonCalendar::GetShowToday, &TCommonCalendar::SetShowToday>(u"ShowToday");
}

void TDateTimePicker_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TDateTimePicker> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  M.Property<&AsDate<TDateTimePicker, &TDateTimePicker::GetTime>, &TDateTimePicker::SetTime>(
      u"Time");
  M.Property<&AsDate<TDateTimePicker, &TDateTimePicker::GetDateTime>,
             &TDateTimePicker::SetDateTime>(u"DateTime");
  M.Property<&TDateTimePicker::GetKind, &TDateTimePicker::SetKind>(u"Kind");
  M.Property<&TDateTimePicker::GetDateFormat, &TDateTimePicker::SetDateFormat>(u"DateFormat");
  M.Property<&TDateTimePicker::GetDateMode, &TDateTimePicker::SetDateMode>(u"DateMode");
  M.Property<&TDateTimePicker::GetFormat, &TDateTimePicker::SetFormat>(u"Format");
  M.Property<&TDateTimePicker::GetShowCheckbox, &TDateTimePicker::SetShowCheckbox>(u"ShowCheckbox");
  M.Property<&TDateTimePicker::GetChecked, &TDateTimePicker::SetChecked>(u"Checked");
  M.Property<&TDateTimePicker::GetDroppedDown>(u"DroppedDown");
  M.Field<&TDateTimePicker::OnChange>(u"OnChange");
  M.Field<&TDateTimePicker::OnCloseUp>(u"OnCloseUp");
  M.Field<&TDateTimePicker::OnDropDown>(u"OnDropDown");
}

void TMonthCalendar_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMonthCalendar> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  M.Property<&AsDate<TMonthCalendar, &TMonthCalendar::GetEndDate>, &TMonthCalendar::SetEndDate>(
      u"EndDate");
  M.Property<&TMonthCalendar::GetMultiSelect, &TMonthCalendar::SetMultiSelect>(u"MultiSelect");
  M.Field<&TMonthCalendar::OnChange>(u"OnChange");
}

void TRichEditStrings_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TRichEditStrings> M(AData);
  M.Method<&TRichEditStrings::SaveToFile, QelDefaults<false>>(u"SaveToFile");
  M.Method<&TRichEditStrings::SaveToStream>(u"SaveToStream");
}

void TTextAttributes_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TTextAttributes> M(AData);
  M.Property<&TTextAttributes::GetColor, &TTextAttributes::SetColor>(u"Color");
  M.Property<&TTextAttributes::GetStyle, &TTextAttributes::SetStyle>(u"Style");
  M.Property<&TTextAttributes::GetSize, &TTextAttributes::SetSize>(u"Size");
  M.Property<&TTextAttributes::GetHeight, &TTextAttributes::SetHeight>(u"Height");
  M.Property<&TTextAttributes::GetName, &TTextAttributes::SetName>(u"Name");
  M.Property<&TTextAttributes::GetProtected, &TTextAttributes::SetProtected>(u"Protected");
  M.Property<&TTextAttributes::GetConsistentAttributes>(u"ConsistentAttributes");
}

void TParaAttributes_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TParaAttributes> M(AData);
  M.Property<&TParaAttributes::GetAlignment, &TParaAttributes::SetAlignment>(u"Alignment");
  M.Property<&TParaAttributes::GetFirstIndent, &TParaAttributes::SetFirstIndent>(u"FirstIndent");
  M.Property<&TParaAttributes::GetLeftIndent, &TParaAttributes::SetLeftIndent>(u"LeftIndent");
  M.Property<&TParaAttributes::GetRightIndent, &TParaAttributes::SetRightIndent>(u"RightIndent");
  M.Property<&TParaAttributes::GetNumbering, &TParaAttributes::SetNumbering>(u"Numbering");
}

void TCustomRichEdit_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomRichEdit> M(AData);
  M.Constructor();
  M.Property<&TCustomRichEdit::GetLines, &TCustomRichEdit::SetLines>(u"Lines");
  M.Property<&TCustomRichEdit::GetSelAttributes, &TCustomRichEdit::SetSelAttributes>(
      u"SelAttributes");
  M.Property<&TCustomRichEdit::GetDefAttributes, &TCustomRichEdit::SetDefAttributes>(
      u"DefAttributes");
  M.Property<&TCustomRichEdit::GetParagraph>(u"Paragraph");
  M.Property<&TCustomRichEdit::GetPlainText, &TCustomRichEdit::SetPlainText>(u"PlainText",
                                                                             qpProtected);
  M.Property<&TCustomRichEdit::GetHideSelection, &TCustomRichEdit::SetHideSelection>(
      u"HideSelection", qpProtected);
  M.Field<&TCustomRichEdit::OnSelectionChange>(u"OnSelectionChange", qpProtected);
  M.Method<&TCustomRichEdit::FindText>(u"FindText");
}

void TRichEdit_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TRichEdit> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name :
       {u"Text", u"MaxLength", u"ReadOnly", u"OnChange", u"WantTabs", u"WantReturns", u"WordWrap",
        u"ScrollBars", u"Alignment", u"PlainText", u"HideSelection", u"OnSelectionChange"})
    M.Redeclare(name);
}

void THeaderSection_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<THeaderSection> M(AData);
  M.Property<&THeaderSection::GetText, &THeaderSection::SetText>(u"Text");
  M.Property<&THeaderSection::GetWidth, &THeaderSection::SetWidth>(u"Width");
  M.Property<&THeaderSection::GetMinWidth, &THeaderSection::SetMinWidth>(u"MinWidth");
  M.Property<&THeaderSection::GetMaxWidth, &THeaderSection::SetMaxWidth>(u"MaxWidth");
  M.Property<&THeaderSection::GetAlignment, &THeaderSection::SetAlignment>(u"Alignment");
  M.Property<&THeaderSection::GetAllowClick, &THeaderSection::SetAllowClick>(u"AllowClick");
  M.Property<&THeaderSection::GetStyle, &THeaderSection::SetStyle>(u"Style");
  M.Property<&THeaderSection::GetImageIndex, &THeaderSection::SetImageIndex>(u"ImageIndex");
  M.Property<&THeaderSection::GetLeft>(u"Left");
  M.Property<&THeaderSection::GetRight>(u"Right");
}

void THeaderSections_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<THeaderSections> M(AData);
  M.Method<&THeaderSections::Add>(u"Add");
  M.Property<&THeaderSections::GetItems>(u"Items", qpDefault);
}

void TCustomHeaderControl_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomHeaderControl> M(AData);
  M.Constructor();
  M.Property<&TCustomHeaderControl::GetSections, &TCustomHeaderControl::SetSections>(u"Sections",
                                                                                     qpProtected);
  M.Property<&TCustomHeaderControl::GetHotTrack, &TCustomHeaderControl::SetHotTrack>(u"HotTrack",
                                                                                     qpProtected);
  M.Property<&TCustomHeaderControl::GetFullDrag, &TCustomHeaderControl::SetFullDrag>(u"FullDrag",
                                                                                     qpProtected);
  M.Field<&TCustomHeaderControl::OnSectionClick>(u"OnSectionClick", qpProtected);
  M.Field<&TCustomHeaderControl::OnSectionResize>(u"OnSectionResize", qpProtected);
}

void THeaderControl_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<THeaderControl> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name :
       {u"Sections", u"HotTrack", u"FullDrag", u"OnSectionClick", u"OnSectionResize"})
    M.Redeclare(name);
}
