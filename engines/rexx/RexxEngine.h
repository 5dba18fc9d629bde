// The engine "ObjectREXXScript" (Regina REXX).
#pragma once

void QelRegisterRexxEngine();
