// Any bytes as one received simulator message: the whole input is the
// message and its size, so the id, the header's own size field and every
// field are the fuzzer's.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/DynamicLibrary.h"
#include "sim/SimConnect.h"
#include "sim/TSimCon.h"

namespace {

// The recording client library, loaded once; its record is emptied after
// every message so that it does not grow over the run.
class Client {
 public:
  Client() {
    if (!qv::SimLib_Load(QV_FUZZ_CLIENT_LIBRARY)) {
      std::abort();
    }
    std::string error;
    clear_ = reinterpret_cast<Clear>(
        qv::resolveLibrarySymbol(qv::SimLibHandle(), "QvClearRecordedCalls", error));
    if (clear_ == nullptr) {
      std::abort();
    }
  }
  ~Client() { qv::SimLib_Unload(); }
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  void clear() const { clear_(); }

 private:
  using Clear = void (*)();
  Clear clear_ = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Client client;
  if (size > UINT32_MAX) {
    return 0;
  }
  // A heap copy of exactly the message's size, so that a read past its end
  // is seen by the address sanitizer.
  const auto message = std::make_unique<uint8_t[]>(size);
  std::memcpy(message.get(), data, size);

  qv::TSimCon con;
  con.SimStatus = qv::kStatusConnected;
  con.DispatchHandler(reinterpret_cast<SIMCONNECT_RECV*>(message.get()),
                      static_cast<uint32_t>(size), &con);
  if (con.RxCount != 1) {
    std::abort();
  }
  client.clear();
  return 0;
}
