#pragma once
// The seed of a crash test's random draws. Every run takes the fixed seed, so that a failure comes
// back on the next run; the variable set to a number replays that seed, set to "random" draws a
// new one. The seed is printed with the line that replays it and recorded as the test's "seed".

unsigned CrashSeed(const char* variable, unsigned fixed);
