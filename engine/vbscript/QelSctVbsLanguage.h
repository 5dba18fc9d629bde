// The VBScript language on the engine's own machine: the VB dialect's scanner, grammar, tree
// and intrinsics, with VBScript's own statements and library added (engine/vbscript).
#pragma once

#include <functional>
#include <string>

#include "engine/vm/QelSctVMCompBase.h"

// Whether a name is given by the host (a named item, or a member of a global-members item):
// an assignment to such a name is no implicit declaration of a script variable.
using TQelVbsHostNames = std::function<bool(const std::u16string& AName)>;

// A language object for one engine; AHostNames may be empty (no host names).
IQelLanguagePtr QelVbsLanguage(TQelVbsHostNames AHostNames);

class TQelVirtMachine;
class Exception;

// Installs what a machine running AVM's VBScript language needs: the hook through which On
// Error Resume Next hands an error to Err.
void QelVbsPrepareMachine(TQelVirtMachine& AVM);

// The number and message VBScript gives an error that left a script (a machine error, a host
// error or one raised with Err.Raise); ANumber is an HRESULT for errors of objects.
void QelVbsDescribeError(Exception* E, int32_t& ANumber, std::u16string& ADescription);
