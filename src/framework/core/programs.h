#pragma once

#include <string>
#include <vector>

namespace fw {

// Runs another program, found on the PATH, with the arguments (the first is the program's
// name), its output and errors thrown away and nothing to read, and waits for it to end.
// Answers its exit status, or -1 when it could not be started or did not end normally.
int RunProgram(const std::vector<std::string>& arguments);

} // namespace fw
