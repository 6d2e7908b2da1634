// The product's version: the one place it is written. The version resource,
// the About box, the help file, the setup program and the release read it
// from here.
#pragma once

#define QUILLSET_VERSION_MAJOR 2
#define QUILLSET_VERSION_MINOR 5
#define QUILLSET_VERSION_PATCH 0
#define QUILLSET_VERSION_BUILD 1210

#define QUILLSET_VERSION_STRINGIFY(text) #text
#define QUILLSET_VERSION_JOIN(major, minor, patch, build) QUILLSET_VERSION_STRINGIFY(major.minor.patch.build)

// 2, 5, 0, 1210 for FILEVERSION; "2.5.0.1210" for the texts.
#define QUILLSET_VERSION_NUMBERS                                                                                       \
    QUILLSET_VERSION_MAJOR, QUILLSET_VERSION_MINOR, QUILLSET_VERSION_PATCH, QUILLSET_VERSION_BUILD
#define QUILLSET_VERSION_TEXT                                                                                          \
    QUILLSET_VERSION_JOIN(QUILLSET_VERSION_MAJOR, QUILLSET_VERSION_MINOR, QUILLSET_VERSION_PATCH,                      \
                          QUILLSET_VERSION_BUILD)
