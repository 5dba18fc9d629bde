{ expect:
open defaults hide read-only yes, sizing yes, multi no
open multi-select on: option yes
open options [ofAllowMultiSelect, ofFileMustExist]: multi yes, must exist yes, sizing no
open options []: multi no
open options ex [ofExNoPlacesBar]: yes
find defaults down yes, next no
find options [frMatchCase, frWholeWord]: case yes, word yes, down no
replace defaults down yes, replace no
font defaults effects yes, limit no, screen yes, sizes 0..0
font limited 8..24: limit yes, sizes 8..24, printer yes
color defaults full open no, custom 0
color options [cdFullOpen, cdAnyColor]: full yes, any yes
color custom ColorA=FF0000 kept after cancel: 1 FF0000
color execute False
}
// The options of the common dialogs as scripts set them: defaults, round trips of the option
// sets, MultiSelect and ofAllowMultiSelect as one setting, and the custom colours kept when the
// dialog is answered as cancelled (no display here).
procedure Put(S); begin MessageList.Lines.Add(S); end;
function YesNo(B); begin if B then Result := 'yes' else Result := 'no'; end;

procedure Main;
var D;
begin
  D := TOpenDialog.Create(nil);
  Put('open defaults hide read-only ' + YesNo(ofHideReadOnly in D.Options) + ', sizing ' + YesNo(ofEnableSizing in D.Options) +
    ', multi ' + YesNo(D.MultiSelect));
  D.MultiSelect := True;
  Put('open multi-select on: option ' + YesNo(ofAllowMultiSelect in D.Options));
  D.Options := [ofAllowMultiSelect, ofFileMustExist];
  Put('open options [ofAllowMultiSelect, ofFileMustExist]: multi ' + YesNo(D.MultiSelect) + ', must exist ' +
    YesNo(ofFileMustExist in D.Options) + ', sizing ' + YesNo(ofEnableSizing in D.Options));
  D.Options := [];
  Put('open options []: multi ' + YesNo(D.MultiSelect));
  D.OptionsEx := [ofExNoPlacesBar];
  Put('open options ex [ofExNoPlacesBar]: ' + YesNo(ofExNoPlacesBar in D.OptionsEx));
  D.Free;

  D := TFindDialog.Create(nil);
  Put('find defaults down ' + YesNo(frDown in D.Options) + ', next ' + YesNo(frFindNext in D.Options));
  D.Options := [frMatchCase, frWholeWord];
  Put('find options [frMatchCase, frWholeWord]: case ' + YesNo(frMatchCase in D.Options) + ', word ' +
    YesNo(frWholeWord in D.Options) + ', down ' + YesNo(frDown in D.Options));
  D.Free;
  D := TReplaceDialog.Create(nil);
  Put('replace defaults down ' + YesNo(frDown in D.Options) + ', replace ' + YesNo(frReplace in D.Options));
  D.Free;

  D := TFontDialog.Create(nil);
  Put('font defaults effects ' + YesNo(fdEffects in D.Options) + ', limit ' + YesNo(fdLimitSize in D.Options) + ', screen ' +
    YesNo(D.Device = fdScreen) + ', sizes ' + IntToStr(D.MinFontSize) + '..' + IntToStr(D.MaxFontSize));
  D.Options := [fdLimitSize]; D.MinFontSize := 8; D.MaxFontSize := 24; D.Device := fdPrinter;
  Put('font limited 8..24: limit ' + YesNo(fdLimitSize in D.Options) + ', sizes ' + IntToStr(D.MinFontSize) + '..' +
    IntToStr(D.MaxFontSize) + ', printer ' + YesNo(D.Device = fdPrinter));
  D.Free;

  D := TColorDialog.Create(nil);
  Put('color defaults full open ' + YesNo(cdFullOpen in D.Options) + ', custom ' + IntToStr(D.CustomColors.Count));
  D.Options := [cdFullOpen, cdAnyColor];
  Put('color options [cdFullOpen, cdAnyColor]: full ' + YesNo(cdFullOpen in D.Options) + ', any ' + YesNo(cdAnyColor in D.Options));
  D.CustomColors.Add('ColorA=FF0000');
  if D.Execute then Put('color execute True') else begin
    Put('color custom ColorA=FF0000 kept after cancel: ' + IntToStr(D.CustomColors.Count) + ' ' + D.CustomColors.Values['ColorA']);
    Put('color execute False');
  end;
  D.Free;
end;
