// The real dialog calls, replaceable by tests.
#include "controls/dialog_seam.h"

const DialogSystemCalls RealDialogSys = {MessageBoxA, DialogBoxParamA, GetOpenFileNameA, GetSaveFileNameA};
DialogSystemCalls DialogSys = RealDialogSys;
