#pragma once

#include <cstdio>

#include "app/command_line.h"
#include "web/mod_http.h"

// `quelvo check`: asks each chosen engine and source for the probe keyword and prints, a line or
// a JSON object for each, whether it still answers as the engine table expects. Returns the exit
// status: 0 when every one is ok, 1 otherwise, 2 for a bad engines file.
int RunCheck(const CommandLine& cl, std::FILE* out, std::FILE* err,
             int transferTimeoutMs = web::ModHttp::kDefaultTransferTimeoutMs);
