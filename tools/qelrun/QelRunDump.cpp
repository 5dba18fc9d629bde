#include "tools/qelrun/QelRunDump.h"

#include <cstdio>
#include <iostream>

#include "engine/vm/QelVMDisasm.h"
#include "tools/qelrun/QelRunSource.h"

int QelRunDump(const std::string& AFile, TQelScriptLanguage ALanguage) {
  const std::optional<String> source = QelReadScriptFile(AFile);
  if (!source) {
    std::cerr << "qelrun: cannot read '" << AFile << "'\n";
    return 2;
  }
  try {
    TQelVirtMachine vm(QelCreateNativeLanguage(ALanguage));
    vm.Initialize(*source);
    const std::string text = QelDisassembleMachine(vm);
    std::fwrite(text.data(), 1, text.size(), stdout);
  } catch (...) {
    const ExceptionPtr error = AcquireExceptionObject();
    std::cerr << StringToUtf8(error->GetMessage()) << '\n';
    return 1;
  }
  return 0;
}
