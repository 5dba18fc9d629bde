// The "Printers" unit wrapper: the printer and the process's printer.
#include "host/gui/units/Printers_QelSW.h"

void TPrinter_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TPrinter> M(AData);
  M.Constructor();
  M.Method<&TPrinter::BeginDoc>(u"BeginDoc");
  M.Method<&TPrinter::EndDoc>(u"EndDoc");
  M.Method<&TPrinter::Abort>(u"Abort");
  M.Method<&TPrinter::NewPage>(u"NewPage");
  M.Method<&TPrinter::Refresh>(u"Refresh");
  M.Property<&TPrinter::GetCanvas>(u"Canvas");
  M.Property<&TPrinter::GetPageWidth>(u"PageWidth");
  M.Property<&TPrinter::GetPageHeight>(u"PageHeight");
  M.Property<&TPrinter::GetPageNumber>(u"PageNumber");
  M.Property<&TPrinter::GetPrinting>(u"Printing");
  M.Property<&TPrinter::GetAborted>(u"Aborted");
  M.Property<&TPrinter::GetTitle, &TPrinter::SetTitle>(u"Title");
  M.Property<&TPrinter::GetOrientation, &TPrinter::SetOrientation>(u"Orientation");
  M.Property<&TPrinter::GetCopies, &TPrinter::SetCopies>(u"Copies");
  M.Property<&TPrinter::GetPrinters>(u"Printers");
  M.Property<&TPrinter::GetPrinterIndex, &TPrinter::SetPrinterIndex>(u"PrinterIndex");
  M.Property<&TPrinter::GetFileName, &TPrinter::SetFileName>(u"FileName");
}

void Printers_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<EPrinter_sw, TPrinter_sw>(M);
  M.Routine<&Printer>(u"Printer");
  M.Routine<&SetPrinter>(u"SetPrinter");
}

void Printers_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<Printers_sw>());
  QelRegisterClassWrappers<EPrinter_sw, TPrinter_sw>();
}
