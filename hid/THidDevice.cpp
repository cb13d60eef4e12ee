#include "hid/THidDevice.h"

#include <algorithm>

#include "hid/HidDeviceError.h"
#include "hid/HidStrings.h"
#include "hid/THidDeviceReadThread.h"

namespace qv {

namespace {

constexpr uint32_t kAttributesSize = 12;

HidStringBuffer zeroedBuffer() {
  return HidStringBuffer{};
}

}  // namespace

THidDevice::THidDevice(HidPlatform& platform, MainThreadHandoff& handoff, THidPnPInfo PnPInfo,
                       THidDeviceSettings settings)
    : OnDataError(std::move(settings.OnDataError)),
      ThreadSleepTime(settings.ThreadSleepTime),
      PollingDelayTime(settings.PollingDelayTime),
      platform_(platform),
      handoff_(handoff),
      pnpInfo_(std::move(PnPInfo)),
      onData_(std::move(settings.OnData)) {
  if (!openHandle()) {
    throw HidDeviceError("Device cannot be opened");
  }
  attributes_.Size = kAttributesSize;
  const std::optional<HidIds> ids = handle_->attributes();
  handle_.reset();
  if (!ids) {
    throw HidDeviceError("Device cannot be identified");
  }
  attributes_.VendorID = ids->vendorId;
  attributes_.ProductID = ids->productId;
  attributes_.VersionNumber = ids->versionNumber;
}

THidDevice::~THidDevice() {
  stopReader();
  handle_.reset();
}

bool THidDevice::IsAccessible() const {
  return pluggedIn_ && (checkedOut_ || beingEnumerated_);
}

bool THidDevice::openHandle() {
  handle_ = platform_.open(pnpInfo_.DevicePath, HidAccess::ReadWrite);
  hasReadWriteAccess_ = handle_ != nullptr;
  if (!handle_) {
    handle_ = platform_.open(pnpInfo_.DevicePath, HidAccess::QueryOnly);
  }
  return handle_ != nullptr;
}

HidHandle* THidDevice::handle() {
  if (!IsAccessible()) {
    return nullptr;
  }
  if (!handle_ && !openHandle()) {
    return nullptr;
  }
  return handle_.get();
}

HIDP_CAPS THidDevice::Caps() {
  if (!caps_) {
    HidHandle* h = handle();
    if (h == nullptr) {
      return {};
    }
    const std::optional<HidReportLengths> lengths = h->reportLengths();
    handle_.reset();
    if (!lengths) {
      return {};
    }
    caps_ = HIDP_CAPS{lengths->input, lengths->output, lengths->feature};
  }
  return *caps_;
}

std::string THidDevice::cachedString(std::string& cache, HidStringKind kind) {
  if (cache.empty()) {
    if (HidHandle* h = handle()) {
      HidStringBuffer buffer = zeroedBuffer();
      if (h->getString(kind, buffer)) {
        cache = textOf(buffer);
      }
      handle_.reset();
    }
  }
  return cache;
}

std::string THidDevice::ProductName() {
  return cachedString(productName_, HidStringKind::Product);
}

std::string THidDevice::VendorName() {
  return cachedString(vendorName_, HidStringKind::Manufacturer);
}

std::vector<uint16_t> THidDevice::readLanguageIds(HidHandle& h) {
  HidStringBuffer table;
  table.fill(0xFFFF);
  if (!h.getIndexedString(0, table)) {
    return {};
  }
  return languageIdsOf(table);
}

std::string THidDevice::SerialNumber() {
  if (serialNumber_.empty()) {
    if (HidHandle* h = handle()) {
      HidStringBuffer buffer = zeroedBuffer();
      if (h->getString(HidStringKind::Serial, buffer)) {
        // Some devices answer the serial request with their language table;
        // such an answer is no serial number.
        const std::vector<uint16_t> ids = readLanguageIds(*h);
        const bool differs = !std::equal(ids.begin(), ids.end(), buffer.begin());
        if (differs) {
          serialNumber_ = textOf(buffer);
        }
      }
      handle_.reset();
    }
  }
  return serialNumber_;
}

std::vector<std::string> THidDevice::LanguageStrings() {
  if (languageStrings_.empty()) {
    if (HidHandle* h = handle()) {
      for (const uint16_t id : readLanguageIds(*h)) {
        languageStrings_.push_back(
            platform_.languageName(id).value_or(formatted("Unknown Locale ID $%.4X", id)));
      }
      handle_.reset();
    }
  }
  return languageStrings_;
}

std::string THidDevice::GetDeviceString(uint8_t Idx) {
  HidHandle* h = Idx == 0 ? nullptr : handle();
  if (h == nullptr) {
    return {};
  }
  HidStringBuffer buffer = zeroedBuffer();
  return h->getIndexedString(Idx, buffer) ? textOf(buffer) : std::string();
}

bool THidDevice::SetFeature(const uint8_t* Report, int32_t Size) {
  HidHandle* h = Size > 0 ? handle() : nullptr;
  return h != nullptr && h->setFeature(Report, static_cast<size_t>(Size));
}

bool THidDevice::GetInputReport(uint8_t* Report, int32_t Size) {
  HidHandle* h = Size > 0 ? handle() : nullptr;
  return h != nullptr && h->getInputReport(Report, static_cast<size_t>(Size));
}

bool THidDevice::WriteFile(const uint8_t* Report, uint32_t ToWrite, uint32_t& BytesWritten) {
  BytesWritten = 0;
  HidHandle* h = handle();
  if (h == nullptr) {
    return false;
  }
  const std::optional<uint32_t> written = h->write(Report, ToWrite);
  if (!written) {
    return false;
  }
  BytesWritten = *written;
  return true;
}

void THidDevice::SetOnData(TDataEvent handler) {
  if (!handler) {
    stopReader();
  }
  onData_ = std::move(handler);
}

void THidDevice::checkOut() {
  checkedOut_ = true;
  if (!pluggedIn_ || !hasReadWriteAccess_ || !onData_ || reader_) {
    return;
  }
  const uint16_t inputLength = Caps().InputReportByteLength;
  // A device without input reports has nothing to read.
  if (inputLength == 0) {
    return;
  }
  reader_ = std::make_unique<THidDeviceReadThread>(
      *this, platform_, handoff_,
      THidDeviceReadThread::Settings{ThreadSleepTime, PollingDelayTime, inputLength});
}

void THidDevice::unplug() {
  closeHandles();
  pluggedIn_ = false;
}

void THidDevice::closeHandles() {
  handle_.reset();
  if (reader_) {
    reader_->DropReadHandle();
  }
}

void THidDevice::askReaderToStop() {
  if (reader_) {
    reader_->RequestStop();
  }
}

void THidDevice::stopReader() {
  if (reader_) {
    reader_->Stop();
    reader_.reset();
  }
}

}  // namespace qv
