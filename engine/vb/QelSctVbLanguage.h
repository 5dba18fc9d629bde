// The VB dialect's language object alone, for hosts that register it next to other dialects
// (the dialects' token names would collide in one translation unit's global scope).
#pragma once

#include "engine/vm/QelSctVMCompBase.h"

// The shared language object the runner gives every VB machine.
IQelLanguagePtr QelVbLanguage();
