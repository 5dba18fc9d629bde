// Helpers shared by the Pascal compiler's tests.
#pragma once

#include "engine/pascal/QelSctPasCompiler.h"
#include "tests/compiler/CompileTestUtil.h"

using namespace qel_pas;
