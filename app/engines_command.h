#pragma once

#include <cstdio>

#include "app/command_line.h"

// `quelvo engines`: the engine table in effect and where each entry comes from, on `out`. With
// --write, the built-in table goes to that file instead; an existing file is never replaced.
// Returns the exit status: 0; 1 when the file could not be written; 2 for a bad engines file.
int RunEngines(const CommandLine& cl, std::FILE* out, std::FILE* err);
