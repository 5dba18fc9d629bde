// The engine's OLE Automation: everything the engine includes through one header.
#pragma once

#include "platform/ole/OleErrors.h"
#include "platform/ole/OleLocale.h"
#include "platform/ole/OleMemoryMeter.h"
#include "platform/ole/OleRegistry.h"
#include "platform/ole/OleSafeArray.h"
#include "platform/ole/OleTypes.h"
#include "platform/ole/OleUnknown.h"
#include "platform/ole/OleVariant.h"
