/* The stand-in "HSAPI.DLL": the HotSync names, looked up and never called. */
#include "PalmEntryNames.h"

QS_HSAPI_NAMES(QS_PALM_STUB)
