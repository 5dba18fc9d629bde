// The disassembler. Operands print by the kind the instruction table gives them, so a new
// instruction lists correctly from its table row alone.
#include "engine/vm/QelVMDisasm.h"

#include <sstream>

#include "engine/vm/QelVMValues.h"
#include "host/core/System.h"

namespace {

// A label's target as an instruction index (the index form exists before and after EndEmit).
std::string Target(const TQelLabel* ALabel) {
  if (!ALabel) return "-> ?";
  return "-> " + std::to_string(ALabel->FTargetIndex);
}

std::string ConstantText(const VARIANT* AValue) {
  if (!AValue) return "nil";
  const VARIANT* value = QelDeref(AValue);
  switch (value->vt) {
    case VT_EMPTY: return "Unassigned";
    case VT_NULL: return "Null";
    case VT_BSTR: return "'" + StringToUtf8(OleBstrView(value->bstrVal)) + "'";
    default: break;
  }
  TQelVar text;
  if (FAILED(VariantChangeType(&text.V, value, VARIANT_ALPHABOOL, VT_BSTR)))
    return "<type " + std::to_string(value->vt) + ">";
  return StringToUtf8(OleBstrView(text.V.bstrVal));
}

std::string ParamText(TQelParamInfo AParam) {
  static const char* const Kinds[] = {"", " const", " byref"};
  return "arg " + std::to_string(AParam.Index) + (AParam.Kind <= pkByRef ? Kinds[AParam.Kind] : " ?");
}

std::string CallText(const TQelCall* C) {
  static const char* const Brackets[] = {"", "vb()", "()", "[]"};
  std::string text = C->FStrName.empty() ? "<unnamed>" : StringToUtf8(C->FStrName);
  text += C->FBracketType <= bkBlock ? Brackets[C->FBracketType] : "?";
  text += ", " + std::to_string(C->FArgCount) + (C->FArgCount == 1 ? " arg" : " args");
  if (C->IsResUsed()) text += ", result";
  if (C->FBreakLabel) text += ", break " + Target(C->FBreakLabel);
  if (C->FContinueLabel) text += ", continue " + Target(C->FContinueLabel);
  if (C->FExitLabel) text += ", exit " + Target(C->FExitLabel);
  return text;
}

std::string ForText(const TQelFor* F) {
  std::string text = F->FLoopLocalVar >= 0 ? "var local " + std::to_string(F->FLoopLocalVar)
                                           : "var ref local " + std::to_string(F->FLoopVarRef);
  text += ", limit local " + std::to_string(F->FToVar);
  if (F->FStepVar >= 0) text += ", step local " + std::to_string(F->FStepVar);
  return text + " " + Target(F->FJmpLabel);
}

std::string ArrayText(const TQelArray* A) {
  return std::to_string(A->FDimCount) + (A->FDimCount == 1 ? " dim" : " dims") +
         ", element type " + std::to_string(A->FElemVarType);
}

std::string RedimText(const TQelArrayRedim* R) {
  std::string text = ArrayText(R);
  if (R->FPreserve) text += ", preserve";
  if (R->FArrayLocalVar >= 0) text += ", local " + std::to_string(R->FArrayLocalVar);
  return text;
}

std::string OperandText(const TQelByteCode& ACode, const TQelInstr& AInstr,
                        TQelOperandKind AKind) {
  switch (AKind) {
    case okNone: return "";
    case okSlotCount: return std::to_string(AInstr.Data);
    case okLocal: return "local " + std::to_string(AInstr.Data);
    case okParam: return ParamText(TQelParamInfo::FromData(AInstr.Data));
    case okConstant: return ConstantText(AInstr.Ptr<VARIANT>());
    case okLabel: return Target(AInstr.Ptr<TQelLabel>());
    case okCall: return CallText(AInstr.Ptr<TQelCall>());
    case okGlobal: return StringToUtf8(AInstr.Ptr<TQelGlobalObject>()->FStrName);
    case okFor: return ForText(AInstr.Ptr<TQelFor>());
    case okTry: return "block " + std::to_string(AInstr.Ptr<TQelTry>()->FIndex);
    case okExcJump: {
      const TQelExcJump* jump = AInstr.Ptr<TQelExcJump>();
      return "block " + std::to_string(jump->FTry->FIndex) + " " + Target(jump->FLabel);
    }
    case okNamespace: return "namespace";
    case okArray: return ArrayText(AInstr.Ptr<TQelArray>());
    case okArrayRedim: return RedimText(AInstr.Ptr<TQelArrayRedim>());
    case okString: return "'" + StringToUtf8(*AInstr.Ptr<std::u16string>()) + "'";
    case okInstr: {
      const std::ptrdiff_t at = AInstr.Ptr<TQelInstr>() - ACode.Code();
      return at >= 0 && at < ACode.Count() ? "-> " + std::to_string(at) : "-> outside";
    }
  }
  return "?";
}

std::string BlockText(const TQelTry* T) {
  std::ostringstream out;
  out << "  block " << T->FIndex << ": parent ";
  if (T->FParent) out << T->FParent->FIndex;
  else out << "-";
  out << ", handler " << Target(T->FHandlerLabel);
  if (T->FFinallyLabel)
    out << ", finally " << Target(T->FFinallyLabel) << ", return in local " << T->FFinallyRetVar;
  out << ", exception state local " << T->FExceptionVar << ", handler range " << T->FHdrHierLow
      << ".." << T->FHdrHierHigh;
  return out.str();
}

}  // namespace

