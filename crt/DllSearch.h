#pragma once

// Keeps DLLs planted beside the program out of it: the program's first act, before any
// static constructor runs (Startup.cpp).
void RestrictDllSearch();
