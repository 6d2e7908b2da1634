/* The stand-in "palm.exe". The program only reads its version resource
   (palm.rc.in, one build per version); started, it does nothing. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) { return 0; }
