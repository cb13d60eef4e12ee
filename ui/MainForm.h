#pragma once

#include <memory>

#include "diag/DeviceConsole.h"
#include "diag/TestPage.h"
#include "engine/KeyDeliveryWatch.h"
#include "profile/FileReplacementStorage.h"
#include "profile/ProfileView.h"
#include "sim/SimulatorView.h"
#include "ui/ControlTexts.h"
#include "ui/Controls.h"
#include "ui/DeliveryNotice.h"
#include "ui/PlatformServices.h"

namespace qv {

class AircraftFollower;
class PanelBinding;
class ProfileFile;
class SimulatorLink;
class SwitchEngine;
class THidDeviceController;

// The one window's logic. It owns everything for the whole run: the switch
// input engine, the HID controller and panel binding, the simulator link and
// the profile file. It acts on the window's controls by name through the
// toolkit interface, so it runs on any toolkit, or none.
class TMainForm final : public FormEvents, public SimulatorView, public ProfileView {
 public:
  // Runs the creation steps and starts the timer.
  TMainForm(const PlatformServices& services, Controls& controls, Toolkit& toolkit);
  ~TMainForm() override;
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  void Button4Click();
  void Button1Click();
  void Button5Click();
  void Button2Click();
  void PageControl1Change(int index);
  void FormShow();
  void FormActivate();
  void FormClose();
  void Timer1Timer();
  // Shows the virtual-key code of a key pressed in the "Get Key Code" box.
  void TxtKeyReadKeyDown(int virtualKey);

  SwitchEngine& engine() { return *engine_; }
  SimulatorLink& simulator() { return *simLink_; }
  PanelBinding& binding() { return *binding_; }
  THidDeviceController& HidCtl() { return *hidCtl_; }
  ProfileFile& profile() { return *profile_; }
  DeviceConsole& console() { return console_; }

  // FormEvents
  void clicked(std::string_view name) override;
  void pageChanged(std::string_view name) override;
  void keyDown(std::string_view name, int virtualKey) override;
  void shown() override { FormShow(); }
  void activated() override { FormActivate(); }
  void closing() override { FormClose(); }

  // SimulatorView
  void setSimConStatus(const std::string& status) override;
  void setGearLightCopies(uint32_t windowsColour) override;
  void setLightByteText(const std::string& text) override;
  void showSimulator(const std::string& name, const std::string& title) override;
  void aircraftReady(const std::string& title) override;
  // ProfileView
  void setCaption(const std::string& caption) override;
  void showMessage(const std::string& text) override;

 private:
  void FormCreate();

  PlatformServices services_;
  Controls& controls_;
  Toolkit& toolkit_;
  FileReplacementStorage storage_;
  ControlTexts texts_{controls_};
  TestPage testPage_{controls_};
  DeviceConsole console_{controls_, toolkit_};
  DeliveryNotice deliveryNotice_{controls_};
  // The engine injects through this, so every batch is followed by the question.
  KeyDeliveryWatch keyDelivery_{services_.injector, console_, [this](const std::string& problem) {
                                  deliveryNotice_.show(problem);
                                }};

  // Destroyed in the order the destructor spells out.
  std::unique_ptr<SwitchEngine> engine_;
  std::unique_ptr<THidDeviceController> hidCtl_;
  std::unique_ptr<PanelBinding> binding_;
  std::unique_ptr<SimulatorLink> simLink_;
  std::unique_ptr<ProfileFile> profile_;
  std::unique_ptr<AircraftFollower> follower_;
};

}  // namespace qv
