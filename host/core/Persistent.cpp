// TPersistent: assignment between persistent objects.
#include "host/core/Classes.h"

void TPersistent::Assign(TPersistent* ASource) {
  if (ASource) ASource->AssignTo(this);
  else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* ADest) { ADest->AssignError(this); }

void TPersistent::AssignError(TPersistent* ASource) {
  const String source = ASource ? ASource->ClassName() : String(u"nil");
  throw ExceptionPtr(new EConvertError(Exception::FormatMessage(u"Cannot assign a %s to a %s", {source, ClassName()})));
}
