#pragma once
// One kalvix-calc request: a page or command and its arguments, after the options.

#include "calc_line.h"
#include "calc_result.h"

namespace kalvix {

// Opens the page afresh (or runs the command) and gives what it prints.
CalcResult runRequest(const CalcLine& line);

}  // namespace kalvix
