#pragma once

// Registers the program's Qt resources (the sounds, the icon). They are compiled into the
// static UI library, whose initialiser the linker keeps only when something calls it: call
// this before the first use of a ":/" path. Calling it again does nothing.
void RegistraRisorse();
