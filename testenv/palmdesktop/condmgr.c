/* The stand-in "condmgr.dll": the conduit manager's names, looked up and
   never called. Leaving this library out of an installation keeps the
   program from loading the user library after it. */
#include "PalmEntryNames.h"

QS_CONDMGR_NAMES(QS_PALM_STUB)
