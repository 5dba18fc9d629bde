// Host unit "Printers": the printer a script draws pages on through a canvas.
//
// The printers are the machine's print queues followed by "PDF file", which is always there and
// is the one chosen when the machine has no printer. A document goes to a PDF file when that
// entry is chosen or FileName is set; the file is FileName, else the Title with ".pdf", else
// "document.pdf", in the current folder.
#pragma once

#include "host/core/UnitData.h"

#include <memory>

#include "host/gui/Graphics.h"

class QPrinter;
class QPainter;

QEL_EXCEPTION(EPrinter, Exception);

class TPrinter : public TObject {
  QEL_CLASS(TPrinter, TObject)
 public:
  TPrinter();
  // A document still printing is aborted.
  ~TPrinter() override;
  // Starts a document on its first page; raises EPrinter while one is printing, or when the
  // output cannot be opened.
  void BeginDoc();
  // Finishes the document (the file is complete once this returns).
  void EndDoc();
  // Drops the document: a PDF file begun is removed.
  void Abort();
  void NewPage();
  // Draws on the current page; using it outside a document raises EPrinter.
  TCanvas* GetCanvas() const { return FCanvas.get(); }
  // The printable page in device pixels, for the chosen printer and orientation.
  int GetPageWidth() const;
  int GetPageHeight() const;
  int GetPageNumber() const { return FPageNumber; }
  bool GetPrinting() const { return FPainter != nullptr; }
  bool GetAborted() const { return FAborted; }
  const String& GetTitle() const { return FTitle; }
  void SetTitle(const String& AValue);
  TPrinterOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TPrinterOrientation AValue);
  int GetCopies() const { return FCopies; }
  // At least 1; raises EPrinter otherwise.
  void SetCopies(int AValue);
  TStrings* GetPrinters() const { return FPrinters.get(); }
  // The chosen printer's index; the machine's default queue (the PDF file without one) until
  // another is chosen.
  int GetPrinterIndex() const { return FPrinterIndex; }
  // -1 chooses the default printer again; an index outside the list raises EPrinter.
  void SetPrinterIndex(int AValue);
  const String& GetFileName() const { return FFileName; }
  void SetFileName(const String& AValue);
  // Reads the machine's printers again.
  void Refresh();
  // The file the next (or current) document goes to; empty when it goes to a printer.
  String OutputFile() const;
  QPrinter& QtPrinter() const { return *FQtPrinter; }

 private:
  void Idle(const char16_t* AWhat) const;
  void Configure();
  void Finish();

  std::unique_ptr<QPrinter> FQtPrinter;
  std::unique_ptr<QPainter> FPainter;
  std::unique_ptr<TCanvas> FCanvas;
  std::unique_ptr<TStringList> FPrinters;
  String FTitle, FFileName, FPrinting;
  TPrinterOrientation FOrientation = poPortrait;
  int FCopies = 1, FPrinterIndex = -1, FPageNumber = 0;
  bool FAborted = false;
};

// The process's printer, made on first use.
TPrinter* Printer();
// Puts ANewPrinter in its place and hands back the previous one (its caller now owns it).
TPrinter* SetPrinter(TPrinter* ANewPrinter);
