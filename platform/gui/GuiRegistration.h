// Registration of the GUI library's streamable classes.
#pragma once

namespace zk {

// Registers every streamable GUI class (forms, controls, the timer and the
// graphics classes) and the core's. Idempotent; every main() and test main
// calls it, since static libraries cannot be trusted to run initialisers.
void RegisterGuiClasses();

}  // namespace zk
