// Counts the program's live allocations made through operator new, so that a test
// can see that everything an object made is given back after it is gone.
#pragma once

long LiveAllocations();
