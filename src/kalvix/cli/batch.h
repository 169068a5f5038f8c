#pragma once
// kalvix-calc --batch: one request a line in (a JSON array of the page and its arguments, as on
// the command line), one JSON object a line out, in order; a refused request answers
// {"error": …} on its line and the batch goes on.

#include <iosfwd>

namespace kalvix {

// Answers every line of in until its end; returns the exit code.
int runBatch(std::istream& in, std::ostream& out);

}  // namespace kalvix
