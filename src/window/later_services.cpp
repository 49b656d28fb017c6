// Stand-ins for the services of subsystems not built yet, called by the main
// window, the window procedure and the main run at their places. Each does
// the least that keeps the run sound; its subsystem replaces it.
#include "window/later_services.h"
#include "base/global_storage.h"
#include "exec/pump_hooks.h"
#include "window/main_window.h"
#include "window/window_table.h"




