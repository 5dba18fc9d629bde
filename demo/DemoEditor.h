// The demonstration editor's extras on the memo's Qt widget: line numbers in a gutter and the
// line of the last error marked.
#pragma once

class TMemo;
class QPlainTextEdit;
class TQelLineGutter;

class TQelEditorDecor {
 public:
  explicit TQelEditorDecor(TMemo* AMemo);
  ~TQelEditorDecor();
  TQelEditorDecor(const TQelEditorDecor&) = delete;
  TQelEditorDecor& operator=(const TQelEditorDecor&) = delete;
  // Marks line ALine (from 0) and shows it; -1 clears the mark.
  void MarkLine(int ALine, int APos);
  int MarkedLine() const { return FLine; }

 private:
  QPlainTextEdit* FEdit;
  TQelLineGutter* FGutter;
  int FLine = -1;
};
