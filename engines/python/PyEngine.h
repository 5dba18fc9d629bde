// The engine "Python" (CPython embedded).
#pragma once

void QelRegisterPythonEngine();
