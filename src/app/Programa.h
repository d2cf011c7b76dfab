#pragma once

// Runs the program: the application object, the operator dialogs, the start-up
// and the event loop while a window is open.
int EjecutarPrograma(int argc, char *argv[]);
