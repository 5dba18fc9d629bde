// The host-unit wrappers and their start-up registration.
#pragma once

// Registers the System unit and every host unit wrapper, its class wrappers and event wrappers,
// in the fixed unit order ("System" first, then Types, UITypes, ..., in the order the script
// control's AddAllUnits lists them). Safe to call more than once and from any thread; programs
// call it once at start-up, before the first script control exists.
void QelRegisterAllUnits();
