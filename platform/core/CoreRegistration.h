// Registration of the platform core's streamable classes and identifier tables.
#pragma once

namespace zk {

// Registers the core's classes with the class registry and its identifier
// tables with the integer-constant registry. Idempotent; every main() and test
// main calls it, since static libraries cannot be trusted to run initialisers.
void RegisterCoreClasses();

}  // namespace zk
