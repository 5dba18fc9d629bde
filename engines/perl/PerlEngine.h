// The engine "PerlScript" (Perl 5).
#pragma once

void QelRegisterPerlEngine();
