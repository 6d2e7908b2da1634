#pragma once

// quillset.exe /synchronize-all ...: the run without a window, when the
// command line asks for one. True with the exit code filled in; false for
// a start with the window (no arguments).
bool runFromCommandLine(int* exitCode);
