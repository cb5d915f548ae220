// Process start and the exit routine that runs on every way out.
#pragma once

namespace app {

// Steps 1 to 6 of process start: the skin engine, its arrays, the exit routine, GDI+, the
// program icon, the skin defaults, and the working-set trimmer for deactivation.
void StartProcess();

// Lets no trimmer start begin or be cut short, frees the program variables and destroys the skin
// engine (icon, GDI+). Safe to run twice.
void ExitRoutine();

}  // namespace app
