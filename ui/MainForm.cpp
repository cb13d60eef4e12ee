#include "ui/MainForm.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSocketNotifier>
#include <QTabWidget>
#include <QTimer>

#include "diag/DebugPage.h"
#include "diag/DeviceConsole.h"
#include "diag/TestPage.h"
#include "engine/KeyTable.h"
#include "engine/MappingRows.h"
#include "engine/SwitchEngine.h"
#include "hid/PanelBinding.h"
#include "hid/THidDeviceController.h"
#include "profile/ProfileFile.h"
#include "sim/SimulatorLink.h"
#include "ui/ControlFactory.h"
#include "ui/MappingPages.h"
#include "ui/MessageBoxes.h"
#include "ui/ProfileDialogs.h"
#include "ui/QtVirtualKeys.h"
#include "ui/TopPanel.h"

namespace qv {

namespace {

constexpr int kTickMilliseconds = 250;
constexpr int kTestPageIndex = 4;
constexpr const char* kStartupProfile = "profile.psv";

QWidget* addPage(QTabWidget* pages, const char* name, const QString& caption) {
  auto* page = new QWidget;
  page->setObjectName(name);
  pages->addTab(page, caption);
  return page;
}

}  // namespace

TMainForm::TMainForm(const PlatformServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
  setObjectName("MainForm");
  setFont(pixelFont("MS Sans Serif", 13));
  resize(787, 462);
  // 450 x 500 outside: a Windows frame takes 16 pixels across and 38 down.
  setMinimumSize(450 - 16, 500 - 38);

  buildTopPanel(this);
  buildPages();
  console_ = new DeviceConsole(this);
  shareFont(this);
  lblSimConStatus = findChild<QLabel*>("lblSimConStatus");
  TxtKeyRead = findChild<QLineEdit*>("TxtKeyRead");
  TxtKeyCode = findChild<QLineEdit*>("TxtKeyCode");

  engine_ = std::make_unique<SwitchEngine>(services_.injector, *console_, *testPage_);
  hidCtl_ = std::make_unique<THidDeviceController>(services_.hid, loop_, services_.deviceChanges);
  binding_ = std::make_unique<PanelBinding>(
      *hidCtl_, *console_, *console_,
      [this](uint16_t vendorId, uint16_t productId, uint8_t reportId, const uint8_t* bytes,
             uint16_t count) { engine_->ShowRead(vendorId, productId, reportId, bytes, count); });
  hidCtl_->OnScanError = [this](const std::string& message) {
    services_.messages.showError(qs(message));
  };
  simLink_ = std::make_unique<SimulatorLink>(engine_->keyarray, *binding_, *this);
  engine_->attachSimulator(simLink_.get());
  profile_ = std::make_unique<ProfileFile>(
      texts_, [this] { engine_->populatekeyarray(texts_); }, *this, storage_);

  testPage_->setLightTestTarget(binding_.get(), console_, console_->dvrEdit3());
  testPage_->setActionQueue(&engine_->vtActionList);
  console_->setBinding(binding_.get());

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(kTickMilliseconds);
  connectControls();
  FormCreate();
  Timer1->start();
}

TMainForm::~TMainForm() {
  Timer1->stop();
  // The window's destroy event runs the device selection once more.
  binding_->DevListBoxClick();
  // Producers go before their consumers: while a reader is being stopped it
  // may still hand over a panel report, which reaches the engine and through
  // it the simulator link and the panel's lights.
  console_->setBinding(nullptr);
  testPage_->setLightTestTarget(nullptr, console_, console_->dvrEdit3());
  binding_.reset();  // gives back its records and stops their readers
  hidCtl_.reset();   // stops every other reader
  engine_->attachSimulator(nullptr);
  simLink_.reset();
}

void TMainForm::buildPages() {
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  PageControl1->setGeometry(0, 98, 781, 332);
  buildLandingGearPage(addPage(PageControl1, "TabSheet1", "Landing Gear"));
  buildMagnetoPage(addPage(PageControl1, "TabSheet2", "Magneto"));
  buildPanelKeysPage(addPage(PageControl1, "TabSheet3", "Panel Keys"));
  buildBottomPanelKeysPage(addPage(PageControl1, "TabSheet5", "Bottom Panel Keys"));
  testPage_ = new TestPage;
  PageControl1->addTab(testPage_, "Test");
  buildInfoPage(addPage(PageControl1, "TabSheet4", "Info"));
  debugPage_ = new DebugPage;
  PageControl1->addTab(debugPage_, "TabSheet6");
}

void TMainForm::connectControls() {
  const auto onClick = [this](const char* name, void (TMainForm::*handler)()) {
    connect(findChild<QPushButton*>(name), &QPushButton::clicked, this,
            [this, handler] { (this->*handler)(); });
  };
  onClick("Button4", &TMainForm::Button4Click);
  onClick("Button1", &TMainForm::Button1Click);
  onClick("Button5", &TMainForm::Button5Click);
  onClick("Button2", &TMainForm::Button2Click);
  connect(PageControl1, &QTabWidget::currentChanged, this, &TMainForm::PageControl1Change);
  connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
  TxtKeyRead->installEventFilter(this);
  if (hidCtl_->DeviceChangeFd() >= 0) {
    deviceChangeNotifier_ =
        new QSocketNotifier(hidCtl_->DeviceChangeFd(), QSocketNotifier::Read, this);
    connect(deviceChangeNotifier_, &QSocketNotifier::activated, this,
            [this] { hidCtl_->ServiceDeviceChanges(); });
  }
}

void TMainForm::FormCreate() {
  engine_->testSaitekPanel = false;
  PageControl1->setTabVisible(PageControl1->indexOf(debugPage_), false);
  debugPage_->hide();
  simLink_->SimC_Init(services_.simLibraryFile);
  engine_->panelinit = false;
  engine_->switchkeys = buildSwitchKeys();
  profile_->LoadFile(kStartupProfile);
  PageControl1->setCurrentIndex(PageControl1->indexOf(findChild<QWidget*>("TabSheet4")));
}

void TMainForm::showCentred() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
}

void TMainForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!shown_) {
    shown_ = true;
    FormShow();
  }
}

void TMainForm::FormShow() {
  simLink_->LG_LED(4);
}

void TMainForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    FormActivate();
  }
}

void TMainForm::FormActivate() {
  if (console_->byteEditorsBuilt()) {
    return;
  }
  console_->buildByteEditors();
  shareFont(console_);
  binding_->DevListBoxClick();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TMainForm::FormClose() {
  simLink_->closeWindow();
  simLink_->LG_LED(4);
  // Keys still held for a pending release would stay down after the program.
  engine_->releaseHeldKeys();
}

void TMainForm::Timer1Timer() {
  engine_->Timer1Timer();
}

void TMainForm::Button4Click() {
  if (const std::optional<QString> file = services_.dialogs.openProfile(this)) {
    profile_->LoadFile(file->toStdString());
  }
}

void TMainForm::Button1Click() {
  profile_->SavePFile(profile_->currentfile());
}

void TMainForm::Button5Click() {
  if (const std::optional<QString> file = services_.dialogs.saveProfileAs(this)) {
    profile_->SavePFile(file->toStdString());
  }
}

void TMainForm::Button2Click() {
  try {
    engine_->populatekeyarray(texts_);
  } catch (const ConversionError& e) {
    services_.messages.showMessage(QString::fromStdString(e.what()));
  }
}

void TMainForm::PageControl1Change(int index) {
  engine_->testSaitekPanel = index == kTestPageIndex;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == TxtKeyRead && event->type() == QEvent::KeyPress) {
    TxtKeyReadKeyDown(*static_cast<QKeyEvent*>(event));
  }
  // Not consumed: the key still lands in the box as typed text.
  return QWidget::eventFilter(watched, event);
}

void TMainForm::TxtKeyReadKeyDown(const QKeyEvent& key) {
  TxtKeyCode->setText(QString::number(virtualKeyForQtKey(key.key(), key.modifiers())));
}

void TMainForm::setSimConStatus(const std::string& status) {
  lblSimConStatus->setText(QString::fromStdString(status));
  lblSimConStatus->adjustSize();
}

void TMainForm::setGearLightCopies(uint32_t windowsColour) {
  testPage_->setGearLightCopies(windowsColour);
}

void TMainForm::setLightByteText(const std::string& text) {
  debugPage_->setLightByteText(text);
}

void TMainForm::setCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
}

void TMainForm::showMessage(const std::string& text) {
  services_.messages.showMessage(QString::fromStdString(text));
}

}  // namespace qv
