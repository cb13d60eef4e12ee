// A client library with every entry point but SimConnect_Close.

#include <cstdint>

#include "sim/SimConnectApi.h"

extern "C" {

int32_t SimConnect_Open(void**, const char*, void*, uint32_t, void*, uint32_t) {
  return -1;
}
int32_t SimConnect_AddToDataDefinition(void*, uint32_t, const char*, const char*, uint32_t, float,
                                       uint32_t) {
  return -1;
}
int32_t SimConnect_MapClientEventToSimEvent(void*, uint32_t, const char*) {
  return -1;
}
int32_t SimConnect_SubscribeToSystemEvent(void*, uint32_t, const char*) {
  return -1;
}
int32_t SimConnect_CallDispatch(void*, SimConnectDispatchProc, void*) {
  return -1;
}
int32_t SimConnect_RequestDataOnSimObjectType(void*, uint32_t, uint32_t, uint32_t, uint32_t) {
  return -1;
}
int32_t SimConnect_TransmitClientEvent(void*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {
  return -1;
}
}
