#include "engines/tcl/TclErrors.h"

#include <cstring>
#include <string_view>

#include "engines/tcl/TclObjects.h"

namespace {

// Checks ALength bytes at AText (starting at byte AOffset of the chunk), and the bodies of the
// procedures it defines.
bool CheckScript(Tcl_Interp* AInterp, const TTclChunk& AChunk, size_t AOffset, size_t ALength,
                 TQelBScriptError& AError) {
  const char* start = AChunk.Text.data() + AOffset;
  const char* end = start + ALength;
  const char* at = start;
  while (at < end) {
    Tcl_Parse parse;
    if (Tcl_ParseCommand(AInterp, at, static_cast<int>(end - at), 0, &parse) != TCL_OK) {
      int length = 0;
      const char* message = Tcl_GetStringFromObj(Tcl_GetObjResult(AInterp), &length);
      AError.Description = QelTclUtf8(message, length);
      int line = 0;
      QelBLineAndPosition(AChunk.Text, static_cast<size_t>(parse.term - AChunk.Text.data()), line, AError.Position);
      AError.Line = AChunk.StartLine + line;
      Tcl_FreeParse(&parse);
      Tcl_ResetResult(AInterp);
      return false;
    }
    bool ok = true;
    // proc name args body: a braced body is checked too (it is parsed only when first called).
    if (parse.numWords == 4 && parse.tokenPtr[0].type == TCL_TOKEN_SIMPLE_WORD &&
        std::string_view(parse.tokenPtr[1].start, static_cast<size_t>(parse.tokenPtr[1].size)) == "proc") {
      const Tcl_Token* token = parse.tokenPtr;
      for (int word = 0; word < 3; ++word) token += token->numComponents + 1;
      if (token->type == TCL_TOKEN_SIMPLE_WORD && token[0].start[0] == '{')
        ok = CheckScript(AInterp, AChunk, static_cast<size_t>(token[1].start - AChunk.Text.data()),
                         static_cast<size_t>(token[1].size), AError);
    }
    at = parse.commandStart + parse.commandSize;
    Tcl_FreeParse(&parse);
    if (!ok) return false;
  }
  return true;
}

// The number at the end of "... line N)".
int LineNumber(std::string_view ALine) {
  const size_t at = ALine.rfind(" line ");
  if (at == std::string_view::npos) return -1;
  int number = 0;
  for (size_t i = at + 6; i < ALine.size() && ALine[i] >= '0' && ALine[i] <= '9'; ++i)
    number = number * 10 + (ALine[i] - '0');
  return number;
}

// The line (from 0) in AText where procedure AName is defined, or -1.
int ProcedureLine(const std::string& AText, std::string_view AName) {
  int line = 0;
  size_t at = 0;
  while (at <= AText.size()) {
    size_t word = AText.find_first_not_of(" \t", at);
    if (word != std::string::npos && AText.compare(word, 5, "proc ") == 0) {
      word = AText.find_first_not_of(" \t", word + 5);
      if (word != std::string::npos && AText.compare(word, 2, "::") == 0) word += 2;
      if (word != std::string::npos && AText.compare(word, AName.size(), AName) == 0 &&
          word + AName.size() < AText.size() && (AText[word + AName.size()] == ' ' || AText[word + AName.size()] == '\t'))
        return line;
    }
    const size_t next = AText.find('\n', at);
    if (next == std::string::npos) break;
    at = next + 1;
    ++line;
  }
  return -1;
}

struct TTrace {
  std::string Command;    // the innermost command's text (its first line)
  std::string Procedure;  // the innermost procedure, empty in the global code
  int ProcedureLine = 0;  // the line in its body, from 1
  int Nested = 0;         // lines added by the bodies of if, while, ... inside it
};

TTrace ReadTrace(std::string_view AInfo) {
  TTrace trace;
  size_t at = 0;
  bool commandNext = false;
  while (at < AInfo.size()) {
    size_t end = AInfo.find('\n', at);
    if (end == std::string_view::npos) end = AInfo.size();
    const std::string_view line = AInfo.substr(at, end - at);
    at = end + 1;
    if (commandNext) {
      commandNext = false;
      if (trace.Command.empty() && line.size() > 1 && line[0] == '"')
        trace.Command = std::string(line.substr(1, line.back() == '"' ? line.size() - 2 : line.size() - 1));
      continue;
    }
    if (line == "    while executing" || line == "    invoked from within") {
      commandNext = true;
      continue;
    }
    if (line.rfind("    (procedure \"", 0) == 0) {
      const size_t nameEnd = line.find('"', 16);
      trace.Procedure = std::string(line.substr(16, nameEnd - 16));
      if (trace.Procedure.rfind("::", 0) == 0) trace.Procedure.erase(0, 2);
      trace.ProcedureLine = LineNumber(line);
      return trace;
    }
    if (line.rfind("    (\"", 0) == 0) {
      const int nested = LineNumber(line);
      if (nested > 0) trace.Nested += nested - 1;
    }
  }
  return trace;
}

// The column of ACommand in line ALine of AText, else where the line's text begins.
int CommandPosition(const std::string& AText, int ALine, const std::string& ACommand) {
  size_t at = 0;
  for (int i = 0; i < ALine && at != std::string::npos; ++i) {
    at = AText.find('\n', at);
    if (at != std::string::npos) ++at;
  }
  if (at == std::string::npos || ACommand.empty()) return QelBLineStart(AText, ALine);
  const size_t lineEnd = AText.find('\n', at);
  const size_t found = AText.find(ACommand.substr(0, ACommand.find('\n')), at);
  if (found == std::string::npos || found > lineEnd) return QelBLineStart(AText, ALine);
  int line = 0, position = 0;
  QelBLineAndPosition(AText, found, line, position);
  return position;
}

}  // namespace

