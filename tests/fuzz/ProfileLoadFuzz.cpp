// Any bytes as a whole profile file, loaded into the window's default texts
// and rebuilt into the switch action table, as the Load button does.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/KeyTable.h"
#include "engine/MappingRows.h"
#include "engine/NamedTexts.h"
#include "profile/FileReplacementStorage.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileView.h"

namespace {

namespace fs = std::filesystem;

class RecordingView final : public qv::ProfileView {
 public:
  void setCaption(const std::string& caption) override { captions.push_back(caption); }
  void showMessage(const std::string& message) override { messages.push_back(message); }
  std::vector<std::string> captions;
  std::vector<std::string> messages;
};

// One file per fuzzing process, removed when the process ends.
class ScratchFile {
 public:
  ScratchFile()
      : path_(fs::temp_directory_path() / ("qv-fuzz-profile-" + std::to_string(getpid()))) {}
  ~ScratchFile() {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  [[nodiscard]] std::string write(const uint8_t* data, size_t size) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path_.string();
  }

 private:
  fs::path path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const ScratchFile scratch;
  const std::string path = scratch.write(data, size);

  qv::NamedTextMap texts;
  qv::applyMappingDefaults(texts);
  qv::KeyArray keyarray{};
  RecordingView view;
  qv::FileReplacementStorage storage;
  qv::ProfileFile profile(
      texts, [&] { qv::populatekeyarray(keyarray, texts); }, view, storage);
  profile.LoadFile(path);

  // Exactly one outcome: the caption of a loaded profile or the load message.
  const bool loaded = view.messages.empty() && view.captions.size() == 1 &&
                      view.captions[0] == "Quorvane - " + path && profile.currentfile() == path;
  // The load message may name the wrong line on a line of its own.
  const std::string message = std::string(qv::kLoadFailedMessage) + path;
  const bool refused =
      view.captions.empty() && view.messages.size() == 1 &&
      (view.messages[0] == message || view.messages[0].starts_with(message + "\n")) &&
      profile.currentfile().empty();
  if (!loaded && !refused) {
    std::abort();
  }
  return 0;
}
