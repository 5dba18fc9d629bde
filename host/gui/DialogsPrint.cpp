// The print dialogs on Qt's, answering through the process's printer.
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "host/gui/Dialogs.h"
#include "host/gui/Printers.h"
#include "host/gui/QelQt.h"

bool TPrintDialog::Run() {
  TPrinter* printer = Printer();
  QPrinter& qt = printer->QtPrinter();
  qt.setCopyCount(FCopies);
  qt.setCollateCopies(FCollate);
  QPrintDialog dialog(&qt);
  dialog.setMinMax(FMinPage, FMaxPage);
  if (FMaxPage > 0) dialog.setFromTo(FFromPage, FToPage);
  dialog.setPrintRange(FPrintRange == prSelection  ? QAbstractPrintDialog::Selection
                       : FPrintRange == prPageNums ? QAbstractPrintDialog::PageRange
                                                   : QAbstractPrintDialog::AllPages);
  if (dialog.exec() != QDialog::Accepted) return false;
  FCopies = qt.copyCount();
  FCollate = qt.collateCopies();
  FFromPage = qt.fromPage();
  FToPage = qt.toPage();
  FPrintRange = qt.printRange() == QPrinter::Selection   ? prSelection
                : qt.printRange() == QPrinter::PageRange ? prPageNums
                                                         : prAllPages;
  FPrintToFile = !qt.outputFileName().isEmpty();
  printer->SetCopies(FCopies);
  if (FPrintToFile) printer->SetFileName(QelFromQString(qt.outputFileName()));
  return true;
}

bool TPrinterSetupDialog::Run() {
  TPrinter* printer = Printer();
  QPrinter& qt = printer->QtPrinter();
  QPrintDialog dialog(&qt);
  if (dialog.exec() != QDialog::Accepted) return false;
  const int index = printer->GetPrinters()->IndexOf(QelFromQString(qt.printerName()));
  if (index >= 0) printer->SetPrinterIndex(index);
  printer->SetOrientation(qt.pageLayout().orientation() == QPageLayout::Landscape ? poLandscape
                                                                                  : poPortrait);
  return true;
}

namespace {
int PageSize(bool AWidth) {
  const QSizeF size = Printer()->QtPrinter().pageLayout().fullRect(QPageLayout::Millimeter).size();
  return static_cast<int>((AWidth ? size.width() : size.height()) * 100);
}
}  // namespace

int TPageSetupDialog::GetPageWidth() const { return PageSize(true); }
int TPageSetupDialog::GetPageHeight() const { return PageSize(false); }

bool TPageSetupDialog::Run() {
  TPrinter* printer = Printer();
  QPrinter& qt = printer->QtPrinter();
  qt.setPageMargins(
      QMarginsF(FMargins[0] / 100.0, FMargins[1] / 100.0, FMargins[2] / 100.0, FMargins[3] / 100.0),
      QPageLayout::Millimeter);
  QPageSetupDialog dialog(&qt);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QMarginsF margins = qt.pageLayout().margins(QPageLayout::Millimeter);
  FMargins[0] = static_cast<int>(margins.left() * 100);
  FMargins[1] = static_cast<int>(margins.top() * 100);
  FMargins[2] = static_cast<int>(margins.right() * 100);
  FMargins[3] = static_cast<int>(margins.bottom() * 100);
  printer->SetOrientation(qt.pageLayout().orientation() == QPageLayout::Landscape ? poLandscape
                                                                                  : poPortrait);
  return true;
}
