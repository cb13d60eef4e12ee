#include "ui/MainForm.h"

#include <functional>
#include <map>

#include "engine/KeyTable.h"
#include "engine/SwitchEngine.h"
#include "hid/PanelBinding.h"
#include "hid/THidDeviceController.h"
#include "profile/ProfileFile.h"
#include "sim/SimulatorLink.h"
#include "ui/AircraftFollower.h"
#include "ui/Logo.h"

namespace qv {

namespace {

constexpr int kTickMilliseconds = 250;
constexpr int kTestPageIndex = 4;
constexpr int kInfoPageIndex = 5;
constexpr const char* kStartupProfile = "profile.psv";

}  // namespace

TMainForm::TMainForm(const PlatformServices& services, Controls& controls, Toolkit& toolkit)
    : services_(services), controls_(controls), toolkit_(toolkit) {
  engine_ = std::make_unique<SwitchEngine>(keyDelivery_, console_, testPage_);
  hidCtl_ = std::make_unique<THidDeviceController>(services_.hid, toolkit_.mainLoop(),
                                                   services_.deviceChanges);
  binding_ = std::make_unique<PanelBinding>(
      *hidCtl_, console_, console_,
      [this](uint16_t vendorId, uint16_t productId, uint8_t reportId, const uint8_t* bytes,
             uint16_t count) { engine_->ShowRead(vendorId, productId, reportId, bytes, count); });
  hidCtl_->OnScanError = [this](const std::string& message) { toolkit_.showError(message); };
  simLink_ = std::make_unique<SimulatorLink>(engine_->keyarray, *binding_, *this);
  engine_->attachSimulator(simLink_.get());
  profile_ = std::make_unique<ProfileFile>(
      texts_, [this] { engine_->populatekeyarray(texts_); }, *this, storage_);
  follower_ = std::make_unique<AircraftFollower>(
      AircraftFollower::Parts{*profile_, *simLink_, *engine_, controls_, toolkit_, console_,
                              storage_},
      kStartupProfile);

  testPage_.setLightTestTarget(binding_.get(), &console_);
  testPage_.setActionQueue(&engine_->vtActionList);
  console_.setBinding(binding_.get());
  controls_.setPicture("Image2", kLogoWidth, kLogoHeight, drawLogo);

  controls_.setEvents(this);
  hidCtl_->ListenForDeviceChanges(true);
  FormCreate();
  toolkit_.startTimer(kTickMilliseconds, [this] { Timer1Timer(); });
}

TMainForm::~TMainForm() {
  toolkit_.stopTimer();
  controls_.setEvents(nullptr);
  hidCtl_->ListenForDeviceChanges(false);
  // The window's destroy event runs the device selection once more.
  binding_->DevListBoxClick();
  // Producers go before their consumers: while a reader is being stopped it
  // may still hand over a panel report, which reaches the engine and through
  // it the simulator link and the panel's lights.
  console_.setBinding(nullptr);
  testPage_.setLightTestTarget(nullptr, &console_);
  binding_.reset();  // gives back its records and stops their readers
  hidCtl_.reset();   // stops every other reader
  engine_->attachSimulator(nullptr);
  follower_.reset();
  simLink_.reset();
  testPage_.setActionQueue(nullptr);
}

void TMainForm::FormCreate() {
  engine_->testSaitekPanel = false;
  controls_.setTabVisible("TabSheet6", false);
  controls_.setVisible("TabSheet6", false);
  simLink_->SimC_Init(services_.simLibraryFile);
  engine_->panelinit = false;
  engine_->switchkeys = buildSwitchKeys();
  profile_->LoadFile(kStartupProfile);
  controls_.select("PageControl1", kInfoPageIndex);
  keyDelivery_.check();
}

void TMainForm::FormShow() {
  simLink_->LG_LED(4);
}

void TMainForm::FormActivate() {
  if (console_.byteEditorsBuilt()) {
    return;
  }
  console_.buildByteEditors();
  binding_->DevListBoxClick();
}

void TMainForm::FormClose() {
  simLink_->closeWindow();
  simLink_->LG_LED(4);
  // Keys still held for a pending release would stay down after the program.
  engine_->releaseHeldKeys();
}

void TMainForm::Timer1Timer() {
  engine_->Timer1Timer();
  follower_->tick();
}

void TMainForm::Button4Click() {
  if (const std::optional<std::string> file = toolkit_.openProfile()) {
    profile_->LoadFile(*file);
  }
}

void TMainForm::Button1Click() {
  // With no profile loaded or saved yet there is no name to save under, so
  // the user is asked for one.
  if (profile_->currentfile().empty()) {
    Button5Click();
    return;
  }
  profile_->SavePFile(profile_->currentfile());
}

void TMainForm::Button5Click() {
  if (const std::optional<std::string> file = toolkit_.saveProfileAs()) {
    profile_->SavePFile(*file);
  }
}

void TMainForm::Button2Click() {
  try {
    engine_->populatekeyarray(texts_);
  } catch (const ConversionError& e) {
    toolkit_.showMessage(e.what());
  }
}

void TMainForm::PageControl1Change(int index) {
  engine_->testSaitekPanel = index == kTestPageIndex;
}

void TMainForm::TxtKeyReadKeyDown(int virtualKey) {
  controls_.setText("TxtKeyCode", std::to_string(virtualKey));
}

void TMainForm::clicked(std::string_view name) {
  using Handler = std::function<void()>;
  const std::map<std::string_view, Handler> handlers{
      {"Button4", [this] { Button4Click(); }},
      {"Button1", [this] { Button1Click(); }},
      {"Button5", [this] { Button5Click(); }},
      {"Button2", [this] { Button2Click(); }},
      {"sswptestSpeedButton1", [this] { testPage_.sswptestSpeedButton1Click(); }},
      {"saitekswitchpanelimage", [this] { testPage_.saitekswitchpanelimageClick(); }},
      {"DevListBox", [this] { binding_->DevListBoxClick(); }},
      {"ReadBtn", [this] { binding_->ReadBtnClick(); }},
      {"WriteBtn", [this] { console_.WriteBtnClick(); }},
      {"SaveBtn", [this] { console_.SaveBtnClick(); }},
      {"InfoBtn", [this] { console_.InfoBtnClick(); }},
  };
  if (const auto found = handlers.find(name); found != handlers.end()) {
    found->second();
  }
}

void TMainForm::pageChanged(std::string_view name) {
  if (name == "PageControl1") {
    PageControl1Change(controls_.selected(name));
  }
}

void TMainForm::keyDown(std::string_view name, int virtualKey) {
  if (name == "TxtKeyRead") {
    TxtKeyReadKeyDown(virtualKey);
  }
}

void TMainForm::setSimConStatus(const std::string& status) {
  controls_.setText("lblSimConStatus", status);
}

void TMainForm::setGearLightCopies(uint32_t windowsColour) {
  testPage_.setGearLightCopies(windowsColour);
}

void TMainForm::setLightByteText(const std::string& text) {
  controls_.setText("Edit168", text);
}

void TMainForm::showSimulator(const std::string& name, const std::string& title) {
  console_.showSimulator(name, title);
}

void TMainForm::aircraftReady(const std::string& title) {
  follower_->aircraftReady(title);
}

void TMainForm::setCaption(const std::string& caption) {
  controls_.setText("MainForm", caption);
}

void TMainForm::showMessage(const std::string& text) {
  toolkit_.showMessage(text);
}

}  // namespace qv
