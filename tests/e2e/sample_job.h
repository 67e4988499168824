#pragma once
// The bundled COBOL sample job laid out in a test folder as the sample script builds it.

#include <string>

#include "support/temp_dir.h"

namespace korvane::testing {

// Copies the sample sources and copy members into <dir>/<baseName> (the job's base
// directory) and writes <dir>/CustBankXml.jwrap naming it; extraLines (each ending in a
// line break) go into the job file after the system name. Returns the job file's path.
std::string MakeSampleJob(const TempDir& dir, const std::string& baseName,
                          const std::string& extraLines = {});

}  // namespace korvane::testing
