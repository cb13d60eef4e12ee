#pragma once

#include <string>

#include "sim/SimConnectApi.h"

namespace qv {

// The entry points of the loaded client library, each resolved by its
// exported name; all nullptr while none is loaded.
struct SimConnectEntryPoints {
  SimConnect_Open_t SimConnect_Open = nullptr;
  SimConnect_Close_t SimConnect_Close = nullptr;
  SimConnect_AddToDataDefinition_t SimConnect_AddToDataDefinition = nullptr;
  SimConnect_MapClientEventToSimEvent_t SimConnect_MapClientEventToSimEvent = nullptr;
  SimConnect_SubscribeToSystemEvent_t SimConnect_SubscribeToSystemEvent = nullptr;
  SimConnect_CallDispatch_t SimConnect_CallDispatch = nullptr;
  SimConnect_RequestDataOnSimObjectType_t SimConnect_RequestDataOnSimObjectType = nullptr;
  SimConnect_TransmitClientEvent_t SimConnect_TransmitClientEvent = nullptr;
};

// The client library's file name on this platform.
std::string simLibraryFileName();

// True if the library is loaded, else SimLib_Load(fileName).
bool SimLib_EnsureLoaded(const std::string& fileName = simLibraryFileName());
// Unloads, then loads the library and resolves every entry point. A library
// lacking one of them counts as not loaded: it is freed and SimLibError
// names the missing entry point.
bool SimLib_Load(const std::string& fileName);
// Frees the library; handle none, entry points cleared.
void SimLib_Unload();

// The module's process-wide state: the library handle (nullptr while not
// loaded), the system's text of the last load failure and the entry points.
LibraryHandle SimLibHandle();
const std::string& SimLibError();
const SimConnectEntryPoints& SimLib();

}  // namespace qv
