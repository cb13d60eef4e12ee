// A client library that accepts every call and records it as one text line
// of fields joined by '|', so a test sees exactly what the program passed.

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "sim/SimConnectApi.h"

namespace {

std::vector<std::string>& calls() {
  static std::vector<std::string> lines;
  return lines;
}

std::string field(const char* text) {
  return text == nullptr ? "(none)" : text;
}

std::string field(uint32_t value) {
  return std::to_string(value);
}

std::string field(float value) {
  std::array<char, 32> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%g", static_cast<double>(value));
  return buffer.data();
}

std::string field(const void* pointer) {
  return pointer == nullptr ? "0" : "set";
}

template <typename... Fields>
void record(const char* call, Fields... fields) {
  std::string line = call;
  ((line += "|" + field(fields)), ...);
  calls().push_back(line);
}

}  // namespace

extern "C" {

int32_t QV_LIBRARY_CALL SimConnect_Open(void** phSimConnect, const char* szName, void* hWnd,
                                        uint32_t UserEventWin32, void* hEventHandle,
                                        uint32_t ConfigIndex) {
  static int connection = 0;
  record("Open", szName, hWnd, UserEventWin32, hEventHandle, ConfigIndex);
  *phSimConnect = &connection;
  return 0;
}
int32_t QV_LIBRARY_CALL SimConnect_Close(void* /*hSimConnect*/) {
  record("Close");
  return 0;
}
int32_t QV_LIBRARY_CALL SimConnect_AddToDataDefinition(void* /*hSimConnect*/, uint32_t DefineID,
                                                       const char* DatumName, const char* UnitsName,
                                                       uint32_t DatumType, float fEpsilon,
                                                       uint32_t DatumID) {
  record("AddToDataDefinition", DefineID, DatumName, UnitsName, DatumType, fEpsilon, DatumID);
  return 0;
}
int32_t QV_LIBRARY_CALL SimConnect_MapClientEventToSimEvent(void* /*hSimConnect*/, uint32_t EventID,
                                                            const char* EventName) {
  record("MapClientEventToSimEvent", EventID, EventName);
  return 0;
}
int32_t QV_LIBRARY_CALL SimConnect_SubscribeToSystemEvent(void* /*hSimConnect*/, uint32_t EventID,
                                                          const char* SystemEventName) {
  record("SubscribeToSystemEvent", EventID, SystemEventName);
  return 0;
}
int32_t QV_LIBRARY_CALL SimConnect_CallDispatch(void* /*hSimConnect*/,
                                                SimConnectDispatchProc /*pfcnDispatch*/,
                                                void* /*pContext*/) {
  record("CallDispatch");
  return 0;
}
int32_t QV_LIBRARY_CALL SimConnect_RequestDataOnSimObjectType(void* /*hSimConnect*/,
                                                              uint32_t RequestID, uint32_t DefineID,
                                                              uint32_t dwRadiusMeters,
                                                              uint32_t type) {
  record("RequestDataOnSimObjectType", RequestID, DefineID, dwRadiusMeters, type);
  return 0;
}
int32_t QV_LIBRARY_CALL SimConnect_TransmitClientEvent(void* /*hSimConnect*/, uint32_t ObjectID,
                                                       uint32_t EventID, uint32_t dwData,
                                                       uint32_t GroupID, uint32_t Flags) {
  record("TransmitClientEvent", ObjectID, EventID, dwData, GroupID, Flags);
  return 0;
}

// Test access: the recorded line `index`, nullptr past the last one.
const char* QV_LIBRARY_CALL QvRecordedCall(uint32_t index) {
  return index < calls().size() ? calls()[index].c_str() : nullptr;
}
void QV_LIBRARY_CALL QvClearRecordedCalls() {
  calls().clear();
}
}