bool QelTclCheckSyntax(Tcl_Interp* AInterp, const TTclChunk& AChunk, TQelBScriptError& AError) {
  return CheckScript(AInterp, AChunk, 0, AChunk.Text.size(), AError);
}

void QelTclDescribe(Tcl_Interp* AInterp, int ACode, const TTclChunk* AChunk, const std::deque<TTclChunk>& AChunks,
                    TQelBScriptError& AError) {
  int length = 0;
  const char* message = Tcl_GetStringFromObj(Tcl_GetObjResult(AInterp), &length);
  AError.Description = QelTclUtf8(message, length);
  if (ACode == TCL_BREAK || ACode == TCL_CONTINUE) {
    AError.Description = ACode == TCL_BREAK ? "invoked \"break\" outside of a loop" : "invoked \"continue\" outside of a loop";
    return;
  }
  const char* info = Tcl_GetVar2(AInterp, "errorInfo", nullptr, TCL_GLOBAL_ONLY);
  const TTrace trace = ReadTrace(info ? std::string_view(info) : std::string_view());
  const TTclChunk* chunk = nullptr;
  int line = -1;  // from 0 in the chunk
  if (!trace.Procedure.empty()) {
    for (auto c = AChunks.rbegin(); c != AChunks.rend() && !chunk; ++c) {
      const int defined = ProcedureLine(c->Text, trace.Procedure);
      if (defined < 0) continue;
      chunk = &*c;
      line = defined + trace.ProcedureLine - 1 + trace.Nested;
    }
  } else if (AChunk) {
    Tcl_Obj* options = Tcl_GetReturnOptions(AInterp, ACode);
    Tcl_IncrRefCount(options);
    Tcl_Obj* key = Tcl_NewStringObj("-errorline", -1);
    Tcl_IncrRefCount(key);
    Tcl_Obj* value = nullptr;
    int errorLine = 0;
    if (Tcl_DictObjGet(nullptr, options, key, &value) == TCL_OK && value &&
        Tcl_GetIntFromObj(nullptr, value, &errorLine) == TCL_OK && errorLine > 0) {
      chunk = AChunk;
      line = errorLine - 1 + trace.Nested;
    }
    Tcl_DecrRefCount(key);
    Tcl_DecrRefCount(options);
  }
  if (!chunk) return;
  AError.Line = chunk->StartLine + line;
  AError.Position = CommandPosition(chunk->Text, line, trace.Command);
}