std::string QelInstrText(const TQelByteCode& ACode, const TQelInstr& AInstr) {
  const TQelInstrInfo* info = QelInstrInfoOf(AInstr.Code);
  if (!info) return "<invalid code " + std::to_string(AInstr.Code) + ">";
  std::string operand = OperandText(ACode, AInstr, info->Operand);
  return operand.empty() ? info->Name : std::string(info->Name) + " " + operand;
}

std::vector<std::string> QelListing(const TQelByteCode& ACode) {
  std::vector<std::string> lines;
  for (int i = 0; i < ACode.Count(); ++i) lines.push_back(QelInstrText(ACode, ACode.Code()[i]));
  return lines;
}

std::string QelDisassemble(const TQelByteCode& ACode, const TQelVMSource* ASource) {
  std::ostringstream out;
  out << "code " << StringToUtf8(ACode.Description()) << " (" << ACode.Count()
      << " instructions, " << ACode.LocalVarCount() << " locals, stack " << ACode.StackSize()
      << ")\n";
  for (int i = 0; i < ACode.Count(); ++i) {
    const TQelInstr& instr = ACode.Code()[i];
    const int line = ASource ? ASource->PosToLine(instr.SourcePos()) : -1;
    char head[48];
    std::snprintf(head, sizeof head, "%5d  line %-4s %c %-3s ", i,
                  line >= 0 ? std::to_string(line + 1).c_str() : "-",
                  instr.IsBreakable() ? '*' : ' ',
                  instr.TryIndex >= 0 ? ("b" + std::to_string(instr.TryIndex)).c_str() : "");
    out << head << QelInstrText(ACode, instr) << '\n';
  }
  if (ACode.TryCount() > 0 && ACode.IsFinished()) {
    out << "protected blocks\n";
    for (int i = 0; i < ACode.TryCount(); ++i) out << BlockText(ACode.TryAt(i)) << '\n';
  }
  return out.str();
}

std::string QelDisassembleMachine(TQelVirtMachine& AVM) {
  std::string text;
  if (const TQelByteCode* global = AVM.GlobalByteCode())
    text += QelDisassemble(*global, &AVM.Source());
  for (const TQelProcObject* proc : AVM.Procedures())
    text += "\n" + QelDisassemble(proc->FByteCode, &AVM.Source());
  return text;
}
