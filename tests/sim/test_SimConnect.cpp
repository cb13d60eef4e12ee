#include "sim/SimConnect.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sim/SimulatorLink.h"
#include "tests/support/SimFakes.h"

namespace qv {
namespace {

using ::testing::HasSubstr;

bool allEntryPointsSet() {
  const SimConnectEntryPoints& e = SimLib();
  return e.SimConnect_Open != nullptr && e.SimConnect_Close != nullptr &&
         e.SimConnect_AddToDataDefinition != nullptr &&
         e.SimConnect_MapClientEventToSimEvent != nullptr &&
         e.SimConnect_SubscribeToSystemEvent != nullptr && e.SimConnect_CallDispatch != nullptr &&
         e.SimConnect_RequestDataOnSimObjectType != nullptr &&
         e.SimConnect_TransmitClientEvent != nullptr;
}

bool noEntryPointSet() {
  const SimConnectEntryPoints& e = SimLib();
  return e.SimConnect_Open == nullptr && e.SimConnect_Close == nullptr &&
         e.SimConnect_AddToDataDefinition == nullptr &&
         e.SimConnect_MapClientEventToSimEvent == nullptr &&
         e.SimConnect_SubscribeToSystemEvent == nullptr && e.SimConnect_CallDispatch == nullptr &&
         e.SimConnect_RequestDataOnSimObjectType == nullptr &&
         e.SimConnect_TransmitClientEvent == nullptr;
}

class SimLibLoading : public ::testing::Test {
 protected:
  ~SimLibLoading() override { SimLib_Unload(); }
};

TEST_F(SimLibLoading, LibraryNextToTheProgramIsFoundByItsFileName) {
  EXPECT_EQ(simLibraryFileName(), "libSimConnect.so");
  ASSERT_TRUE(SimLib_EnsureLoaded());
  EXPECT_NE(SimLibHandle(), nullptr);
  EXPECT_TRUE(allEntryPointsSet());
  EXPECT_EQ(SimLibError(), "");

  SimLib_Unload();
  EXPECT_EQ(SimLibHandle(), nullptr);
  EXPECT_TRUE(noEntryPointSet());
}

TEST_F(SimLibLoading, MissingLibraryKeepsTheSystemsText) {
  EXPECT_FALSE(SimLib_Load("/nonexistent/qv/libSimConnect.so"));
  EXPECT_EQ(SimLibError(),
            "/nonexistent/qv/libSimConnect.so: cannot open shared object file: No such file or "
            "directory");
  EXPECT_EQ(SimLibHandle(), nullptr);
}

TEST_F(SimLibLoading, LibraryLackingAnEntryPointCountsAsNotLoaded) {
  ASSERT_TRUE(SimLib_Load(QV_STANDIN_LIBRARY));
  EXPECT_FALSE(SimLib_Load(QV_LACKING_CLOSE_LIBRARY));
  EXPECT_EQ(SimLibHandle(), nullptr);
  EXPECT_TRUE(noEntryPointSet());
  EXPECT_THAT(SimLibError(), HasSubstr("undefined symbol: SimConnect_Close"));
}

TEST_F(SimLibLoading, WithoutLibraryTheLinkStaysNotLoadedAndSendsNothing) {
  KeyArray keyarray{};
  test::RecordingPanel panel;
  test::RecordingView view;
  SimulatorLink link(keyarray, panel, view);
  link.SimC_Init("/nonexistent/qv/libSimConnect.so");
  EXPECT_EQ(link.SimCon.SimStatus, "Not Loaded");
  EXPECT_EQ(link.SimCon.erMessage,
            "/nonexistent/qv/libSimConnect.so: cannot open shared object file: No such file or "
            "directory");
  EXPECT_EQ(link.SimCon.LG_Lights, 300);
  EXPECT_EQ(link.SimCon.AppVersion, "0");
  for (int tick = 0; tick < 3; ++tick) {
    link.showStatus();
    link.connectPhase();
    link.dispatchPhase();
    link.quitPhase();
  }
  EXPECT_EQ(view.status, "Not Loaded");
  EXPECT_EQ(link.SimCon.SimStatus, "Not Loaded");
  EXPECT_FALSE(link.connected());
  link.closeWindow();
  EXPECT_TRUE(link.SimCon.Quit);
  EXPECT_EQ(link.SimCon.SimStatus, "Not Loaded");
}

TEST_F(SimLibLoading, LackingEntryPointLeavesTheLinkNotLoaded) {
  KeyArray keyarray{};
  test::RecordingPanel panel;
  test::RecordingView view;
  SimulatorLink link(keyarray, panel, view);
  link.SimC_Init(QV_LACKING_CLOSE_LIBRARY);
  EXPECT_EQ(link.SimCon.SimStatus, "Not Loaded");
  EXPECT_THAT(link.SimCon.erMessage, HasSubstr("SimConnect_Close"));
}

}  // namespace
}  // namespace qv
