/* The stand-in "instaide.dll": the install aide's names, looked up and never
   called. */
#include "PalmEntryNames.h"

QS_INSTAIDE_NAMES(QS_PALM_STUB)
