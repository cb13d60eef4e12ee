#pragma once

#include <QWidget>
#include <memory>

#include "profile/FileReplacementStorage.h"
#include "profile/ProfileView.h"
#include "sim/SimulatorView.h"
#include "ui/PlatformServices.h"
#include "ui/QtEventLoop.h"
#include "ui/QtNamedTexts.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QSocketNotifier;
class QTabWidget;
class QTimer;

namespace qv {

class DebugPage;
class DeviceConsole;
class PanelBinding;
class ProfileFile;
class SimulatorLink;
class SwitchEngine;
class TestPage;
class THidDeviceController;

// The one window. It owns everything for the whole run: the switch input
// engine, the HID controller and panel binding, the simulator link and the
// profile file.
class TMainForm final : public QWidget, public SimulatorView, public ProfileView {
 public:
  explicit TMainForm(const PlatformServices& services, QWidget* parent = nullptr);
  ~TMainForm() override;
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // Handlers, public so that tests can run them as the controls do.
  void Button4Click();
  void Button1Click();
  void Button5Click();
  void Button2Click();
  void PageControl1Change(int index);
  void FormActivate();
  void Timer1Timer();
  // Shows the virtual-key code of a key pressed in the "Get Key Code" box.
  void TxtKeyReadKeyDown(const QKeyEvent& key);

  // Shows the window centred on the screen.
  void showCentred();

  SwitchEngine& engine() { return *engine_; }
  SimulatorLink& simulator() { return *simLink_; }
  PanelBinding& binding() { return *binding_; }
  THidDeviceController& HidCtl() { return *hidCtl_; }
  ProfileFile& profile() { return *profile_; }

  // SimulatorView
  void setSimConStatus(const std::string& status) override;
  void setGearLightCopies(uint32_t windowsColour) override;
  void setLightByteText(const std::string& text) override;
  // ProfileView
  void setCaption(const std::string& caption) override;
  void showMessage(const std::string& text) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildPages();
  void connectControls();
  void FormCreate();
  void FormShow();
  void FormClose();

  PlatformServices services_;
  QtEventLoop loop_;
  FileReplacementStorage storage_;
  QtNamedTexts texts_{*this};

  QTabWidget* PageControl1 = nullptr;
  TestPage* testPage_ = nullptr;
  DebugPage* debugPage_ = nullptr;
  DeviceConsole* console_ = nullptr;
  QLabel* lblSimConStatus = nullptr;
  QLineEdit* TxtKeyRead = nullptr;
  QLineEdit* TxtKeyCode = nullptr;
  QTimer* Timer1 = nullptr;
  QSocketNotifier* deviceChangeNotifier_ = nullptr;

  // Destroyed in the order the destructor spells out.
  std::unique_ptr<SwitchEngine> engine_;
  std::unique_ptr<THidDeviceController> hidCtl_;
  std::unique_ptr<PanelBinding> binding_;
  std::unique_ptr<SimulatorLink> simLink_;
  std::unique_ptr<ProfileFile> profile_;
  bool shown_ = false;
};

}  // namespace qv
