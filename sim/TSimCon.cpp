#include "sim/TSimCon.h"

#include <array>
#include <cstdio>

#include "sim/DataDefinition.h"
#include "sim/MessageView.h"
#include "sim/SimConnect.h"

namespace qv {

namespace {

constexpr const char* kClientName = "Request Data";
constexpr const char* kSixHertz = "6Hz";
constexpr uint32_t kSixHertzEvent = 0;
constexpr uint32_t kDataRequest = 0;
constexpr uint32_t kDefinition = 0;

std::string versionText(const std::string& name, const MessageView& message, uint32_t offset) {
  std::array<char, 320> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%s %1d.%1d.%1d.%1d", name.c_str(),
                static_cast<int>(*message.u32(offset)), static_cast<int>(*message.u32(offset + 4)),
                static_cast<int>(*message.u32(offset + 8)),
                static_cast<int>(*message.u32(offset + 12)));
  return buffer.data();
}

}  // namespace

void TSimCon::StartSimConnect() {
  const SimConnectEntryPoints& sim = SimLib();
  void* handle = nullptr;
  if (sim.SimConnect_Open(&handle, kClientName, nullptr, 0, nullptr, 0) < 0) {
    return;
  }
  hSimConnect = reinterpret_cast<uintptr_t>(handle);
  SimStatus = kStatusConnected;

  for (const DatumRow& row : kDataDefinition) {
    static_cast<void>(sim.SimConnect_AddToDataDefinition(handle, kDefinition, row.name, row.units,
                                                         row.type, 0.0F, simconnect::kUnused));
  }
  namePlaneData(PlaneData);

  for (int i = 1; i <= kPlaneEvMappedRows; ++i) {
    const std::string& name = PlaneEv.at(static_cast<size_t>(i)).EvName;
    if (name.size() > 2) {
      static_cast<void>(
          sim.SimConnect_MapClientEventToSimEvent(handle, static_cast<uint32_t>(i), name.c_str()));
    }
  }
  static_cast<void>(sim.SimConnect_SubscribeToSystemEvent(handle, kSixHertzEvent, kSixHertz));
}

void TSimCon::DispatchHandler(SIMCONNECT_RECV* pData, uint32_t cbData, void* /*pContext*/) {
  ++RxCount;
  const MessageView message(pData, cbData);
  const std::optional<uint32_t> id = message.u32(8);
  if (!id) {
    return;
  }
  switch (*id) {
    case simconnect::kRecvOpen:
      if (message.holds(simconnect::kOpenVersions, 32)) {
        AppVersion =
            versionText(message.text(simconnect::kOpenApplicationName, simconnect::kNameSize),
                        message, simconnect::kOpenVersions);
        SimConnectVersion = versionText("SimConnect", message, simconnect::kOpenVersions + 16);
      }
      break;
    case simconnect::kRecvQuit:
      SimStatus = kStatusLoaded;
      break;
    case simconnect::kRecvEvent:
      if (message.u32(simconnect::kEventId) == kSixHertzEvent) {
        static_cast<void>(SimLib().SimConnect_RequestDataOnSimObjectType(
            simHandle(hSimConnect), kDataRequest, kDefinition, 0, simconnect::kObjectUser));
      }
      break;
    case simconnect::kRecvSimObjectDataByType:
      if (message.u32(simconnect::kDataRequestId) == kDataRequest &&
          message.holds(simconnect::kDataStart, kDataAreaSize)) {
        for (int k = 1; k <= kPlaneDataEntries; ++k) {
          PlaneData.at(static_cast<size_t>(k)).Value = message.f64(
              simconnect::kDataStart + simconnect::kNameSize + 8 * static_cast<uint32_t>(k - 1));
        }
        Title = message.text(simconnect::kDataStart, simconnect::kNameSize);
      }
      break;
    default: {
      std::array<char, 32> buffer{};
      std::snprintf(buffer.data(), buffer.size(), "Unknown dwID: %d", static_cast<int>(*id));
      erMessage = buffer.data();
      break;
    }
  }
}

void QV_LIBRARY_CALL SimC_DispatchProc(SIMCONNECT_RECV* pData, uint32_t cbData, void* pContext) {
  static_cast<TSimCon*>(pContext)->DispatchHandler(pData, cbData, pContext);
}

}  // namespace qv
