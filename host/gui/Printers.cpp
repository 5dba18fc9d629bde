// The printer on QPrinter: the machine's queues, or a PDF file.
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "host/gui/Printers.h"
#include "host/gui/QelQt.h"

namespace {

constexpr char16_t SPdfPrinter[] = u"PDF file";
constexpr char16_t SNotPrinting[] = u"Printer is not currently printing";

// The canvas of a page: outside a document there is nothing to draw on.
class TPrinterCanvas : public TCanvas {
 protected:
  QPaintDevice* Device() const override { QelRaise<EPrinter>(String(SNotPrinting)); }
};

}  // namespace

TPrinter::TPrinter() : FCanvas(new TPrinterCanvas), FPrinters(new TStringList) {
  QelEnsureApplication();
  FQtPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
  Refresh();
}

TPrinter::~TPrinter() {
  if (GetPrinting()) Abort();
}

void TPrinter::Refresh() {
  Idle(u"Refresh");
  FPrinters->Clear();
  for (const QString& name : QPrinterInfo::availablePrinterNames())
    FPrinters->Add(QelFromQString(name));
  FPrinters->Add(SPdfPrinter);
  const int queue = FPrinters->IndexOf(QelFromQString(QPrinterInfo::defaultPrinterName()));
  FPrinterIndex = queue >= 0 ? queue : 0;
}

// Settings of the document stay as they are while it prints.
void TPrinter::Idle(const char16_t* AWhat) const {
  if (GetPrinting())
    QelRaise<EPrinter>(
        Exception::FormatMessage(u"Printing in progress: cannot change %s", {String(AWhat)}));
}

void TPrinter::SetTitle(const String& AValue) {
  Idle(u"Title");
  FTitle = AValue;
}
void TPrinter::SetFileName(const String& AValue) {
  Idle(u"FileName");
  FFileName = AValue;
}

void TPrinter::SetOrientation(TPrinterOrientation AValue) {
  Idle(u"Orientation");
  FOrientation = AValue;
  FQtPrinter->setPageOrientation(AValue == poLandscape ? QPageLayout::Landscape
                                                       : QPageLayout::Portrait);
}

void TPrinter::SetCopies(int AValue) {
  Idle(u"Copies");
  if (AValue < 1)
    QelRaise<EPrinter>(
        Exception::FormatMessage(u"Copies must be at least 1 (%d)", {IntToStr(AValue)}));
  FCopies = AValue;
}

void TPrinter::SetPrinterIndex(int AValue) {
  Idle(u"PrinterIndex");
  if (AValue < -1 || AValue >= FPrinters->GetCount())
    QelRaise<EPrinter>(
        Exception::FormatMessage(u"Printer index out of range (%d)", {IntToStr(AValue)}));
  if (AValue == -1) {
    Refresh();
    return;
  }
  FPrinterIndex = AValue;
}

String TPrinter::OutputFile() const {
  // The default printer is the machine's, or the PDF file when it has none.
  const String& printer = FPrinters->GetStrings(FPrinterIndex);
  if (FFileName.empty() && printer != SPdfPrinter) return {};
  if (!FFileName.empty()) return FFileName;
  return (FTitle.empty() ? String(u"document") : FTitle) + u".pdf";
}

void TPrinter::Configure() {
  QPrinter& printer = *FQtPrinter;
  const String file = OutputFile();
  if (file.empty()) {
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(QelToQString(FPrinters->GetStrings(FPrinterIndex)));
  } else {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QelToQString(file));
  }
  printer.setDocName(QelToQString(FTitle));
  printer.setCopyCount(FCopies);
  printer.setPageOrientation(FOrientation == poLandscape ? QPageLayout::Landscape
                                                         : QPageLayout::Portrait);
}

int TPrinter::GetPageWidth() const { return FQtPrinter->width(); }
int TPrinter::GetPageHeight() const { return FQtPrinter->height(); }

void TPrinter::BeginDoc() {
  if (GetPrinting()) QelRaise<EPrinter>(String(u"Printing in progress"));
  Configure();
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(FQtPrinter.get())) {
    const String target = OutputFile();
    QelRaise<EPrinter>(Exception::FormatMessage(
        u"Cannot print to \"%s\"",
        {target.empty() ? QelFromQString(FQtPrinter->printerName()) : target}));
  }
  FPainter = std::move(painter);
  FPrinting = OutputFile();
  FAborted = false;
  FPageNumber = 1;
  FCanvas->BeginPaint(FPainter.get());
}

void TPrinter::Finish() {
  FCanvas->EndPaint();
  FPainter->end();
  FPainter.reset();
}

void TPrinter::EndDoc() {
  if (!GetPrinting()) QelRaise<EPrinter>(String(SNotPrinting));
  Finish();
  FPageNumber = 0;
}

void TPrinter::Abort() {
  if (!GetPrinting()) QelRaise<EPrinter>(String(SNotPrinting));
  FQtPrinter->abort();
  Finish();
  // A PDF document left half-written would pass for a finished one.
  if (!FPrinting.empty()) QFile::remove(QelToQString(FPrinting));
  FAborted = true;
  FPageNumber = 0;
}

void TPrinter::NewPage() {
  if (!GetPrinting()) QelRaise<EPrinter>(String(SNotPrinting));
  FQtPrinter->newPage();
  ++FPageNumber;
}

namespace {
std::unique_ptr<TPrinter>& ThePrinter() {
  static std::unique_ptr<TPrinter> printer;
  return printer;
}
}  // namespace

TPrinter* Printer() {
  auto& printer = ThePrinter();
  if (!printer) printer = std::make_unique<TPrinter>();
  return printer.get();
}

TPrinter* SetPrinter(TPrinter* ANewPrinter) {
  TPrinter* old = ThePrinter().release();
  ThePrinter().reset(ANewPrinter);
  return old;
}
