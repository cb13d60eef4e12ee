#include "diag/Info.h"

#include <string_view>
#include <utility>

#include "diag/DeviceInfoTexts.h"
#include "ui/Controls.h"

namespace qv {

void fillInfoDialog(Controls& form, THidDevice& Dev) {
  const DeviceInfoTexts texts = collectDeviceInfo(Dev);
  form.setText("VendorName", texts.VendorName);
  form.setText("ProductName", texts.ProductName);
  form.setText("SerialNo", texts.SerialNo);
  form.setText("Vid", texts.Vid);
  form.setText("Pid", texts.Pid);
  form.setText("Vers", texts.Vers);
  for (const auto& [label, text] :
       {std::pair<std::string_view, const std::string*>{"InputLen", &texts.InputLen},
        std::pair<std::string_view, const std::string*>{"OutputLen", &texts.OutputLen},
        std::pair<std::string_view, const std::string*>{"FeatureLen", &texts.FeatureLen}}) {
    if (!text->empty()) {
      form.setText(label, *text);
    }
  }
  form.clearItems("DevStrings");
  for (const std::string& line : texts.DevStrings) {
    form.addItem("DevStrings", line);
  }
  form.clearItems("LangStrings");
  for (const std::string& language : texts.LangStrings) {
    form.addItem("LangStrings", language);
  }
}

}  // namespace qv
