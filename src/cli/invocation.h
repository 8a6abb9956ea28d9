#pragma once

#include <optional>

#include "cli/arguments.h"

namespace varnelle::cli {

// What both programs of the command line do with their words before running a command.

// The command of the program's words; empty, with the reason said, when they are wrong.
std::optional<Arguments> litCommande(int argc, char** argv);
// Reads the password of a command that wants one, from where the user gave it: the
// argument, a file or standard input, or the terminal. False, with the reason said, when
// there is none. `argv` holds the words litCommande took.
bool prendMotDePasse(Arguments& a, char** argv);

}  // namespace varnelle::cli
