#pragma once

// The binary interface of the simulator's client library: the eight entry
// points this system calls and the message ids and offsets it reads. Sizes
// are those of the simulator's published interface on every platform.

#include <cstdint>

#include "platform/DynamicLibrary.h"

extern "C" {

// The 12-byte header that starts every received message.
struct SIMCONNECT_RECV {
  uint32_t dwSize;
  uint32_t dwVersion;
  uint32_t dwID;
};

using SimConnectDispatchProc = void(QV_LIBRARY_CALL*)(SIMCONNECT_RECV* pData, uint32_t cbData,
                                                      void* pContext);

using SimConnect_Open_t = int32_t(QV_LIBRARY_CALL*)(void** phSimConnect, const char* szName,
                                                    void* hWnd, uint32_t UserEventWin32,
                                                    void* hEventHandle, uint32_t ConfigIndex);
using SimConnect_Close_t = int32_t(QV_LIBRARY_CALL*)(void* hSimConnect);
using SimConnect_AddToDataDefinition_t = int32_t(QV_LIBRARY_CALL*)(
    void* hSimConnect, uint32_t DefineID, const char* DatumName, const char* UnitsName,
    uint32_t DatumType, float fEpsilon, uint32_t DatumID);
using SimConnect_MapClientEventToSimEvent_t = int32_t(QV_LIBRARY_CALL*)(void* hSimConnect,
                                                                        uint32_t EventID,
                                                                        const char* EventName);
using SimConnect_SubscribeToSystemEvent_t = int32_t(QV_LIBRARY_CALL*)(void* hSimConnect,
                                                                      uint32_t EventID,
                                                                      const char* SystemEventName);
using SimConnect_CallDispatch_t = int32_t(QV_LIBRARY_CALL*)(void* hSimConnect,
                                                            SimConnectDispatchProc pfcnDispatch,
                                                            void* pContext);
using SimConnect_RequestDataOnSimObjectType_t = int32_t(QV_LIBRARY_CALL*)(void* hSimConnect,
                                                                          uint32_t RequestID,
                                                                          uint32_t DefineID,
                                                                          uint32_t dwRadiusMeters,
                                                                          uint32_t type);
using SimConnect_TransmitClientEvent_t =
    int32_t(QV_LIBRARY_CALL*)(void* hSimConnect, uint32_t ObjectID, uint32_t EventID,
                              uint32_t dwData, uint32_t GroupID, uint32_t Flags);
}

namespace qv::simconnect {

inline constexpr uint32_t kUnused = 0xFFFFFFFFU;  // SIMCONNECT_UNUSED
inline constexpr uint32_t kDataTypeFloat64 = 4;
inline constexpr uint32_t kDataTypeString256 = 9;
inline constexpr uint32_t kObjectUser = 0;    // object id and object type of the user aircraft
inline constexpr uint32_t kGroupHighest = 1;  // the highest priority
inline constexpr uint32_t kGroupIsPriority = 0x10;  // event flag: the group is a priority

// Message ids (dwID).
inline constexpr uint32_t kRecvException = 1;
inline constexpr uint32_t kRecvOpen = 2;
inline constexpr uint32_t kRecvQuit = 3;
inline constexpr uint32_t kRecvEvent = 4;
inline constexpr uint32_t kRecvSimObjectDataByType = 9;

// Byte offsets of the fields read or written.
inline constexpr uint32_t kHeaderSize = 12;
inline constexpr uint32_t kOpenApplicationName = 12;
inline constexpr uint32_t kNameSize = 256;
inline constexpr uint32_t kOpenVersions = 268;  // eight 32-bit words up to byte 299
inline constexpr uint32_t kOpenSize = 308;
inline constexpr uint32_t kEventGroupId = 12;
inline constexpr uint32_t kEventId = 16;
inline constexpr uint32_t kEventData = 20;
inline constexpr uint32_t kEventSize = 24;
inline constexpr uint32_t kDataRequestId = 12;
inline constexpr uint32_t kDataStart = 40;
inline constexpr uint32_t kExceptionCode = 12;
inline constexpr uint32_t kExceptionSendId = 16;
inline constexpr uint32_t kExceptionIndex = 20;
inline constexpr uint32_t kExceptionSize = 24;

}  // namespace qv::simconnect
