// The disassembler: a code object's instructions as text, with their operands, source lines and
// protected blocks. qelrun --dump prints it, the compiler tests compare it, and the debugger
// shows the same text.
#pragma once

#include <string>
#include <vector>

#include "engine/vm/QelSctVM.h"

// One instruction: its name and its operand ("icPushLocalVar local 2", "icJump -> 7").
std::string QelInstrText(const TQelByteCode& ACode, const TQelInstr& AInstr);

// The instructions of a finished or unfinished code object, one QelInstrText per line.
std::vector<std::string> QelListing(const TQelByteCode& ACode);

// The full listing: a heading (description, stack size, locals), one line per instruction with
// its index, source line (from ASource; none when nil), break mark and protected block, then
// the protected-block table.
std::string QelDisassemble(const TQelByteCode& ACode, const TQelVMSource* ASource);

// Every code object of an initialised machine: the global code, then each procedure.
std::string QelDisassembleMachine(TQelVirtMachine& AVM);
