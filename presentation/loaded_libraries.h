#pragma once
// Leak checking in sanitized builds: the system's drivers (the OpenGL driver SDL loads for the
// renderer) keep their allocations in their own static data. When they are unloaded before the
// process ends, LeakSanitizer no longer sees those references and reports the blocks as leaks
// of an "<unknown module>", which no suppression can name. Keeping every library that is loaded
// now mapped until the end lets the leak check see the drivers as they are. Does nothing in
// builds without AddressSanitizer.
namespace presentation {

void KeepLoadedLibrariesMapped();

}  // namespace presentation
