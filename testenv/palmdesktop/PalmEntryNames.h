#ifndef QS_PALMDESKTOP_PALMENTRYNAMES_H
#define QS_PALMDESKTOP_PALMENTRYNAMES_H
/* Every name the program looks up in the four Palm Desktop libraries, in its
   lookup order. The stand-in libraries export them all and the check program
   counts how many it finds. X(name) is a name that is only looked up;
   U(name) one of the five user functions that are called. */

#define QS_CONDMGR_NAMES(X)                                                                                            \
    X(CmGetLibVersion)                                                                                                 \
    X(CmConvertCreatorIDToString) X(CmConvertStringToCreatorID) X(CmGetConduitCount) X(CmGetCreatorIDList)             \
        X(CmGetConduitCreatorID) X(CmGetConduitByCreator) X(CmInstallConduit) X(CmInstallCreator)                      \
            X(CmRemoveConduitByCreatorID) X(CmSetCreatorPriority) X(CmGetCreatorPriority) X(CmSetCreatorName)          \
                X(CmGetCreatorName) X(CmSetCreatorDirectory) X(CmGetCreatorDirectory) X(CmSetCreatorRemote)            \
                    X(CmGetCreatorRemote) X(CmSetCreatorUser) X(CmGetCreatorUser) X(CmSetCreatorTitle)                 \
                        X(CmGetCreatorTitle) X(CmSetCreatorInfo) X(CmGetCreatorInfo) X(CmSetCreatorFile)               \
                            X(CmGetCreatorFile) X(CmGetCreatorType) X(CmSetCreatorIntegrate) X(CmGetCreatorIntegrate)  \
                                X(CmSetCreatorModule) X(CmGetCreatorModule) X(CmSetCreatorArgument)                    \
                                    X(CmGetCreatorArgument) X(CmSetComPort) X(CmGetComPort) X(CmSetBackupConduit)      \
                                        X(CmGetBackupConduit) X(CmSetNotifierDll) X(CmGetNotifierDll)                  \
                                            X(CmSetPCIdentifier) X(CmGetPCIdentifier) X(CmGetCorePath)                 \
                                                X(CmSetCorePath) X(CmGetHotSyncExecPath) X(CmSetHotSyncExecPath)       \
                                                    X(CmSetCreatorValueDword) X(CmGetCreatorValueDword)                \
                                                        X(CmSetCreatorValueString) X(CmGetCreatorValueString)          \
                                                            X(CmRestoreHotSyncSettings)

#define QS_USERDATA_NAMES(X, U)                                                                                        \
    X(UmGetLibVersion)                                                                                                 \
    U(UmGetUserCount) U(UmGetUserID) U(UmGetUserName) U(UmGetUserDirectory) X(UmGetUserPassword) X(UmIsUserInstalled)  \
        X(UmIsUserProfile) X(UmSetUserName) X(UmSetUserDirectory) X(UmSetUserInstall) X(UmSetUserPermSyncPreferences)  \
            X(UmSetUserTempSyncPreferences) X(UmGetUserPermSyncPreferences) X(UmGetUserTempSyncPreferences)            \
                X(UmRemoveUserTempSyncPreferences) X(UmDeleteUserPermSyncPreferences)                                  \
                    X(UmDeleteUserTempSyncPreferences) X(UmAddUser) X(UmDeleteUser) U(UmGetRootDirectory)              \
                        X(UmIsInstallMaskSet) X(UmClearInstallMask) X(UmSetInstallMask) X(UmGetString) X(UmSetString)  \
                            X(UmGetInteger) X(UmSetInteger) X(UmDeleteKey) X(UmGetIDFromPath) X(UmGetIDFromName)       \
                                X(UmSlotGetExpMgrVersion) X(UmSlotGetSlotCount) X(UmSlotGetInfo) X(UmSlotGetMediaType) \
                                    X(UmSlotGetDisplayName) X(UmSlotGetInstallDirectory)

#define QS_HSAPI_NAMES(X)                                                                                              \
    X(HsGetApiVersion)                                                                                                 \
    X(HsGetSyncStatus) X(HsCheckApiStatus) X(HsDisplayCustomDlg) X(HsDisplayLog) X(HsDisplayFileLink) X(HsResetComm)   \
        X(HsSetCommStatus) X(HsGetCommStatus) X(HsSetAppStatus) X(HsRefreshConduitInfo)

/* "PlmGetLibVesion" is spelled as the program looks it up. */
#define QS_INSTAIDE_NAMES(X)                                                                                           \
    X(PlmGetLibVesion)                                                                                                 \
    X(PltGetUserCount) X(PltGetUser) X(PltInstallFile) X(PltGetFileCount) X(PltGetFileName) X(PltGetFileInfo)          \
        X(PltRemoveInstallFile) X(PltGetPath) X(PltSetPath) X(PltGetInstallFileFilter) X(PltGetFileTypesCount)         \
            X(PltGetFileTypeExtension) X(PltGetInstallConduitCount) X(PltGetInstallConduitInfo) X(PltIsInstallMaskSet) \
                X(PltResetInstallMask) X(PltGetInstallCreatorInfo) X(PltSetInstallRegistry) X(PltGetRegistryPath)      \
                    X(PltGetUserDirectory) X(PltIsUserProfile) X(PlmGetUserNameFromID) X(PlmGetUserIDFromName)         \
                        X(PltInstallFileToDest) X(PltGetInstallFileFilterForUser) X(PlmSlotGetFileCount)               \
                            X(PlmSlotGetFileInfo) X(PlmSlotInstallFile) X(PlmSlotRemoveInstallFile)                    \
                                X(PlmSlotMoveInstallFile) X(PlmMoveInstallFileToSlot) X(PlmMoveInstallFileToHandheld)

/* A name that is only looked up: exported, never meant to be called (its
   real arguments are unknown here, so a stdcall caller's stack would not
   balance). It answers a failure, should anything call it without arguments. */
#define QS_PALM_STUB(name)                                                                                             \
    __declspec(dllexport) long __stdcall name(void);                                                                   \
    __declspec(dllexport) long __stdcall name(void) { return -1; }

#define QS_PALM_IGNORE(name)

#endif
