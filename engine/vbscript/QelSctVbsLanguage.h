// The VBScript language on the engine's own machine: the VB dialect's scanner, grammar, tree
// and intrinsics, with VBScript's own statements and library added (engine/vbscript).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/vm/QelSctVMCompBase.h"

// Whether a name is given by the host (a named item, or a member of a global-members item):
// an assignment to such a name is no implicit declaration of a script variable.
using TQelVbsHostNames = std::function<bool(const std::u16string& AName)>;

// A language object for one engine; AHostNames may be empty (no host names).
IQelLanguagePtr QelVbsLanguage(TQelVbsHostNames AHostNames);

class TQelVirtMachine;
class Exception;

// Installs what a machine running AVM's VBScript language needs: the hook through which On
// Error Resume Next hands an error to Err, New of the script's classes, and the weak handle
// through which their instances reach the machine (an instance may outlive it).
void QelVbsPrepareMachine(const std::shared_ptr<TQelVirtMachine>& AVM);
// Before AVM closes: Class_Terminate of every instance of its classes still alive (not after
// an abort: ARunTerminate false), then the instances are cut from the machine (a kept one fails
// its calls) and their fields cleared, so cycles between instances end.
void QelVbsEndInstances(TQelVirtMachine& AVM, bool ARunTerminate);
// Cuts the instances from AVM at once, without running anything (an abort in progress).
void QelVbsStopInstances(TQelVirtMachine& AVM);
// Adjusts an error that names a member the object does not have: the machine reports it as
// an undeclared name; ASource is the text the error's place (line from 0, column from 1)
// refers to. VBScript reports 438 for it.
void QelVbsRefineError(Exception* E, std::u16string_view ASource, int ALine, int ALinePos);
// The text of the innermost Eval or Execute running on this thread (null when none): the
// source an error placed inside it refers to.
const std::u16string* QelVbsEvalText();

// The number and message VBScript gives an error that left a script (a machine error, a host
// error or one raised with Err.Raise); ANumber is an HRESULT for errors of objects.
void QelVbsDescribeError(Exception* E, int32_t& ANumber, std::u16string& ADescription);
