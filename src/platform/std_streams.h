#pragma once
// Standard input, output and error as bytes: Windows' C runtime would turn
// "\n" into CR LF on writing and drop CRs on reading; POSIX never does.

namespace platform {

void BinaryStandardStreams();

}  // namespace platform
