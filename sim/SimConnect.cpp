#include "sim/SimConnect.h"

namespace qv {

namespace {

// The one client library of the process: the simulator's interface makes
// its loader module-wide, so this is the module's only state.
struct SimLibState {
  LibraryHandle handle = nullptr;
  std::string error;
  SimConnectEntryPoints entry;
};

SimLibState& state() {
  static SimLibState s;
  return s;
}

template <typename Fn>
bool resolve(LibraryHandle library, const char* name, Fn& slot, std::string& error) {
  slot = reinterpret_cast<Fn>(resolveLibrarySymbol(library, name, error));
  return slot != nullptr;
}

// Every entry point in one place; the first miss stops, leaving its text.
bool resolveAll(LibraryHandle library, SimConnectEntryPoints& e, std::string& error) {
  return resolve(library, "SimConnect_Open", e.SimConnect_Open, error) &&
         resolve(library, "SimConnect_Close", e.SimConnect_Close, error) &&
         resolve(library, "SimConnect_AddToDataDefinition", e.SimConnect_AddToDataDefinition,
                 error) &&
         resolve(library, "SimConnect_MapClientEventToSimEvent",
                 e.SimConnect_MapClientEventToSimEvent, error) &&
         resolve(library, "SimConnect_SubscribeToSystemEvent", e.SimConnect_SubscribeToSystemEvent,
                 error) &&
         resolve(library, "SimConnect_CallDispatch", e.SimConnect_CallDispatch, error) &&
         resolve(library, "SimConnect_RequestDataOnSimObjectType",
                 e.SimConnect_RequestDataOnSimObjectType, error) &&
         resolve(library, "SimConnect_TransmitClientEvent", e.SimConnect_TransmitClientEvent,
                 error);
}

}  // namespace

std::string simLibraryFileName() {
  return libraryFileName("SimConnect");
}

bool SimLib_EnsureLoaded(const std::string& fileName) {
  return state().handle != nullptr || SimLib_Load(fileName);
}

bool SimLib_Load(const std::string& fileName) {
  SimLib_Unload();
  SimLibState& s = state();
  LibraryHandle library = openLibrary(fileName, s.error);
  if (library == nullptr) {
    return false;
  }
  SimConnectEntryPoints entry;
  if (!resolveAll(library, entry, s.error)) {
    closeLibrary(library);
    return false;
  }
  s.handle = library;
  s.entry = entry;
  s.error.clear();
  return true;
}

void SimLib_Unload() {
  SimLibState& s = state();
  if (s.handle != nullptr) {
    closeLibrary(s.handle);
  }
  s.handle = nullptr;
  s.entry = SimConnectEntryPoints{};
}

LibraryHandle SimLibHandle() {
  return state().handle;
}

const std::string& SimLibError() {
  return state().error;
}

const SimConnectEntryPoints& SimLib() {
  return state().entry;
}

}  // namespace qv
