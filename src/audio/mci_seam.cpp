// The real device command call, replaceable by tests.
#include "audio/mci_seam.h"

const MciSystemCalls RealMciSys = {mciSendCommandA};
MciSystemCalls MciSys = RealMciSys;
